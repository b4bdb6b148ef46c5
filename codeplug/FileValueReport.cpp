#include "codeplug/FileValueReport.h"

#include "codeplug/TextFormat.h"

namespace norda {
namespace {

// A list of one line a value stays readable with a line of 100,000 characters.
constexpr size_t kShownCharacters = 40;
constexpr size_t kListedReports = 10;

int ProblemTextId(FileValueProblem problem) {
    switch (problem) {
        case FileValueProblem::NotANumber:
            return kTextProblemNotANumber;
        case FileValueProblem::DecimalComma:
            return kTextProblemDecimalComma;
        case FileValueProblem::NotWhole:
            return kTextProblemNotWhole;
        case FileValueProblem::TrailingText:
            return kTextProblemTrailingText;
        case FileValueProblem::NotAFlag:
            return kTextProblemNotAFlag;
        case FileValueProblem::OutsideField:
            return kTextProblemFieldHolds;
        case FileValueProblem::OutsideBand:
            return kTextProblemOutsideBand;
        case FileValueProblem::GivenTwice:
            return kTextProblemGivenTwice;
    }
    return kTextProblemNotANumber;
}

}  // namespace

std::ptrdiff_t ParameterPlace(const RadioParameters& p, const void* variable) {
    return static_cast<const char*>(variable) - reinterpret_cast<const char*>(&p);
}

std::string ReportedValueText(const FileValueReport& report) {
    const std::string& text = report.text;
    size_t cut = 0;
    for (size_t characters = 0; cut < text.size() && characters < kShownCharacters; ++characters) {
        ++cut;
        while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            ++cut;
    }
    return cut < text.size() ? text.substr(0, cut) + "…" : text;
}

std::string FileValueProblemText(const FileValueReport& report, const TextSource& texts) {
    const int id = ProblemTextId(report.problem);
    if (report.problem == FileValueProblem::GivenTwice)
        return FormatText(texts.Text(id), {FormatArg(static_cast<long long>(report.firstLine))});
    return FormatText(texts.Text(id), {FormatArg(report.lowest), FormatArg(report.highest)});
}

std::string FileValueReportLine(const FileValueReport& report, const TextSource& texts) {
    return FormatText(texts.Text(kTextFileValueLine),
                      {FormatArg(static_cast<long long>(report.line)), FormatArg(report.section),
                       FormatArg(report.key), FormatArg(ReportedValueText(report)),
                       FormatArg(FileValueProblemText(report, texts))});
}

std::string FileValueReportsMessage(const FileValueReports& reports, const TextSource& texts) {
    std::string message = FormatText(texts.Text(kTextFileValuesHeader),
                                     {FormatArg(static_cast<long long>(reports.size()))});
    for (size_t i = 0; i < reports.size() && i < kListedReports; ++i)
        message += "\n" + FileValueReportLine(reports[i], texts);
    if (reports.size() > kListedReports) {
        message +=
            "\n" + FormatText(texts.Text(kTextFileValuesMore),
                              {FormatArg(static_cast<long long>(reports.size() - kListedReports))});
    }
    return message;
}

}  // namespace norda
