#pragma once

#include <cstdint>
#include <span>

#include "codeplug/RadioImage.h"

namespace norda::ombra {

// What a copy ("Kopyala") keeps of the radio it writes, applied to the image that is
// about to go out. `radio` is the first 24 bytes of that radio as the pre-read found
// them: its Master (0-6) and Service (8-23) areas.
//
// Kept always: the whole Service area, the radio's old programmer version included.
// Kept when the radio's Master checksum holds (an unprogrammed Master has nothing worth
// keeping): the serial number (bytes 1-2) and the compander and TDM switches (byte 0
// bits 3 and 2). Everything else is the editor's. Checksums are left alone; the write
// closes every area afterwards.
void KeepTargetRadioIdentity(RadioImage& image, std::span<const uint8_t, 24> radio);

}  // namespace norda::ombra
