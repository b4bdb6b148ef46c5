// A codeplug made from scratch travels through its file into the simulated radio and
// comes back from the radio unchanged: "&Yeni", a channel edited, "&Sakla", "&Aç",
// "Kopyala", "Oku".

#include <deque>
#include <filesystem>

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QLineEdit>

#include "ombra/pages/TAutoProg.h"
#include "ombra/pages/TChannel.h"
#include "ombra/pages/TClone.h"
#include "ombra/pages/TFileDefaults.h"
#include "ombra/pages/TMessageDlg.h"
#include "production/ProductionDb.h"
#include "resources/OmbraControlIds.h"
#include "tests/support/PgSuite.h"
#include "tests/support/WholeProgramFixture.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;

using test::Slurp;

class FileToRadio : public test::WholeProgramFixture {
  protected:
    void SetUp() override {
        WholeProgramFixture::SetUp();
        FileCommandHost::SetFileNameResponder([this](const std::string& title) {
            dialogTitles_.push_back(title);
            if (fileAnswers_.empty())
                return std::string();
            std::string answer = fileAnswers_.front();
            fileAnswers_.pop_front();
            return answer;
        });
        // The new-file dialog is accepted as it opens: VHF 146-174, six tones.
        TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
            dlg.Command(1);
            return dlg.result();
        });
    }
    void TearDown() override {
        TDataDlg::SetExecuteHook({});
        FileCommandHost::SetFileNameResponder(nullptr);
        WholeProgramFixture::TearDown();
    }

    // Answers the next file dialog with `path`.
    void AnswerFileDialog(const fs::path& path) { fileAnswers_.push_back(path.string()); }

    std::vector<std::string> dialogTitles_;
    std::deque<std::string> fileAnswers_;
};

QLineEdit* Edit(TProgFrame& frame, int id) {
    return frame.Pages().Current()->Item<QLineEdit>(id);
}

TEST_F(FileToRadio, AChannelMadeInANewFileComesBackFromTheRadio) {
    StartRadio();
    test::WholeProgram program;
    TQtHost& host = program.host;
    TProgFrame& frame = program.frame;
    frame.SetupClient();
    messages_.clear();  // the default port of the empty INI is not the radio's
    ASSERT_EQ(host.Reopen(1, 115200), Status::Ok);

    frame.Command(24331);  // "&Yeni"
    ASSERT_NE(dynamic_cast<TClone*>(frame.Pages().Current()), nullptr);
    EXPECT_EQ(frame.windowTitle().toStdString().find("Yeni kütük") != std::string::npos, true);

    frame.Command(507);  // channels 1-10
    ASSERT_NE(dynamic_cast<TChannel*>(frame.Pages().Current()), nullptr);
    Edit(frame, TChannel::kName + 1)->setText("dere 1");
    Edit(frame, TChannel::kTxFreq + 1)->setText("146.2625");
    Edit(frame, TChannel::kRxFreq + 1)->setText("146.25");
    Edit(frame, TChannel::kTxTone + 1)->setText("69");
    frame.Pages().Current()->Item<QAbstractButton>(TChannel::kScan + 1)->setChecked(true);

    const fs::path file = dir_ / "dere";
    AnswerFileDialog(file);
    frame.Command(24333);  // "&Sakla": no name yet, so the dialog asks
    ASSERT_TRUE(Said("Kütük saklandı.")) << (messages_.empty() ? "" : messages_.back());
    ASSERT_TRUE(fs::exists(dir_ / "dere.OMB"));
    EXPECT_NE(Slurp(dir_ / "dere.OMB").find("TxFreq[1]=146.2625"), std::string::npos);

    AnswerFileDialog(dir_ / "dere.OMB");
    frame.Command(24332);  // "&Aç"
    EXPECT_EQ(dialogTitles_, (std::vector<std::string>{"Dosya Sakla", "Dosya Aç"}));
    EXPECT_EQ(host.Parameters().Clone.Kanal[0].TxFreq, 105);
    EXPECT_EQ(frame.Pages().CurrentPage(), 3);
    EXPECT_NE(frame.windowTitle().toStdString().find("dere.OMB"), std::string::npos);

    // Someone else's values in the editor must not matter: the radio gets the file's.
    host.Parameters().Clone.Kanal[0].TxFreq = 1;
    AnswerFileDialog(dir_ / "dere.OMB");
    frame.Command(24332);
    EXPECT_EQ(host.Parameters().Clone.Kanal[0].TxFreq, 105);
    messages_.clear();
    frame.Command(539);  // "Kopyala"
    ASSERT_TRUE(RunUntil([&] { return !host.Writing() && !messages_.empty(); }));
    ASSERT_TRUE(Said("Cihaz programlandı.")) << messages_.back();
    EXPECT_EQ(VisibleWindows(), std::vector<std::string>{frame.windowTitle().toStdString()});

    // The written radio is shown on page 1; this one has no serial number yet, and the
    // page is not left without one.
    ASSERT_EQ(frame.Pages().CurrentPage(), 1);
    if (Edit(frame, MasterIds::kSerialNo)->text().isEmpty())
        Edit(frame, MasterIds::kSerialNo)->setText("1207");

    host.Parameters().Clone.Kanal[0] = ChannelRecord{};
    messages_.clear();
    frame.Command(536);  // "Oku"
    ASSERT_TRUE(host.Reading());
    ASSERT_TRUE(RunUntil([&] { return !host.Reading(); }));
    ASSERT_EQ(messages_.size(), 1u);  // the page's data is about to be replaced
    EXPECT_NE(messages_[0].find("Kaybedeceksiniz"), std::string::npos);
    ASSERT_EQ(frame.Pages().CurrentPage(), 1);
    if (Edit(frame, MasterIds::kSerialNo)->text().isEmpty())
        Edit(frame, MasterIds::kSerialNo)->setText("1207");
    frame.Command(507);
    ASSERT_NE(dynamic_cast<TChannel*>(frame.Pages().Current()), nullptr);
    EXPECT_EQ(Edit(frame, TChannel::kName + 1)->text().toStdString(), "DERE 1  ");
    EXPECT_EQ(Edit(frame, TChannel::kTxFreq + 1)->text().toStdString(), "146.2625");
    EXPECT_EQ(Edit(frame, TChannel::kRxFreq + 1)->text().toStdString(), "146.2500");
    EXPECT_EQ(Edit(frame, TChannel::kTxTone + 1)->text().toStdString(), "69");
    EXPECT_TRUE(frame.Pages().Current()->Item<QAbstractButton>(TChannel::kScan + 1)->isChecked());
    EXPECT_EQ(host.Parameters().Clone.Kanal[0].TxFreq, 105);
    EXPECT_EQ(host.Parameters().Clone.Kanal[0].TxTCS, 39);
}

TEST_F(FileToRadio, SequentialProgrammingCountsUpAfterEachRadio) {
    StartRadio();
    test::WholeProgram program;
    TQtHost& host = program.host;
    TProgFrame& frame = program.frame;
    frame.SetupClient();
    messages_.clear();
    ASSERT_EQ(host.Reopen(1, 115200), Status::Ok);
    frame.Command(24331);  // a new file is what the radios get

    std::vector<std::string> serials, anis;
    TDataDlg::SetExecuteHook([&](TDataDlg& dlg) {
        if (dlg.ResourceId() == TFileDefaults::kDialogId) {
            dlg.Command(1);
            return dlg.result();
        }
        auto* seq = dynamic_cast<TAutoProg*>(&dlg);
        EXPECT_NE(seq, nullptr);
        if (seq == nullptr)
            return 2;
        auto text = [&](int id) { return seq->Item<QLineEdit>(id)->text().toStdString(); };
        seq->Item<QLineEdit>(AutoProgIds::kSerialNo)->setText("65535");
        seq->Item<QLineEdit>(AutoProgIds::kAni)->setText("0099");
        seq->Command(AutoProgIds::kProgram);
        EXPECT_TRUE(RunUntil([&] {
            return text(AutoProgIds::kSerialNo) != "65535" || Said("HATA");
        })) << (messages_.empty() ? "" : messages_.back());
        serials.push_back(text(AutoProgIds::kSerialNo));
        anis.push_back(text(AutoProgIds::kAni));
        return 2;
    });
    frame.Command(540);  // "&Sıralı Programla"
    ASSERT_TRUE(Said("Telsiz programlandı.")) << (messages_.empty() ? "" : messages_.back());
    EXPECT_EQ(serials, std::vector<std::string>{"1"});
    EXPECT_EQ(anis, std::vector<std::string>{"100"});
    EXPECT_EQ(frame.Pages().CurrentPage(), 3);  // back to the file's page
    EXPECT_EQ(VisibleWindows(), std::vector<std::string>{frame.windowTitle().toStdString()});

    // The radio holds the numbers of the dialog as they were when it was programmed.
    RunUntil([&] { return host.Client().Idle(); });
    messages_.clear();
    frame.Command(536);
    ASSERT_TRUE(RunUntil([&] { return !host.Reading(); }));
    ASSERT_EQ(frame.Pages().CurrentPage(), 1);
    EXPECT_EQ(Edit(frame, MasterIds::kSerialNo)->text().toStdString(), "65535");
    EXPECT_EQ(host.Parameters().Service.ANINo[0], 0);
    EXPECT_EQ(host.Parameters().Service.ANINo[3], 9);
}

// An INI that names a production database and a series of it, and nothing else.
class SeriesIni final : public IniStore {
  public:
    SeriesIni(std::string database, std::string series)
        : database_(std::move(database)), series_(std::move(series)) {}
    int GetInt(const std::string&, const std::string&, int def) const override { return def; }
    std::vector<std::string> KeyNames(const std::string&, size_t) const override { return {}; }
    bool WriteString(const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& def) const override {
        if (section == "Production" && key == "Database")
            return database_;
        if (section == "Production" && key == "Series")
            return series_;
        return def;
    }

  private:
    std::string database_;
    std::string series_;
};

class FileToRadioSeries : public FileToRadio, protected ::norda::test::PgSuite {
  protected:
    static void SetUpTestSuite() { StartCluster(); }
    static void TearDownTestSuite() { StopCluster(); }
    void SetUp() override {
        FileToRadio::SetUp();
        NewDatabase();
    }
};

TEST_F(FileToRadioSeries, TheDialogWritesTheRadioWithTheNumbersTheSeriesReservedForIt) {
    std::string error;
    auto db = ProductionDb::Connect(conninfo_, error);
    ASSERT_TRUE(db) << error;
    int before = 0;
    ASSERT_TRUE(db->Init(before)) << db->Error();
    ASSERT_TRUE(db->SetSeries({"L", 300, "0042", {}, {}, {}})) << db->Error();
    StartRadio();
    test::WholeProgram program(std::make_unique<SeriesIni>(conninfo_, "L"));
    TQtHost& host = program.host;
    TProgFrame& frame = program.frame;
    frame.SetupClient();
    messages_.clear();
    ASSERT_EQ(host.Reopen(1, 115200), Status::Ok);
    frame.Command(24331);

    std::vector<std::string> shownBefore, shownAfter;
    int opened = 0;
    TDataDlg::SetExecuteHook([&](TDataDlg& dlg) {
        if (dlg.ResourceId() == TFileDefaults::kDialogId) {
            dlg.Command(1);
            return dlg.result();
        }
        auto* seq = dynamic_cast<TAutoProg*>(&dlg);
        EXPECT_NE(seq, nullptr);
        if (seq == nullptr)
            return 2;
        ++opened;
        QLineEdit* serial = seq->Item<QLineEdit>(AutoProgIds::kSerialNo);
        EXPECT_FALSE(serial->isEnabled());
        shownBefore.push_back(serial->text().toStdString());
        seq->Command(AutoProgIds::kProgram);
        EXPECT_TRUE(RunUntil([&] { return Said("Telsiz programlandı.") || Said("HATA"); }))
            << (messages_.empty() ? "" : messages_.back());
        shownAfter.push_back(serial->text().toStdString() + " " +
                             seq->Item<QLineEdit>(AutoProgIds::kAni)->text().toStdString());
        return 2;
    });
    frame.Command(540);  // "&Sıralı Programla"
    ASSERT_TRUE(Said("Telsiz programlandı.")) << (messages_.empty() ? "" : messages_.back());
    EXPECT_EQ(shownBefore, std::vector<std::string>{""});
    EXPECT_EQ(shownAfter, std::vector<std::string>{"300 0042"});
    EXPECT_EQ(host.Parameters().Master.SeriNo, 300);
    RunUntil([&] { return host.Client().Idle(); });
    const auto records = db->Records(0, "L", "300");
    ASSERT_TRUE(records) << db->Error();
    ASSERT_EQ(records->size(), 1u);
    EXPECT_EQ((*records)[0].outcome, "programmed");
    EXPECT_EQ((*records)[0].record.program, "ombra");

    // Without the server the dialog does not open, and the status bar says why.
    ASSERT_TRUE(cluster_->Stop());
    frame.Command(540);
    const std::string notice = frame.Notice().toStdString();
    ASSERT_TRUE(cluster_->Start());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(notice.rfind("Telsiz başlatılmadı: production database: ", 0), 0u) << notice;
}

}  // namespace
}  // namespace norda::ombra
