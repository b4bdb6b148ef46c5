#include "ombra/cli/ConsoleHost.h"

#include <cstdint>
#include <ctime>

#include "ombra/ops/BackupStore.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/PollDriver.h"

namespace norda::ombra {

ConsoleHost::ConsoleHost(const TextSource& texts, Clock& clock, std::FILE* err, bool progressLine)
    : texts_(texts),
      clock_(clock),
      err_(err),
      progressLine_(progressLine),
      start_(clock.TickCount()) {}

void ConsoleHost::PostMessage(PostTarget target, Posted msg) {
    // No sequential dialog exists on the console.
    if (target == PostTarget::ClientWindow)
        posted_.push_back(msg);
}

void ConsoleHost::Run() {
    if (machine_ == nullptr)
        return;
    for (;;) {
        while (!posted_.empty()) {
            const Posted msg = posted_.front();
            posted_.pop_front();
            machine_->OnPostedMessage(msg);
        }
        if (machine_->Quiescent() && !machine_->Waiting())
            break;
        const std::optional<Deadline> next = machine_->NextDeadline();
        // Nothing due ever and nothing queued: nothing can move the machine any more.
        if (!next) {
            if (posted_.empty())
                break;
            continue;
        }
        const int32_t left = next->Left(clock_.TickCount());
        if (left > 0) {
            WaitForDeadlineOrInput(static_cast<uint32_t>(left));
            continue;
        }
        PollDriver(*machine_).DeadlineDue();
    }
    ClearProgressLine();
}

// While the machine polls the port, a frame is taken as soon as its bytes are there rather
// than at the next poll; with the poll off nobody reads, so the port is not watched.
void ConsoleHost::WaitForDeadlineOrInput(uint32_t ms) {
    PollDriver driver(*machine_);
    if (!driver.WatchInput()) {
        clock_.Sleep(ms);
        return;
    }
    if (machine_->Port().WaitForInput(ms))
        driver.InputArrived();
}

void ConsoleHost::ClearProgressLine() {
    if (!progressShown_)
        return;
    std::fputs("\r\033[K", err_);
    std::fflush(err_);
    progressShown_ = false;
}

void ConsoleHost::Show(const std::string& text, const std::string& caption, Severity severity) {
    if (holding_) {
        held_.push_back({text, caption});
    } else {
        ClearProgressLine();
        std::fprintf(err_, "%s: %s\n", caption.c_str(), text.c_str());
        std::fflush(err_);
    }
    if (severity == Severity::Failure || severity == Severity::Fault)
        failed_ = true;
}

void ConsoleHost::ReleaseHeld() {
    holding_ = false;
    std::vector<Held> held;
    held.swap(held_);
    for (const Held& h : held) {
        ClearProgressLine();
        std::fprintf(err_, "%s: %s\n", h.caption.c_str(), h.text.c_str());
    }
    std::fflush(err_);
}

void ConsoleHost::DropHeld() {
    holding_ = false;
    held_.clear();
}

std::vector<std::string> ConsoleHost::HeldTexts() const {
    std::vector<std::string> texts;
    for (const Held& h : held_)
        texts.push_back(h.text);
    return texts;
}

void ConsoleHost::FullReadAccepted(const RadioImage& image, const RadioParameters& parameters) {
    if (backupRoot_.empty())
        return;
    const BackupOutcome outcome = StoreBackup(backupRoot_, image, parameters, LocalBackupTime());
    if (outcome.status != BackupStatus::Failed)
        return;
    Show(BackupNote(outcome, texts_), texts_.Text(msg::kCaptionWarning), Severity::Info);
}

bool ConsoleHost::Ask(const OperationMessage& question, MessageOwner) {
    // Nobody is there to answer: a console asks nothing it would refuse.
    Show(MessageText(*this, question), MessageCaption(*this, question), Severity::Info);
    return true;
}

void ConsoleHost::Notify(const OperationMessage& notice, MessageOwner) {
    Show(MessageText(*this, notice), MessageCaption(*this, notice), notice.severity);
}

void ConsoleHost::OperationEnded(const OperationEnd& end) {
    for (const OperationMessage& notice : end.notices)
        Show(MessageText(*this, notice), MessageCaption(*this, notice), Severity::Info);
    if (end.message.textId != 0 || !end.message.text.empty())
        Show(MessageText(*this, end.message), MessageCaption(*this, end.message), Severity::Info);
    if (!end.Succeeded())
        failed_ = true;
    lastEnd_ = end;
}

void ConsoleHost::OpenProgressWindow(const std::string& caption, const std::string& text,
                                     MessageOwner) {
    progressText_ = caption + ": " + text;
}

void ConsoleHost::CloseProgressWindow() {
    ClearProgressLine();
}

void ConsoleHost::ReportProgress(const TransferProgress& progress) {
    if (!progressLine_)
        return;
    const int percent = progress.total > 0 ? progress.done * 100 / progress.total : 0;
    std::fprintf(err_, "\r\033[K%s  %s %d/%d  %3d%%", progressText_.c_str(), progress.area,
                 progress.block + 1, progress.blocks, percent);
    std::fflush(err_);
    progressShown_ = true;
}

LocalDate ConsoleHost::Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void ConsoleHost::Trace(const std::string& line) {
    if (trace_ == nullptr)
        return;
    const uint32_t ms = clock_.TickCount() - start_;
    std::fprintf(trace_, "%6u.%03u %s\n", ms / 1000, ms % 1000, line.c_str());
    std::fflush(trace_);
}

}  // namespace norda::ombra
