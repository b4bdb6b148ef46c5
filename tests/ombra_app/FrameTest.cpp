#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FakeClient.h"
#include "ombra/app/ProfileIniStore.h"
#include "ombra/app/TProgFrame.h"
#include "ombra/pages/TMessageDlg.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

class MemoryIni final : public IniStore {
  public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    int GetInt(const std::string& s, const std::string& k, int def) const override {
        auto it = values.find({s, k});
        return it == values.end() ? def : std::atoi(it->second.c_str());
    }
    std::vector<std::string> KeyNames(const std::string&, size_t) const override { return {}; }
    bool WriteString(const std::string& s, const std::string& k, const std::string& v) override {
        values[{s, k}] = v;
        return true;
    }
};

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TMessageDlg::SetResponder([this](const TMessageDlg::Record& r) {
            messages.push_back(r);
            return answer;
        });
    }
    void TearDown() override {
        frame.reset();
        app.reset();
        TMessageDlg::SetResponder(nullptr);
        TDataDlg::SetExecuteHook(nullptr);
        if (!tempDir.empty())
            fs::remove_all(tempDir);
    }

    // Program in `dir` (the language libraries' folder unless told otherwise).
    void Start(std::vector<std::string> args = {}, std::string dir = NORDA_LIBRARY_DIR,
               bool realIni = false) {
        std::unique_ptr<IniStore> ini;
        if (!realIni)
            ini = std::make_unique<MemoryIni>();
        app = std::make_unique<TApp>(dir + "/ombra", std::move(args), std::move(ini));
        app->ReadCommandLineAndCountry();
        app->ReadRest();
        client.testMode = app->TestMode() != 0;
        frame = std::make_unique<TProgFrame>(*app, client);
    }
    std::string TempDir() {
        if (tempDir.empty()) {
            tempDir = (fs::temp_directory_path() / ("ombra_frame_" + std::to_string(::getpid())))
                          .string();
            fs::create_directories(tempDir);
        }
        return tempDir;
    }
    bool Enabled(int id) {
        frame->UpdateCommandStates();
        QAction* a = frame->Action(id);
        EXPECT_NE(a, nullptr) << id;
        return a != nullptr && a->isEnabled();
    }
    QString MenuTitles() {
        QStringList titles;
        for (QAction* a : frame->menuBar()->actions())
            titles << a->text();
        return titles.join(' ');
    }

    FakeClient client;
    std::unique_ptr<TApp> app;
    std::unique_ptr<TProgFrame> frame;
    std::vector<TMessageDlg::Record> messages;
    int answer = 1;
    std::string tempDir;
};

TEST_F(FrameTest, StartsEmptyCentredWithTitleAndEveryMenuCommand) {
    Start();
    EXPECT_EQ(frame->windowTitle(), "OMBRA 4.0 ");
    EXPECT_EQ(frame->size(), QSize(564, 480));
    EXPECT_EQ(MenuTitles(), "&Dosya &Telsiz &Parametreler &Seçenekler");
    for (int id : {2009, 24331, 24332, 24333, 24334, 24310, 536, 538, 539, 540, 501, 502,
                   503,  504,   505,   507,   516,   517,   529, 553, 554, 551, 101})
        ASSERT_NE(frame->Action(id), nullptr) << id;
    EXPECT_EQ(frame->Action(536)->statusTip(), "Cihazdaki parametreleri okur");
    EXPECT_EQ(frame->Action(24310)->text(), "&Çıkış\tAlt+F4");
    EXPECT_EQ(frame->Pages().CurrentPage(), kPageNone);
}

TEST_F(FrameTest, ProgramModeGreyedWithoutTestSwitch) {
    Start();
    EXPECT_FALSE(Enabled(101));
    frame.reset();
    Start({"-test"});
    EXPECT_TRUE(Enabled(101));
    // Test mode disables the radio commands but not sequential programming.
    EXPECT_FALSE(Enabled(536));
    EXPECT_TRUE(Enabled(540));
}

TEST_F(FrameTest, RadioCommandsGreyedWhileBusyOrPortClosed) {
    Start();
    EXPECT_TRUE(Enabled(536));
    EXPECT_TRUE(Enabled(539));
    client.reading = true;
    for (int id : {536, 538, 539, 540, 551, 553, 24332})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(554));
    client.reading = false;
    client.portOpen = false;
    for (int id : {536, 538, 539, 540})
        EXPECT_FALSE(Enabled(id)) << id;
    // A greyed command cannot be run from anywhere.
    frame->Command(536);
    EXPECT_TRUE(client.commands.empty());
    client.portOpen = true;
    frame->Command(536);
    EXPECT_EQ(client.commands, std::vector<int>{536});
}

TEST_F(FrameTest, NavigationWrapsWithAndWithoutRestriction) {
    Start();
    frame->OpenPage(15);
    frame->SetRestrictedPages(true);
    frame->Command(502);
    EXPECT_EQ(frame->Pages().CurrentPage(), 3);
    frame->Command(501);
    EXPECT_EQ(frame->Pages().CurrentPage(), 15);
    frame->SetRestrictedPages(false);
    frame->Command(502);
    EXPECT_EQ(frame->Pages().CurrentPage(), 1);
    frame->Command(501);
    EXPECT_EQ(frame->Pages().CurrentPage(), 15);
    ASSERT_NE(frame->Pages().Current(), nullptr);
    EXPECT_TRUE(frame->Pages().Current()->isVisible() || !frame->isVisible());
    // The fixed pages are out of reach while restricted.
    frame->SetRestrictedPages(true);
    EXPECT_FALSE(Enabled(503));
    frame->Command(503);
    EXPECT_EQ(frame->Pages().CurrentPage(), 15);
    frame->Command(511);
    EXPECT_EQ(frame->Pages().CurrentPage(), 8);
}

TEST_F(FrameTest, PagesNeedLoadedData) {
    Start();
    frame->SetRestrictedPages(false);
    EXPECT_FALSE(Enabled(505));
    frame->Pages().SetCurrentPage(kPageNoneShown);
    EXPECT_TRUE(Enabled(505));
    EXPECT_FALSE(Enabled(502));
    frame->Command(505);
    EXPECT_EQ(frame->Pages().CurrentPage(), 3);
}

TEST_F(FrameTest, CaptionFollowsDocumentState) {
    Start();
    frame->SetDocumentState(DocumentState::RadioData);
    EXPECT_EQ(frame->windowTitle(), "OMBRA 4.0  - Telsiz bilgileri");
    frame->SetFileName("/tmp/x.omb");
    frame->SetDocumentState(DocumentState::OpenedFile);
    EXPECT_EQ(frame->windowTitle(), "OMBRA 4.0  - /tmp/x.omb");
}

TEST_F(FrameTest, CommunicationStatusReadyWithoutLink) {
    Start();
    frame->Command(554);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Seri Çıkış : 1 \nDurum : HAZIR \nBağlantı : YOK");
    EXPECT_EQ(messages[0].caption, "");
    EXPECT_EQ(messages[0].style, 64);
}

int Choose(TDataDlg& dlg, int button) {
    if (auto* r = dlg.Item<QRadioButton>(button))
        r->setChecked(true);
    dlg.Command(1);
    return dlg.result();
}

TEST_F(FrameTest, LanguageSwitchChangesMenusAndTexts) {
    Start();
    frame->SetDocumentState(DocumentState::RadioData);
    frame->Pages().SetCurrentPage(kPageNoneShown);
    frame->OpenPage(4);
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) { return Choose(dlg, OmbraLanguageIds::kEnglish); });
    frame->Command(551);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(app->CountryCode(), 9);
    EXPECT_EQ(MenuTitles(), "&File &Radio &Parameters &Options");
    EXPECT_EQ(frame->Action(536)->statusTip(), "Reads the parameters in the radio");
    EXPECT_EQ(frame->windowTitle(), "OMBRA 4.0  - Radio data");
    EXPECT_EQ(frame->Pages().CurrentPage(), 4);
    ASSERT_NE(frame->Pages().Current(), nullptr);
    EXPECT_EQ(&frame->Pages().Current()->Module(), &app->Module());
    frame->Command(554);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Serial Port : 1 \nState : READY \nLink : NO");

    TDataDlg::SetExecuteHook([](TDataDlg& dlg) { return Choose(dlg, OmbraLanguageIds::kTurkish); });
    frame->Command(551);
    EXPECT_EQ(app->CountryCode(), 90);
    EXPECT_EQ(MenuTitles(), "&Dosya &Telsiz &Parametreler &Seçenekler");
}

TEST_F(FrameTest, MissingLanguageLibraryReportsAndStaysTurkish) {
    Start({}, TempDir());
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) { return Choose(dlg, OmbraLanguageIds::kEnglish); });
    frame->Command(551);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "OMBRA0009.DLL dil dosyası yüklenemedi!");
    EXPECT_EQ(messages[0].caption, "HATA");
    EXPECT_EQ(app->CountryCode(), 90);
    EXPECT_EQ(MenuTitles(), "&Dosya &Telsiz &Parametreler &Seçenekler");
}

TEST_F(FrameTest, StartupFallsBackSilentlyToTurkish) {
    const std::string dir = TempDir();
    std::ofstream(dir + "/ombra.INI") << "[International]\r\nCountry Code=9\r\n";
    Start({}, dir, true);
    EXPECT_EQ(app->CountryCode(), 90);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(MenuTitles(), "&Dosya &Telsiz &Parametreler &Seçenekler");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(FrameTest, ExitAsksAndWritesTheIniFile) {
    const std::string dir = TempDir();
    Start({}, dir, true);
    client.port = 5;
    frame->show();
    answer = 2;
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Yazılım Sonlandırılacak.\nGerçekten Çıkmak İstiyor musunuz?");
    EXPECT_EQ(messages[0].caption, "DİKKAT!");
    EXPECT_EQ(messages[0].style, 49);
    EXPECT_FALSE(fs::exists(dir + "/ombra.INI"));
    answer = 1;
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    const std::string ini = ReadFile(dir + "/ombra.INI");
    EXPECT_NE(ini.find("[International]\r\nCountry Code=90\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[Communication]\r\nSerial Port=5\r\n"), std::string::npos) << ini;
}

TEST_F(FrameTest, CancelledPortDialogStillReopensThePort) {
    Start();
    client.port = 3;
    client.baud = 19200;
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
        dlg.Item<QLineEdit>(SerialPortIds::kPort)->setText("9");
        dlg.Command(2);
        return dlg.result();
    });
    frame->Command(553);
    EXPECT_EQ(client.stops, 1);
    ASSERT_EQ(client.reopens.size(), 1u);
    EXPECT_EQ(client.reopens[0], std::make_pair(3, 19200));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FrameTest, PortDialogRefusesOutOfRangeAndReportsFailure) {
    Start();
    client.openResult = Status::CannotOpen;
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
        auto* port = dlg.Item<QLineEdit>(SerialPortIds::kPort);
        EXPECT_EQ(port->maxLength(), 3);
        port->setText("129");
        dlg.Command(1);
        EXPECT_EQ(dlg.result(), 0);
        port->setText("12");
        dlg.Item<QLineEdit>(SerialPortIds::kSpeed)->setText("115200");
        dlg.Command(1);
        return dlg.result();
    });
    frame->Command(553);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].caption, "HATA");
    EXPECT_EQ(messages[1].text, "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin.");
    ASSERT_EQ(client.reopens.size(), 1u);
    EXPECT_EQ(client.reopens[0], std::make_pair(12, 115200));
    EXPECT_FALSE(Enabled(536));
}

TEST_F(FrameTest, ProgramModeChangeEmptiesTheEditor) {
    Start({"-test"});
    // The status bar tells why the radio commands are greyed, as long as test mode is on.
    EXPECT_EQ(frame->ModeNote().toStdString(),
              "Test modu: Oku, Yaz ve Kopyala kapalı; izleme kaydı yalnız Sıralı Programla ile "
              "dolar.");
    frame->SetDocumentState(DocumentState::RadioData);
    frame->SetFileOpened(true);
    frame->SetFileName("a.omb");
    client.dataValid = true;
    frame->Pages().SetCurrentPage(kPageNoneShown);
    frame->OpenPage(5);
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
        dlg.Item<QCheckBox>(ProgModeIds::kTrace)->setChecked(true);
        return Choose(dlg, ProgModeIds::kNormal);
    });
    frame->Command(101);
    EXPECT_FALSE(client.testMode);
    EXPECT_TRUE(frame->ModeNote().isEmpty());
    EXPECT_TRUE(client.trace);
    EXPECT_EQ(frame->Pages().CurrentPage(), kPageNone);
    EXPECT_EQ(frame->Pages().Slot(kKindChannel), nullptr);
    EXPECT_EQ(frame->windowTitle(), "OMBRA 4.0 ");
    EXPECT_FALSE(client.dataValid);
    EXPECT_FALSE(frame->FileOpened());
    EXPECT_TRUE(frame->FileName().empty());
}

TEST_F(FrameTest, TraceWindowCollectsAndSavesLines) {
    Start({"-test"});
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
        dlg.Item<QCheckBox>(ProgModeIds::kTrace)->setChecked(true);
        return Choose(dlg, ProgModeIds::kTest);
    });
    frame->Command(101);
    EXPECT_TRUE(client.trace);
    ASSERT_NE(frame->TraceWindow(), nullptr);
    EXPECT_TRUE(frame->TraceWindow()->isVisible());
    frame->AppendTrace("LR gönderildi");
    frame->AppendTrace("LA alındı");
    const std::string path = TempDir() + "/trace.txt";
    ASSERT_TRUE(frame->TraceWindow()->SaveTo(QString::fromStdString(path)));
    const std::string saved = ReadFile(path);
    EXPECT_NE(saved.find("LR gönderildi\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("LA alındı"), std::string::npos);
    EXPECT_FALSE(
        frame->TraceWindow()->SaveTo(QString::fromStdString(TempDir() + "/no/such/dir/t")));
    // The lines survive a change of language.
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) { return Choose(dlg, OmbraLanguageIds::kEnglish); });
    frame->Command(551);
    EXPECT_TRUE(frame->TraceWindow()->Contents().contains("LA alındı"));
    EXPECT_TRUE(frame->TraceWindow()->isVisible());
}

TEST_F(FrameTest, PortFailureAtStartKeepsRunningWithRadioCommandsOff) {
    Start();
    client.openResult = Status::CannotOpen;
    client.openFailure = "/dev/ttyUSB0: Device or resource busy";
    frame->SetupClient();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "HATA");
    EXPECT_EQ(messages[0].text,
              "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin.\n"
              "(/dev/ttyUSB0: Device or resource busy)");
    EXPECT_EQ(messages[0].style, 48);
    EXPECT_FALSE(Enabled(536));
    EXPECT_TRUE(Enabled(553));
}

}  // namespace
}  // namespace norda::ombra
