#include "solvi/core/ProductionTally.h"

#include "solvi/core/FlashSessionView.h"

namespace norda::solvi {

int ProductionTally::Record(const ProgrammingOutcome& outcome, const TextSource& texts) {
    ++(outcome.ok ? programmed_ : failed_);
    ProductionRecord record;
    record.startedAt = outcome.startedAt;
    record.program = "solvi";
    record.port = outcome.port;
    record.operation = "flash";
    record.softwareBefore = outcome.softwareBefore;
    record.softwareAfter = outcome.softwareAfter;
    record.resultId = outcome.statusId;
    record.result = ReportText(texts, outcome.statusId, outcome.statusAddress);
    record.durationMs = outcome.durationMs;
    return log_.Append(record);
}

std::string ReportText(const TextSource& texts, int statusId, uint32_t address) {
    return ProductionLog::OneLine(StatusLine(texts, 0, statusId, true, address));
}

std::string AutoResultLine(int port, const std::string& before, const std::string& after,
                           const std::string& report, uint32_t ms) {
    auto cell = [](const std::string& text) { return text.empty() ? std::string("-") : text; };
    return "Com" + std::to_string(port) + '\t' + cell(before) + '\t' + cell(after) + '\t' +
           cell(report) + '\t' + ProductionLog::Seconds(ms);
}

}  // namespace norda::solvi
