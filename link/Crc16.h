#pragma once

#include <cstddef>
#include <cstdint>

namespace norda {

// CRC-16 with the parameters of the CRC-16/USB catalogue entry (reflected
// polynomial 0xA001, initial 0xFFFF, result inverted); "123456789" gives 0xB4C8.
uint16_t Crc16Usb(const uint8_t* data, size_t length);

}  // namespace norda
