#pragma once

#include <string>

#include <memory>

#include "platform/ProductionLog.h"
#include "production/ProductionDb.h"
#include "solvi/core/ProgrammingWatch.h"

namespace norda {
class TextSource;
}  // namespace norda

namespace norda::solvi {

// SOLVI's account of the radios it programmed: the running count its frame shows, and a
// record of every run in the production log and, when one is named, the production
// database. A log or database that cannot be written costs only the record; the count
// goes on. A record the database did not take waits in the spool beside the log and goes
// in before the next record of its port.
class ProductionTally {
  public:
    explicit ProductionTally(std::string logPath, std::string database = {})
        : log_(std::move(logPath)), database_(std::move(database)) {}

    // Counts the run and appends its record, with the report in the texts the user saw.
    // 0, or the errno of the failed write.
    int Record(const ProgrammingOutcome& outcome, const TextSource& texts);

    // Why the last record is not in the database; empty when it is, or without one.
    const std::string& DatabaseFailure() const { return databaseFailure_; }

    int Programmed() const { return programmed_; }
    int Failed() const { return failed_; }
    const std::string& LogPath() const { return log_.Path(); }

  private:
    std::string KeepInDatabase(const ProductionRecord& record, bool programmed);

    ProductionLog log_;
    std::string database_;
    std::unique_ptr<ProductionDb> db_;
    std::string databaseFailure_;
    int programmed_ = 0;
    int failed_ = 0;
};

// A panel's report as one line of text: the flash address in place of "%s", line breaks
// as blanks.
std::string ReportText(const TextSource& texts, int statusId, uint32_t address = 0);

// What `solvi -auto` prints when it ends, fields separated by tabs so a script can cut
// them: "Com4", the radio's software before and after ("-" when not known), the report
// and the seconds the run took.
std::string AutoResultLine(int port, const std::string& before, const std::string& after,
                           const std::string& report, uint32_t ms);

}  // namespace norda::solvi
