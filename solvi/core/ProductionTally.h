#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/ProductionLog.h"
#include "solvi/core/DatabaseWriter.h"
#include "solvi/core/ProgrammingWatch.h"

namespace norda {
class TextSource;
}  // namespace norda

namespace norda::solvi {

// SOLVI's account of the radios it programmed: the running count its frame shows, and a
// record of every run in the production log and, when one is named, the production
// database. A log or database that cannot be written costs only the record; the count
// goes on. The log is written at once; the database on a thread of its own (see
// DatabaseWriter), and a record it did not take waits in the spool beside the log.
class ProductionTally {
  public:
    explicit ProductionTally(std::string logPath, std::string database = {})
        : log_(std::move(logPath)), database_(std::move(database)) {}

    // Counts the run and appends its record, with the report in the texts the user saw;
    // returns before the database has it. What the log write says.
    LogAppend Record(const ProgrammingOutcome& outcome, const TextSource& texts);

    // Hears, on the database writer's thread, why records are not in the database. Set
    // before the first record.
    std::function<void(const std::string&)> databaseFailed;

    int Programmed() const { return programmed_; }
    int Failed() const { return failed_; }
    const std::string& LogPath() const { return log_.Path(); }

  private:
    ProductionLog log_;
    std::string database_;
    int programmed_ = 0;
    int failed_ = 0;
    // Last, so it ends, writing what waits, while the rest is still there.
    std::unique_ptr<DatabaseWriter> writer_;
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
