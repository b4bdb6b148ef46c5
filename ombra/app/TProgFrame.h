#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include "ombra/app/ClientPort.h"
#include "ombra/app/CommandRules.h"
#include "ombra/app/TApp.h"
#include "ombra/app/TProgressWin.h"
#include "ombra/app/TTraceWin.h"
#include "ombra/pages/TPageDispatcher.h"
#include "ui/ElidingLabel.h"

namespace norda::ombra {

// OMBRA's main window: menu 100 with its enabling rules and hints, the client area that
// shows one parameter page at a time, the status bar, the document states and captions,
// and the settings commands.
class TProgFrame : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kWidth = 564;
    static constexpr int kHeight = 480;

    TProgFrame(TApp& app, ClientPort& client);
    ~TProgFrame() override;

    // Runs a menu command; a command whose enabling rule is false is ignored.
    void Command(int id);
    // Commands handled elsewhere (file commands, pages of later parts) plug in here.
    void SetCommandHandler(int id, std::function<void()> handler);
    void UpdateCommandStates();
    CommandContext Context() const;
    QAction* Action(int id) const;

    // The client window has been set up: open the port (message 625 when that fails).
    void SetupClient();

    TPageDispatcher& Pages() { return *pages_; }
    QWidget* ClientArea() const { return clientArea_; }
    ClientPort& Client() { return client_; }
    TApp& App() { return app_; }
    const ResourceModule& Module() const { return app_.Module(); }

    // Page services.
    bool CanLeavePage() { return pages_->CanLeavePage(); }
    void OpenPage(int page);
    void ClosePage() { pages_->ClosePage(); }

    // Editor state.
    // A new state is a document as its source holds it.
    void SetDocumentState(DocumentState state);
    DocumentState State() const { return state_; }
    // A changed document differs from its file; the caption shows it with "*".
    void SetDocumentChanged(bool changed);
    bool DocumentChanged() const { return changed_; }
    void SetRestrictedPages(bool restricted) { restrictedPages_ = restricted; }
    bool RestrictedPages() const { return restrictedPages_; }
    void SetFileOpened(bool opened) { fileOpened_ = opened; }
    bool FileOpened() const { return fileOpened_; }
    void SetFileName(const std::string& name) { fileName_ = name; }
    const std::string& FileName() const { return fileName_; }

    // Messages by number, and by text, in the program's message dialog.
    int ShowMessage(int textId, int captionId, int style);
    int MessageBox(const std::string& text, const std::string& caption, int style,
                   QWidget* owner = nullptr);

    // The one progress window.
    void OpenProgressWindow(const std::string& caption, const std::string& text,
                            QWidget* owner = nullptr);
    void CloseProgressWindow();
    void ReportProgress(int done, int total);
    TProgressWin* ProgressWindow() const { return progress_; }

    // Trace lines of the engine.
    void AppendTrace(const std::string& line);
    TTraceWin* TraceWindow() const { return trace_.get(); }
    bool TraceOn() const { return traceOn_; }

    // The hint shown in the status bar when the port device refuses the user.
    QString PortHint() const { return portHint_->FullText(); }
    // A lasting note in the status bar (what became of a read's backup), made anew
    // from the current language's texts whenever the language changes.
    using Note = std::function<std::string(const TextSource&)>;
    void ShowNotice(Note note);
    QString Notice() const { return notice_->FullText(); }
    // In test mode: which commands it turns off, and what still fills the trace.
    QString ModeNote() const { return modeNote_->FullText(); }

  protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void BuildMenu();
    void RefreshCaption();
    void ReportPortFailure();
    void CmPage(int page);
    void CmNextPage(bool forward);
    void CmLanguage();
    void CmSerialPort();
    void CmPortAssignment();
    void CmProgMode();
    void CmCommStatus();
    void CmAbout();
    void SwitchLanguage(int code);

    TApp& app_;
    ClientPort& client_;
    QWidget* clientArea_;
    TElidingLabel* portHint_;
    TElidingLabel* notice_;
    TElidingLabel* modeNote_;
    Note note_;
    std::unique_ptr<TPageDispatcher> pages_;
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> menus_;
    std::map<int, std::function<void()>> handlers_;
    QPointer<TProgressWin> progress_;
    std::unique_ptr<TTraceWin> trace_;
    bool traceOn_ = false;
    DocumentState state_ = DocumentState::Empty;
    bool changed_ = false;
    bool restrictedPages_ = true;
    bool fileOpened_ = false;
    std::string fileName_;
};

}  // namespace norda::ombra
