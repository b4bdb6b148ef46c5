#pragma once

#include <cstdint>

namespace norda {

// Frequencies are kept as codes relative to the radio's band base:
// code = (hertz - base) / 2500 with base = HalfBaseChan * 25000 Hz.
inline constexpr int kNoFrequencyCode = 16383;  // 0x3FFF: no frequency set
inline constexpr int64_t kFrequencyStepHz = 2500;
inline constexpr int64_t kHalfBaseChanHz = 25000;

// HalfBaseChan is a 16-bit radio value kept in a signed variable; it is unsigned.
constexpr int64_t BandBaseHz(int halfBaseChan) {
    return static_cast<int64_t>(static_cast<uint16_t>(halfBaseChan)) * kHalfBaseChanHz;
}

// Hertz of a code; 0 for kNoFrequencyCode.
constexpr int64_t FrequencyCodeToHz(int code, int halfBaseChan) {
    if (code == kNoFrequencyCode) {
        return 0;
    }
    return static_cast<int64_t>(code) * kFrequencyStepHz + BandBaseHz(halfBaseChan);
}

// Code of a frequency in hertz, truncated toward zero; 0 Hz gives kNoFrequencyCode.
// The code is not clamped to the 14 or 16 bits of a field: a frequency below the
// base gives a negative code, which the caller rejects or stores as it sees fit.
constexpr int64_t HzToFrequencyCode(int64_t hertz, int halfBaseChan) {
    if (hertz == 0) {
        return kNoFrequencyCode;
    }
    return (hertz - BandBaseHz(halfBaseChan)) / kFrequencyStepHz;
}

}  // namespace norda
