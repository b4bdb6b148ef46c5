#include "solvi/core/ProgrammingWatch.h"

#include "solvi/core/FlashSession.h"

namespace norda::solvi {

namespace {

bool ProgrammingStep(int statusId) {
    return statusId == FlashSession::kTextErasing || statusId == FlashSession::kTextWriting ||
           statusId == FlashSession::kTextVerifying || statusId == FlashSession::kTextRestarting;
}

}  // namespace

std::optional<ProgrammingOutcome> ProgrammingWatch::OnStatus(const Report& report) {
    if (ProgrammingStep(report.statusId)) {
        if (!running_) {
            running_ = true;
            run_ = ProgrammingOutcome{};
            run_.port = port_;
            run_.softwareBefore = report.radioVersion;
            run_.softwareAfter = report.fileVersion;
            run_.startedAt = report.wallSeconds;
            startTick_ = report.tickMs;
        }
        return std::nullopt;
    }
    if (!running_)
        return std::nullopt;
    running_ = false;
    run_.ok = report.statusId == FlashSession::kTextProgrammed;
    // What a failed run left in the flash is not known.
    if (!run_.ok)
        run_.softwareAfter.clear();
    run_.statusId = report.statusId;
    run_.statusAddress = report.statusAddress;
    run_.durationMs = report.tickMs - startTick_;
    return run_;
}

}  // namespace norda::solvi
