#include "ombra/ops/TargetRadioIdentity.h"

#include <algorithm>

#include "codeplug/MemoryAreas.h"

namespace norda::ombra {
namespace {

constexpr const MemoryArea& kMaster = Area(AreaId::Master);
constexpr const MemoryArea& kService = Area(AreaId::Service);
constexpr int kMasterChecksumAt = kMaster.checksumEnd;  // big-endian sum of the bytes before
constexpr int kSerialNumber = 1;                        // bytes 1-2
constexpr int kSwitches = 0;
constexpr uint8_t kCompanderAndTdm = 0x08 | 0x04;
constexpr int kServiceStart = kService.address;
constexpr int kServiceEnd = kService.address + kService.readLength;
static_assert(kServiceEnd <= 24, "the identity kept is the radio's first 24 bytes");

bool MasterProgrammed(std::span<const uint8_t, 24> radio) {
    unsigned sum = 0;
    for (int a = kMaster.checksumStart; a < kMasterChecksumAt; ++a)
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
    image[kSwitches] = static_cast<uint8_t>((image[kSwitches] & ~kCompanderAndTdm) |
                                            (radio[kSwitches] & kCompanderAndTdm));
}

}  // namespace norda::ombra
