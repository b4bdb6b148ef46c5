#pragma once

#include <cstdint>
#include <string>

#include "solvi/core/ProgrammingWatch.h"

namespace norda {
class TextSource;
}  // namespace norda

namespace norda::solvi {

// How an unattended run of a port ended; the program turns it into its exit status.
enum class RunResult {
    Programmed,   // the radio holds the file
    PortFailure,  // the port could not be opened or set
    Failed,       // no radio, or a radio that did not take the file
};

// Gauge colours: Idle white on white at 0, Green on green, Yellow on yellow; Red paints
// only the bar and leaves the background as it was (yellow while writing).
enum class GaugeState { Idle, Green, Yellow, Red };

// What a port panel shows. The session calls these from its worker thread; a window
// implementation hands them over to its own thread. Repeats of an unchanged status, gauge
// or button state are not sent; after a language or layout change the panel re-renders
// from FlashSession::StatusId().
class FlashSessionView {
  public:
    virtual ~FlashSessionView() = default;
    // A string id; 0 means the empty start-up line.
    virtual void ShowStatus(int statusId) = 0;
    virtual void SetGauge(GaugeState state, int value) = 0;
    virtual void EnableProgramButton(bool enabled) = 0;
    // Radio lines of the version panel; two empty texts clear them. Single-port layout only.
    virtual void ShowRadioVersion(const std::string& versionText,
                                  const std::string& description) = 0;
    // Automatic mode only: the result the program ends with.
    virtual void PostResult(RunResult result) = 0;
    // A programming run has ended, well or not: what its production record is made of.
    virtual void RunEnded(const ProgrammingOutcome& outcome) = 0;
};

// The status line: "Com%d - %s" beside other panels, the text alone in the single-port
// layout, where the frame title names the port. A "%s" in the text is the flash address
// (FlashSession::StatusAddress).
std::string StatusLine(const TextSource& texts, int port, int statusId, bool singlePortLayout,
                       uint32_t address = 0);

}  // namespace norda::solvi
