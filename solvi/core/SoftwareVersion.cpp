#include "solvi/core/SoftwareVersion.h"

#include <cstdio>
#include <cstring>

namespace norda::solvi {

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
    const auto* text = reinterpret_cast<const char*>(header.data() + 0x0D);
    v.text.assign(text, strnlen(text, kTextSize));
    v.flag = header[0xFF];
    return v;
}

bool SoftwareVersion::SameSoftware(const SoftwareVersion& o) const {
    return name[0] == o.name[0] && name[1] == o.name[1] && name[2] == o.name[2] &&
           major == o.major && minor == o.minor && checksum == o.checksum && flag == o.flag &&
           day == o.day && month == o.month && year == o.year;
}

std::string SoftwareVersion::DisplayText() const {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s %d.%02d %c %02d.%02d.%04d", name.data(), major, minor,
                  flag == 1 ? 'D' : 'N', day, month, year);
    return buffer;
}

}  // namespace norda::solvi
