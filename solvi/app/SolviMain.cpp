#include "solvi/app/SolviMain.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "resources/SolviResources.h"
#include "solvi/app/SolviDialogs.h"
#include "solvi/app/TApp.h"
#include "solvi/app/TFrameWin.h"
#include "solvi/core/FlashSession.h"
#include "solvi/core/ProductionTally.h"

namespace norda::solvi {

namespace {

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

int SolviMain(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLine commandLine = ParseCommandLine(args);
    try {
        const PortFlags available =
            commandLine.autoMode ? ProbePorts(commandLine.autoPort) : ProbePorts();
        if (commandLine.autoMode) {
            const int port = commandLine.autoPort;
            if (port < 1 || port > kMaxPorts || !available[port]) {
                const auto texts = ResourceModule::BuiltIn(SolviBuiltinResources());
                const std::string line = AutoResultLine(
                    port, {}, {}, ReportText(*texts, FlashSession::kTextPortFailure), 0);
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
        QMessageBox::critical(nullptr, QStringLiteral("Exception"), QString::fromUtf8(e.what()));
        return -1;
    }
}

}  // namespace norda::solvi
