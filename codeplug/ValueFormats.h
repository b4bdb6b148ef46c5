#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace norda {

// A decimal text as an integer scaled by 10^digits: "146.0125" with 6 gives 146012500.
// The text is cut into pieces at dots as a tokenizer would (leading dots vanish);
// the first piece is the whole part, the second the fraction, cut or padded with
// "0" to `digits` places. Leading blanks and a sign are taken, conversion stops at
// the first other character and saturates at the 32-bit limits; "" gives 0.
int32_t DecimalToScaled(std::string_view text, int digits);

// Frequency codes relative to the band base HalfBaseChan x 25 kHz, in 2.5 kHz steps.
inline constexpr int32_t kNoFrequency = 16383;
inline constexpr int64_t BandBaseHz(int32_t halfBaseChan) {
    return int64_t{halfBaseChan} * 25000;
}
// Megahertz with four decimals; "0.0000" for kNoFrequency.
std::string FrequencyCodeToText(int32_t code, int32_t halfBaseChan);
// Six fraction digits to hertz; 0 (or "") is kNoFrequency, anything else
// (hertz - base) / 2500 truncated toward zero. Out-of-band texts give codes outside
// the field width; the caller keeps the bits its field holds.
int32_t TextToFrequencyCode(std::string_view text, int32_t halfBaseChan);

// Six-place digit strings: 0-9 are "0"-"9", 10-13 are "A"-"D", 15 an empty place.
inline constexpr int kDigitPlaces = 6;
inline constexpr int kEmptyPlace = 15;

// Fills all six places (empty first, then one per leading character up to the first
// one that is not a digit or A-D) and returns the length of the text, at most 6,
// even when the conversion stopped early.
template <typename T>
int TextToDigits(std::string_view text, std::span<T, kDigitPlaces> places) {
    for (auto& p : places)
        p = static_cast<T>(kEmptyPlace);
    const size_t n = text.size() < size_t{kDigitPlaces} ? text.size() : size_t{kDigitPlaces};
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            places[i] = static_cast<T>(c - '0');
        } else if (c >= 'A' && c <= 'D') {
            places[i] = static_cast<T>(c - 'A' + 10);
        } else {
            break;
        }
    }
    return static_cast<int>(n);
}

// Reads places until the first one that is neither a digit nor A-D.
template <typename T>
std::string DigitsToText(std::span<const T, kDigitPlaces> places) {
    std::string out;
    for (const auto p : places) {
        const auto v = static_cast<long long>(p);
        if (v >= 0 && v <= 9) {
            out += static_cast<char>('0' + v);
        } else if (v >= 10 && v <= 13) {
            out += static_cast<char>('A' + (v - 10));
        } else {
            break;
        }
    }
    return out;
}

}  // namespace norda
