#include <gtest/gtest.h>

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>

#include "FakeClient.h"
#include "ombra/app/TProgFrame.h"
#include "ombra/app/TProgressWin.h"
#include "ombra/app/TSettingsDlgs.h"
#include "ombra/pages/ParamPages.h"
#include "ombra/pages/TMessageDlg.h"
#include "tests/support/FramedShot.h"
#include "tests/support/WholeProgram.h"

namespace norda::ombra {
namespace {

using norda::test::Framed;

// Writes the pictures of the README when NORDA_SCREENSHOT_DIR names a folder.
TEST(Screenshots, FrameDialogsAndWindows) {
    const QString dir = qEnvironmentVariable("NORDA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "NORDA_SCREENSHOT_DIR not set";
    QDir().mkpath(dir);
    TApp app(std::string(NORDA_LIBRARY_DIR) + "/ombra", {}, std::make_unique<test::NoIni>());
    app.ReadCommandLineAndCountry();
    app.ReadRest();
    FakeClient client;
    TProgFrame frame(app, client);
    RegisterParamPages(frame.Pages());
    frame.SetDocumentState(DocumentState::RadioData);
    frame.Pages().SetCurrentPage(kPageNoneShown);
    frame.OpenPage(1);
    frame.show();
    frame.statusBar()->showMessage(frame.Action(536)->statusTip());
    // The "Telsiz" menu open over the frame, as when its first item is highlighted.
    QMenu* radio = frame.menuBar()->actions().at(1)->menu();
    frame.UpdateCommandStates();
    const QPoint at =
        frame.menuBar()->actionGeometry(frame.menuBar()->actions().at(1)).bottomLeft();
    radio->popup(frame.mapToGlobal(at));
    radio->setActiveAction(frame.Action(536));
    QImage shot = frame.grab().toImage();
    {
        QPainter p(&shot);
        p.drawImage(at, radio->grab().toImage());
    }
    radio->hide();
    EXPECT_TRUE(Framed(frame, shot).save(dir + "/frame.png"));

    TMessageDlg msg(&frame, app.Module(), QString::fromStdString(app.Module().Text(604)),
                    QString::fromStdString(app.Module().Text(603)), 49);
    msg.show();
    EXPECT_TRUE(Framed(msg).save(dir + "/message.png"));

    TProgressWin progress(&frame, app.Module(), "Port 1", "Cihaz okunuyor ...");
    progress.SetProgress(7, 23);
    progress.show();
    EXPECT_TRUE(Framed(progress).save(dir + "/progress.png"));

    TMessageDlg status(&frame, app.Module(),
                       QString::fromStdString(CommunicationStatusText(app.Module(), 1, 1, false)),
                       QString(), 64);
    status.show();
    EXPECT_TRUE(Framed(status).save(dir + "/status.png"));

    int port = 1;
    int baud = 9600;
    TSelPort sel(&frame, app.Module(), port, baud);
    TDataDlg::SetExecuteHook([&](TDataDlg& dlg) {
        dlg.show();
        EXPECT_TRUE(Framed(dlg).save(dir + "/serial-port.png"));
        return 2;
    });
    sel.Execute();
    TDataDlg::SetExecuteHook(nullptr);
}

}  // namespace
}  // namespace norda::ombra
