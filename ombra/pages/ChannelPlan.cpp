#include "ombra/pages/ChannelPlan.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "codeplug/FrequencyCode.h"
#include "codeplug/TextFormat.h"
#include "codeplug/Validators.h"
#include "codeplug/ValueFormats.h"
#include "ombra/pages/ChannelRows.h"
#include "ombra/pages/CodeplugDiff.h"
#include "ombra/pages/PageValues.h"
#include "platform/CsvText.h"
#include "platform/ProfileFile.h"
#include "platform/Windows1254.h"

namespace norda::ombra {
namespace {

// The one language that comes as a library.
constexpr int kEnglishCountryCode = 9;
// A cell is quoted in a message only so far.
constexpr size_t kQuotedChars = 40;

bool IsFrequency(ChannelField field) {
    return field == ChannelField::TxFreq || field == ChannelField::RxFreq;
}

std::string TrimmedRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return std::string(text);
}

// Headings are compared as a reader compares them: without regard to case or to blanks
// around and between the words.
std::string HeadingKey(std::string_view heading) {
    std::string key;
    for (const char c : Utf8ToWindows1254(heading)) {
        if (c == ' ' || c == '\t') {
            if (!key.empty() && key.back() != ' ')
                key += ' ';
            continue;
        }
        key += static_cast<char>(FoldCase1254(static_cast<unsigned char>(c)));
    }
    while (!key.empty() && key.back() == ' ')
        key.pop_back();
    return key;
}

// Spreadsheets write UTF-8, often with a byte-order mark, or the Turkish ANSI code page.
std::string AsUtf8(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark))
        return std::string(bytes.substr(kByteOrderMark.size()));
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return Windows1254ToUtf8(bytes);
}

size_t Characters(std::string_view utf8) {
    return static_cast<size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// A cell as a message quotes it: on one line, and not without end.
std::string Quotable(std::string_view text) {
    std::string out;
    size_t chars = 0;
    for (const char c : text) {
        if ((c & 0xC0) != 0x80 && ++chars > kQuotedChars) {
            out += "…";
            break;
        }
        out += c == '\n' || c == '\r' || c == '\t' ? ' ' : c;
    }
    return out;
}

// The value of a plain decimal text ("", "67", "146.25") scaled by 10^digits.
std::optional<int64_t> PlainValue(std::string_view text, int digits) {
    if (text.size() > 12 || std::count(text.begin(), text.end(), '.') > 1 ||
        !std::all_of(text.begin(), text.end(),
                     [](char c) { return c == '.' || (c >= '0' && c <= '9'); }))
        return std::nullopt;
    return DecimalToScaled(text, digits);
}

// Whether a cell says what the page shows: a spreadsheet keeps "146.2500" as 146.25 and
// drops the blanks that pad a name.
bool SameAsShown(ChannelField field, const std::string& cell, const std::string& shown) {
    if (field == ChannelField::Name)
        return TrimmedRight(cell) == TrimmedRight(shown);
    const int digits = IsFrequency(field) ? 6 : 0;
    const auto a = PlainValue(cell, digits);
    const auto b = PlainValue(shown, digits);
    return a && b ? *a == *b : cell == shown;
}

// The row being judged stands in for the page's row: its frequencies say whether the
// tones may be set, and a cleared frequency takes its dependants along.
class PlanRowHost final : public FrequencyFieldHost {
  public:
    explicit PlanRowHost(ChannelRow& row) : row_(row) {}

    void FrequencyCleared(int which, int) override {
        for (const ChannelField field : FieldsClearedWith(which)) {
            if (std::string* text = row_.Text(field))
                text->clear();
            if (bool* box = row_.Box(field))
                *box = false;
        }
    }
    bool FrequencySet(int which, int) override {
        return !FrequencyTextIsZero(which == kTransmit ? row_.txFreq : row_.rxFreq);
    }

  private:
    ChannelRow& row_;
};

class PlanReader {
  public:
    PlanReader(RadioParameters& p, std::span<const int32_t> shiftFrequencies,
               const ResourceModule& module, std::span<const ResourceModule* const> languages)
        : p_(p), shiftFrequencies_(shiftFrequencies), module_(module) {
        headings_.push_back(ChannelHeadings(module));
        for (const ResourceModule* m : languages) {
            if (m != nullptr)
                headings_.push_back(ChannelHeadings(*m));
        }
        fileColumn_.fill(-1);
    }

    PlanResult Read(std::string_view bytes) {
        if (bytes.size() > kMaxPlanBytes || bytes.find('\0') != std::string_view::npos)
            return NoPlan();
        const std::string text = AsUtf8(bytes);
        separator_ = GuessCsvSeparator(text);
        const std::vector<CsvRecord> records = ParseCsv(text, separator_);
        if (records.empty() || !ReadHeader(records))
            return NoPlan();
        for (size_t k = 1; k < records.size(); ++k)
            ReadRow(static_cast<int>(k) + 1, records[k]);
        if (result_.refusals.empty()) {
            for (const auto& [channel, row] : changes_)
                StoreChannel(row, p_, channel, shiftFrequencies_);
            result_.changed = static_cast<int>(changes_.size());
        }
        return result_;
    }

  private:
    static PlanResult NoPlan() {
        PlanResult none;
        none.isPlan = false;
        return none;
    }

    void Refuse(int row, std::string column, std::string_view text, std::string reason) {
        result_.refusals.push_back({row, std::move(column), Quotable(text), std::move(reason)});
    }

    std::optional<ChannelField> FieldOfHeading(const std::string& heading) const {
        const std::string key = HeadingKey(heading);
        for (const auto& language : headings_) {
            for (size_t k = 0; k < language.size(); ++k) {
                if (!language[k].empty() && HeadingKey(language[k]) == key)
                    return static_cast<ChannelField>(k);
            }
        }
        return std::nullopt;
    }

    // False when the header has no channel-number column: then the file is no plan.
    bool ReadHeader(const std::vector<CsvRecord>& records) {
        fileHeadings_ = records[0];
        for (size_t i = 0; i < fileHeadings_.size(); ++i) {
            const std::string& heading = fileHeadings_[i];
            const std::string column = FormatText(module_.Text(kTextNthColumn),
                                                  {FormatArg(static_cast<long long>(i + 1))});
            if (HeadingKey(heading).empty()) {
                // Spreadsheets add empty columns at the edge; one that holds values is not one.
                const bool unused =
                    std::all_of(records.begin() + 1, records.end(),
                                [i](const CsvRecord& r) { return i >= r.size() || r[i].empty(); });
                if (!unused)
                    Refuse(1, column, heading, module_.Text(kTextUnknownColumn));
                continue;
            }
            const std::optional<ChannelField> field = FieldOfHeading(heading);
            if (!field) {
                Refuse(1, column, heading, module_.Text(kTextUnknownColumn));
            } else if (int& at = fileColumn_[static_cast<size_t>(*field)]; at >= 0) {
                Refuse(1, column, heading, module_.Text(kTextColumnTwice));
            } else {
                at = static_cast<int>(i);
            }
        }
        return Column(ChannelField::Number) >= 0;
    }

    int Column(ChannelField field) const { return fileColumn_[static_cast<size_t>(field)]; }

    std::string ColumnName(ChannelField field) const {
        const int at = Column(field);
        return at >= 0 ? fileHeadings_[static_cast<size_t>(at)]
                       : headings_[0][static_cast<size_t>(field)];
    }

    void ReadRow(int row, const CsvRecord& record) {
        if (std::all_of(record.begin(), record.end(),
                        [](const std::string& f) { return f.empty(); }))
            return;
        if (record.size() != fileHeadings_.size()) {
            Refuse(row, "", "",
                   FormatText(module_.Text(kTextFieldCount),
                              {FormatArg(static_cast<long long>(record.size())),
                               FormatArg(static_cast<long long>(fileHeadings_.size()))}));
            return;
        }
        auto cell = [&](ChannelField field) -> const std::string& {
            return record[static_cast<size_t>(Column(field))];
        };
        const std::string& number = cell(ChannelField::Number);
        TLRangeValidator numberCheck(1, kChannelCount);
        if (!numberCheck.IsValid(number)) {
            Refuse(row, ColumnName(ChannelField::Number), number, numberCheck.ErrorText(module_));
            return;
        }
        const int channel = std::stoi(number);
        if (const auto [it, fresh] = rowOfChannel_.emplace(channel, row); !fresh) {
            Refuse(row, ColumnName(ChannelField::Number), number,
                   FormatText(module_.Text(kTextChannelTwice),
                              {FormatArg(static_cast<long long>(channel)),
                               FormatArg(static_cast<long long>(it->second))}));
            return;
        }

        const size_t refusalsBefore = result_.refusals.size();
        const ChannelRow shown = ShownChannel(p_, channel);
        ChannelRow plan = shown;
        bool changed = false;
        std::array<bool, kChannelFields> tooLong{};
        for (const ChannelField field : kChannelEdits) {
            if (Column(field) < 0)
                continue;
            std::string text = cell(field);
            if (IsFrequency(field) && separator_ == ';')
                std::replace(text.begin(), text.end(), ',', '.');
            changed = changed || !SameAsShown(field, text, *shown.Text(field));
            *plan.Text(field) = text;
            if (Characters(text) >
                static_cast<size_t>(ChannelFieldWidth(field, p_.TestAyar.HalfBaseChan))) {
                tooLong[static_cast<size_t>(field)] = true;
                Refuse(row, ColumnName(field), cell(field),
                       FormatText(module_.Text(kTextTooLong),
                                  {FormatArg(static_cast<long long>(
                                      ChannelFieldWidth(field, p_.TestAyar.HalfBaseChan)))}));
            }
        }
        for (const ChannelField field : kChannelSwitches) {
            if (Column(field) < 0)
                continue;
            TLRangeValidator switchCheck(0, 1, false, true);
            if (!switchCheck.IsValid(cell(field))) {
                Refuse(row, ColumnName(field), cell(field), switchCheck.ErrorText(module_));
                continue;
            }
            *plan.Box(field) = cell(field) == "1";
            changed = changed || *plan.Box(field) != *shown.Box(field);
        }
        if (!changed && result_.refusals.size() == refusalsBefore)
            return;

        PlanRowHost host(plan);
        // A switch the plan ticks is a click on it, with the rules of the click.
        for (const ChannelField field : kChannelSwitches) {
            if (!*plan.Box(field) || *shown.Box(field))
                continue;
            const int refusal =
                SwitchRefusal(field, host.FrequencySet(FrequencyFieldHost::kTransmit, 0),
                              host.FrequencySet(FrequencyFieldHost::kReceive, 0), p_.Clone.Tot);
            if (refusal != 0)
                Refuse(row, ColumnName(field), cell(field), module_.Text(refusal));
        }
        ClearDroppedFrequencies(p_.Clone.Kanal[channel - 1], host, 0);
        // Then the fields in the order in which the page checks them when it is left.
        const int band = p_.TestAyar.HalfBaseChan;
        for (const ChannelField field : kChannelEdits) {
            if (tooLong[static_cast<size_t>(field)])
                continue;
            std::unique_ptr<TValidator> check = ChannelFieldValidator(field, band, 1, &host);
            if (!check->IsValid(*plan.Text(field))) {
                const std::string& found = Column(field) >= 0 ? cell(field) : *shown.Text(field);
                Refuse(row, ColumnName(field), found, check->ErrorText(module_));
            }
        }
        if (result_.refusals.size() == refusalsBefore)
            changes_.emplace_back(channel, plan);
    }

    RadioParameters& p_;
    std::span<const int32_t> shiftFrequencies_;
    const ResourceModule& module_;
    std::vector<std::array<std::string, kChannelFields>> headings_;  // the module's first
    CsvRecord fileHeadings_;
    std::array<int, kChannelFields> fileColumn_{};
    char separator_ = ',';
    std::map<int, int> rowOfChannel_;
    std::vector<std::pair<int, ChannelRow>> changes_;
    PlanResult result_;
};

// Continuation lines of a page message stay under their refusal.
std::string Indented(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\n')
            out += "    ";
    }
    return out;
}

}  // namespace

std::string ChannelPlanText(const RadioParameters& p, const ResourceModule& module) {
    std::string text;
    const auto headings = ChannelHeadings(module);
    for (size_t k = 0; k < headings.size(); ++k) {
        if (k != 0)
            text += ',';
        AppendCsvField(text, headings[k]);
    }
    text += "\r\n";
    for (int n = 1; n <= kChannelCount; ++n) {
        ChannelRow row = ShownChannel(p, n);
        const ChannelRecord& k = p.Clone.Kanal[n - 1];
        if (k.TxFreq == kNoFrequencyCode)
            row.txFreq.clear();
        if (k.RxFreq == kNoFrequencyCode)
            row.rxFreq.clear();
        row.name = TrimmedRight(row.name);
        text += std::to_string(n);
        for (const ChannelField field : kChannelEdits) {
            text += ',';
            AppendCsvField(text, *row.Text(field));
        }
        for (const ChannelField field : kChannelSwitches)
            text += *row.Box(field) ? ",1" : ",0";
        text += "\r\n";
    }
    return text;
}

PlanResult ImportChannelPlan(std::string_view bytes, RadioParameters& p,
                             std::span<const int32_t> shiftFrequencies,
                             const ResourceModule& module,
                             std::span<const ResourceModule* const> languages) {
    return PlanReader(p, shiftFrequencies, module, languages).Read(bytes);
}

std::string PlanRefusalText(const PlanResult& result, const std::string& fileName,
                            const ResourceModule& module) {
    if (!result.isPlan) {
        return FormatText(module.Text(kTextNotAPlan),
                          {FormatArg(fileName), FormatArg(ChannelHeadings(module)[0])});
    }
    const size_t count = result.refusals.size();
    std::string text =
        FormatText(module.Text(kTextPlanRefused), {FormatArg(static_cast<long long>(count))});
    for (size_t i = 0; i < count && i < kListedRefusals; ++i) {
        const PlanRefusal& r = result.refusals[i];
        const FormatArg row(static_cast<long long>(r.row));
        text += "\n";
        text += Indented(
            r.column.empty()
                ? FormatText(module.Text(kTextRowRefusal), {row, FormatArg(r.reason)})
                : FormatText(module.Text(kTextPlanRefusal),
                             {row, FormatArg(r.column), FormatArg(r.text), FormatArg(r.reason)}));
    }
    if (count > kListedRefusals) {
        text += "\n" + FormatText(module.Text(kTextPlanMoreRefusals),
                                  {FormatArg(static_cast<long long>(count - kListedRefusals))});
    }
    return text;
}

bool ReadPlanFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(kMaxPlanBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return false;
    bytes.resize(static_cast<size_t>(in.gcount()));
    return true;
}

int SavePlanFile(const std::string& path, const RadioParameters& p, const ResourceModule& module) {
    return ReplaceFileContent(path, ChannelPlanText(p, module));
}

PlanLanguages::PlanLanguages(const std::string& programDir) {
    modules_.push_back(ResourceModule::BuiltIn(OmbraBuiltinResources()));
    const std::string path =
        programDir + "/" + LanguageLibraryName(LanguageBaseName("OMBRA"), kEnglishCountryCode, 4);
    int result = 0;
    if (auto english = ResourceModule::Load(path, "OMBRA", &result))
        modules_.push_back(std::move(english));
    for (const auto& m : modules_)
        pointers_.push_back(m.get());
}

}  // namespace norda::ombra
