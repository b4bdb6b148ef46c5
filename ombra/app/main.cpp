#include <clocale>
#include <cstdio>

#include <QApplication>
#include <QTimer>

#include "ombra/app/ProgramSetup.h"
#include "ombra/app/TApp.h"
#include "ombra/app/TProgFrame.h"
#include "ombra/app/TQtHost.h"
#include "ombra/app/TSplash.h"
#include "platform/NordaVersion.h"

int main(int argc, char** argv) {
    // Answered before any window system is asked for, so they work on a bare console.
    const auto asked = norda::ombra::ParseCommandLine({argv + 1, argv + argc});
    if (asked.help) {
        std::fputs(norda::ombra::kOmbraUsage, stdout);
        return 0;
    }
    if (asked.version) {
        std::printf("ombra %s\n", norda::kVersion);
        return 0;
    }
    QApplication qapp(argc, argv);
    // Qt has given the C library the desktop's locale; numbers keep their ".".
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QString::fromUtf8(norda::ombra::kApplicationName.data()));
    std::vector<std::string> args(argv + 1, argv + argc);
    norda::ombra::TApp app(QCoreApplication::applicationFilePath().toStdString(), args);
    app.ReadCommandLineAndCountry();
    norda::ombra::TSplash splash(app.Module(), app.CountryCode());
    splash.show();
    qapp.processEvents();
    app.ReadRest();

    norda::ombra::TQtHost client(app);
    norda::ombra::TProgFrame frame(app, client);
    client.SetFrame(&frame);
    norda::ombra::TProgramSetup setup(frame, client);
    frame.show();
    splash.close();
    // The port opens once the frame is up, so that its message has an owner.
    QTimer::singleShot(0, &frame, [&frame] { frame.SetupClient(); });
    if (const std::string& file = app.Switches().file; !file.empty())
        QTimer::singleShot(0, &frame, [&setup, file] { setup.OpenFile(file); });
    const int rc = qapp.exec();
    client.SetFrame(nullptr);
    return rc;
}
