#include "ombra/cli/ConsoleHost.h"

#include <ctime>

namespace norda {

ConsoleHost::ConsoleHost(const TextSource& texts, Clock& clock, std::FILE* err, bool progressLine)
    : texts_(texts),
      clock_(clock),
      err_(err),
      progressLine_(progressLine),
      start_(clock.TickCount()) {}

void ConsoleHost::SetTimer(int id, uint32_t periodMs) {
    if (id < 1 || id > 3)
        return;
    timers_[static_cast<size_t>(id)] = {true, periodMs, clock_.TickCount() + periodMs};
}

void ConsoleHost::KillTimer(int id) {
    if (id < 1 || id > 3)
        return;
    timers_[static_cast<size_t>(id)].armed = false;
}

void ConsoleHost::PostMessage(PostTarget target, uint32_t msg) {
    // No sequential dialog exists on the console.
    if (target == PostTarget::ClientWindow)
        posted_.push_back(msg);
}

void ConsoleHost::Run() {
    if (machine_ == nullptr)
        return;
    for (;;) {
        while (!posted_.empty()) {
            const uint32_t msg = posted_.front();
            posted_.pop_front();
            machine_->OnPostedMessage(msg);
        }
        const bool waiting = timers_[kLinkTimer].armed || timers_[kResponseTimer].armed;
        if (machine_->Quiescent() && !waiting)
            break;
        const uint32_t now = clock_.TickCount();
        bool anyArmed = false;
        uint32_t wait = 5;
        for (int id = 1; id <= 3; ++id) {
            Timer& timer = timers_[static_cast<size_t>(id)];
            if (!timer.armed)
                continue;
            const int32_t left = static_cast<int32_t>(timer.due - now);
            if (left <= 0) {
                timer.due = now + timer.period;
                machine_->OnTimer(id);
                wait = 0;
            } else if (static_cast<uint32_t>(left) < wait) {
                wait = static_cast<uint32_t>(left);
            }
            anyArmed = anyArmed || timer.armed;
        }
        // Nothing armed and nothing queued: nothing can move the machine any more.
        if (!anyArmed && posted_.empty())
            break;
        if (wait > 0)
            clock_.Sleep(wait);
    }
    ClearProgressLine();
}

void ConsoleHost::ClearProgressLine() {
    if (!progressShown_)
        return;
    std::fputs("\r\033[K", err_);
    std::fflush(err_);
    progressShown_ = false;
}

void ConsoleHost::Show(const std::string& text, const std::string& caption, int style) {
    ClearProgressLine();
    std::fprintf(err_, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(err_);
    const int icon = style & 0xF0;
    if (icon == kIconExclamation || icon == kIconStop) {
        // A question is answered OK; only plain notices of failure count.
        if ((style & 0x0F) == kStyleOk)
            failed_ = true;
    }
}

int ConsoleHost::MessageBox(const std::string& text, const std::string& caption, int style,
                            MessageOwner) {
    Show(text, caption, style);
    return kIdOk;
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

}  // namespace norda
