#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "codeplug/RadioParameters.h"
#include "platform/TextSource.h"

namespace norda {

// Why a value of a codeplug file was not taken as written.
enum class FileValueProblem {
    NotANumber,    // no number at all
    DecimalComma,  // a number written with a decimal comma
    NotWhole,      // a number with a fraction where the field counts whole units
    TrailingText,  // a number followed by other text
    NotAFlag,      // a switch other than 0 or 1
    OutsideField,  // a number beyond what the radio's field holds
    OutsideBand,   // a frequency below the band or beyond what its field holds
    GivenTwice,    // the key is given again, with another value
};

// A value of a codeplug file that the loader did not take. Its parameter opens empty:
// a frequency as "no frequency", a switch clear, a number at its new-file value.
struct FileValueReport {
    std::string section;  // as the file's key table names them
    std::string key;
    int line = 0;      // of the value in the file, the first line is 1
    std::string text;  // the value as found, UTF-8
    FileValueProblem problem = FileValueProblem::NotANumber;
    // What the field holds (OutsideField, OutsideBand), as the file writes such values;
    // frequencies in megahertz.
    std::string lowest, highest;
    int firstLine = 0;  // GivenTwice: where the key was given first
    // The parameter as a place in RadioParameters (ParameterPlace), -1 for none.
    std::ptrdiff_t parameter = -1;
};
using FileValueReports = std::vector<FileValueReport>;

// The place of the parameter `variable`, a member of `p`, that reports name.
std::ptrdiff_t ParameterPlace(const RadioParameters& p, const void* variable);

// String-table numbers of what is said about such values.
enum FileValueTextId : int {
    kTextFileValuesHeader = 3500,   // "... (%d) ..." heading the list in the window
    kTextFileValuesMore = 3501,     // "... %d ..." after the first ten
    kTextFileValueLine = 3502,      // line, section, key, text, why
    kTextFileValuesRefused = 3503,  // ombra-cli: nothing was sent, with the count
    kTextProblemNotANumber = 3510,
    kTextProblemDecimalComma = 3511,
    kTextProblemNotWhole = 3512,
    kTextProblemTrailingText = 3513,
    kTextProblemNotAFlag = 3514,
    kTextProblemFieldHolds = 3515,   // lowest, highest
    kTextProblemOutsideBand = 3516,  // lowest, highest megahertz
    kTextProblemGivenTwice = 3517,   // the first line
};

// The value as a report shows it: a long one is cut.
std::string ReportedValueText(const FileValueReport& report);
// Why, in words of the string table.
std::string FileValueProblemText(const FileValueReport& report, const TextSource& texts);
// One line of the window's list: "Satır 12: [Kanal] TxFreq[1]=146,0125 — ...".
std::string FileValueReportLine(const FileValueReport& report, const TextSource& texts);
// The window's one message: the heading with the count, the first ten lines and how
// many more there are.
std::string FileValueReportsMessage(const FileValueReports& reports, const TextSource& texts);

}  // namespace norda
