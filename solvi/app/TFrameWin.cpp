#include "solvi/app/TFrameWin.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "resources/ResourceModule.h"
#include "resources/SolviResources.h"
#include "solvi/app/AutoExit.h"
#include "solvi/app/DialogBuilder.h"
#include "solvi/app/SolviDialogs.h"
#include "solvi/app/TApp.h"
#include "solvi/app/TClientWin.h"
#include "solvi/app/TVerDlg.h"
#include "ui/ElidingLabel.h"
#include "ui/MenuBuilder.h"
#include "ui/QtTranslation.h"
#include "ui/TPortAssignDlg.h"

namespace norda::solvi {

namespace {

constexpr int kTextLoadFailed = 1002;
constexpr int kTextBusy = 1011;
constexpr int kTextError = 602;
constexpr int kTextLanguageFailed = 606;
constexpr int kTextOpenTitle = 616;
constexpr int kTextCount = 3400;
constexpr int kTextLogFailed = 3401;
constexpr int kTextBlank = 3600;
constexpr int kTextDatabaseFailed = 3900;

QSize ScreenSize() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize(640, 480);
}

bool IsPortCommand(int id) {
    return id >= kCmdPortFirst && id <= kCmdPortLast;
}

// "%s" in a message replaced once, without handing the text to printf.
std::string ReplaceName(std::string text, const std::string& name) {
    size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, name);
    return text;
}

}  // namespace

TFrameWin::TFrameWin(TApp& app)
    : QMainWindow(nullptr),
      app_(app),
      tally_(app.logPath, app.database),
      startTick_(SteadyClock::Instance().TickCount()) {
    quit = [](int code) { QCoreApplication::exit(code); };
    printResult = [](const std::string& line) {
        std::fputs((line + "\n").c_str(), stdout);
        std::fflush(stdout);
    };
    FollowLanguageWithQt(app_.Language());
    setWindowTitle(TApp::kProgramName);
    setWindowIcon(SolviIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    LoadMenu();
    const QSize screen = ScreenSize();
    setFixedSize(320 - PanelLayout::kBorderWidth, 0);
    move((screen.width() - 320) / 2, (screen.height() - 240) / 2);

    client_ = new TClientWin(this, app_, *this);
    setCentralWidget(client_);
    count_ = new QLabel(this);
    // A path is long and a single panel's frame narrow.
    logWarning_ = new TElidingLabel(this);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(logWarning_, 1);
    statusBar()->addPermanentWidget(count_);
    UpdateCount();
    // The radio is programmed all the same; only its record is missing from the database.
    tally_.databaseFailed = [this](const std::string& why) {
        if (app_.AutoMode()) {
            const std::string warning = ReplaceName(app_.Text(kTextDatabaseFailed), why);
            std::fprintf(stderr, "solvi: %s\n", warning.c_str());
            return;
        }
        // The texts follow the language the user picks, on the window's thread.
        QMetaObject::invokeMethod(
            this,
            [this, why] {
                logWarning_->SetFullText(
                    QString::fromStdString(ReplaceName(app_.Text(kTextDatabaseFailed), why)));
            },
            Qt::QueuedConnection);
    };

    closeTimer_.setSingleShot(false);
    connect(&closeTimer_, &QTimer::timeout, this, &TFrameWin::OnCloseTimer);
}

TFrameWin::~TFrameWin() {
    closeTimer_.stop();
}

void TFrameWin::LoadMenu() {
    const MenuTemplate* menu = app_.Texts().Menu(kMenuId);
    if (menu == nullptr || menu->entries.empty())
        throw std::runtime_error("Error loading menu");
    QMenuBar* bar = new QMenuBar(this);
    actions_.clear();
    portItemTexts_.clear();
    FillMenuBar(
        *bar, *menu, app_.Texts(),
        [this](QMenu& m) {
            connect(&m, &QMenu::aboutToShow, this, &TFrameWin::UpdateCommands);
            connect(&m, &QMenu::aboutToShow, this, &TFrameWin::UpdatePortItems);
        },
        [this](int id, QAction& a) {
            if (IsPortCommand(id) || id == kCmdAutoProg || id == kCmdTransferMode ||
                id == kCmdVerify)
                a.setCheckable(true);
            if (IsPortCommand(id))
                portItemTexts_[id] = a.text();
            connect(&a, &QAction::triggered, this, [this, id] { Command(id); });
            actions_[id] = &a;
        });
    setMenuBar(bar);  // the old bar goes with its actions
    UpdateCheckMarks();
    UpdateCommands();
    UpdatePortItems();
}

void TFrameWin::UpdatePortItems() {
    const auto list = ListSerialDevices(devices);
    for (const auto& [id, text] : portItemTexts_) {
        const std::string device = PortMenuDevice(app_.Texts(), list, id - 400);
        // After a tab the menu shows it right-aligned, where a shortcut would be.
        actions_[id]->setText(
            device.empty() ? text : text + QLatin1Char('\t') + QString::fromStdString(device));
    }
}

void TFrameWin::SetupWindow() {
    client_->SetupWindow();
    Relayout();
    UpdateCheckMarks();
    UpdatePortItems();
    if (!app_.pendingFile.empty())
        LoadFile();
}

bool TFrameWin::Closing() const {
    return app_.Flags().closing.load();
}

bool TFrameWin::CommandEnabled(int id) const {
    const bool closing = Closing();
    const bool autoMode = app_.AutoMode();
    if (IsPortCommand(id) || id == kCmdAutoProg || id == kCmdVerify)
        return !closing && !autoMode;
    switch (id) {
        case kCmdBaudrate:
        case kCmdTransferMode:
        case kCmdPortAssignment:
            return !closing && !(client_ != nullptr && client_->AnyBusy()) && !autoMode;
        case kCmdLanguage:
            return !closing;
        case kCmdOpen:
            return !closing && !(autoMode && app_.Image().IsLoaded());
        case kCmdAbout:
        case kCmdExit:
            return true;
        default:
            return false;
    }
}

bool TFrameWin::CommandChecked(int id) const {
    auto it = actions_.find(id);
    return it != actions_.end() && it->second->isChecked();
}

void TFrameWin::UpdateCommands() {
    for (auto& [id, action] : actions_)
        action->setEnabled(CommandEnabled(id));
}

void TFrameWin::UpdateCheckMarks() {
    for (int port = 1; port <= kMaxPorts; ++port)
        if (auto it = actions_.find(400 + port); it != actions_.end())
            it->second->setChecked(app_.selected[port]);
    if (auto it = actions_.find(kCmdAutoProg); it != actions_.end())
        it->second->setChecked(app_.AutoProg());
    if (auto it = actions_.find(kCmdVerify); it != actions_.end())
        it->second->setChecked(app_.Verify());
    if (auto it = actions_.find(kCmdTransferMode); it != actions_.end())
        it->second->setChecked(app_.Image().TransferMode());
}

void TFrameWin::Command(int id) {
    // A menu opened before the state changed may still offer a command that is off now.
    if (!CommandEnabled(id))
        return;
    if (IsPortCommand(id)) {
        TogglePort(id - 400);
        return;
    }
    switch (id) {
        case kCmdOpen:
            LoadFile();
            break;
        case kCmdAbout: {
            TAboutDlg about(this, app_.Texts());
            about.exec();
            break;
        }
        case kCmdExit:
            close();
            break;
        case kCmdBaudrate: {
            TSelBaudrate dialog(this, app_.Texts(), app_.baudRate);
            dialog.showMessage = app_.showMessage;
            if (dialog.exec() == QDialog::Accepted)
                ApplyBaudrate(dialog.Baud());
            break;
        }
        case kCmdAutoProg:
            ToggleAutoProg();
            break;
        case kCmdTransferMode:
            ToggleTransferMode();
            break;
        case kCmdPortAssignment:
            AssignPorts();
            break;
        case kCmdVerify:
            ToggleVerify();
            break;
        case kCmdLanguage: {
            TLanguage dialog(this, app_.Texts(), app_.Language());
            if (dialog.exec() == QDialog::Accepted)
                ApplyLanguage(dialog.Language());
            break;
        }
        default:
            break;
    }
    UpdateCommands();
}

void TFrameWin::TogglePort(int port) {
    if (port < 1 || port > kMaxPorts)
        return;
    if (client_->Panel(port) != nullptr) {
        if (!client_->ClosePanel(port)) {
            app_.showMessage(app_.Text(kTextBusy), app_.Text(kTextError));
            return;
        }
        app_.selected[port] = false;
    } else {
        client_->OpenPanel(port);
        app_.selected[port] = true;
    }
    UpdateCheckMarks();
    Relayout();
    app_.SavePorts(port);
}

void TFrameWin::ApplyBaudrate(int32_t baud) {
    app_.baudRate = baud;
    for (int port = 1; port <= kMaxPorts; ++port)
        if (TSPDlg* panel = client_->Panel(port))
            panel->Reopen(baud);
    app_.SaveBaudrate();
}

void TFrameWin::AssignPorts() {
    int first = 1;
    while (first < kMaxPorts && !app_.selected[first])
        ++first;
    TPortAssignDlg dialog(this, app_.Texts(), kMaxPorts, first, devices);
    dialog.exec();
    // A panel whose number now names another device finds its radio there.
    for (int port : dialog.Changed())
        if (TSPDlg* panel = client_->Panel(port))
            panel->Reopen(app_.baudRate);
    UpdatePortItems();
}

void TFrameWin::ToggleAutoProg() {
    app_.SetAutoProg(!app_.AutoProg());
    UpdateCheckMarks();
    app_.SaveAutoProg();
}

// Taken by each panel when its next programming run starts.
void TFrameWin::ToggleVerify() {
    app_.SetVerify(!app_.Verify());
    UpdateCheckMarks();
    app_.SaveVerify();
}

void TFrameWin::ToggleTransferMode() {
    app_.Image().SetTransferMode(!app_.Image().TransferMode());
    UpdateCheckMarks();
    UpdateTitle();
}

void TFrameWin::ApplyLanguage(int language) {
    if (language == app_.Language())
        return;
    const std::string failed = app_.ChangeLanguage(language);
    FollowLanguageWithQt(app_.Language());
    if (!failed.empty() && !app_.AutoMode())
        app_.showMessage(ReplaceName(app_.Text(kTextLanguageFailed), failed),
                         app_.Text(kTextError));
    LoadMenu();
    client_->RefreshTexts();
    UpdateCheckMarks();
    UpdateCount();
}

void TFrameWin::LoadFile() {
    SoftwareImage& image = app_.Image();
    if (client_->AnyBusy()) {
        if (!app_.AutoMode())
            app_.showMessage(app_.Text(kTextBusy), app_.Text(kTextError));
        return;
    }
    if (app_.AutoMode() && image.IsLoaded())
        return;
    std::string path;
    if (!app_.pendingFile.empty()) {
        path = app_.pendingFile;
        app_.pendingFile.clear();
    } else if (app_.askOpenFile) {
        path = app_.askOpenFile(app_.Text(kTextOpenTitle));
    }
    if (path.empty())
        return;
    if (!Succeeded(image.LoadSoftwareFile(path))) {
        // A file the system would not open is named with the system's reason.
        loadFailure_ = app_.Text(kTextLoadFailed);
        if (image.LastOpenError() != 0)
            loadFailure_ += " (" + path + ": " + std::strerror(image.LastOpenError()) + ")";
        // A malformed one with the line to look at and what is wrong there.
        const std::string where = FormatErrorText(app_.Texts(), image.LastFormatError());
        if (app_.AutoMode()) {
            if (!where.empty())
                std::fprintf(stderr, "solvi: %s: %s\n", path.c_str(), where.c_str());
            QMetaObject::invokeMethod(
                this, [this] { ExitRequest(kAutoFileFailure); }, Qt::QueuedConnection);
        } else {
            app_.showMessage(
                where.empty() ? loadFailure_ : loadFailure_ + "\n" + path + "\n" + where,
                app_.Text(kTextError));
        }
    }
    UpdateTitle();
    UpdateCommands();
}

void TFrameWin::Relayout() {
    const QSize screen = ScreenSize();
    layout_ = client_->Layout(screen.width(), screen.height());
    const int menuHeight = menuBar() != nullptr ? menuBar()->sizeHint().height() : 0;
    setFixedSize(layout_.ClientWidth(),
                 layout_.ClientHeight() + menuHeight + statusBar()->sizeHint().height());
    move(layout_.frame.x, layout_.frame.y);
    UpdateTitle();
}

void TFrameWin::UpdateTitle() {
    const SoftwareImage& image = app_.Image();
    auto software = image.Current();
    const bool single = layout_.singlePortLayout;
    // A file without a header is named in words, as a radio without software is.
    const std::string version = !software                     ? std::string()
                                : software->Version().Blank() ? app_.Text(kTextBlank)
                                                              : software->VersionText();
    setWindowTitle(QString::fromStdString(
        FrameTitle(TApp::kProgramName, software != nullptr, single, layout_.singlePort,
                   software ? software->FileName() : std::string(), version)));
    if (TVerDlg* versions = client_->VersionPanel()) {
        if (software)
            versions->SetFileLines(version, software->Version().text);
        else
            versions->SetFileLines({}, {});
    }
}

void TFrameWin::ShowRadioLines(int port, const std::string& version,
                               const std::string& description) {
    if (app_.AutoMode() && port == app_.autoPort && !version.empty())
        autoRadioVersion_ = version;
    client_->ShowRadioLines(port, version, description);
}

void TFrameWin::ProgrammingEnded(const ProgrammingOutcome& outcome) {
    if (app_.AutoMode() && outcome.port == app_.autoPort)
        autoOutcome_ = outcome;
    const LogAppend appended = tally_.Record(outcome, app_.Texts());
    UpdateCount();
    // Whether the database took the record is told later, when it is known.
    if (Succeeded(appended.status)) {
        logWarning_->SetFullText({});
        return;
    }
    // The radio is programmed all the same; only its record is missing.
    const std::string warning =
        ReplaceName(app_.Text(kTextLogFailed), tally_.LogPath() + ": " + appended.reason);
    if (app_.AutoMode()) {
        std::fprintf(stderr, "solvi: %s\n", warning.c_str());
    } else {
        logWarning_->SetFullText(QString::fromStdString(warning));
    }
}

QString TFrameWin::CountText() const {
    return count_->text();
}

QString TFrameWin::LogWarning() const {
    return logWarning_->FullText();
}

void TFrameWin::UpdateCount() {
    std::string text = ReplaceName(app_.Text(kTextCount), std::to_string(tally_.Programmed()));
    count_->setText(QString::fromStdString(ReplaceName(text, std::to_string(tally_.Failed()))));
}

void TFrameWin::PrintAutoResult() {
    if (!app_.AutoMode() || resultPrinted_)
        return;
    resultPrinted_ = true;
    std::string before = autoRadioVersion_;
    std::string after = exitCode_ == kAutoProgrammed ? before : std::string();
    if (autoOutcome_) {
        before = autoOutcome_->softwareBefore;
        after = autoOutcome_->softwareAfter;
    }
    printResult(AutoResultLine(app_.autoPort, before, after, autoReport_,
                               SteadyClock::Instance().TickCount() - startTick_));
}

void TFrameWin::ExitRequest(int code) {
    if (app_.AutoMode()) {
        // The report the program ends with, as the panel shows it now.
        if (code == kAutoFileFailure) {
            autoReport_ = loadFailure_;
        } else if (TSPDlg* panel = client_->Panel(app_.autoPort)) {
            autoReport_ = panel->StatusText().toStdString();
            for (char& c : autoReport_)
                if (c == '\n')
                    c = ' ';
        }
    }
    app_.Flags().closing.store(true);
    exitCode_ = code;
    closeTimer_.start(kCloseFirstMs);
    UpdateCommands();
}

void TFrameWin::OnCloseTimer() {
    closeTimer_.stop();
    bool busy = false;
    for (int port = 1; port <= kMaxPorts; ++port) {
        TSPDlg* panel = client_->Panel(port);
        if (panel == nullptr)
            continue;
        if (panel->Busy() || !client_->ClosePanel(port))
            busy = true;
        else
            app_.selected[port] = false;
    }
    if (busy) {
        closeTimer_.start(kCloseAgainMs);
    } else {
        PrintAutoResult();
        quit(exitCode_);
    }
}

void TFrameWin::closeEvent(QCloseEvent* event) {
    if (app_.AutoMode()) {
        if (client_->AnyBusy())
            event->ignore();
        else
            event->accept();
        return;
    }
    // From the moment the user asks to go no panel takes on another radio, and the closing
    // sequence ends the program once the radios under way are done. The window stays until
    // then: a panel may have begun a radio between a look at it and its end.
    event->ignore();
    if (!Closing())
        ExitRequest(0);
    if (client_->AnyBusy())
        app_.showMessage(app_.Text(kTextBusy), app_.Text(kTextError));
}

}  // namespace norda::solvi
