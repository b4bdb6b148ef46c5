#include "solvi/core/SoftwareVersion.h"

#include <cstdio>
#include <string_view>

#include "platform/Windows1254.h"

namespace norda::solvi {

namespace {

constexpr uint8_t kErased = 0xFF;

// Header texts are Windows-1254 up to a NUL; erased flash after a text is no part of it.
std::size_t TextLength(const uint8_t* bytes, std::size_t size) {
    std::size_t n = 0;
    while (n < size && bytes[n] != 0 && bytes[n] != kErased)
        ++n;
    return n;
}

}  // namespace

SoftwareVersion SoftwareVersion::FromHeader(std::span<const uint8_t, kHeaderSize> header) {
    SoftwareVersion v;
    v.name = {static_cast<char>(header[0x09]), static_cast<char>(header[0x0A]),
              static_cast<char>(header[0x00]), '\0'};
    v.major = header[0x01];
    v.minor = header[0x02];
    v.checksum = static_cast<uint16_t>(header[0x03] << 8 | header[0x04]);
    v.day = header[0x05];
    v.month = header[0x06];
    v.year = static_cast<uint16_t>(header[0x07] | header[0x08] << 8);
    const uint8_t* text = header.data() + 0x0D;
    v.text = Windows1254ToUtf8(
        std::string_view(reinterpret_cast<const char*>(text), TextLength(text, kTextSize)));
    v.flag = header[0xFF];
    return v;
}

bool SoftwareVersion::SameSoftware(const SoftwareVersion& o) const {
    return name[0] == o.name[0] && name[1] == o.name[1] && name[2] == o.name[2] &&
           major == o.major && minor == o.minor && checksum == o.checksum && flag == o.flag &&
           day == o.day && month == o.month && year == o.year;
}

bool SoftwareVersion::Blank() const {
    const uint8_t erased = kErased;
    return static_cast<uint8_t>(name[0]) == erased && static_cast<uint8_t>(name[1]) == erased &&
           static_cast<uint8_t>(name[2]) == erased && major == erased && minor == erased &&
           day == erased && month == erased && year == 0xFFFF;
}

std::string SoftwareVersion::DisplayText() const {
    std::string shownName;
    const auto* bytes = reinterpret_cast<const uint8_t*>(name.data());
    for (std::size_t i = 0; i < TextLength(bytes, 3); ++i) {
        // The version is one cell of a tab-separated line and of a CSV record.
        const char c = name[i];
        shownName += static_cast<uint8_t>(c) < 0x20 || c == 0x7F ? "?" : Windows1254ToUtf8({&c, 1});
    }
    char numbers[40];
    std::snprintf(numbers, sizeof numbers, " %d.%02d %c %02d.%02d.%04d", major, minor,
                  flag == 1 ? 'D' : 'N', day, month, year);
    return shownName + numbers;
}

}  // namespace norda::solvi
