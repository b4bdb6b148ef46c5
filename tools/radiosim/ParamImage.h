#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace norda::sim {

inline constexpr size_t kParamMemorySize = 2048;
using ParamMemory = std::array<uint8_t, kParamMemorySize>;

// Where each area's check word sits: a 16-bit byte sum of [first, last],
// stored big-endian in the two bytes right after `last`.
struct ChecksumRange {
    const char* area;
    uint16_t first;
    uint16_t last;
};
inline constexpr std::array<ChecksumRange, 7> kChecksumRanges{{
    {"Master", 0, 4},
    {"Service", 8, 21},
    {"Clone", 24, 1332},
    {"User", 1355, 1361},
    {"TestAyar", 1400, 1468},
    {"ADATA", 1536, 1745},
    {"KSYS", 2016, 2035},
}};

inline constexpr uint16_t kDefaultHalfBaseChan = 5840;  // 146 MHz, the VHF band

uint16_t AreaSum(const ParamMemory& memory, const ChecksumRange& range);
bool AreaChecksumOk(const ParamMemory& memory, const ChecksumRange& range);
void WriteAreaChecksums(ParamMemory& memory);

// A fully programmed radio of the given band: every area carries its right
// check word, 99 channels with names, frequencies inside the band and tones.
ParamMemory GenerateParamMemory(uint16_t halfBaseChan = kDefaultHalfBaseChan);

// The CTCSS tone (whole hertz) of a tone code 1..50; 0 for anything else.
int ToneOfCode(int code);

// Reads a 2048-byte image file. Returns 0, -1 when it cannot be read, -2 when
// its size is not 2048 bytes.
int LoadParamMemory(const std::string& path, ParamMemory& memory);

}  // namespace norda::sim
