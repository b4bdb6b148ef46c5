#include "solvi/app/SolviMain.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/SolviResources.h"
#include "solvi/app/SolviDialogs.h"
#include "solvi/app/TApp.h"
#include "solvi/app/TFrameWin.h"
#include "solvi/core/FlashSession.h"
#include "solvi/core/ProductionTally.h"

namespace norda::solvi {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

QtMessageHandler g_previousHandler = nullptr;
// What Qt said while the display was being reached, passed on once it was.
std::vector<std::pair<QtMsgType, QString>> g_heldMessages;

void PassOn(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (g_previousHandler != nullptr)
        g_previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Qt gives up on a display it cannot reach with a few lines and an abort; the window
// program ends as it does without any display, with one line.
void DisplayLost(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        g_heldMessages.emplace_back(type, message);
        return;
    }
    std::fputs("solvi: no display could be reached, so the window cannot be shown\n", stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

int RunApp(const CommandLine& commandLine, const PortFlags& available) {
    auto registry = std::make_unique<RegistryStore>(RegistryStore::DefaultRoot());
    TApp app(commandLine, available, std::move(registry),
             QCoreApplication::applicationDirPath().toStdString());
    app.showMessage = ShowMessageBox;
    app.askOpenFile = AskSoftwareFile;
    app.Initialise();

    std::unique_ptr<TSplashWin> splash;
    if (!app.AutoMode()) {
        splash = std::make_unique<TSplashWin>(app.Texts());
        splash->show();
        QCoreApplication::processEvents();
    }
    TFrameWin frame(app);
    frame.show();
    frame.SetupWindow();
    splash.reset();
    return QApplication::exec();
}

}  // namespace

bool PrepareDisplay(bool autoMode, std::FILE* err) {
    // Whoever names a platform knows what they want.
    if (Set("QT_QPA_PLATFORM"))
        return true;
    const bool x11 = Set("DISPLAY");
    const bool wayland = Set("WAYLAND_DISPLAY");
    if (!autoMode) {
        if (x11 || wayland)
            return true;
        std::fputs(
            "solvi: no display to show the window on (neither DISPLAY nor "
            "WAYLAND_DISPLAY is set); solvi -auto programs without one\n",
            err);
        return false;
    }
    // Qt tries the platforms in turn; the offscreen one, last, needs no display at all, so
    // a display that has gone away does not stop a run either.
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool waylandFirst =
        wayland && session != nullptr && std::string_view(session) == "wayland";
    std::string platforms = waylandFirst ? "wayland;" : "";
    if (x11)
        platforms += "xcb;";
    if (wayland && !waylandFirst)
        platforms += "wayland;";
    platforms += "offscreen";
    setenv("QT_QPA_PLATFORM", platforms.c_str(), 1);
    return true;
}

void CatchLostDisplay(bool on) {
    if (on) {
        g_previousHandler = qInstallMessageHandler(DisplayLost);
        return;
    }
    qInstallMessageHandler(g_previousHandler);
    for (const auto& [type, message] : g_heldMessages)
        PassOn(type, QMessageLogContext(), message);
    g_heldMessages.clear();
}

int SolviMain(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLine commandLine = ParseCommandLine(args);
    try {
        std::string failure;
        const PortFlags available =
            commandLine.autoMode ? ProbePorts(commandLine.autoPort, &failure) : ProbePorts();
        if (commandLine.autoMode) {
            const int port = commandLine.autoPort;
            if (port < 1 || port > kMaxPorts || !available[port]) {
                const auto texts = ResourceModule::BuiltIn(SolviBuiltinResources());
                // As the panel says it: a port held by another program is no wrong number.
                std::string report = ReportText(*texts, FlashSession::kTextPortFailure);
                if (!failure.empty())
                    report += " (" + failure + ")";
                const std::string line = AutoResultLine(port, {}, {}, report, 0);
                std::printf("%s\n", line.c_str());
                return -1;
            }
        }
        bool any = false;
        for (int port = 1; port <= kMaxPorts; ++port)
            any = any || available[port];
        if (!any) {
            QMessageBox::warning(
                nullptr, QStringLiteral("ERROR"),
                QStringLiteral("There is no available serial port on the computer!"));
            return -1;
        }
        return RunApp(commandLine, available);
    } catch (const std::exception& e) {
        // Unattended, a message box would wait for a click that never comes.
        if (commandLine.autoMode)
            std::fprintf(stderr, "solvi: %s\n", e.what());
        else
            QMessageBox::critical(nullptr, QStringLiteral("Exception"),
                                  QString::fromUtf8(e.what()));
        return -1;
    }
}

}  // namespace norda::solvi
