#include "solvi/core/ProductionTally.h"

#include "production/ProductionSpool.h"
#include "solvi/core/FlashSessionView.h"

namespace norda::solvi {

LogAppend ProductionTally::Record(const ProgrammingOutcome& outcome, const TextSource& texts) {
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
    LogAppend appended = log_.Append(record);
    if (!database_.empty()) {
        if (!writer_) {
            writer_ = std::make_unique<DatabaseWriter>(database_,
                                                       ProductionSpool::PathBeside(log_.Path()),
                                                       [this](const std::string& why) {
                                                           if (databaseFailed)
                                                               databaseFailed(why);
                                                       });
        }
        writer_->Add(record, outcome.ok);
    }
    return appended;
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
