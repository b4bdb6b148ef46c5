#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace norda {

// Byte-for-byte copy of the radio's parameter memory: offset i is radio address i,
// in layouts, transfer requests and checksums alike.
struct RadioImage {
    static constexpr int kSize = 2048;
    std::array<uint8_t, kSize> bytes{};

    uint8_t& operator[](int address) { return bytes[static_cast<size_t>(address)]; }
    uint8_t operator[](int address) const { return bytes[static_cast<size_t>(address)]; }
    void Clear() { bytes.fill(0); }
};

// The process's one image. The transfer machine fills it from the radio and sends it
// back; the layout engine works on it.
RadioImage& ProcessImage();

inline constexpr int kChecksumOk = 0;
// The range, or the two checksum bytes after it, do not lie inside the image.
inline constexpr int kChecksumRangeInvalid = -1;

// 16-bit byte sum of image[start, end), wrapping modulo 65536. 0 for a range outside
// the image.
uint16_t AreaSum(const RadioImage& image, int start, int end);

// Writes the sum of [start, end) big-endian at end and end + 1. A range that does
// not fit the image is refused and nothing is written.
int WriteAreaChecksum(RadioImage& image, int start, int end);

// True when the big-endian value at end, end + 1 equals the sum of [start, end):
// the radio has that area programmed.
bool AreaChecksumMatches(const RadioImage& image, int start, int end);

}  // namespace norda
