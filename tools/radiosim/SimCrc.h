#pragma once

#include <cstddef>
#include <cstdint>

namespace norda::sim {

// CRC-16 as the radio computes its frame check: reflected polynomial 0xA001,
// register preset to FFFF, result inverted. Written bit by bit on purpose, so
// that it shares nothing with a table-driven implementation it is tested against.
uint16_t Crc16Usb(const uint8_t* data, size_t length);

}  // namespace norda::sim
