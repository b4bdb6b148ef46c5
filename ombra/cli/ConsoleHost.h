#pragma once

#include <cstdint>
#include <cstdio>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ombra/ops/TProgWin.h"
#include "platform/Clock.h"
#include "platform/TextSource.h"

namespace norda::ombra {

// The transfer machine's host on a console: the machine run at its deadlines on the
// clock, posted messages in a queue, every message printed to standard error with its
// caption, every question answered OK, an optional progress line and trace file. Between deadlines
// it waits on the port, so a frame is acted on when it is complete, not at the next poll.
class ConsoleHost final : public TransferHost {
  public:
    ConsoleHost(const TextSource& texts, Clock& clock, std::FILE* err, bool progressLine);

    void Attach(TProgWin& machine) { machine_ = &machine; }
    // Trace lines go here with a timestamp each; nullptr: nowhere.
    void SetTraceFile(std::FILE* trace) { trace_ = trace; }

    // Runs the attached machine until its operation has ended.
    void Run();
    // An operation ended short of what was asked, or a failure of the program's own was
    // shown.
    bool Failed() const { return failed_; }
    // How the last operation ended; empty when none has since ClearFailed.
    const std::optional<OperationEnd>& LastEnd() const { return lastEnd_; }
    void ClearFailed() {
        failed_ = false;
        lastEnd_.reset();
    }
    // Shows a message of the program's own, outside the machine.
    void Show(const std::string& text, const std::string& caption, Severity severity);
    // While held, messages are kept instead of printed, so that an attempt that is
    // to be repeated does not speak; ReleaseHeld prints them, DropHeld forgets them.
    void HoldMessages() { holding_ = true; }
    void ReleaseHeld();
    void DropHeld();
    // The texts of the messages held since HoldMessages.
    std::vector<std::string> HeldTexts() const;
    // Where the backups of full reads go; empty: none are kept.
    void SetBackupRoot(std::string root) { backupRoot_ = std::move(root); }

    std::string Text(int id) override { return texts_.Text(id); }
    void PostMessage(PostTarget target, Posted msg) override;
    bool Ask(const OperationMessage& question, MessageOwner owner) override;
    void Notify(const OperationMessage& notice, MessageOwner owner) override;
    void OperationEnded(const OperationEnd& end) override;
    void PlaySound(const std::string&) override {}
    void OpenProgressWindow(const std::string& caption, const std::string& text,
                            MessageOwner owner) override;
    void CloseProgressWindow() override;
    void ReportProgress(const TransferProgress& progress) override;
    int CurrentPage() override { return page_; }
    void ClosePage() override {
        if (page_ >= 1)
            page_ = 0;
    }
    void SetCurrentPage(int page) override { page_ = page; }
    void OpenPage(int page) override { page_ = page; }
    void SetDocumentState(DocumentState state) override { document_ = state; }
    bool FileOpened() override { return fileOpened_; }
    void SetFileOpened(bool opened) override { fileOpened_ = opened; }
    LocalDate Today() override;
    void Trace(const std::string& line) override;
    void FullReadAccepted(const RadioImage& image, const RadioParameters& parameters) override;

  private:
    struct Held {
        std::string text, caption;
    };
    void ClearProgressLine();
    void WaitForDeadlineOrInput(uint32_t ms);

    const TextSource& texts_;
    Clock& clock_;
    std::FILE* err_;
    bool progressLine_;
    bool progressShown_ = false;
    std::string progressText_;
    std::FILE* trace_ = nullptr;
    uint32_t start_;
    TProgWin* machine_ = nullptr;
    std::deque<Posted> posted_;
    bool failed_ = false;
    std::optional<OperationEnd> lastEnd_;
    int page_ = -1;
    DocumentState document_ = DocumentState::Empty;
    bool fileOpened_ = false;
    bool holding_ = false;
    std::vector<Held> held_;
    std::string backupRoot_;
};

}  // namespace norda::ombra
