#include "codeplug/ValueFormats.h"

#include <cstdio>
#include <limits>
#include <vector>

namespace norda {

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

std::string FrequencyCodeToText(int32_t code, int32_t halfBaseChan) {
    if (code == kNoFrequency)
        return "0.0000";
    // Whole hertz rounded to 100 Hz: exactly what "%.4f" of megahertz shows, without
    // the binary fraction in between.
    const int64_t hz = int64_t{code} * 2500 + BandBaseHz(halfBaseChan);
    const int64_t units = (hz < 0 ? -hz + 50 : hz + 50) / 100;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%lld.%04lld", hz < 0 && units != 0 ? "-" : "",
                  static_cast<long long>(units / 10000), static_cast<long long>(units % 10000));
    return buf;
}

int32_t TextToFrequencyCode(std::string_view text, int32_t halfBaseChan) {
    const int64_t hz = DecimalToScaled(text, 6);
    if (hz == 0)
        return kNoFrequency;
    return static_cast<int32_t>((hz - BandBaseHz(halfBaseChan)) / 2500);
}

}  // namespace norda
