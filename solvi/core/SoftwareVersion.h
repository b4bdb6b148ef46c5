#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace norda::solvi {

// The 256-byte software header at flash address 0x10000, as found in a .hex image or read
// back from a radio.
struct SoftwareVersion {
    static constexpr std::size_t kHeaderSize = 256;
    static constexpr std::size_t kTextSize = 242;

    std::array<char, 4> name{};  // three bytes as the header has them, and a NUL
    uint8_t major = 0;
    uint8_t minor = 0;
    uint16_t checksum = 0;
    uint8_t day = 0;
    uint8_t month = 0;
    uint16_t year = 0;
    // The description in UTF-8. The header holds it in Windows-1254, up to a NUL or to the
    // erased flash (0xFF) after it.
    std::string text;
    uint8_t flag = 0;

    // Decodes a whole header; the radio and the file use the same layout.
    static SoftwareVersion FromHeader(std::span<const uint8_t, kHeaderSize> header);

    // Two radios run the same software when everything but the description agrees.
    bool SameSoftware(const SoftwareVersion& other) const;

    // Name, version and date read as erased flash: a radio that never held software, or
    // whose programming broke off before its header was written.
    bool Blank() const;

    // "ABC 5.01 N 07.03.2002" in UTF-8; 'D' marks an image prepared for the software
    // transfer unit.
    std::string DisplayText() const;
};

}  // namespace norda::solvi
