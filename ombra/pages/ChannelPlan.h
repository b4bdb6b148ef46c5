#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codeplug/RadioParameters.h"
#include "resources/ResourceModule.h"

namespace norda::ombra {

// A channel plan is the codeplug's 99 channels as a spreadsheet keeps them: a CSV file
// whose header names the channel page's columns and whose rows are channels. Fleet
// managers keep their plans so; a plan that comes back is judged cell by cell by the
// very checks of the channel page (ChannelRows.h), so that it can never put a value
// into a codeplug that the page would refuse.

// String-table numbers of the channel plans.
enum ChannelPlanTextId : int {
    kTextPlanFilter = 3700,  // file dialog filter
    kTextPlanExportTitle = 3703,
    kTextPlanImportTitle = 3704,
    kTextPlanSaved = 3705,     // "%s" the file
    kTextPlanNotSaved = 3706,  // "%s" the file
    kTextPlanImported = 3707,  // "%d" channels changed
    kTextPlanNotRead = 3328,   // "%s okunamadı!"
    kTextNotAPlan = 3709,      // "%s" the file, "%s" the number column's heading
    kTextPlanRefused = 3710,   // "%d" refusals
    kTextPlanRefusal = 3711,   // row, column, text found, reason
    kTextPlanMoreRefusals = 3712,
    kTextUnknownColumn = 3713,
    kTextColumnTwice = 3714,
    kTextFieldCount = 3715,    // fields of the row, fields of the header
    kTextChannelTwice = 3716,  // channel, the other row
    kTextTooLong = 3717,       // characters
    kTextNthColumn = 3718,     // a column without a usable heading
    kTextRowRefusal = 3719,    // row, reason
};

// Refusals listed one by one; the rest are counted.
inline constexpr size_t kListedRefusals = 20;
// A plan of 99 rows is a few kilobytes; anything this big is no plan.
inline constexpr size_t kMaxPlanBytes = 1 << 20;

// The plan of `p` with the headings of `module`'s language: RFC 4180, UTF-8, CR LF, comma
// separated with decimal points; channels 1-99 in order, frequencies in megahertz with
// four decimals (empty for none), tones in whole hertz (empty for none), switches 1 or 0.
std::string ChannelPlanText(const RadioParameters& p, const ResourceModule& module);

struct PlanRefusal {
    int row = 0;         // as the spreadsheet counts: the header is row 1
    std::string column;  // the heading as the file has it; empty for the whole row
    std::string text;    // what the cell holds
    std::string reason;  // the page's own message
};

struct PlanResult {
    bool isPlan = true;  // false: not a CSV file with a channel-number column at all
    std::vector<PlanRefusal> refusals;
    int changed = 0;  // channels that took new values
};

// Takes the channels of a plan into `p`. The header may be in the language of `module`
// or of any of `languages`, its columns in any order; only the channel number is
// required, a column left out keeps what the channels hold. Comma-separated text with
// decimal points and semicolon-separated text with decimal commas are told apart by the
// header; UTF-8 with or without a byte-order mark, or Windows-1254. A row changes its
// channel as typing its values into the page and leaving it would; rows left out, and
// rows that hold what the channel already holds, change nothing. If anything is
// refused, `p` is not touched.
PlanResult ImportChannelPlan(std::string_view bytes, RadioParameters& p,
                             std::span<const int32_t> shiftFrequencies,
                             const ResourceModule& module,
                             std::span<const ResourceModule* const> languages = {});

// The message of a plan that was not taken: the refusals (the first twenty, then a
// count), or why the file `fileName` is not a plan.
std::string PlanRefusalText(const PlanResult& result, const std::string& fileName,
                            const ResourceModule& module);

// The file at `path` (at most kMaxPlanBytes + 1 bytes of it); false if it cannot be read.
bool ReadPlanFile(const std::string& path, std::string& bytes);
// Writes the plan in place of `path` in one step; 0 or a negative ProfileResult.
int SavePlanFile(const std::string& path, const RadioParameters& p, const ResourceModule& module);

// The languages whose headings a plan's header may use besides the program's own: the
// built-in Turkish and the English library in `programDir`, where they can be had.
class PlanLanguages {
  public:
    explicit PlanLanguages(const std::string& programDir);
    std::span<const ResourceModule* const> Modules() const { return pointers_; }

  private:
    std::vector<std::unique_ptr<ResourceModule>> modules_;
    std::vector<const ResourceModule*> pointers_;
};

}  // namespace norda::ombra
