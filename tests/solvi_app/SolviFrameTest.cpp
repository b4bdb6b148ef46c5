#include <gtest/gtest.h>
#include <cerrno>
#include <cstring>

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include "resources/SolviControlIds.h"
#include "solvi/app/SolviDialogs.h"
#include "solvi/app/TCGauge.h"
#include "solvi/app/TClientWin.h"
#include "solvi/app/TVerDlg.h"
#include "tests/solvi_app/SolviAppRig.h"
#include "tests/support/FramedShot.h"
#include "tests/support/ModalScript.h"

namespace norda::solvi {
namespace {

using test::Message;

class SolviFrameTest : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }

    // The frame as the program builds it, after TApp's start-up.
    void Start(const CommandLine& line, const PortFlags& available,
               std::string programDir = std::string()) {
        app_ = test::MakeApp(line, available, home_.Registry(), &messages_, programDir);
        app_->Initialise();
        Frame();
    }
    void Frame() {
        frame_ = std::make_unique<TFrameWin>(*app_);
        frame_->quit = [this](int code) { quitCode_ = code; };
        frame_->SetupWindow();
    }
    void TearDown() override {
        frame_.reset();
        app_.reset();
    }
    std::vector<int> PanelPorts() const {
        std::vector<int> ports;
        for (int p = 1; p <= kMaxPorts; ++p)
            if (frame_->Client()->Panel(p) != nullptr)
                ports.push_back(p);
        return ports;
    }
    QStringList MenuTitles() const {
        QStringList titles;
        for (QAction* a : frame_->menuBar()->actions())
            titles << a->text();
        return titles;
    }
    uint32_t Stored(const std::string& name) {
        uint32_t v = 0xDEAD;
        RegistryStore(home_.Registry()).QueryDword(TApp::kRegistryKey, name, &v);
        return v;
    }

    test::TestHome home_;
    std::vector<Message> messages_;
    std::unique_ptr<TApp> app_;
    std::unique_ptr<TFrameWin> frame_;
    int quitCode_ = 12345;
};

TEST_F(SolviFrameTest, FirstStartOpensAPanelOnEveryAvailablePort) {
    Start({}, test::Ports({2, 3, 9}));
    EXPECT_EQ(PanelPorts(), (std::vector<int>{2, 3, 9}));
    EXPECT_EQ(app_->baudRate, 9600);
    EXPECT_FALSE(app_->AutoProg());
    EXPECT_TRUE(frame_->CommandChecked(402));
    EXPECT_TRUE(frame_->CommandChecked(409));
    EXPECT_FALSE(frame_->CommandChecked(401));
    // Three panels: two columns, no version panel.
    EXPECT_EQ(frame_->LastLayout().frame.w, 640);
    EXPECT_EQ(frame_->LastLayout().frame.h, 140);
    EXPECT_EQ(frame_->Client()->width(), 634);
    EXPECT_EQ(frame_->Client()->height(), 96);
    EXPECT_EQ(frame_->Client()->VersionPanel(), nullptr);
    EXPECT_EQ(frame_->windowTitle(), "SOLVI");
    EXPECT_EQ(MenuTitles(), (QStringList{"&Dosya", "&Seçenekler", "&Seri Çıkışlar"}));
    // The keys were made; nothing is written before the user changes something.
    EXPECT_TRUE(RegistryStore(home_.Registry()).KeyExists("SOFTWARE\\ZEMTAR\\NORDA\\SOLVI"));
    EXPECT_EQ(Stored("Port2"), 0xDEADu);
    // No device behind the ports: each panel reports its port as unusable, and why.
    ASSERT_TRUE(test::WaitFor([&] { return frame_->Client()->Panel(3)->StatusId() == 625; }));
    ASSERT_TRUE(test::WaitFor([&] {
        return frame_->Client()->Panel(3)->StatusText().startsWith(
            "Com3 - Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin. (/dev/ttyS2: ");
    })) << frame_->Client()->Panel(3)->StatusText().toStdString();
}

TEST_F(SolviFrameTest, DeselectingTheLastButOnePortSwitchesToTheSinglePortLayout) {
    Start({}, test::Ports({1, 4}));
    ASSERT_EQ(PanelPorts().size(), 2u);
    ASSERT_TRUE(test::WaitFor(
        [&] { return frame_->Client()->Panel(4)->StatusText().startsWith("Com4 - Seri çıkış"); }));
    frame_->Command(401);
    EXPECT_EQ(PanelPorts(), (std::vector<int>{4}));
    EXPECT_FALSE(frame_->CommandChecked(401));
    EXPECT_EQ(Stored("Port1"), 0u);
    EXPECT_TRUE(app_->Flags().singlePortLayout.load());
    ASSERT_NE(frame_->Client()->VersionPanel(), nullptr);
    EXPECT_EQ(frame_->Client()->VersionPanel()->geometry(), QRect(0, 48, 317, 160));
    EXPECT_EQ(frame_->Client()->VersionPanel()->FileLabel(), "Dosya Sürümü\t\t:");
    EXPECT_EQ(frame_->Client()->width(), 317);
    EXPECT_EQ(frame_->Client()->height(), 208);
    EXPECT_EQ(frame_->windowTitle(), "SOLVI - Com4");
    // The port now stands in the title, not in the status line.
    EXPECT_TRUE(frame_->Client()->Panel(4)->StatusText().startsWith(
        "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin. (/dev/ttyS3: "));

    // And back: the version panel goes again.
    frame_->Command(401);
    EXPECT_EQ(PanelPorts(), (std::vector<int>{1, 4}));
    EXPECT_EQ(Stored("Port1"), 1u);
    EXPECT_EQ(frame_->Client()->VersionPanel(), nullptr);
    EXPECT_FALSE(app_->Flags().singlePortLayout.load());
    EXPECT_TRUE(frame_->Client()->Panel(4)->StatusText().startsWith("Com4 - "));
}

TEST_F(SolviFrameTest, SettingsAreWrittenAndReadBackAtTheNextStart) {
    Start({}, test::Ports({1, 2, 3}));
    frame_->Command(402);  // off
    frame_->ToggleAutoProg();
    frame_->Command(kCmdVerify);
    frame_->ApplyBaudrate(38400);
    EXPECT_TRUE(frame_->CommandChecked(418));
    EXPECT_TRUE(frame_->CommandChecked(kCmdVerify));
    EXPECT_TRUE(app_->Flags().verify.load());
    EXPECT_EQ(Stored("Port2"), 0u);
    EXPECT_EQ(Stored("AutoProg"), 1u);
    EXPECT_EQ(Stored("Verify"), 1u);
    EXPECT_EQ(Stored("Baudrate"), 38400u);
    frame_.reset();

    // Every port's choice is kept, not only the toggled one's.
    Start({}, test::Ports({1, 2, 3}));
    EXPECT_EQ(PanelPorts(), (std::vector<int>{1, 3}));
    EXPECT_TRUE(app_->AutoProg());
    EXPECT_TRUE(app_->Verify());
    EXPECT_EQ(app_->baudRate, 38400);
    EXPECT_TRUE(frame_->CommandChecked(418));
    EXPECT_TRUE(frame_->CommandChecked(kCmdVerify));
    EXPECT_TRUE(frame_->CommandChecked(403));
    EXPECT_FALSE(frame_->CommandChecked(402));

    // A selected port that is no longer there gets no panel, and keeps its choice for when
    // its adapter is back.
    frame_.reset();
    Start({}, test::Ports({1, 2}));
    EXPECT_EQ(PanelPorts(), (std::vector<int>{1}));
    frame_->Command(402);
    EXPECT_EQ(Stored("Port2"), 1u);
    EXPECT_EQ(Stored("Port3"), 1u);
}

// The bench's own words: on a first start every port has a panel; Com1 unticked and ticked
// again, the next start still shows every port.
TEST_F(SolviFrameTest, TogglingOnePortKeepsEveryPortsChoice) {
    Start({}, test::Ports({1, 2, 3}));
    frame_->Command(401);
    frame_->Command(401);
    EXPECT_EQ(PanelPorts(), (std::vector<int>{1, 2, 3}));
    frame_.reset();
    Start({}, test::Ports({1, 2, 3}));
    EXPECT_EQ(PanelPorts(), (std::vector<int>{1, 2, 3}));
}

TEST_F(SolviFrameTest, AutomaticModeNeitherReadsNorWritesTheRegistry) {
    RegistryStore store(home_.Registry());
    store.CreateKey(TApp::kRegistryKey);
    store.SetDword(TApp::kRegistryKey, "CountryCode", 9);
    store.SetDword(TApp::kRegistryKey, "Port1", 1);
    store.SetDword(TApp::kRegistryKey, "AutoProg", 0);
    store.SetDword(TApp::kRegistryKey, "Verify", 1);
    const std::string file = home_.Write("sw.hex", test::SoftwareFile(1, 1, "x"));
    Start(ParseCommandLine({"-auto", "2", "19200", file}), test::Ports({1, 2}));
    EXPECT_FALSE(app_->Verify());
    EXPECT_EQ(app_->Language(), 90);
    EXPECT_EQ(PanelPorts(), (std::vector<int>{2}));
    EXPECT_EQ(app_->baudRate, 19200);
    EXPECT_TRUE(app_->AutoProg());
    EXPECT_TRUE(app_->Image().IsLoaded());
    // Only the language is offered; the file is loaded already.
    EXPECT_FALSE(frame_->CommandEnabled(401));
    EXPECT_FALSE(frame_->CommandEnabled(418));
    EXPECT_FALSE(frame_->CommandEnabled(kCmdVerify));
    EXPECT_FALSE(frame_->CommandEnabled(417));
    EXPECT_FALSE(frame_->CommandEnabled(24332));
    EXPECT_TRUE(frame_->CommandEnabled(551));
    frame_->ApplyBaudrate(4800);
    frame_->ApplyLanguage(9);
    EXPECT_EQ(Stored("Baudrate"), 0xDEADu);
    EXPECT_EQ(Stored("CountryCode"), 9u);
    EXPECT_EQ(Stored("AutoProg"), 0u);

    frame_.reset();
    store.SetDword(TApp::kRegistryKey, "Verify", 0);
    Start(ParseCommandLine({"-auto", "2", "19200", file, "-verify"}), test::Ports({1, 2}));
    EXPECT_TRUE(app_->Verify());
    EXPECT_EQ(Stored("Verify"), 0u);
}

// A speed of 0 was taken, stored and then never reached a port, as the panels read 0 as
// "no new speed". No port runs outside 300..115200, so the dialog says so and stays open.
TEST_F(SolviFrameTest, SpeedDialogRefusesSpeedsNoPortRunsAt) {
    Start({}, test::Ports({1}));
    for (const char* typed : {"0", "299", "115201", "abc"}) {
        TSelBaudrate dialog(frame_.get(), app_->Texts(), 9600);
        dialog.showMessage = app_->showMessage;
        qobject_cast<QLineEdit*>(dialog.Control(BaudrateIds::kSpeed))->setText(typed);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << typed;
        ASSERT_EQ(messages_.size(), 1u) << typed;
        EXPECT_EQ(messages_[0].text, "Hız 300 ile 115200 arasında olmalıdır.");
        EXPECT_EQ(messages_[0].caption, "HATA");
        messages_.clear();
    }
    TSelBaudrate dialog(frame_.get(), app_->Texts(), 9600);
    dialog.showMessage = app_->showMessage;
    qobject_cast<QLineEdit*>(dialog.Control(BaudrateIds::kSpeed))->setText("57600");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Baud(), 57600);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SolviFrameTest, LanguageSwitchReloadsMenuPanelsAndVersionPanel) {
    Start({}, test::Ports({5}));
    ASSERT_NE(frame_->Client()->VersionPanel(), nullptr);
    frame_->ApplyLanguage(9);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(app_->Language(), 9);
    EXPECT_FALSE(app_->Texts().IsBuiltIn());
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Options", "Serial &Ports"}));
    EXPECT_TRUE(frame_->CommandChecked(405));
    EXPECT_EQ(frame_->Client()->Panel(5)->ProgramButton()->text(), "Program");
    EXPECT_EQ(frame_->Client()->VersionPanel()->FileLabel(), "File Version\t\t:");
    EXPECT_EQ(Stored("CountryCode"), 9u);
    ASSERT_TRUE(test::WaitFor([&] { return frame_->Client()->Panel(5)->StatusId() == 625; }));
    frame_->Client()->RefreshTexts();
    EXPECT_TRUE(frame_->Client()->Panel(5)->StatusText().startsWith(
        "Wrong serial port number. Please choose another port. (/dev/ttyS4: "));

    // The next start comes up in English.
    frame_.reset();
    Start({}, test::Ports({5}));
    EXPECT_EQ(app_->Language(), 9);
    EXPECT_EQ(MenuTitles().front(), "&File");

    frame_->ApplyLanguage(90);
    EXPECT_TRUE(app_->Texts().IsBuiltIn());
    EXPECT_EQ(MenuTitles().front(), "&Dosya");
    EXPECT_EQ(Stored("CountryCode"), 90u);
}

TEST_F(SolviFrameTest, MissingLanguageLibraryFallsBackToTurkishWithAMessage) {
    test::TestHome elsewhere;  // a program folder without the library
    const std::string emptyDir = elsewhere.Ports();
    Start({}, test::Ports({5}), emptyDir);
    frame_->ApplyLanguage(9);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "SOLVI009.DLL dil dosyası yüklenemedi!");
    EXPECT_EQ(messages_[0].caption, "HATA");
    EXPECT_EQ(app_->Language(), 90);
    EXPECT_EQ(Stored("CountryCode"), 90u);
    EXPECT_EQ(MenuTitles().front(), "&Dosya");

    // At start the same failure is silent.
    RegistryStore(home_.Registry()).SetDword(TApp::kRegistryKey, "CountryCode", 9);
    frame_.reset();
    messages_.clear();
    Start({}, test::Ports({5}), emptyDir);
    EXPECT_EQ(app_->Language(), 90);
    EXPECT_TRUE(messages_.empty());
}

// A message box is the program's text on Qt's box: its button speaks the program's
// language too, and changes with it. With NORDA_SCREENSHOT_DIR set the test leaves the
// boxes' pictures there for the README.
TEST_F(SolviFrameTest, MessageBoxesAnswerInTheProgramsLanguage) {
    Start({}, test::Ports({3}));
    frame_->show();
    app_->showMessage = ShowMessageBox;
    const std::string bad = home_.Write("bad.hex", "S1 junk\r\n");
    app_->askOpenFile = [&](const std::string&) { return bad; };
    auto failedLoad = [&](const QString& language) {
        QStringList seen;
        norda::test::ModalScript script({
            {[](QWidget& w) { return qobject_cast<QMessageBox*>(&w) != nullptr; },
             [&](QWidget& w) {
                 auto& box = static_cast<QMessageBox&>(w);
                 // The message's first line; the lines after it name the file and its fault.
                 seen << box.windowTitle() << box.text().section('\n', 0, 0)
                      << norda::test::ButtonTexts(box);
                 EXPECT_TRUE(norda::test::ShootWhenAsked(box, "solvi-message_" + language));
                 box.accept();
             }},
        });
        frame_->Command(kCmdOpen);
        EXPECT_TRUE(script.Done());
        return seen;
    };
    EXPECT_EQ(failedLoad("tr"), (QStringList{"HATA", "Hex yazılım dosyası hatalı!", "Tamam"}));
    frame_->ApplyLanguage(TApp::kEnglish);
    EXPECT_EQ(failedLoad("en"), (QStringList{"ERROR", "The hex software file is faulty!", "OK"}));
}

TEST_F(SolviFrameTest, ExitRequestClosesIdlePanelsAndQuitsWithTheLastCode) {
    Start({}, test::Ports({1, 2}));
    frame_->ExitRequest(-3);
    frame_->ExitRequest(-1);  // replaces the code and restarts the short timer
    EXPECT_TRUE(frame_->Closing());
    EXPECT_EQ(frame_->CloseTimerInterval(), 100);
    EXPECT_FALSE(frame_->CommandEnabled(551));
    EXPECT_FALSE(frame_->CommandEnabled(24332));
    ASSERT_TRUE(test::WaitFor([&] { return quitCode_ != 12345; }));
    EXPECT_EQ(quitCode_, -1);
    EXPECT_TRUE(PanelPorts().empty());
    // Closing does not count as deselecting.
    EXPECT_EQ(Stored("Port1"), 0xDEADu);
}

TEST_F(SolviFrameTest, FailedLoadShowsTheMessageAndKeepsTheTitleWithoutAFile) {
    Start({}, test::Ports({3}));
    const std::string good = home_.Write("GOOD.hex", test::SoftwareFile(2, 3, "İyi yazılım"));
    const std::string bad = home_.Write("bad.hex", "S1 junk\r\n");
    app_->askOpenFile = [&](const std::string& title) {
        EXPECT_EQ(title, "Dosya Aç");
        return good;
    };
    frame_->Command(24332);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(frame_->windowTitle(), "SOLVI - Com3 - GOOD");
    EXPECT_EQ(frame_->Client()->VersionPanel()->FileVersion(), "ABC 5.01 N 07.03.2002");
    EXPECT_EQ(frame_->Client()->VersionPanel()->FileDescription(), "İyi yazılım");

    frame_->ToggleTransferMode();
    EXPECT_TRUE(frame_->CommandChecked(419));
    EXPECT_EQ(frame_->Client()->VersionPanel()->FileVersion(), "ABC 5.01 D 07.03.2002");

    app_->askOpenFile = [&](const std::string&) { return bad; };
    frame_->Command(24332);
    ASSERT_EQ(messages_.size(), 1u);
    // The line to look at, and what is wrong there.
    EXPECT_EQ(messages_[0].text, "Hex yazılım dosyası hatalı!\n" + bad +
                                     "\nSatır 1: Dosya bir S0 başlık kaydıyla başlamıyor.");
    EXPECT_EQ(messages_[0].caption, "HATA");
    EXPECT_EQ(frame_->windowTitle(), "SOLVI - Com3");
    EXPECT_EQ(frame_->Client()->VersionPanel()->FileVersion(), "");
    // A file the system cannot open is named, with the system's reason.
    const std::string gone = home_.Path("gone.hex");
    app_->askOpenFile = [&](const std::string&) { return gone; };
    frame_->Command(24332);
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[1].text,
              "Hex yazılım dosyası hatalı! (" + gone + ": " + std::strerror(ENOENT) + ")");

    // Cancelling the dialog changes nothing.
    app_->askOpenFile = [&](const std::string&) { return std::string(); };
    frame_->Command(24332);
    EXPECT_EQ(messages_.size(), 2u);
}

}  // namespace
}  // namespace norda::solvi
