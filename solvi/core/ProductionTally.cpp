#include "solvi/core/ProductionTally.h"

#include "production/ProductionSpool.h"
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
    const int error = log_.Append(record);
    databaseFailure_ = database_.empty() ? std::string() : KeepInDatabase(record, outcome.ok);
    return error;
}

std::string ProductionTally::KeepInDatabase(const ProductionRecord& record, bool programmed) {
    const std::string station = ProductionLog::ThisHost() + ":" + std::to_string(record.port);
    const ProductionSpool spool(ProductionSpool::PathBeside(log_.Path()));
    std::string error;
    if (!db_)
        db_ = ProductionDb::Connect(database_, error);
    if (db_) {
        const int waiting =
            spool.Send(station, [this](const SpooledRecord& e) { return db_->Resend(e); });
        if (waiting == 0 &&
            db_->AddRecord(record, station, {}, programmed ? "programmed" : "failed"))
            return {};
        error = waiting < 0 ? "cannot read or write " + spool.Path() : db_->Error();
    }
    if (spool.Add({0, programmed, {}, station, record}) != 0)
        return error + "; " + spool.Path() + " not written either";
    return error + "; the record waits in " + spool.Path();
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
