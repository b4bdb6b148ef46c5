#include <gtest/gtest.h>
#include <cerrno>
#include <cstring>

#include <QCloseEvent>
#include <QDir>
#include <QPushButton>
#include <fstream>
#include <set>

#include "solvi/app/TCGauge.h"
#include "solvi/app/TClientWin.h"
#include "solvi/app/TVerDlg.h"
#include "tests/solvi_app/SolviAppRig.h"

namespace norda::solvi {
namespace {

using test::Message;

constexpr int kSameSoftware = 1009;
constexpr int32_t kFastLine = 115200;

sim::RadioConfig FastRadio() {
    sim::RadioConfig config;
    config.baud = kFastLine;
    config.eraseMs = 50;
    config.resetQuietMs = 100;
    return config;
}

// Screenshots for the documentation, when asked for with SOLVI_SCREENSHOT_DIR.
void Screenshot(QWidget& window, const char* name) {
    const char* dir = std::getenv("SOLVI_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
        return;
    QDir().mkpath(dir);
    EXPECT_TRUE(window.grab().save(QString(dir) + "/" + name));
}

bool FlashEqualsImage(sim::SimRadio& radio, const LoadedSoftware& software) {
    const auto& image = software.Bytes();
    const auto& flash = radio.Flash();
    for (uint32_t a = 0; a < LoadedSoftware::kFlashSize; ++a)
        if (flash.at(a) != image[a])
            return false;
    return true;
}

class SolviRadiosTest : public ::testing::Test {
  protected:
    void SetUp() override { test::EnsureApplication(); }
    void TearDown() override {
        frame_.reset();
        app_.reset();
    }
    void Start(const PortFlags& ports, bool autoProg, const std::string& file) {
        app_ = test::MakeApp({}, ports, home_.Registry(), &messages_);
        app_->Initialise();
        app_->baudRate = kFastLine;
        app_->SetAutoProg(autoProg);
        app_->pendingFile = file;
        frame_ = std::make_unique<TFrameWin>(*app_);
        frame_->quit = [](int) {};
        frame_->SetupWindow();
        frame_->show();
    }
    TSPDlg* Panel(int port) { return frame_->Client()->Panel(port); }
    // The production log the windows write, as the registry names it.
    void LogTo(const std::string& path) {
        RegistryStore registry(home_.Registry());
        ASSERT_EQ(registry.CreateKey(TApp::kRegistryKey), RegistryStore::kOk);
        ASSERT_EQ(registry.SetString(TApp::kRegistryKey, TApp::kLogFileValue, path),
                  RegistryStore::kOk);
    }

    test::TestHome home_;
    std::vector<Message> messages_;
    std::unique_ptr<TApp> app_;
    std::unique_ptr<TFrameWin> frame_;
};

TEST_F(SolviRadiosTest, FourRadiosAreFlashedAtOnce) {
    const std::vector<int> ports = {1, 2, 3, 4};
    test::RadioRig radios(home_.Ports(), ports, FastRadio());
    ASSERT_TRUE(radios.Ok());
    const std::string file = home_.Write("NORDA52.hex", test::SoftwareFile(12, 7, "Dört telsiz"));
    LogTo(home_.Path("hat/kayıt.csv"));
    Start(test::Ports({1, 2, 3, 4}), true, file);
    ASSERT_TRUE(app_->Image().IsLoaded());
    EXPECT_EQ(frame_->windowTitle(), "SOLVI - NORDA52 - ABC 5.01 N 07.03.2002");

    // Each radio first shows that it holds other software, is programmed, restarts and is
    // then found holding the file's software.
    ASSERT_TRUE(test::WaitFor([&] {
        for (int port : ports)
            if (Panel(port)->StatusId() != kSameSoftware || Panel(port)->Busy())
                return false;
        return true;
    }));
    // Let the last queued updates reach the widgets.
    ASSERT_TRUE(test::WaitFor([&] {
        for (int port : ports)
            if (Panel(port)->Gauge()->Value() != 100 ||
                Panel(port)->Gauge()->BarColor() != QColor(0, 255, 0) ||
                !Panel(port)->ProgramButton()->isEnabled() ||
                !Panel(port)->StatusText().endsWith("programlı"))
                return false;
        return true;
    }));
    for (int port : ports) {
        EXPECT_EQ(Panel(port)->StatusText(), QString("Com%1 - Cihaz programlı").arg(port));
        EXPECT_EQ(Panel(port)->Gauge()->Text(), "%100");
        EXPECT_EQ(Panel(port)->Gauge()->BackgroundColor(), QColor(0, 255, 0));
        EXPECT_TRUE(Panel(port)->ProgramButton()->isEnabled());
    }
    Screenshot(*frame_, "solvi-four-ports.png");
    auto software = app_->Image().Current();
    // One record per radio, although each was found up to date again and again since.
    ASSERT_TRUE(test::WaitFor([&] { return frame_->Tally().Programmed() == 4; }));
    EXPECT_EQ(frame_->CountText(), "Programlanan: 4, hatalı: 0");
    EXPECT_EQ(frame_->LogWarning(), "");
    std::ifstream log(home_.Path("hat/kayıt.csv"));
    std::vector<std::string> records;
    for (std::string line; std::getline(log, line);)
        records.push_back(line);
    ASSERT_EQ(records.size(), 5u);
    std::set<std::string> logged;
    for (size_t i = 1; i < records.size(); ++i) {
        std::vector<std::string> cells(1);
        for (char c : records[i]) {
            if (c == ',')
                cells.emplace_back();
            else
                cells.back().push_back(c);
        }
        ASSERT_EQ(cells.size(), 14u) << records[i];
        logged.insert(cells[3]);
        EXPECT_EQ(cells[10], software->VersionText());
        EXPECT_NE(cells[9], cells[10]);
        EXPECT_EQ(cells[12], "Cihaz programlandı.");
    }
    EXPECT_EQ(logged, (std::set<std::string>{"1", "2", "3", "4"}));

    frame_.reset();
    radios.Stop();
    for (size_t i = 0; i < ports.size(); ++i) {
        EXPECT_TRUE(FlashEqualsImage(radios.Radio(i), *software)) << "radio on Com" << ports[i];
        EXPECT_EQ(radios.Radio(i).Stats().erasesCompleted, 1u);
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SolviRadiosTest, SinglePortShowsBothVersionsAndProgramsOnRequest) {
    test::RadioRig radios(home_.Ports(), {6}, FastRadio());
    ASSERT_TRUE(radios.Ok());
    const std::string file = home_.Write("NORDA52.hex", test::SoftwareFile(3, 9, "Tek telsiz"));
    LogTo(file + "/kayıt.csv");  // below a file: cannot be written
    Start(test::Ports({6}), false, file);
    ASSERT_NE(frame_->Client()->VersionPanel(), nullptr);
    TVerDlg& versions = *frame_->Client()->VersionPanel();
    EXPECT_EQ(frame_->windowTitle(), "SOLVI - Com6 - NORDA52");

    // AutoProg off: a radio with other software waits for "Programla".
    ASSERT_TRUE(test::WaitFor([&] {
        return Panel(6)->StatusText() == "Cihaz yazılımı farklı" &&
               Panel(6)->ProgramButton()->isEnabled() && !versions.RadioVersion().isEmpty();
    }));
    EXPECT_EQ(Panel(6)->Gauge()->BarColor(), QColor(255, 255, 0));
    EXPECT_NE(versions.RadioVersion(), versions.FileVersion());
    Panel(6)->ProgramButton()->click();
    ASSERT_TRUE(test::WaitFor([&] {
        return Panel(6)->StatusText() == "Cihaz programlı" && !Panel(6)->Busy() &&
               versions.RadioVersion() == versions.FileVersion() &&
               Panel(6)->Gauge()->Value() == 100;
    }));
    EXPECT_EQ(versions.RadioDescription(), "Tek telsiz");
    EXPECT_EQ(versions.FileDescription(), "Tek telsiz");
    EXPECT_EQ(Panel(6)->StatusText(), "Cihaz programlı");
    // The radio is programmed and counted; only its record is missing, and the frame says so.
    EXPECT_EQ(frame_->CountText(), "Programlanan: 1, hatalı: 0");
    // The system says why in the desktop's language.
    EXPECT_EQ(frame_->LogWarning().toStdString(),
              "Üretim kaydı yazılamadı: " + file + "/kayıt.csv: " + std::strerror(ENOTDIR));
    EXPECT_TRUE(messages_.empty());
    Screenshot(*frame_, "solvi-single-port.png");
}

TEST_F(SolviRadiosTest, ADatabaseOutOfReachIsToldInTheStatusBarAndTheRecordWaitsInTheSpool) {
    test::RadioRig radios(home_.Ports(), {5}, FastRadio());
    ASSERT_TRUE(radios.Ok());
    const std::string file = home_.Write("NORDA52.hex", test::SoftwareFile(3, 9, "Tek telsiz"));
    LogTo(home_.Path("kayıt.csv"));
    {
        RegistryStore registry(home_.Registry());
        ASSERT_EQ(registry.SetString(TApp::kRegistryKey, "Database",
                                     "host=" + home_.Path("no-server") + " dbname=line"),
                  RegistryStore::kOk);
    }
    Start(test::Ports({5}), true, file);
    ASSERT_TRUE(test::WaitFor([&] { return frame_->Tally().Programmed() == 1; }));
    // Told on the window's thread once the writer has given up; the count never waited.
    ASSERT_TRUE(test::WaitFor([&] {
        return frame_->LogWarning().startsWith("Üretim veritabanına yazılamadı: ");
    })) << frame_->LogWarning().toStdString();
    const QString spool = QString::fromStdString(home_.Path("production-spool.tsv"));
    EXPECT_TRUE(frame_->LogWarning().contains("the record waits in " + spool))
        << frame_->LogWarning().toStdString();
    EXPECT_EQ(frame_->CountText(), "Programlanan: 1, hatalı: 0");
}

TEST_F(SolviRadiosTest, BusyPanelRefusesClosingPortTogglingAndLoading) {
    sim::RadioConfig config = FastRadio();
    config.faults.neverErased = true;  // keeps the panel in its erase check, busy
    test::RadioRig radios(home_.Ports(), {2, 3}, config);
    ASSERT_TRUE(radios.Ok());
    const std::string file = home_.Write("A.hex", test::SoftwareFile(2, 1, "a"));
    Start(test::Ports({2, 3}), true, file);
    ASSERT_TRUE(test::WaitFor([&] { return Panel(2)->Busy() && Panel(3)->Busy(); }));
    ASSERT_TRUE(
        test::WaitFor([&] { return Panel(2)->StatusText() == "Com2 - Flash siliniyor..."; }));

    frame_->Command(402);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Programlayıcı meşgul!");
    EXPECT_EQ(messages_[0].caption, "HATA");
    EXPECT_NE(Panel(2), nullptr);
    EXPECT_TRUE(frame_->CommandChecked(402));

    const std::string other = home_.Write("B.hex", test::SoftwareFile(4, 2, "b"));
    app_->askOpenFile = [&](const std::string&) { return other; };
    frame_->LoadFile();
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[1].text, "Programlayıcı meşgul!");
    EXPECT_EQ(app_->Image().FileName(), "A");

    EXPECT_FALSE(frame_->CommandEnabled(417));
    EXPECT_FALSE(frame_->CommandEnabled(419));
    EXPECT_TRUE(frame_->CommandEnabled(418));

    // Closing is refused with the message as often as it is asked; the closing sequence
    // waits for the busy panels and tries again every second.
    EXPECT_FALSE(frame_->close());
    EXPECT_FALSE(frame_->close());
    ASSERT_EQ(messages_.size(), 4u);
    EXPECT_EQ(messages_[3].text, "Programlayıcı meşgul!");
    EXPECT_EQ(messages_[3].caption, "HATA");
    EXPECT_TRUE(frame_->Closing());
    ASSERT_TRUE(test::WaitFor([&] { return frame_->CloseTimerInterval() == 1000; }));
    EXPECT_NE(Panel(2), nullptr);
    EXPECT_TRUE(frame_->CloseTimerActive());
}

// "Otomatik" on and a radio after each one programmed: from the moment the user asks to
// go, no panel takes on another radio, and the program ends once the running ones are done.
TEST_F(SolviRadiosTest, ExitWhileRadiosKeepArrivingEndsAfterTheRunningOnes) {
    test::RadioRig radios(home_.Ports(), {1, 2}, FastRadio(), {.swapAfterReset = true});
    ASSERT_TRUE(radios.Ok());
    const std::string file = home_.Write("SERI.hex", test::SoftwareFile(40, 5, "Seri"));
    Start(test::Ports({1, 2}), true, file);
    int quitCode = 12345;
    frame_->quit = [&](int code) { quitCode = code; };
    ASSERT_TRUE(test::WaitFor([&] { return Panel(1)->Busy() && Panel(2)->Busy(); }));

    EXPECT_FALSE(frame_->close());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, "Programlayıcı meşgul!");
    ASSERT_TRUE(test::WaitFor([&] { return quitCode != 12345; }, 60000));
    EXPECT_EQ(quitCode, 0);
    EXPECT_EQ(radios.Swaps(), 2);
    EXPECT_EQ(frame_->Tally().Programmed(), 2);
    radios.Stop();
    // The radios that came after were left alone.
    EXPECT_EQ(radios.Radio(0).Stats().loopCommands, 0u);
    EXPECT_EQ(radios.Radio(1).Stats().loopCommands, 0u);
}

// A radio from the factory has an erased header: the panel names it in words, in the
// desktop's language, and the production log stays UTF-8.
TEST_F(SolviRadiosTest, AFactoryNewRadioShowsAsBlank) {
    test::RadioRig radios(home_.Ports(), {5}, FastRadio(), {.blankFlash = true});
    ASSERT_TRUE(radios.Ok());
    const std::string file = home_.Write("YENI.hex", test::SoftwareFile(2, 4, "Güçlü yazılım"));
    LogTo(home_.Path("kayıt.csv"));
    Start(test::Ports({5}), false, file);
    ASSERT_NE(frame_->Client()->VersionPanel(), nullptr);
    TVerDlg& versions = *frame_->Client()->VersionPanel();
    ASSERT_TRUE(test::WaitFor([&] {
        return versions.RadioVersion() == "boş" && Panel(5)->ProgramButton()->isEnabled();
    }));
    EXPECT_EQ(versions.RadioDescription(), "");
    EXPECT_EQ(versions.FileDescription(), "Güçlü yazılım");
    Screenshot(*frame_, "solvi-blank-radio.png");
    frame_->ApplyLanguage(TApp::kEnglish);
    ASSERT_TRUE(test::WaitFor([&] { return versions.RadioVersion() == "blank"; }));

    Panel(5)->ProgramButton()->click();
    ASSERT_TRUE(test::WaitFor([&] { return frame_->Tally().Programmed() == 1; }));
    std::ifstream log(home_.Path("kayıt.csv"), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u);
    for (const std::string& line : lines)
        EXPECT_TRUE(IsValidUtf8(line)) << line;
    EXPECT_NE(lines[1].find(",blank,ABC 5.01 N 07.03.2002,811,Radio programmed.,"),
              std::string::npos)
        << lines[1];
}

}  // namespace
}  // namespace norda::solvi
