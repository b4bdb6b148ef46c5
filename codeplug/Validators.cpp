#include "codeplug/Validators.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "codeplug/TextFormat.h"
#include "codeplug/ValueFormats.h"
#include "platform/CNumericLocale.h"
#include "platform/Windows1254.h"

namespace norda {
namespace {

// Optional minus and at least one digit, nothing else.
std::optional<int64_t> StrictInteger(const std::string& text) {
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (i == text.size() || text.size() - i > 18)
        return std::nullopt;
    int64_t v = 0;
    for (size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return std::nullopt;
        v = v * 10 + (text[k] - '0');
    }
    return i ? -v : v;
}

// As "%ld" scanning does: sign and leading digits, saturated to 32 bits.
int32_t LeadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > INT32_MAX + int64_t{1})
            v = INT32_MAX + int64_t{1};
    }
    v = negative ? -v : v;
    return static_cast<int32_t>(v > INT32_MAX ? INT32_MAX : v);
}

// The leading real number of the text, independent of the process locale; 0 if none.
double LeadingReal(const std::string& text) {
    double v = 0;
    const char* b = text.data();
    while (b < text.data() + text.size() && (*b == ' ' || *b == '\t'))
        ++b;
    std::from_chars(b, text.data() + text.size(), v, std::chars_format::fixed);
    return v;
}

// One number and nothing else: "1..5" or "2-1" would be read as another number than typed.
bool IsDecimal(const std::string& text) {
    return DecimalToScaled(text, 0).has_value();
}

std::string RealText(const char* format, double v) {
    const CNumericLocale c;
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

bool IsWhole(double v) {
    return std::floor(v) == v;
}

}  // namespace

std::bitset<256> CharacterSet(std::string_view ranges) {
    std::bitset<256> set;
    for (size_t i = 0; i < ranges.size(); ++i) {
        const auto from = static_cast<unsigned char>(ranges[i]);
        if (i + 2 < ranges.size() && ranges[i + 1] == '-') {
            const auto to = static_cast<unsigned char>(ranges[i + 2]);
            for (unsigned c = from; c <= to; ++c)
                set.set(c);
            i += 2;
        } else {
            set.set(from);
        }
    }
    return set;
}

bool TValidator::IsValidInput(std::string&, bool) {
    return true;
}

TFilterValidator::TFilterValidator(std::string_view charSet) : set_(CharacterSet(charSet)) {}

bool TFilterValidator::IsValidInput(std::string& text, bool) {
    return TFilterValidator::IsValid(text);
}

bool TFilterValidator::IsValid(const std::string& text) {
    for (char c : text) {
        if (!Allows(c))
            return false;
    }
    return true;
}

TIntegerFilterValidator::TIntegerFilterValidator(int64_t lowest) : TFilterValidator("0-9-") {
    if (lowest >= 0)
        Disallow('-');
}

bool TIntegerFilterValidator::Transfer(std::string& text, int32_t& value,
                                       TransferDirection dir) const {
    if (!transfer_)
        return false;
    if (dir == TransferDirection::GetData) {
        value = LeadingInteger(text);
    } else {
        text = std::to_string(value);
    }
    return true;
}

TRealFilterValidator::TRealFilterValidator(double lowest) : TFilterValidator("0-9.-") {
    if (lowest >= 0)
        Disallow('-');
}

bool TRealFilterValidator::Transfer(std::string& text, double& value, TransferDirection dir) const {
    if (!transfer_)
        return false;
    if (dir == TransferDirection::GetData) {
        value = LeadingReal(text);
    } else {
        text = RealText("%f", value);
    }
    return true;
}

std::string TRealFilterValidator::AsTyped(std::string text) const {
    if (Allows('.'))
        std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

LinkedBounds& LinkedBounds::Shared() {
    static LinkedBounds bounds;
    return bounds;
}

TLRangeValidator::TLRangeValidator(int32_t min, int32_t max, bool zeroAllowed, bool emptyAllowed,
                                   int link, LinkedBounds* bounds)
    : TIntegerFilterValidator(min),
      min_(min),
      max_(max),
      zeroAllowed_(zeroAllowed),
      emptyAllowed_(emptyAllowed),
      link_(link),
      bounds_(bounds ? bounds : &LinkedBounds::Shared()) {
    if (link_ == kLowerField)
        bounds_->upper = static_cast<int16_t>(max);
    if (link_ == kUpperField)
        bounds_->lower = static_cast<int16_t>(min);
}

bool TLRangeValidator::IsValid(const std::string& text) {
    if (!TFilterValidator::IsValid(text))
        return false;
    if (text.empty())
        return emptyAllowed_;
    if (link_ == kLowerField)
        max_ = bounds_->upper;
    if (link_ == kUpperField)
        min_ = bounds_->lower;
    const auto v = StrictInteger(text);
    if (!v)
        return false;
    if (!(zeroAllowed_ && *v == 0) && (*v < min_ || *v > max_))
        return false;
    if (link_ == kLowerField)
        bounds_->lower = static_cast<int16_t>(*v);
    if (link_ == kUpperField)
        bounds_->upper = static_cast<int16_t>(*v);
    return true;
}

std::string TLRangeValidator::ErrorText(const TextSource& texts) const {
    return FormatText(texts.Text(kTextRange), {FormatArg(min_), FormatArg(max_)});
}

TLRangeWAValidator::TLRangeWAValidator(int32_t min, int32_t max, std::span<const int32_t> also,
                                       bool zeroAllowed, bool emptyAllowed)
    // A negative value in the list must stay typable.
    : TIntegerFilterValidator(
          std::min<int64_t>(min, also.empty() ? min : *std::min_element(also.begin(), also.end()))),
      min_(min),
      max_(max),
      also_(also.begin(), also.end()),
      zeroAllowed_(zeroAllowed),
      emptyAllowed_(emptyAllowed) {}

bool TLRangeWAValidator::IsValid(const std::string& text) {
    if (!TFilterValidator::IsValid(text))
        return false;
    if (text.empty())
        return emptyAllowed_;
    const auto v = StrictInteger(text);
    if (!v)
        return false;
    if (zeroAllowed_ && *v == 0)
        return true;
    if (*v >= min_ && *v <= max_)
        return true;
    for (int32_t a : also_) {
        if (a == *v)
            return true;
    }
    return false;
}

std::string TLRangeWAValidator::ErrorText(const TextSource& texts) const {
    std::string list;
    for (size_t i = 0; i < also_.size(); ++i) {
        if (i)
            list += ',';
        list += std::to_string(also_[i]);
    }
    return FormatText(texts.Text(kTextRangeOrList),
                      {FormatArg(min_), FormatArg(max_), FormatArg(list)});
}

TL2RangeValidator::TL2RangeValidator(int32_t min1, int32_t max1, int32_t min2, int32_t max2,
                                     bool zeroAllowed, bool emptyAllowed)
    : TIntegerFilterValidator(std::min(min1, min2)),
      min1_(min1),
      max1_(max1),
      min2_(min2),
      max2_(max2),
      zeroAllowed_(zeroAllowed),
      emptyAllowed_(emptyAllowed) {}

bool TL2RangeValidator::IsValid(const std::string& text) {
    if (!TFilterValidator::IsValid(text))
        return false;
    if (text.empty())
        return emptyAllowed_;
    const auto v = StrictInteger(text);
    if (!v)
        return false;
    return (zeroAllowed_ && *v == 0) || (*v >= min1_ && *v <= max1_) ||
           (*v >= min2_ && *v <= max2_);
}

std::string TL2RangeValidator::ErrorText(const TextSource& texts) const {
    return FormatText(texts.Text(kTextTwoRanges),
                      {FormatArg(min1_), FormatArg(max1_), FormatArg(min2_), FormatArg(max2_)});
}

TFRangeValidator::TFRangeValidator(double min, double max, bool zeroAllowed, int link, int row,
                                   int stepKind, FrequencyFieldHost* host)
    : TRealFilterValidator(min),
      min_(min),
      max_(max),
      zeroAllowed_(zeroAllowed),
      link_(link),
      row_(row),
      stepKind_(stepKind),
      host_(host) {}

bool TFRangeValidator::IsValid(const std::string& text) {
    if (!TFilterValidator::IsValid(text) || !IsDecimal(text))
        return false;
    const double x = LeadingReal(text);
    if (zeroAllowed_ && x == 0)
        return true;
    if (x < min_ || x > max_)
        return false;
    if (link_ != kNoFrequencyLink && x != 0) {
        const int64_t hz = DecimalToScaled(text, 6).value_or(0);
        bool onRaster;
        switch (stepKind_) {
            case 2:
                onRaster = hz % 10000 == 0 || hz % 12500 == 0;
                break;
            case 3:
                onRaster = hz % 10000 == 0 || hz % 6250 == 0;
                break;
            default:
                onRaster = hz % 12500 == 0;
                break;
        }
        if (!onRaster)
            return false;
    }
    if (x != 0)
        return true;
    if (host_ && link_ != kNoFrequencyLink) {
        host_->FrequencyCleared(
            link_ == kReceiveLink ? FrequencyFieldHost::kReceive : FrequencyFieldHost::kTransmit,
            row_);
    }
    return true;
}

std::string TFRangeValidator::ErrorText(const TextSource& texts) const {
    switch (stepKind_) {
        case 2:
            return FormatText(texts.Text(kTextRangeTwoSteps),
                              {FormatArg(min_), FormatArg(max_), FormatArg(std::string("10KHz")),
                               FormatArg(std::string("12.5KHz"))});
        case 3:
            return FormatText(texts.Text(kTextRangeTwoSteps),
                              {FormatArg(min_), FormatArg(max_), FormatArg(std::string("6.25KHz")),
                               FormatArg(std::string("10KHz"))});
        default:
            return FormatText(texts.Text(kTextRangeStep), {FormatArg(min_), FormatArg(max_),
                                                           FormatArg(std::string("12.5KHz"))});
    }
}

TStepValidator::TStepValidator(double min, double max, double step, bool zeroAllowed)
    : TRealFilterValidator(min), min_(min), max_(max), step_(step), zeroAllowed_(zeroAllowed) {
    if (IsWhole(min) && IsWhole(max) && IsWhole(step))
        Disallow('.');
}

bool TStepValidator::IsValid(const std::string& text) {
    if (!TFilterValidator::IsValid(text) || !IsDecimal(text))
        return false;
    const double x = LeadingReal(text);
    if (zeroAllowed_ && x == 0)
        return true;
    if (x < min_ || x > max_ || step_ == 0)
        return false;
    const double q = (x - min_) / step_;
    return std::fabs(q - std::floor(q + 0.5)) <= 0.0000001;
}

std::string TStepValidator::ErrorText(const TextSource& texts) const {
    return FormatText(texts.Text(kTextRangeStep),
                      {FormatArg(min_), FormatArg(max_), FormatArg(RealText("%g", step_))});
}

TSingleIntValidator::TSingleIntValidator(int32_t value, bool required, std::string prefix)
    : TIntegerFilterValidator(value),
      value_(value),
      required_(required),
      prefix_(std::move(prefix)) {}

bool TSingleIntValidator::IsValid(const std::string& text) {
    if (!TFilterValidator::IsValid(text))
        return false;
    if (text.empty())
        return !required_;
    const auto v = StrictInteger(text);
    return v && *v == value_;
}

std::string TSingleIntValidator::ErrorText(const TextSource& texts) const {
    return FormatText(texts.Text(kTextSingleValue), {FormatArg(prefix_), FormatArg(value_)});
}

TListValidator::TListValidator(std::string picture, int link, int row, bool autoFill,
                               FrequencyFieldHost* host)
    : picture_(std::move(picture)),
      matcher_(Utf8ToWindows1254(picture_)),
      link_(link),
      row_(row),
      autoFill_(autoFill),
      host_(host) {}

bool TListValidator::IsValidInput(std::string& text, bool suppressFill) {
    if (picture_.empty())
        return true;
    bool lossless = true;
    std::string t = Utf8ToWindows1254(text, '\x01', &lossless);
    if (!lossless)
        return false;
    const PictureResult r = matcher_.Match(t);
    if (r == PictureResult::Error)
        return false;
    if (!suppressFill || !autoFill_)
        text = Windows1254ToUtf8(t);
    return true;
}

bool TListValidator::IsValid(const std::string& text) {
    if (!text.empty() && link_ != kNoFrequencyLink && host_) {
        const bool receive = link_ == kReceiveLink;
        if (!host_->FrequencySet(
                receive ? FrequencyFieldHost::kReceive : FrequencyFieldHost::kTransmit, row_)) {
            missing_ = receive ? kReceiveMissing : kTransmitMissing;
            return false;
        }
    }
    missing_ = kNothing;
    if (picture_.empty())
        return true;
    bool lossless = true;
    const std::string t = Utf8ToWindows1254(text, '\x01', &lossless);
    if (!lossless)
        return false;
    const PictureResult r = matcher_.Check(t);
    return r == PictureResult::Complete || r == PictureResult::Empty;
}

namespace {

// A picture of alternatives as the three lines of the list validator's message; lines
// the picture does not need are empty.
std::vector<std::string> PictureLines(std::string_view picture) {
    // Each line ends after a comma, so no alternative is cut in two; the narrowest width
    // from 47 on that takes the whole picture in three lines keeps the message compact.
    auto fill = [picture](size_t width) {
        std::vector<std::string> lines(1);
        for (size_t at = 0; at < picture.size();) {
            size_t end = picture.find(',', at);
            end = end == std::string_view::npos ? picture.size() : end + 1;
            const std::string_view item = picture.substr(at, end - at);
            if (!lines.back().empty() && lines.back().size() + item.size() > width)
                lines.emplace_back();
            lines.back() += item;
            at = end;
        }
        return lines;
    };
    std::vector<std::string> lines;
    for (size_t width = 47;; ++width) {
        lines = fill(width);
        if (lines.size() <= 3)
            break;
    }
    lines.resize(3);
    return lines;
}

}  // namespace

std::string TListValidator::ErrorText(const TextSource& texts) const {
    if (missing_ == kReceiveMissing)
        return texts.Text(kTextRxFrequencyMissing);
    if (missing_ == kTransmitMissing)
        return texts.Text(kTextTxFrequencyMissing);
    const std::vector<std::string> lines = PictureLines(picture_);
    return FormatText(texts.Text(kTextPictureList),
                      {FormatArg(lines[0]), FormatArg(lines[1]), FormatArg(lines[2])});
}

std::string UpperCaseTyped1254(std::string_view text, int countryCode) {
    std::string out(text);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        unsigned char u;
        switch (c) {
            case 'i':
                u = countryCode == 90 ? 0xDD : 'I';
                break;  // i -> İ / I
            case 0xFD:
                u = countryCode == 90 ? 'I' : 0xDD;
                break;  // ı -> I / İ
            default:
                u = UpperCase1254(c);
                break;
        }
        ch = static_cast<char>(u);
    }
    return out;
}

TNEFilterValidator::TNEFilterValidator(const std::bitset<256>& allowed, bool upperCase,
                                       bool emptyAllowed, int countryCode)
    : allowed_(allowed),
      upperCase_(upperCase),
      emptyAllowed_(emptyAllowed),
      countryCode_(countryCode) {}

bool TNEFilterValidator::AllAllowed(const std::string& t, bool lossless) const {
    if (!lossless)
        return false;
    for (char c : t) {
        if (!allowed_.test(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

bool TNEFilterValidator::IsValidInput(std::string& text, bool) {
    bool lossless = true;
    std::string t = Utf8ToWindows1254(text, '\x01', &lossless);
    if (upperCase_)
        t = UpperCaseTyped1254(t, countryCode_);
    if (!AllAllowed(t, lossless))
        return false;
    text = Windows1254ToUtf8(t);
    return true;
}

bool TNEFilterValidator::IsValid(const std::string& text) {
    lastEmpty_ = text.empty();
    if (lastEmpty_)
        return emptyAllowed_;
    bool lossless = true;
    const std::string t = Utf8ToWindows1254(text, '\x01', &lossless);
    return AllAllowed(t, lossless);
}

std::string TNEFilterValidator::ErrorText(const TextSource& texts) const {
    return texts.Text(lastEmpty_ ? kTextNotEmpty : kTextInvalidCharacter);
}

std::string TNEValidator::ErrorText(const TextSource& texts) const {
    return texts.Text(kTextNotEmpty);
}

}  // namespace norda
