#pragma once

#include <array>
#include <cstddef>

#include "codeplug/LayoutEngine.h"
#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"

namespace norda {

enum class AreaId { Master, Service, Clone, User, TestAyar, ADATA, KSYS };

// One area of the radio's parameter memory. Every area ends in a 16-bit big-endian
// byte sum of [checksumStart, checksumEnd) stored at checksumEnd and checksumEnd + 1.
// Parts of an area may lie outside the sum (the Clone scan flags and priority
// channels, the first three User bytes).
struct MemoryArea {
    AreaId id;
    const char* name;  // also the codeplug file's section name where there is one
    int address;
    int readLength;
    int writeLength;  // 0: the area is never written
    int checksumStart;
    int checksumEnd;
    // Text number shown when a read finds the area unprogrammed; 0 for none. For
    // KSYS only when the radio has the KSYS hardware (TestAyar HwKSYS).
    int unprogrammedTextId;
};

inline constexpr int kAreaCount = 7;

// In the order the areas are bound and checked. (A full read takes KSYS before ADATA.)
inline constexpr std::array<MemoryArea, kAreaCount> kMemoryAreas = {{
    {AreaId::Master, "Master", 0, 7, 7, 0, 5, 861},
    {AreaId::Service, "Service", 8, 16, 16, 8, 22, 862},
    {AreaId::Clone, "Clone", 24, 1326, 1326, 24, 1333, 863},
    // Written 24 bytes long: the twelve bytes after the area go out as zeros.
    {AreaId::User, "User", 1352, 12, 24, 1355, 1362, 864},
    {AreaId::TestAyar, "TestAyar", 1400, 71, 0, 1400, 1469, 865},
    {AreaId::ADATA, "ADATA", 1536, 212, 212, 1536, 1746, 0},
    {AreaId::KSYS, "KSYS", 2016, 22, 22, 2016, 2036, 870},
}};

constexpr const MemoryArea& Area(AreaId id) {
    return kMemoryAreas[static_cast<size_t>(id)];
}
constexpr size_t AreaIndex(AreaId id) {
    return static_cast<size_t>(id);
}

// Single fields that the transfer reads straight from an image, without decoding it:
// Master's programming date (little-endian, the low byte first), TestAyar's hardware
// options (one bit each, HwTDM in bit 0 to HwCrypto2 in bit 6) and its band
// (HalfBaseChan, big-endian). The field list binds them at the same places.
inline constexpr int kProgrammingDateLow = 3;
inline constexpr int kProgrammingDateHigh = 4;
inline constexpr int kHardwareOptions = 1419;
inline constexpr int kHalfBaseChanHigh = 1420;
inline constexpr int kHalfBaseChanLow = 1421;
inline constexpr int kHwKsysBit = 4;

// Channel n (1-99) occupies the 13 bytes from ChannelRecordStart(n).
inline constexpr int kChannelRecordSize = 13;
constexpr int ChannelRecordStart(int channel) {
    return 33 + kChannelRecordSize * channel;
}
// Scan flag of channel n: one bit a channel from byte 1335, least significant first.
constexpr int ScanFlagByte(int channel) {
    return 1335 + (channel - 1) / 8;
}
constexpr int ScanFlagBit(int channel) {
    return (channel - 1) % 8;
}

// The programming date as the radio keeps it, the band, and the hardware options.
uint16_t ProgrammingDate(const RadioImage& image);
uint16_t RadioBand(const RadioImage& image);
bool HasKsysHardware(const RadioImage& image);
// Sets the TestAyar hardware options (Hw*) from the image, and nothing else.
void DecodeHardwareOptions(const RadioImage& image, TestAyarParameters& testAyar);

// True when the area's stored checksum matches its bytes, i.e. it is programmed.
bool AreaChecksumMatches(const RadioImage& image, const MemoryArea& area);
// The verdict for every area, by AreaIndex.
using AreaChecks = std::array<bool, kAreaCount>;
AreaChecks AreaChecksums(const RadioImage& image);
void WriteAreaChecksum(RadioImage& image, const MemoryArea& area);
// Closes every area after encoding; the stale checksum variables are overwritten.
void WriteAllChecksums(RadioImage& image);

// Empties `list`, ties it to `image` and binds every field of every area of
// `parameters`, in the order Master, Service, Clone (general part, the 99 channel
// records, checksum, scan flags, priority channels), User, TestAyar, ADATA, KSYS.
// Reserved bit ranges are bound to parameters.ReservedSink.
void BuildFieldList(FieldList& list, RadioParameters& parameters, RadioImage& image);

// The same for the process: ProcessFieldList over ProcessParameters and `image`. The
// programs do not use it: each transfer machine and loader builds a list of its own over its
// own image and parameters.
void BuildFieldList(RadioImage& image);

// Writes the checksum of [start, end) into the image the process field list is tied to.
int WriteAreaChecksum(int start, int end);
// WriteAllChecksums on the image the process field list is tied to.
void WriteAllChecksums();

}  // namespace norda
