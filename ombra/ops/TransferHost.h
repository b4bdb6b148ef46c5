#pragma once

#include <cstdint>
#include <string>

#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"

namespace norda::ombra {

class TProgWin;

// Private window messages; they carry no parameters.
inline constexpr uint32_t kMsgStartWrite = 0x502;    // to the client window
inline constexpr uint32_t kMsgNextRadio = 0x504;     // to the sequential-programming dialog
inline constexpr uint32_t kMsgStartPreRead = 0x505;  // to the client window

// Message-box styles (Win32 convention) and results.
inline constexpr int kStyleOk = 0;
inline constexpr int kStyleOkCancel = 1;
inline constexpr int kIconStop = 16;
inline constexpr int kIconExclamation = 48;
inline constexpr int kIconInformation = 64;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

enum class MessageOwner { MainWindow, SequentialDialog };
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

// What the operator sees and hears of an operation: texts, the message dialog, the
// progress window, sounds and the engine's trace. The defaults show nothing and answer
// every message with OK.
class TransferPrompts {
  public:
    virtual ~TransferPrompts() = default;

    // Text number id of the current language module; 0 and unknown ids give "".
    virtual std::string Text(int id) = 0;
    // Modal message dialog (style: Win32 convention); returns the button id.
    virtual int MessageBox(const std::string&, const std::string&, int, MessageOwner) {
        return kIdOk;
    }
    // The one modeless progress window: one text under a caption, no buttons.
    // While it is open an open sequential dialog is disabled; closing it
    // re-enables and activates that dialog. Closing when none is open does nothing.
    virtual void OpenProgressWindow(const std::string&, const std::string&, MessageOwner) {}
    virtual void CloseProgressWindow() {}
    // Every block sent; purely informative.
    virtual void ReportProgress(const TransferProgress&) {}
    // Asynchronous; silently nothing when the file or a sound device is missing.
    virtual void PlaySound(const std::string&) {}
    // Engine trace lines (only produced while the engine's trace is on).
    virtual void Trace(const std::string&) {}
};

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
    // closed. The dialog posts kMsgStartPreRead to the client window.
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
    virtual void PostMessage(PostTarget target, uint32_t msg) = 0;
};

// Everything the transfer machine needs from the program around it. The Qt frame
// implements it with dialogs, ombra-cli with a console, the tests with scripted answers
// (overriding only what they look at). The machine keeps its own time
// (TProgWin::NextDeadline); the host runs it then. All calls come from, and all
// deliveries must go to, the one thread the machine lives on.
class TransferHost : public TransferPrompts, public EditorServices, public WorkPoster {};

}  // namespace norda::ombra
