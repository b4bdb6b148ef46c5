#pragma once

#include <cstdint>
#include <string>

#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"
#include "ombra/ops/OperationEnd.h"

namespace norda::ombra {

class TProgWin;

// Work the machine and the sequential dialog queue for the event loop, each for one
// receiver: StartWrite and StartPreRead for the client, NextRadio for the sequential
// dialog.
enum class Posted { StartWrite, NextRadio, StartPreRead };

enum class PostTarget { ClientWindow, SequentialDialog };

// Document states of the editor; each selects the frame caption.
enum class DocumentState { Empty = 1, NewFile = 2, RadioData = 3, OpenedFile = 4 };

struct LocalDate {
    int year = 1994;
    int month = 1;  // 1-12
    int day = 1;    // 1-31
};

// Where an operation stands, for a progress bar or a console progress line.
struct TransferProgress {
    const char* area = "";  // memory-area name, or "Reset"
    int block = 0;          // block just sent, 0-based, within the area
    int blocks = 0;         // blocks of that area
    int done = 0;           // blocks of the whole operation sent before this one
    int total = 0;          // blocks of the whole operation
};

// What the operator sees and hears of an operation: its start (the progress window), its
// progress, the questions it asks, the notices it gives on the way, and its end. Every
// host says what it does with each; nothing is silently dropped.
class TransferPrompts {
  public:
    virtual ~TransferPrompts() = default;

    // Text number id of the current language module; 0 and unknown ids give "".
    virtual std::string Text(int id) = 0;
    // The one modeless progress window: one text under a caption, no buttons.
    // While it is open an open sequential dialog is disabled; closing it
    // re-enables and activates that dialog. Closing when none is open does nothing.
    virtual void OpenProgressWindow(const std::string& caption, const std::string& text,
                                    MessageOwner owner) = 0;
    virtual void CloseProgressWindow() = 0;
    // Every block sent; purely informative.
    virtual void ReportProgress(const TransferProgress& progress) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool Ask(const OperationMessage& question, MessageOwner owner) = 0;
    // A notice that ends nothing.
    virtual void Notify(const OperationMessage& notice, MessageOwner owner) = 0;
    // An operation has stopped. The machine is idle and its poll has returned; what the
    // machine does after an end (a write's reset command, the next radio of a sequence)
    // waits until this returns, so a host may show the end modally.
    virtual void OperationEnded(const OperationEnd& end) = 0;
    // Asynchronous; silently nothing when the file or a sound device is missing.
    virtual void PlaySound(const std::string& file) = 0;
    // Engine trace lines (only produced while the engine's trace is on).
    virtual void Trace(const std::string& line) = 0;
};

// What a host shows of `message`: the program's own text, then on a line of its own
// what the system said; and the caption.
inline std::string MessageText(TransferPrompts& host, const OperationMessage& message) {
    std::string text = message.textId != 0 ? host.Text(message.textId) : message.text;
    if (!message.detail.empty())
        text += "\n" + message.detail;
    return text;
}
inline std::string MessageCaption(TransferPrompts& host, const OperationMessage& message) {
    return message.captionId != 0 ? host.Text(message.captionId) : message.caption;
}

// The editor around the machine: its pages, its document state and file flags, the
// test switch, today's date, the sequential-programming dialog. The defaults are an
// editor with nothing loaded that lets every page go.
class EditorServices {
  public:
    virtual ~EditorServices() = default;

    // Page numbers: -1 nothing loaded, 0 loaded but no page, 1-15.
    virtual bool CanLeavePage() { return true; }
    virtual int CurrentPage() { return -1; }
    virtual void ClosePage() {}
    virtual void SetCurrentPage(int) {}
    virtual void OpenPage(int) {}

    virtual void SetDocumentState(DocumentState) {}
    virtual void SetRestrictedPages(bool) {}
    virtual bool FileOpened() { return false; }
    virtual void SetFileOpened(bool) {}
    virtual void ClearFileName() {}
    virtual bool TestSwitch() { return false; }
    virtual LocalDate Today() { return {}; }

    // Runs the sequential-programming dialog modally and returns when it is
    // closed. The dialog posts Posted::StartPreRead to the client window.
    virtual void RunSequentialDialog(TProgWin&) {}
    // A full read has ended well: the image as the radio sent it and the editor's
    // parameters as the read left them. The programs keep a backup here; nothing
    // done here may fail the read.
    virtual void FullReadAccepted(const RadioImage&, const RadioParameters&) {}
};

// Work the machine hands back to the event loop.
class WorkPoster {
  public:
    virtual ~WorkPoster() = default;

    // Queued, delivered after the running handler has returned:
    // ClientWindow -> TProgWin::OnPostedMessage(msg); SequentialDialog -> the
    // dialog's "prepare the next radio" (AutoProgLogic::PrepareNextRadio).
    virtual void PostMessage(PostTarget target, Posted msg) = 0;
};

// Everything the transfer machine needs from the program around it. The Qt frame
// implements it with dialogs, ombra-cli with a console, the tests with scripted answers
// (overriding only what they look at). The machine keeps its own time
// (TProgWin::NextDeadline); the host runs it then. All calls come from, and all
// deliveries must go to, the one thread the machine lives on.
class TransferHost : public TransferPrompts, public EditorServices, public WorkPoster {};

}  // namespace norda::ombra
