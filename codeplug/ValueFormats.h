#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codeplug/FrequencyCode.h"
#include "codeplug/RadioParameters.h"

namespace norda {

// A decimal text as an integer scaled by 10^digits: "146.0125" with 6 gives 146012500,
// ".5" gives 500000. Leading blanks, a sign, digits and at most one point with digits
// after it; the fraction is cut or padded to `digits` places, and a magnitude beyond
// 10^18 is kept at that. "" (or blanks) gives 0; any other text ("1..5", "1.2.3", "146,0125",
// "12x") is no number: a value the reader would have to guess is not read at all.
std::optional<int64_t> DecimalToScaled(std::string_view text, int digits);

// Megahertz with four decimals ("146.0125"), rounded to 100 Hz, without a locale.
std::string MegahertzText(int64_t hertz);
// Megahertz with four decimals of a frequency code of the band whose base is
// HalfBaseChan x 25 kHz; "0.0000" for kNoFrequencyCode.
std::string FrequencyCodeToText(int code, int halfBaseChan);
// Six fraction digits to hertz; 0 (or "") is kNoFrequencyCode, anything else
// (hertz - base) / 2500 truncated toward zero, nothing for a text that is no number.
// Out-of-band texts give codes outside the field width: the caller checks the limits.
std::optional<int64_t> TextToFrequencyCode(std::string_view text, int halfBaseChan);

// What a band's frequency fields accept on the pages, in megahertz: from the band's base
// to its top (174, 430, 450 or 470 MHz for the four bands, 1500 MHz for any other), and
// no higher than the field holds, so that a frequency is never stored as another one.
struct FrequencyLimits {
    double min;
    double max;
};
FrequencyLimits BandLimits(int halfBaseChan, int codeBits);
// The highest frequency a code of `codeBits` bits holds above the band's base: the code
// below "no frequency" for the 14-bit channel codes, 0xFFFF for 16 bits.
int64_t FieldTopHz(int halfBaseChan, int codeBits);

// The scan delay, kept in half seconds: "%.1f" of steps x 0.5 with "." as the
// decimal mark ("2.5" for 5), and back by doubling the real number that is the whole
// text and truncating; nothing when the text is no number or the steps would not fit
// an int.
std::string ScanDelayText(int steps);
std::optional<int> ScanDelaySteps(std::string_view text);

// Six-place digit strings. TextToDigits empties all six places, fills one per leading
// character up to the first that is neither "0"-"9" nor "A"-"D", and returns the
// length of the text, at most 6, even when the conversion stopped early.
int TextToDigits(std::string_view text, DigitString& places);
// Reads places until the first one that is neither a digit nor A-D.
std::string DigitsToText(const DigitString& places);

}  // namespace norda
