#include "ombra/pages/PageValues.h"

#include <algorithm>
#include <cstdio>

#include "codeplug/Ctcss.h"
#include "codeplug/FrequencyCode.h"
#include "codeplug/ValueFormats.h"
#include "platform/Windows1254.h"

namespace norda::ombra {

bool BandIsSet(int halfBaseChan) {
    return static_cast<uint16_t>(halfBaseChan) != 0xFFFF;
}

int FrequencyChars(const FrequencyLimits& limits) {
    return static_cast<int>(std::to_string(static_cast<int64_t>(limits.max)).size()) + 5;
}

std::string FrequencyDisplay(int code, int halfBaseChan) {
    if (code == kNoFrequencyCode)
        return "0.0000";
    const int64_t v = FrequencyCodeToHz(code, halfBaseChan) / 100;
    char text[32];
    std::snprintf(text, sizeof text, "%d.%04d", static_cast<int>(v / 10000),
                  static_cast<int>(v % 10000));
    return text;
}

// KSYS codes are 16 bits wide; 16383 still stands for "no frequency".
std::string KsysFrequencyText(int code, int halfBaseChan) {
    const int c = static_cast<uint16_t>(code);
    return c == kNoFrequencyCode ? std::string() : FrequencyDisplay(c, halfBaseChan);
}

std::string ProgrammingDateText(int packedDate) {
    const unsigned v = static_cast<uint16_t>(packedDate);
    char text[32];
    std::snprintf(text, sizeof text, "%02u, %02u, %u", v >> 11, (v >> 7) & 15u, (v & 127u) + 1994u);
    return text;
}

int64_t FrequencyTextHz(std::string_view text) {
    return DecimalToScaled(text, 6).value_or(0);
}

bool FrequencyTextIsZero(std::string_view text) {
    return FrequencyTextHz(text) == 0;
}

std::string ToneDisplay(int code) {
    const int tone = CtcssTone(code);
    return tone == 0 ? std::string() : std::to_string(tone);
}

int ToneCodeOfText(std::string_view text) {
    const long tone = NumberOfText(text);
    return tone > 0 && tone < 1000 ? CtcssCode(static_cast<int>(tone)) : 0;
}

std::string OptionalNumber(long value) {
    return value == 0 ? std::string() : std::to_string(value);
}

long NumberOfText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (negative)
        ++i;
    long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && v < 100000000; ++i)
        v = v * 10 + (text[i] - '0');
    return negative ? -v : v;
}

std::string RadioTextDisplay(const char (&chars)[8]) {
    const auto* end = std::find(std::begin(chars), std::end(chars), '\0');
    return Windows1254ToUtf8(std::string_view(chars, static_cast<size_t>(end - chars)));
}

bool RadioTextCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '_' || c == '-' || c == '/';
}

TRadioTextValidator::TRadioTextValidator() : picture_(std::string(kRadioTextPicture)) {}

bool TRadioTextValidator::IsValidInput(std::string& text, bool suppressFill) {
    return std::all_of(text.begin(), text.end(), RadioTextCharacter) &&
           picture_.IsValidInput(text, suppressFill);
}

bool TRadioTextValidator::IsValid(const std::string& text) {
    badCharacter_ = !std::all_of(text.begin(), text.end(), RadioTextCharacter);
    return !badCharacter_ && picture_.IsValid(text);
}

std::string TRadioTextValidator::ErrorText(const TextSource& texts) const {
    return badCharacter_ ? texts.Text(kTextInvalidCharacter) : picture_.ErrorText(texts);
}

void StoreRadioText(std::string_view text, char (&chars)[8]) {
    for (size_t i = 0; i < 8; ++i) {
        char c = i < text.size() ? text[i] : ' ';
        // Plain ASCII upper case: the radio's seven bits have no dotted capital I.
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        chars[i] = c;
    }
}

}  // namespace norda::ombra
