#pragma once

#include <string>

#include "platform/ProductionLog.h"
#include "solvi/core/ProgrammingWatch.h"

namespace norda {
class TextSource;
}  // namespace norda

namespace norda::solvi {

// SOLVI's account of the radios it programmed: the running count its frame shows, and a
// record of every run in the production log. A log that cannot be written costs only the
// record; the count goes on.
class ProductionTally {
  public:
    explicit ProductionTally(std::string logPath) : log_(std::move(logPath)) {}

    // Counts the run and appends its record, with the report in the texts the user saw.
    // 0, or the errno of the failed write.
    int Record(const ProgrammingOutcome& outcome, const TextSource& texts);

    int Programmed() const { return programmed_; }
    int Failed() const { return failed_; }
    const std::string& LogPath() const { return log_.Path(); }

  private:
    ProductionLog log_;
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
