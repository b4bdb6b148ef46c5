#include "ombra/app/FileCommands.h"

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "ParamPagesTestSupport.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/FrequencyCode.h"
#include "ombra/ops/TransferHost.h"
#include "ombra/pages/MessageStyles.h"
#include "ombra/pages/ParamPages.h"
#include "ombra/pages/TFileDefaults.h"
#include "ombra/pages/TPageDispatcher.h"
#include "resources/OmbraControlIds.h"

namespace norda::ombra {
namespace {

using testing::Messages;
using testing::Turkish;
namespace fs = std::filesystem;

// The frame as far as the file commands see it, with the open and save dialogs answered
// from a script.
class FakeFrame final : public FileCommandHost {
  public:
    explicit FakeFrame(RadioParameters& p) : pages(&client) {
        pages.SetModule(&Turkish());
        RegisterParamPages(pages, p);
    }
    QWidget* Window() override { return &client; }
    const ResourceModule& Module() override { return Turkish(); }
    bool CanLeavePage() override { return pages.CanLeavePage(); }
    int CurrentPage() override { return pages.CurrentPage(); }
    void ClosePage() override { pages.ClosePage(); }
    void OpenPage(int page) override {
        pages.ClosePage();
        pages.OpenPage(page);
    }
    void SetDocumentState(DocumentState s) override {
        state = s;
        changed = false;
    }
    void SetDocumentChanged(bool c) override { changed = c; }
    void SetRestrictedPages(bool r) override { restricted = r; }
    void SetFileOpened(bool o) override { fileOpened = o; }
    void SetDataValid(bool v) override { dataValid = v; }
    const std::string& FileName() override { return fileName; }
    void SetFileName(const std::string& name) override { fileName = name; }
    bool TestMode() override { return false; }
    bool TestSwitch() override { return testSwitch; }
    CodeplugOptions FileOptions() override { return {}; }
    std::string AskOpenFileName(const std::string& title, const std::string& filter) override {
        asked.push_back(title + " " + filter);
        return answer;
    }
    std::string AskSaveFileName(const std::string& title, const std::string& filter,
                                const std::string& proposed) override {
        asked.push_back(title + " " + filter + " " + proposed);
        if (!answers.empty()) {
            const std::string next = answers.front();
            answers.erase(answers.begin());
            return next;
        }
        return answer;
    }

    QWidget client;
    TPageDispatcher pages;
    DocumentState state = DocumentState::Empty;
    bool changed = false;
    bool restricted = false;
    bool fileOpened = false;
    bool dataValid = true;
    bool testSwitch = false;
    std::string fileName;
    std::string answer;
    std::vector<std::string> answers;  // save dialog answers taken before `answer`
    std::vector<std::string> asked;
};

// Answers the new-file dialog: `choose` may change its controls before "Tamam".
void AnswerNewFileDialog(std::function<void(TDataDlg&)> choose = {}) {
    TDataDlg::SetExecuteHook([choose](TDataDlg& dlg) {
        EXPECT_EQ(dlg.ResourceId(), TFileDefaults::kDialogId);
        if (choose)
            choose(dlg);
        dlg.Command(1);
        return dlg.result();
    });
}

struct Fixture : ::testing::Test {
    RadioParameters p;
    FakeFrame frame{p};
    FileCommands commands{frame, p};
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ombra_filecmds_" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        TDataDlg::SetExecuteHook({});
        fs::remove_all(dir);
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

using FileCommandsTest = Fixture;

TEST_F(FileCommandsTest, NewFileStartsFromTheDialogsBandAndToneCount) {
    AnswerNewFileDialog();
    Messages messages;
    commands.Command(kCmFileNew);
    EXPECT_TRUE(messages.shown.empty());  // no page was shown: nothing to lose
    EXPECT_EQ(p.TestAyar.HalfBaseChan, 5840);
    EXPECT_EQ(p.Clone.TonLength, 6);
    EXPECT_EQ(p.Clone.Kanal[0].TxFreq, kNoFrequencyCode);
    EXPECT_EQ(std::string(p.Clone.Kanal[0].KanalAdi, 8), "KN 1    ");
    EXPECT_EQ(frame.state, DocumentState::NewFile);
    EXPECT_EQ(frame.pages.CurrentPage(), 3);
    EXPECT_TRUE(frame.restricted);
    EXPECT_TRUE(frame.fileOpened);
    EXPECT_FALSE(frame.dataValid);
    EXPECT_EQ(frame.fileName, "");
}

TEST_F(FileCommandsTest, NewFileWithAUserDefinedBand) {
    AnswerNewFileDialog([](TDataDlg& dlg) {
        EXPECT_FALSE(dlg.Control(FileDefaultsIds::kBandEdit)->isEnabled());
        dlg.Item<QRadioButton>(FileDefaultsIds::kUserDefined)->setChecked(true);
        EXPECT_TRUE(dlg.Control(FileDefaultsIds::kBandEdit)->isEnabled());
        dlg.Item<QLineEdit>(FileDefaultsIds::kBandEdit)->setText("999");
        dlg.Item<QLineEdit>(FileDefaultsIds::kToneCount)->setText("4");
    });
    commands.New();
    EXPECT_EQ(static_cast<uint16_t>(p.TestAyar.HalfBaseChan), 39960);
    EXPECT_EQ(p.Clone.TonLength, 4);
    // The band value is unsigned all the way: a file of it holds 1000 MHz as written.
    p.Clone.Kanal[0].TxFreq = 400;
    p.KSYS.RxFreq = 400;
    const std::string text = CodeplugFileText(p, {});
    EXPECT_NE(text.find("TxFreq[1]=1000.0000\r\n"), std::string::npos);
    RadioParameters again;
    FileValueReports reports;
    ASSERT_EQ(LoadCodeplugText(text, again, {}, &reports), Status::Ok);
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(again.Clone == p.Clone);
    EXPECT_EQ(again.KSYS.RxFreq, 400);
}

TEST_F(FileCommandsTest, NewFileDialogInsistsOnABandAndATonesCount) {
    Messages messages;
    AnswerNewFileDialog([](TDataDlg& dlg) {
        dlg.Item<QRadioButton>(FileDefaultsIds::kUserDefined)->setChecked(true);
        dlg.Command(1);  // no band given: refused
        EXPECT_EQ(dlg.result(), 0);
        dlg.Item<QLineEdit>(FileDefaultsIds::kBandEdit)->setText("160");
        dlg.Item<QLineEdit>(FileDefaultsIds::kToneCount)->setText("7");
        dlg.Command(1);  // seven tones: refused
        EXPECT_EQ(dlg.result(), 0);
        dlg.Item<QLineEdit>(FileDefaultsIds::kToneCount)->setText("2");
    });
    commands.New();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Değer 1 ile 999 MHz arasında olmalıdır.");
    EXPECT_EQ(messages.shown[1].text, "Değer 2 ile 6 arasında olmalıdır.");
    EXPECT_EQ(p.TestAyar.HalfBaseChan, 6400);
    EXPECT_EQ(p.Clone.TonLength, 2);
}

TEST_F(FileCommandsTest, NewFileAsksBeforeDroppingAShownPage) {
    AnswerNewFileDialog();
    commands.New();
    p.Clone.Kanal[0].TxFreq = 100;
    {
        Messages cancel(2);
        commands.New();
        ASSERT_EQ(cancel.shown.size(), 1u);
        EXPECT_EQ(cancel.shown[0].text,
                  "Şu Andaki Verileri Kaybedeceksiniz.\nEkrandan çıkmak istiyor musunuz?");
        EXPECT_EQ(cancel.shown[0].caption, "DİKKAT!");
        EXPECT_EQ(cancel.shown[0].style, 49);
    }
    EXPECT_EQ(p.Clone.Kanal[0].TxFreq, 100);
    EXPECT_EQ(frame.pages.CurrentPage(), 3);
}

// Escape in the defaults dialog gives the new file up: the codeplug, its page and its
// file stay as they were.
TEST_F(FileCommandsTest, NewFileGivenUpWithEscapeKeepsTheCodeplug) {
    AnswerNewFileDialog();
    commands.New();
    p.Clone.Kanal[0].TxFreq = 100;
    frame.SetFileName("radyo1.OMB");
    frame.SetDocumentState(DocumentState::OpenedFile);
    TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &escape);
        return dlg.result();
    });
    Messages discard;
    commands.New();
    ASSERT_EQ(discard.shown.size(), 1u);
    EXPECT_EQ(discard.shown[0].caption, "DİKKAT!");
    EXPECT_EQ(p.Clone.Kanal[0].TxFreq, 100);
    EXPECT_EQ(frame.pages.CurrentPage(), 3);
    EXPECT_EQ(frame.fileName, "radyo1.OMB");
    EXPECT_EQ(frame.state, DocumentState::OpenedFile);
}

TEST_F(FileCommandsTest, SaveThenOpenGivesTheSameCodeplug) {
    AnswerNewFileDialog();
    commands.New();
    p.Clone.Kanal[6].TxFreq = 105;
    p.Clone.Kanal[6].RxFreq = 105;
    frame.answer = (dir / "first").string();
    Messages messages;
    commands.Command(kCmFileSave);
    ASSERT_EQ(frame.asked.size(), 1u);
    EXPECT_EQ(frame.asked[0], "Dosya Sakla OMBRA Dosyaları (*.omb)|*.omb|Tüm Dosyalar (*.*)|*.*| ");
    EXPECT_EQ(frame.fileName, (dir / "first.OMB").string());
    EXPECT_TRUE(fs::exists(dir / "first.OMB"));
    EXPECT_EQ(frame.state, DocumentState::OpenedFile);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Kütük saklandı.");
    EXPECT_EQ(messages.shown[0].caption, "BİLGİ");
    EXPECT_EQ(messages.shown[0].style, 64);

    commands.Save();  // the name is known: no dialog
    EXPECT_EQ(frame.asked.size(), 1u);

    const RadioParameters saved = p;
    p.Clone.Kanal[6].TxFreq = 7;
    p.TestAyar.HalfBaseChan = 0;
    frame.fileName.clear();
    frame.answer = (dir / "first.OMB").string();
    messages.shown.clear();
    commands.Command(kCmFileOpen);
    ASSERT_EQ(messages.shown.size(), 1u);  // page 3 was shown
    EXPECT_EQ(p.Clone.Kanal[6].TxFreq, saved.Clone.Kanal[6].TxFreq);
    EXPECT_EQ(p.Clone.Kanal[6].RxFreq, saved.Clone.Kanal[6].RxFreq);
    EXPECT_EQ(p.Clone, saved.Clone);
    EXPECT_EQ(p.TestAyar.HalfBaseChan, 5840);
    EXPECT_EQ(frame.asked.back(), "Dosya Aç OMBRA Dosyaları (*.omb)|*.omb|Tüm Dosyalar (*.*)|*.*|");
    EXPECT_EQ(frame.state, DocumentState::OpenedFile);
    EXPECT_EQ(frame.fileName, (dir / "first.OMB").string());
    EXPECT_EQ(frame.pages.CurrentPage(), 3);
    EXPECT_TRUE(frame.restricted);
}

TEST_F(FileCommandsTest, SaveAsProposesTheCurrentName) {
    frame.pages.SetCurrentPage(0);
    frame.fileName = (dir / "a.omb").string();
    frame.answer = (dir / "b.omb").string();
    Messages messages;
    commands.Command(kCmFileSaveAs);
    ASSERT_EQ(frame.asked.size(), 1u);
    EXPECT_NE(frame.asked[0].find((dir / "a.omb").string()), std::string::npos);
    EXPECT_EQ(frame.fileName, (dir / "b.omb").string());

    frame.answer.clear();  // cancelled: nothing happens
    commands.SaveAs();
    EXPECT_EQ(frame.fileName, (dir / "b.omb").string());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(FileCommandsTest, ReplacingAFileIsAskedAboutTheNameThatIsWritten) {
    frame.pages.SetCurrentPage(0);
    p.TestAyar.HalfBaseChan = 5840;
    std::ofstream(dir / "foo.OMB") << "kept";
    const std::string question =
        (dir / "foo.OMB").string() + " kütüğü zaten var.\n" + "Üzerine yazılsın mı?";
    {
        // Declined: the dialog comes back with that name, and another is taken.
        frame.answers = {(dir / "foo").string(), (dir / "bar").string()};
        Messages cancel(kIdCancel);
        commands.SaveAs();
        ASSERT_EQ(cancel.shown.size(), 2u);
        EXPECT_EQ(cancel.shown[0].text, question);
        EXPECT_EQ(cancel.shown[0].caption, "DİKKAT!");
        EXPECT_EQ(cancel.shown[1].text, "Kütük saklandı.");
        ASSERT_EQ(frame.asked.size(), 2u);
        EXPECT_TRUE(frame.asked[1].ends_with(" " + (dir / "foo.OMB").string()));
    }
    EXPECT_EQ(Read(dir / "foo.OMB"), "kept");
    EXPECT_TRUE(fs::exists(dir / "bar.OMB"));
    EXPECT_EQ(frame.fileName, (dir / "bar.OMB").string());

    // Agreed, through "&Sakla" of a file never saved as well.
    frame.fileName.clear();
    frame.answer = (dir / "foo").string();
    Messages ok(kIdOk);
    commands.Save();
    ASSERT_EQ(ok.shown.size(), 2u);
    EXPECT_EQ(ok.shown[0].text, question);
    EXPECT_NE(Read(dir / "foo.OMB").find("[TestAyar]"), std::string::npos);
    EXPECT_EQ(frame.fileName, (dir / "foo.OMB").string());

    commands.Save();  // its own file: written without a question
    EXPECT_EQ(ok.shown.size(), 3u);
    EXPECT_EQ(ok.shown[2].text, "Kütük saklandı.");
}

TEST_F(FileCommandsTest, AFileWithoutBandChangesNothing) {
    AnswerNewFileDialog();
    commands.New();
    const fs::path bad = dir / "noband.omb";
    std::ofstream(bad) << "[Clone]\r\nTot=90\r\n";
    const RadioParameters before = p;
    frame.answer = bad.string();
    Messages messages(1);
    commands.Open();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, "Seçilen kütükte frekans bandı bilgisi hatalı veya yok !");
    EXPECT_EQ(messages.shown[1].caption, "HATA");
    EXPECT_EQ(p, before);
    EXPECT_EQ(frame.fileName, "");  // a later "Sakla" must not write over that file
}

TEST_F(FileCommandsTest, AFileThatCannotBeOpenedIsReportedWithTheSystemsReason) {
    AnswerNewFileDialog();
    commands.New();
    const RadioParameters before = p;
    Messages messages;
    for (const auto& [path, error] : {std::pair{dir / "none.omb", ENOENT}, {dir, EISDIR}}) {
        messages.shown.clear();
        commands.OpenFile(path.string());
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown.back().text,
                  path.string() + " kütüğü açılamadı: " + std::strerror(error));
        EXPECT_EQ(messages.shown.back().caption, "HATA");
        EXPECT_EQ(p, before);
        EXPECT_EQ(frame.fileName, "");
    }
}

TEST_F(FileCommandsTest, ValuesThatCannotBeTakenOpenEmptyWithOneMessage) {
    AnswerNewFileDialog();
    commands.New();
    const fs::path file = dir / "virgul.omb";
    std::string text = CodeplugFileText(p, {});
    for (int n = 1; n <= 12; ++n) {
        const std::string key = "TxFreq[" + std::to_string(n) + "]=";
        const size_t at = text.find(key);
        text.replace(at, text.find('\r', at) - at, key + "146,0" + std::to_string(n));
    }
    std::ofstream(file, std::ios::binary) << text;
    frame.answer = file.string();
    Messages messages;
    commands.Open();
    ASSERT_EQ(messages.shown.size(), 2u);  // the question about the page, then one message
    const TMessageDlg::Record& shown = messages.shown[1];
    EXPECT_EQ(shown.caption, "DİKKAT!");
    std::vector<std::string> lines;
    std::istringstream in(shown.text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 12u) << shown.text;
    EXPECT_EQ(lines[0],
              "Kütükteki 12 değer yazıldığı gibi alınamadı. Bu alanlar boş açıldı; telsize "
              "yazmadan önce doldurun:");
    EXPECT_EQ(lines[1].substr(lines[1].find(':')),
              ": [Kanal] TxFreq[1]=146,01 — ondalık ayırıcı virgül; nokta olmalı");
    EXPECT_NE(lines[10].find("TxFreq[10]=146,010"), std::string::npos);
    EXPECT_EQ(lines[11], "... ve 2 değer daha.");
    for (int n = 0; n < 12; ++n)
        EXPECT_EQ(p.Clone.Kanal[n].TxFreq, kNoFrequencyCode) << n + 1;
    EXPECT_EQ(frame.state, DocumentState::OpenedFile);
    EXPECT_TRUE(frame.changed);
    EXPECT_EQ(frame.pages.CurrentPage(), 3);

    // Saved, the document is its file again, and that file opens without a message.
    frame.answer = (dir / "nokta").string();
    commands.SaveAs();
    EXPECT_FALSE(frame.changed);
    frame.answer = (dir / "nokta.OMB").string();
    messages.shown.clear();
    commands.Open();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(frame.changed);
}

TEST_F(FileCommandsTest, AnInvalidPageValueStopsTheSave) {
    AnswerNewFileDialog();
    commands.New();
    frame.pages.Current()->Item<QLineEdit>(CloneIds::kTot)->setText("7");
    frame.answer = (dir / "x.omb").string();
    Messages messages;
    commands.Save();
    EXPECT_TRUE(frame.asked.empty());
    EXPECT_FALSE(fs::exists(dir / "x.omb"));
    frame.pages.Current()->Item<QLineEdit>(CloneIds::kTot)->setText("90");
    commands.Save();  // the page's values go into the file
    EXPECT_NE(Read(dir / "x.omb").find("Tot=90"), std::string::npos);
}

TEST_F(FileCommandsTest, FailedSaveShowsHataAndKeepsTheOldFile) {
    frame.pages.SetCurrentPage(0);
    p.TestAyar.HalfBaseChan = 5840;
    const fs::path target = dir / "old.omb";
    std::ofstream(target) << "old content";
    frame.fileName = target.string();

    // Writes beyond a few bytes fail, as on a full disk.
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 64;
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Messages messages;
    commands.Save();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "HATA");
    EXPECT_EQ(messages.shown[0].text, target.string() + " kütüğü saklanamadı!");
    EXPECT_EQ(Read(target), "old content");
    EXPECT_EQ(frame.fileName, target.string());
}

TEST(FileCommandsFilter, BecomesTheDialogsNameFilter) {
    EXPECT_EQ(NameFilter("OMBRA Dosyaları (*.omb)|*.omb|Tüm Dosyalar (*.*)|*.*|").toStdString(),
              "OMBRA Dosyaları (*.omb);;Tüm Dosyalar (*.*)");
}

}  // namespace
}  // namespace norda::ombra
