// Giving a port number to a serial adapter through "Port Eşleştirme": the panel of that
// number then finds the radio on the adapter.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>

#include "solvi/app/TClientWin.h"
#include "tests/solvi_app/SolviAppRig.h"
#include "ui/TPortAssignDlg.h"

namespace norda {
namespace {

namespace fs = std::filesystem;

sim::RadioConfig FastRadio() {
    sim::RadioConfig config;
    config.baud = 115200;
    return config;
}

// A "&Seri Çıkışlar" item: "Com2", or "Com2" and the device after a tab.
QString ItemText(TFrameWin& frame, int port) {
    const QString name = QString("Com%1").arg(port);
    for (QAction* menu : frame.menuBar()->actions())
        if (menu->menu() != nullptr)
            for (QAction* a : menu->menu()->actions())
                if (a->text() == name || a->text().startsWith(name + '\t'))
                    return a->text();
    return {};
}

TEST(SolviPortAssign, AnAdapterGivenANumberWithAClickServesThatPortsPanel) {
    test::EnsureApplication();
    test::TestHome home;
    // The radio's terminal plays a USB adapter known by its maker's name.
    fs::create_directories(home.Path("sim"));
    test::RadioRig radios(home.Path("sim"), {9}, FastRadio());
    ASSERT_TRUE(radios.Ok());
    const fs::path dev = home.Path("dev");
    fs::create_directories(dev / "serial/by-id");
    fs::create_symlink(fs::read_symlink(home.Path("sim") + "/com9"),
                       dev / "serial/by-id/usb-Acme Radio Cable-if00");
    std::ofstream(dev / "ttyUSB0") << "";  // an adapter this user may not open
    fs::create_symlink(dev / "serial/by-id/usb-Gone-if00", home.Ports() + "/com5");

    std::vector<test::Message> messages;
    auto app = test::MakeApp({}, test::Ports({2, 5}), home.Registry(), &messages);
    app->Initialise();
    app->baudRate = 115200;
    app->pendingFile = home.Write("NORDA52.hex", test::SoftwareFile(3, 9, "Tek telsiz"));
    TFrameWin frame(*app);
    frame.quit = [](int) {};
    frame.devices.dev = dev.string();
    frame.devices.sysTty = home.Path("sys");
    frame.devices.mayOpen = [](const std::string& node) {
        return node.find("ttyUSB0") == std::string::npos;
    };
    frame.SetupWindow();
    TSPDlg* panel = frame.Client()->Panel(2);
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(test::WaitFor([&] { return panel->StatusId() == 625; }));
    EXPECT_EQ(ItemText(frame, 2), "Com2");
    EXPECT_EQ(ItemText(frame, 5), "Com5\tusb-Gone-if00 (takılı değil)");

    QString accessCell;
    QString hint;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TPortAssignDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTableWidget* table = dialog->Table();
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 1)->text().endsWith("ttyUSB0"))
                accessCell = table->item(row, 4)->text();
            if (table->item(row, 2)->text() == "usb-Acme Radio Cable-if00")
                table->setCurrentCell(row, 0);
        }
        hint = dialog->Hint()->text();
        dialog->Number()->setValue(2);
        dialog->AssignButton()->click();
        dialog->accept();
    });
    frame.Command(kCmdPortAssignment);

    EXPECT_EQ(accessCell, "izin yok");
    EXPECT_TRUE(hint.startsWith(QString::fromStdString((dev / "ttyUSB0").string()) +
                                " aygıtına erişim izni yok"))
        << hint.toStdString();
    EXPECT_EQ(fs::read_symlink(home.Ports() + "/com2"),
              dev / "serial/by-id/usb-Acme Radio Cable-if00");
    EXPECT_EQ(ItemText(frame, 2),
              "Com2\t" + QString::fromStdString(fs::read_symlink(home.Path("sim") + "/com9")) +
                  " (usb-Acme Radio Cable-if00)");
    // The panel opened its port anew and meets the radio there.
    ASSERT_TRUE(test::WaitFor([&] {
        return panel->StatusText() == "Com2 - Cihaz yazılımı farklı";
    })) << panel->StatusText().toStdString();
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace norda
