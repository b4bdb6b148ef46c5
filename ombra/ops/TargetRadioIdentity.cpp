#include "ombra/ops/TargetRadioIdentity.h"

#include <algorithm>

namespace norda {
namespace {

constexpr int kMasterChecksumAt = 5;  // big-endian sum of bytes 0-4
constexpr int kSerialNumber = 1;      // bytes 1-2
constexpr int kServiceStart = 8;
constexpr int kServiceEnd = 24;
constexpr uint8_t kCompanderAndTdm = 0x08 | 0x04;

bool MasterProgrammed(std::span<const uint8_t, 24> radio) {
    unsigned sum = 0;
    for (int a = 0; a < kMasterChecksumAt; ++a)
        sum += radio[static_cast<size_t>(a)];
    const unsigned stored = radio[kMasterChecksumAt] << 8 | radio[kMasterChecksumAt + 1];
    return (sum & 0xFFFF) == stored;
}

}  // namespace

void KeepTargetRadioIdentity(RadioImage& image, std::span<const uint8_t, 24> radio) {
    std::copy(radio.begin() + kServiceStart, radio.begin() + kServiceEnd,
              image.bytes.begin() + kServiceStart);
    if (!MasterProgrammed(radio))
        return;
    image[kSerialNumber] = radio[kSerialNumber];
    image[kSerialNumber + 1] = radio[kSerialNumber + 1];
    image[0] = static_cast<uint8_t>((image[0] & ~kCompanderAndTdm) | (radio[0] & kCompanderAndTdm));
}

}  // namespace norda
