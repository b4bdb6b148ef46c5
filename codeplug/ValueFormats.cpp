#include "codeplug/ValueFormats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace norda {

std::string ScanDelayText(int steps) {
    const int tenths = steps * 5;
    const int a = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(a / 10) + "." + std::to_string(a % 10);
}

int ScanDelaySteps(std::string_view text) {
    double v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    if (b != e && *b == '+')
        ++b;
    std::from_chars(b, e, v, std::chars_format::general);
    v *= 2;
    if (!std::isfinite(v) || v >= 2147483647.0 || v <= -2147483648.0)
        return 0;
    return static_cast<int>(v);
}

int32_t DecimalToScaled(std::string_view text, int digits) {
    std::vector<std::string_view> pieces;
    for (size_t i = 0; i < text.size() && pieces.size() < 2;) {
        size_t dot = text.find('.', i);
        if (dot == std::string_view::npos)
            dot = text.size();
        if (dot > i)
            pieces.push_back(text.substr(i, dot - i));
        i = dot + 1;
    }
    if (pieces.empty())
        return 0;
    std::string joined(pieces[0]);
    std::string fraction(pieces.size() > 1 ? pieces[1] : std::string_view());
    fraction.resize(static_cast<size_t>(digits < 0 ? 0 : digits), '0');
    joined += fraction;

    size_t i = 0;
    while (i < joined.size() && (joined[i] == ' ' || joined[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < joined.size() && (joined[i] == '+' || joined[i] == '-'))
        negative = joined[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < joined.size() && joined[i] >= '0' && joined[i] <= '9'; ++i) {
        value = value * 10 + (joined[i] - '0');
        if (value > kLimit)
            value = kLimit;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        value = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

std::string FrequencyCodeToText(int code, int halfBaseChan) {
    if (code == kNoFrequencyCode)
        return "0.0000";
    // Whole hertz rounded to 100 Hz: exactly what "%.4f" of megahertz shows, without
    // the binary fraction in between.
    const int64_t hz = FrequencyCodeToHz(code, halfBaseChan);
    const int64_t units = (hz < 0 ? -hz + 50 : hz + 50) / 100;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%lld.%04lld", hz < 0 && units != 0 ? "-" : "",
                  static_cast<long long>(units / 10000), static_cast<long long>(units % 10000));
    return buf;
}

int32_t TextToFrequencyCode(std::string_view text, int halfBaseChan) {
    return static_cast<int32_t>(HzToFrequencyCode(DecimalToScaled(text, 6), halfBaseChan));
}

int TextToDigits(std::string_view text, DigitString& places) {
    for (auto& p : places)
        p = kEmptyDigit;
    const size_t n = std::min(text.size(), size_t{kDigitPlaces});
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            places[i] = static_cast<int16_t>(c - '0');
        } else if (c >= 'A' && c <= 'D') {
            places[i] = static_cast<int16_t>(c - 'A' + 10);
        } else {
            break;
        }
    }
    return static_cast<int>(n);
}

std::string DigitsToText(const DigitString& places) {
    std::string out;
    for (const int16_t p : places) {
        if (p >= 0 && p <= 9) {
            out += static_cast<char>('0' + p);
        } else if (p >= 10 && p <= 13) {
            out += static_cast<char>('A' + (p - 10));
        } else {
            break;
        }
    }
    return out;
}

}  // namespace norda
