#include "codeplug/CodeplugReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "codeplug/FrequencyCode.h"
#include "codeplug/LayoutEngine.h"
#include "codeplug/MemoryAreas.h"
#include "codeplug/ValueFormats.h"
#include "platform/Windows1254.h"

namespace norda {
namespace {

constexpr int64_t kMost = 1000000000000000000;  // 10^18: the magnitude numbers are kept at

std::string Folded(const char* section, const std::string& key) {
    std::string name = Utf8ToWindows1254(section) + '\0' + Utf8ToWindows1254(key);
    for (char& c : name)
        c = static_cast<char>(FoldCase1254(static_cast<unsigned char>(c)));
    return name;
}

// A sign and digits, nothing else.
std::optional<int64_t> WholeNumber(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    int64_t n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        // Held at kMost before it could overflow: the value only has to be known too big.
        n = n > (kMost - 9) / 10 ? kMost : std::min(kMost, n * 10 + (text[i] - '0'));
    }
    return negative ? -n : n;
}

// The whole text a finite real number, as the scan delay is written ("2.5", "3", "1e0").
bool IsRealNumber(std::string_view text) {
    const char* b = text.data();
    const char* e = b + text.size();
    if (b != e && *b == '+')
        ++b;
    double v = 0;
    const auto [end, error] = std::from_chars(b, e, v, std::chars_format::general);
    return end == e && b != e &&
           (error == std::errc::result_out_of_range || (error == std::errc() && std::isfinite(v)));
}

// The width in bits of the radio field that holds the parameter at `place`, as the
// layout binds it.
int FieldWidth(std::ptrdiff_t place) {
    static const std::unordered_map<std::ptrdiff_t, int> widths = [] {
        std::unordered_map<std::ptrdiff_t, int> w;
        auto p = std::make_unique<RadioParameters>();
        auto image = std::make_unique<RadioImage>();
        FieldList list;
        BuildFieldList(list, *p, *image);
        for (const FieldBinding& b : list.Bindings())
            w.emplace(ParameterPlace(*p, b.variable), b.width);
        return w;
    }();
    const auto it = widths.find(place);
    return it != widths.end() ? it->second : 16;
}

}  // namespace

FileValueProblem WhyNoNumber(std::string_view text) {
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return FileValueProblem::NotANumber;
    std::string pointed(text);
    if (std::count(pointed.begin(), pointed.end(), ',') == 1) {
        std::replace(pointed.begin(), pointed.end(), ',', '.');
        if (DecimalToScaled(pointed, 0))
            return FileValueProblem::DecimalComma;
    }
    if (DecimalToScaled(text, 0))
        return FileValueProblem::NotWhole;
    const size_t digit = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (digit < text.size() && text[digit] >= '0' && text[digit] <= '9')
        return FileValueProblem::TrailingText;
    return FileValueProblem::NotANumber;
}

CodeplugReader::CodeplugReader(const ProfileFile& file, RadioParameters& p,
                               FileValueReports* reports)
    : file_(file), p_(p), reports_(reports) {
    for (const ProfileFile::RepeatedKey& repeat : file_.RepeatedKeys()) {
        if (repeat.value != repeat.firstValue)
            twice_.insert(Folded(repeat.section.c_str(), repeat.key));
    }
}

void CodeplugReader::Report(const char* section, const std::string& key, const std::string& value,
                            FileValueProblem problem, const void* variable) {
    ReportRange(section, key, value, problem, variable, {}, {});
}

void CodeplugReader::ReportRange(const char* section, const std::string& key,
                                 const std::string& value, FileValueProblem problem,
                                 const void* variable, std::string lowest, std::string highest) {
    if (reports_ == nullptr)
        return;
    FileValueReport r;
    r.section = section;
    r.key = key;
    r.line = file_.KeyLine(section, key);
    r.text = Windows1254ToUtf8(value);
    r.problem = problem;
    r.lowest = std::move(lowest);
    r.highest = std::move(highest);
    r.parameter = variable != nullptr ? ParameterPlace(p_, variable) : -1;
    reports_->push_back(std::move(r));
}

CodeplugReader::Found CodeplugReader::Get(const char* section, const std::string& key,
                                          std::string& value, const void* variable) {
    if (!file_.HasKey(section, key))
        return Found::Missing;
    if (twice_.count(Folded(section, key)) != 0) {
        // The profile functions would take the first value; after a merge nobody knows
        // which one is meant.
        for (const ProfileFile::RepeatedKey& repeat : file_.RepeatedKeys()) {
            if (Folded(repeat.section.c_str(), repeat.key) != Folded(section, key) ||
                repeat.value == repeat.firstValue)
                continue;
            if (reports_ != nullptr) {
                FileValueReport r;
                r.section = section;
                r.key = key;
                r.line = repeat.line;
                r.text = repeat.value;
                r.problem = FileValueProblem::GivenTwice;
                r.firstLine = repeat.firstLine;
                r.parameter = variable != nullptr ? ParameterPlace(p_, variable) : -1;
                reports_->push_back(std::move(r));
            }
            break;
        }
        return Found::Twice;
    }
    value = file_.GetBytes(section, key, "", std::string::npos);
    return Found::Value;
}

bool CodeplugReader::GetOr(const char* section, const std::string& key, const char* def,
                           std::string& value, const void* variable) {
    switch (Get(section, key, value, variable)) {
        case Found::Missing:
            value = def;
            return true;
        case Found::Twice:
            return false;
        case Found::Value:
            return true;
    }
    return false;
}

void CodeplugReader::Flag(const char* section, const std::string& key, int16_t& variable, int def) {
    std::string v;
    switch (Get(section, key, v, &variable)) {
        case Found::Missing:
            variable = static_cast<int16_t>(def);
            return;
        case Found::Twice:
            variable = 0;
            return;
        case Found::Value:
            break;
    }
    if (v.empty()) {
        variable = static_cast<int16_t>(def);
        return;
    }
    const std::optional<int64_t> n = WholeNumber(v);
    if (n && (*n == 0 || *n == 1)) {
        variable = static_cast<int16_t>(*n);
        return;
    }
    Report(section, key, v, n ? FileValueProblem::NotAFlag : WhyNoNumber(v), &variable);
    variable = 0;
}

std::optional<int64_t> CodeplugReader::AnyNumber(const char* section, const std::string& key,
                                                 int64_t def, const void* variable) {
    std::string v;
    switch (Get(section, key, v, variable)) {
        case Found::Missing:
            return def;
        case Found::Twice:
            return std::nullopt;
        case Found::Value:
            break;
    }
    if (v.empty())
        return def;
    const std::optional<int64_t> n = WholeNumber(v);
    if (!n)
        Report(section, key, v, WhyNoNumber(v), variable);
    return n;
}

std::optional<int64_t> CodeplugReader::Number(const char* section, const std::string& key,
                                              int64_t def, const void* variable, int scale) {
    const std::optional<int64_t> n = AnyNumber(section, key, def, variable);
    if (!n)
        return std::nullopt;
    const int width = FieldWidth(ParameterPlace(p_, variable));
    // A 16-bit field is written signed, and unsigned where the radio counts so.
    const int64_t lowest = width >= 16 ? -32768 : 0;
    const int64_t highest = width >= 16 ? 65535 : (int64_t{1} << width) - 1;
    // The file's unit divided by the step and truncated, as the key table reads it.
    if (*n < lowest * scale || *n / scale > highest) {
        ReportRange(section, key, file_.GetBytes(section, key, "", std::string::npos),
                    FileValueProblem::OutsideField, variable, std::to_string(lowest * scale),
                    std::to_string(highest * scale));
        return std::nullopt;
    }
    return n;
}

std::optional<int> CodeplugReader::ScanDelay(const char* section, const std::string& key,
                                             const char* def, const void* variable) {
    std::string v;
    if (!GetOr(section, key, def, v, variable))
        return std::nullopt;
    if (!IsRealNumber(v)) {
        Report(section, key, v, WhyNoNumber(v), variable);
        return std::nullopt;
    }
    const std::optional<int> steps = ScanDelaySteps(v);
    const int highest = (1 << FieldWidth(ParameterPlace(p_, variable))) - 1;
    if (!steps || *steps < 0 || *steps > highest) {
        ReportRange(section, key, v, FileValueProblem::OutsideField, variable, "0",
                    ScanDelayText(highest));
        return std::nullopt;
    }
    return steps;
}

std::optional<int64_t> CodeplugReader::FrequencyHz(const char* section, const std::string& key,
                                                   const char* def, int halfBaseChan, int codeBits,
                                                   const void* variable) {
    std::string v;
    if (!GetOr(section, key, def, v, variable))
        return std::nullopt;
    const std::optional<int64_t> hz = DecimalToScaled(v, 6);
    if (!hz) {
        Report(section, key, v, WhyNoNumber(v), variable);
        return std::nullopt;
    }
    if (*hz == 0)
        return 0;
    // The band's nominal top is the pages' rule; a file may hold whatever the field holds
    // above the band's base, as a radio may.
    const int64_t base = BandBaseHz(halfBaseChan);
    const int64_t top = FieldTopHz(halfBaseChan, codeBits);
    if (*hz < base || *hz > top) {
        ReportRange(section, key, v, FileValueProblem::OutsideBand, variable, MegahertzText(base),
                    MegahertzText(top));
        return std::nullopt;
    }
    return hz;
}

std::optional<std::string> CodeplugReader::Text(const char* section, const std::string& key,
                                                const char* def, size_t bufferSize) {
    std::string v;
    if (Get(section, key, v, nullptr) == Found::Twice)
        return std::nullopt;
    return file_.GetString(section, key, def, bufferSize);
}

void CodeplugReader::Name(const char* section, const std::string& key, char (&chars)[8]) {
    std::string v;
    if (!GetOr(section, key, "<        >", v, chars))
        return;
    for (size_t i = 0; i < 8; ++i) {
        const char c = i + 1 < v.size() ? v[i + 1] : ' ';
        const auto u = static_cast<unsigned char>(c);
        chars[i] = u < 0x20 || u == 0x7F ? ' ' : c;
    }
}

std::optional<int> CodeplugReader::BandByte(const std::string& key) const {
    if (twice_.count(Folded("TestAyar", key)) != 0)
        return std::nullopt;
    const std::string v = file_.GetBytes("TestAyar", key, "", std::string::npos);
    if (v.empty())
        return 0;
    const std::optional<int64_t> n = WholeNumber(v);
    if (!n || *n < 0 || *n > 255)
        return std::nullopt;
    return static_cast<int>(*n);
}

}  // namespace norda
