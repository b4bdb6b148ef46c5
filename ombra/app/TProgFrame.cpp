#include "ombra/app/TProgFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "link/SerialDevices.h"
#include "link/TermiosStream.h"
#include "ombra/app/PortDevice.h"
#include "ombra/app/TSettingsDlgs.h"
#include "ombra/pages/Icons.h"
#include "ombra/pages/MessageLayout.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/TMessageDlg.h"
#include "ui/MenuBuilder.h"
#include "ui/QtTranslation.h"
#include "ui/TPortAssignDlg.h"

namespace norda::ombra {

namespace {
constexpr int kMenuId = 100;
constexpr int kCaptionError = 602;
constexpr int kCaptionWarning = 603;
constexpr int kTextExit = 604;
constexpr int kTextLibraryMissing = 606;
constexpr int kTextBadPort = 625;
constexpr int kTextNoAccessGroup = 901;
constexpr int kTextNoAccess = 902;
constexpr int kTextTestModeNote = 3800;
constexpr int kHighestPort = 128;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

TProgFrame::TProgFrame(TApp& app, ClientPort& client)
    : app_(app),
      client_(client),
      clientArea_(new QWidget(this)),
      portHint_(new TElidingLabel(this)),
      notice_(new TElidingLabel(this)),
      modeNote_(new TElidingLabel(this)) {
    FollowLanguageWithQt(app_.CountryCode());
    setWindowTitle(Q(app_.Title()));
    setWindowIcon(ResourceIcon(1001));
    // The client area has the colour of a button face, as dialogs have.
    clientArea_->setAutoFillBackground(true);
    QPalette pal = clientArea_->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    clientArea_->setPalette(pal);
    setCentralWidget(clientArea_);
    statusBar()->addWidget(portHint_, 1);
    statusBar()->addWidget(notice_, 1);
    statusBar()->addWidget(modeNote_, 1);
    statusBar()->setSizeGripEnabled(false);
    pages_ = std::make_unique<TPageDispatcher>(clientArea_);
    pages_->SetModule(&app_.Module());
    BuildMenu();
    resize(kWidth, kHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->geometry();
        move(desk.width() / 2 - kWidth / 2, desk.height() / 2 - kHeight / 2);
    }
    trace_ = std::make_unique<TTraceWin>(this, app_.Module());
}

TProgFrame::~TProgFrame() {
    // Pages and windows made from the language module go before it can change.
    pages_.reset();
    if (progress_)
        delete progress_.data();
}

void TProgFrame::BuildMenu() {
    const MenuTemplate* menu = app_.Module().Menu(kMenuId);
    if (menu == nullptr) {
        TMessageDlg::Show(this, app_.Module(), QStringLiteral("Error loading menu"), QString(), 16);
        std::exit(1);
    }
    menuBar()->clear();
    for (QMenu* m : menus_)
        m->deleteLater();
    menus_.clear();
    actions_.clear();
    FillMenuBar(
        *menuBar(), *menu, app_.Module(),
        [this](QMenu& m) {
            connect(&m, &QMenu::aboutToShow, this, &TProgFrame::UpdateCommandStates);
            menus_.push_back(&m);
        },
        [this](int id, QAction& a) {
            connect(&a, &QAction::triggered, this, [this, id] { Command(id); });
            actions_[id] = &a;
        });
    UpdateCommandStates();
}

QAction* TProgFrame::Action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

CommandContext TProgFrame::Context() const {
    CommandContext c;
    c.testMode = client_.TestMode();
    c.testSwitch = app_.TestSwitch();
    c.portOpen = client_.PortOpen();
    c.reading = client_.Reading();
    c.writing = client_.Writing();
    c.writePrecondition = client_.WritePrecondition();
    c.restrictedPages = restrictedPages_;
    c.currentPage = pages_->CurrentPage();
    return c;
}

void TProgFrame::UpdateCommandStates() {
    const CommandContext c = Context();
    for (auto& [id, a] : actions_)
        a->setEnabled(IsCommandEnabled(id, c));
    // Greyed radio commands and a trace that stays empty would look like a fault.
    modeNote_->SetFullText(c.testMode ? Q(app_.Module().Text(kTextTestModeNote)) : QString());
}

void TProgFrame::SetCommandHandler(int id, std::function<void()> handler) {
    handlers_[id] = std::move(handler);
}

void TProgFrame::Command(int id) {
    if (!IsCommandEnabled(id, Context()))
        return;
    if (auto it = handlers_.find(id); it != handlers_.end() && it->second) {
        it->second();
    } else if (const int page = PageForCommand(id); page != 0) {
        CmPage(page);
    } else {
        switch (id) {
            case cmd::kNextPage:
                CmNextPage(true);
                break;
            case cmd::kPrevPage:
                CmNextPage(false);
                break;
            case cmd::kRead:
            case cmd::kWrite:
            case cmd::kCopy:
            case cmd::kSequential:
                client_.RadioCommand(id);
                break;
            case cmd::kLanguage:
                CmLanguage();
                break;
            case cmd::kSerialPort:
                CmSerialPort();
                break;
            case cmd::kPortAssignment:
                CmPortAssignment();
                break;
            case cmd::kProgMode:
                CmProgMode();
                break;
            case cmd::kCommStatus:
                CmCommStatus();
                break;
            case cmd::kAbout:
                CmAbout();
                break;
            case cmd::kExit:
                close();
                break;
            default:
                break;
        }
    }
    UpdateCommandStates();
}

void TProgFrame::OpenPage(int page) {
    pages_->OpenPage(page);
    if (TDataDlg* p = pages_->Current())
        p->setFocus();
}

void TProgFrame::CmPage(int page) {
    const int current = pages_->CurrentPage();
    if (current == kPageNone)
        return;
    if (!pages_->CanLeavePage())
        return;
    if (page == current)
        return;
    pages_->ClosePage();
    OpenPage(page);
}

void TProgFrame::CmNextPage(bool forward) {
    const int current = pages_->CurrentPage();
    if (current < 1)
        return;
    if (!pages_->CanLeavePage())
        return;
    const int target =
        forward ? NextPage(current, restrictedPages_) : PreviousPage(current, restrictedPages_);
    pages_->ClosePage();
    OpenPage(target);
}

void TProgFrame::SetDocumentState(DocumentState state) {
    state_ = state;
    changed_ = false;
    RefreshCaption();
}

void TProgFrame::SetDocumentChanged(bool changed) {
    changed_ = changed;
    RefreshCaption();
}

void TProgFrame::RefreshCaption() {
    const std::string caption = FrameCaption(app_.Module(), app_.Title(), state_, fileName_);
    // Qt shows the mark of a changed document in place of "[*]".
    setWindowTitle(Q(changed_ ? caption + "[*]" : caption));
    setWindowModified(changed_);
}

int TProgFrame::ShowMessage(int textId, int captionId, int style) {
    return MessageBox(app_.Module().Text(textId), app_.Module().Text(captionId), style);
}

int TProgFrame::MessageBox(const std::string& text, const std::string& caption, int style,
                           QWidget* owner) {
    return TMessageDlg::Show(owner != nullptr ? owner : this, app_.Module(), Q(text), Q(caption),
                             style);
}

void TProgFrame::OpenProgressWindow(const std::string& caption, const std::string& text,
                                    QWidget* owner) {
    CloseProgressWindow();
    progress_ =
        new TProgressWin(owner != nullptr ? owner : this, app_.Module(), Q(caption), Q(text));
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->show();
}

void TProgFrame::CloseProgressWindow() {
    if (progress_) {
        // Not close(): a message window without buttons refuses to be closed, as the
        // user may not close it, and would stay on screen after its operation.
        progress_->hide();
        progress_->deleteLater();
        progress_ = nullptr;
    }
}

void TProgFrame::ReportProgress(int done, int total) {
    if (progress_)
        progress_->SetProgress(done, total);
}

void TProgFrame::AppendTrace(const std::string& line) {
    if (trace_)
        trace_->AppendLine(Q(line));
}

void TProgFrame::SetupClient() {
    if (!Succeeded(client_.Open()))
        ReportPortFailure();
    UpdateCommandStates();
}

void TProgFrame::ReportPortFailure() {
    const std::string device = PortDevicePath(client_.PortNumber());
    std::string group;
    if (DeviceAccessDenied(device, &group)) {
        const std::string format =
            app_.Module().Text(group.empty() ? kTextNoAccess : kTextNoAccessGroup);
        char text[512];
        if (group.empty() && ConversionsAre(format, {"s"})) {
            std::snprintf(text, sizeof text, format.c_str(), device.c_str());
        } else if (ConversionsAre(format, {"s", "s", "s"})) {
            std::snprintf(text, sizeof text, format.c_str(), device.c_str(), group.c_str(),
                          group.c_str());
        } else {
            std::snprintf(text, sizeof text, "%s", format.c_str());
        }
        portHint_->SetFullText(Q(text));
    } else {
        portHint_->SetFullText({});
    }
    // The system's words say what is wrong: a port held by another program, for one,
    // is no wrong number.
    std::string text = app_.Module().Text(kTextBadPort);
    if (const std::string failure = client_.OpenFailure(); !failure.empty())
        text += "\n(" + failure + ")";
    MessageBox(text, app_.Module().Text(kCaptionError), kStyleOk | kIconExclamation);
}

void TProgFrame::ShowNotice(Note note) {
    note_ = std::move(note);
    notice_->SetFullText(note_ ? Q(note_(app_.Module())) : QString());
}

void TProgFrame::CmLanguage() {
    if (!pages_->CanLeavePage())
        return;
    int code = app_.CountryCode();
    {
        TLanguage dlg(this, app_.Module(), code);
        if (dlg.Execute() != 1 || code == app_.CountryCode())
            return;
    }
    const int page = pages_->CurrentPage();
    pages_->ClosePage();
    SwitchLanguage(code);
    pages_->OpenPage(page);
    if (state_ == DocumentState::NewFile || state_ == DocumentState::RadioData)
        RefreshCaption();
}

void TProgFrame::SwitchLanguage(int code) {
    // Everything made from the old module goes first: it is released by the switch.
    CloseProgressWindow();
    pages_->SetModule(nullptr);
    const QString kept = trace_ ? trace_->Contents() : QString();
    const bool traceVisible = trace_ && trace_->isVisible();
    trace_.reset();
    std::string failed;
    const bool loaded = app_.SelectLanguage(code, &failed);
    FollowLanguageWithQt(app_.CountryCode());
    pages_->SetModule(&app_.Module());
    trace_ = std::make_unique<TTraceWin>(this, app_.Module());
    if (!kept.isEmpty())
        trace_->AppendLine(kept);
    if (traceVisible)
        trace_->show();
    if (note_)
        notice_->SetFullText(Q(note_(app_.Module())));
    if (!loaded) {
        MessageBox(FormatText(app_.Module().Text(kTextLibraryMissing), failed),
                   app_.Module().Text(kCaptionError), kStyleOk | kIconExclamation);
    }
    BuildMenu();
}

void TProgFrame::CmSerialPort() {
    if (!pages_->CanLeavePage())
        return;
    int port = client_.PortNumber();
    int baud = client_.BaudRate();
    TSelPort dlg(this, app_.Module(), port, baud);
    dlg.Execute();
    // Confirmed or not, the port is opened anew: a cancelled dialog is how the user retries.
    client_.StopOperation();
    if (!Succeeded(client_.Reopen(port, baud))) {
        ReportPortFailure();
    } else {
        portHint_->SetFullText({});
    }
}

void TProgFrame::CmPortAssignment() {
    const int port = client_.PortNumber();
    TPortAssignDlg dlg(this, app_.Module(), kHighestPort, port);
    dlg.exec();
    // The number in use may open another device now.
    if (dlg.Changed().count(port) == 0)
        return;
    client_.StopOperation();
    if (!Succeeded(client_.Reopen(port, client_.BaudRate())))
        ReportPortFailure();
    else
        portHint_->SetFullText({});
}

void TProgFrame::CmProgMode() {
    int testMode = client_.TestMode() ? 1 : 0;
    bool trace = traceOn_;
    TProgMode dlg(this, app_.Module(), testMode, trace);
    if (dlg.Execute() != 1)
        return;
    if (trace != traceOn_) {
        traceOn_ = trace;
        client_.SetTrace(trace);
        if (trace && trace_)
            trace_->show();
    }
    if (testMode == (client_.TestMode() ? 1 : 0))
        return;
    client_.SetTestMode(testMode == 1);
    app_.SetTestMode(testMode);
    pages_->ClosePage();
    fileName_.clear();
    pages_->SetCurrentPage(kPageNone);
    SetDocumentState(DocumentState::Empty);
    client_.SetDataValid(false);
    fileOpened_ = false;
}

void TProgFrame::CmCommStatus() {
    if (!pages_->CanLeavePage())
        return;
    MessageBox(CommunicationStatusText(app_.Module(), client_.PortNumber(), client_.NetworkState(),
                                       client_.LinkEstablished()),
               std::string(), kIconInformation);
}

void TProgFrame::CmAbout() {
    TAboutDlg dlg(this, app_.Module(), app_.CountryCode(), app_.IniPath());
    dlg.Execute();
}

void TProgFrame::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    // The page stays centred in the client area.
    if (TDataDlg* page = pages_->Current())
        page->PlaceDialog();
}

void TProgFrame::closeEvent(QCloseEvent* e) {
    if (ShowMessage(kTextExit, kCaptionWarning, kStyleOkCancel | kIconExclamation) != 1) {
        e->ignore();
        return;
    }
    app_.SaveOnExit(client_.PortNumber());
    e->accept();
}

}  // namespace norda::ombra
