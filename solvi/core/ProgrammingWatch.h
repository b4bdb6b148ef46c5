#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace norda::solvi {

// One programming run of a panel, from its first erase to its report.
struct ProgrammingOutcome {
    int port = 0;
    bool ok = false;
    std::string softwareBefore;  // the radio's version text when the run began
    std::string softwareAfter;   // the file's version text; empty when the run failed
    bool radioWasBlank = false;  // the radio held no software when the run began
    int statusId = 0;            // the report the panel showed
    uint32_t statusAddress = 0;  // the flash address a verification report names
    int64_t startedAt = 0;       // seconds since the epoch
    uint32_t durationMs = 0;
};

// Tells programming runs apart in the stream of status reports a flash session makes: a run begins
// with the first programming step and ends with the next report. A radio found up to date, or a
// failure while nothing was being written, is no run: a panel identifies its radio again and again
// and would otherwise fill the production log.
//
// Fed on the session's worker thread, where the radio's and the file's version are as the
// session sees them.
class ProgrammingWatch {
  public:
    struct Report {
        int statusId = 0;
        uint32_t statusAddress = 0;
        std::string radioVersion;
        std::string fileVersion;
        uint32_t tickMs = 0;
        int64_t wallSeconds = 0;
    };

    explicit ProgrammingWatch(int port) : port_(port) {}

    // The outcome when this report ends a run.
    std::optional<ProgrammingOutcome> OnStatus(const Report& report);
    bool Running() const { return running_; }

  private:
    int port_;
    bool running_ = false;
    ProgrammingOutcome run_;
    uint32_t startTick_ = 0;
};

}  // namespace norda::solvi
