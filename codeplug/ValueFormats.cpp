#include "codeplug/ValueFormats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace norda {

std::string ScanDelayText(int steps) {
    const int tenths = steps * 5;
    const int a = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? "-" : "") + std::to_string(a / 10) + "." + std::to_string(a % 10);
}

std::optional<int> ScanDelaySteps(std::string_view text) {
    double v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    if (b != e && *b == '+')
        ++b;
    const auto [end, error] = std::from_chars(b, e, v, std::chars_format::general);
    if (error != std::errc() || end != e)
        return std::nullopt;
    v *= 2;
    if (!std::isfinite(v) || v >= 2147483647.0 || v <= -2147483648.0)
        return std::nullopt;
    return static_cast<int>(v);
}

std::optional<int64_t> DecimalToScaled(std::string_view text, int digits) {
    constexpr int64_t kMost = 1000000000000000000;  // 10^18
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i == text.size())
        return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    int64_t value = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++wholeDigits)
        value = std::min(kMost, value * 10 + (text[i] - '0'));
    int fractionDigits = 0;
    int places = 0;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++fractionDigits) {
            if (places < digits) {
                value = std::min(kMost, value * 10 + (text[i] - '0'));
                ++places;
            }
        }
    }
    if (i != text.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (; places < digits; ++places)
        value = std::min(kMost, value * 10);
    return negative ? -value : value;
}

std::string MegahertzText(int64_t hz) {
    // Whole hertz rounded to 100 Hz: exactly what "%.4f" of megahertz shows, without
    // the binary fraction in between.
    const int64_t units = (hz < 0 ? -hz + 50 : hz + 50) / 100;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%lld.%04lld", hz < 0 && units != 0 ? "-" : "",
                  static_cast<long long>(units / 10000), static_cast<long long>(units % 10000));
    return buf;
}

std::string FrequencyCodeToText(int code, int halfBaseChan) {
    if (code == kNoFrequencyCode)
        return "0.0000";
    return MegahertzText(FrequencyCodeToHz(code, halfBaseChan));
}

std::optional<int64_t> TextToFrequencyCode(std::string_view text, int halfBaseChan) {
    const std::optional<int64_t> hz = DecimalToScaled(text, 6);
    if (!hz)
        return std::nullopt;
    return HzToFrequencyCode(*hz, halfBaseChan);
}

namespace {

int64_t BandTopHz(int halfBaseChan) {
    switch (static_cast<uint16_t>(halfBaseChan) / 40) {
        case 146:
            return 174000000;
        case 406:
            return 430000000;
        case 430:
            return 450000000;
        case 450:
            return 470000000;
        default:
            return 1500000000;
    }
}

}  // namespace

int64_t FieldTopHz(int halfBaseChan, int codeBits) {
    const int64_t topCode = codeBits >= 16 ? 0xFFFF : kNoFrequencyCode - 1;
    return BandBaseHz(halfBaseChan) + topCode * kFrequencyStepHz;
}

FrequencyLimits BandLimits(int halfBaseChan, int codeBits) {
    const int64_t top = std::min(BandTopHz(halfBaseChan), FieldTopHz(halfBaseChan, codeBits));
    return {static_cast<double>(BandBaseHz(halfBaseChan)) / 1e6, static_cast<double>(top) / 1e6};
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
