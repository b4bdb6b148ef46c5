#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codeplug/FrequencyCode.h"
#include "codeplug/RadioParameters.h"

namespace norda {

// A decimal text as an integer scaled by 10^digits: "146.0125" with 6 gives 146012500.
// The text is cut into pieces at dots as a tokenizer would (leading dots vanish);
// the first piece is the whole part, the second the fraction, cut or padded with
// "0" to `digits` places. Leading blanks and a sign are taken, conversion stops at
// the first other character and saturates at the 32-bit limits; "" gives 0.
int32_t DecimalToScaled(std::string_view text, int digits);

// Megahertz with four decimals of a frequency code of the band whose base is
// HalfBaseChan x 25 kHz; "0.0000" for kNoFrequencyCode.
std::string FrequencyCodeToText(int code, int halfBaseChan);
// Six fraction digits to hertz; 0 (or "") is kNoFrequencyCode, anything else
// (hertz - base) / 2500 truncated toward zero. Out-of-band texts give codes outside
// the field width; the caller keeps the bits its field holds.
int32_t TextToFrequencyCode(std::string_view text, int halfBaseChan);

// The scan delay, kept in half seconds: "%.1f" of steps x 0.5 with "." as the
// decimal mark ("2.5" for 5), and back by doubling the leading real number of the
// text and truncating (0 when there is none or it does not fit).
std::string ScanDelayText(int steps);
int ScanDelaySteps(std::string_view text);

// Six-place digit strings. TextToDigits empties all six places, fills one per leading
// character up to the first that is neither "0"-"9" nor "A"-"D", and returns the
// length of the text, at most 6, even when the conversion stopped early.
int TextToDigits(std::string_view text, DigitString& places);
// Reads places until the first one that is neither a digit nor A-D.
std::string DigitsToText(const DigitString& places);

}  // namespace norda
