// Giving a port number to a serial adapter through "Port Eşleştirme": the panel of that
// number then finds the radio on the adapter.

#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

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

namespace norda::solvi {
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
                accessCell = table->item(row, 2)->text();
            if (table->item(row, 3)->text() == "usb-Acme Radio Cable-if00")
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

// Pictures of the dialog for the documentation, in both languages, when asked for with
// NORDA_SCREENSHOT_DIR. The made-up bench goes to NORDA_SCREENSHOT_DEV and
// NORDA_SCREENSHOT_SYS when given (see the README: a private /dev shows real names).
TEST(SolviPortAssign, Screenshots) {
    const char* out = std::getenv("NORDA_SCREENSHOT_DIR");
    if (out == nullptr || *out == '\0')
        GTEST_SKIP() << "NORDA_SCREENSHOT_DIR not set";
    test::EnsureApplication();
    test::TestHome home;
    SerialDeviceTree tree;
    const char* dev = std::getenv("NORDA_SCREENSHOT_DEV");
    const char* sys = std::getenv("NORDA_SCREENSHOT_SYS");
    tree.dev = dev != nullptr ? dev : home.Path("dev");
    tree.sysTty = sys != nullptr ? sys : home.Path("sys");
    tree.mayOpen = [](const std::string& node) { return node.find("ttyS") == std::string::npos; };
    const fs::path d = tree.dev;
    fs::create_directories(d / "serial/by-id");
    fs::create_directories(d / "serial/by-path");
    fs::create_directories(fs::path(tree.sysTty) / "ttyS0");
    std::ofstream(fs::path(tree.sysTty) / "ttyS0/type") << "4\n";
    std::ofstream(d / "ttyS0") << "";
    if (const group* dialout = getgrnam("dialout")) {
        EXPECT_EQ(chown((d / "ttyS0").c_str(), 0, dialout->gr_gid), 0);
    }
    fs::permissions(d / "ttyS0", fs::perms::owner_read | fs::perms::owner_write |
                                     fs::perms::group_read | fs::perms::group_write);
    const char* names[] = {"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                           "usb-FTDI_FT232R_USB_UART_A7043QXC-if00-port0",
                           "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0", ""};
    for (int n = 0; n < 4; ++n) {
        const std::string node = "ttyUSB" + std::to_string(n);
        std::ofstream(d / node) << "";
        if (*names[n] != '\0')
            fs::create_symlink("../../" + node, d / "serial/by-id" / names[n]);
        fs::create_symlink("../../" + node,
                           d / "serial/by-path" /
                               ("pci-0000:00:14.0-usb-0:" + std::to_string(n + 1) + ":1.0-port0"));
    }
    fs::create_symlink(d / "serial/by-id" / names[0], home.Ports() + "/com1");
    fs::create_symlink(d / "serial/by-path/pci-0000:00:14.0-usb-0:4:1.0-port0",
                       home.Ports() + "/com2");
    fs::create_symlink(d / "serial/by-id/usb-FTDI_FT232R_USB_UART_A9K1L2M3-if00-port0",
                       home.Ports() + "/com5");

    std::vector<test::Message> messages;
    auto app = test::MakeApp({}, test::Ports({1}), home.Registry(), &messages);
    app->Initialise();
    for (int language : {90, 9}) {
        if (language != app->Language())
            app->ChangeLanguage(language);
        TPortAssignDlg dialog(nullptr, app->Texts(), kMaxPorts, 3, tree);
        dialog.Table()->setCurrentCell(2, 0);
        dialog.Number()->setValue(3);
        dialog.resize(900, 330);
        dialog.show();
        ASSERT_TRUE(test::WaitFor([&] { return dialog.isVisible(); }));
        QCoreApplication::processEvents();
        const QString name = language == 90 ? "port-assignment.png" : "port-assignment_en.png";
        EXPECT_TRUE(dialog.grab().save(QString(out) + "/" + name));
    }
}

}  // namespace
}  // namespace norda::solvi
