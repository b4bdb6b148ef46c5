// "Oku" in the Qt program against the simulated radio on a pseudo-terminal.

#include "ombra/ops/BackupStore.h"
#include "ombra/pages/TBackupsDlg.h"
#include "ombra/pages/TCompareDlg.h"
#include "ombra/pages/TMaster.h"
#include "tests/support/WholeProgramFixture.h"

namespace norda::ombra {
namespace {

using ReadEndToEnd = test::WholeProgramFixture;

TEST_F(ReadEndToEnd, ReadOpensTheMasterPageWithRadioCaption) {
    StartRadio();
    test::WholeProgram program;
    TQtHost& host = program.host;
    TProgFrame& frame = program.frame;
    frame.SetupClient();
    ASSERT_TRUE(messages_.empty()) << messages_.front();
    ASSERT_EQ(host.Reopen(1, 115200), Status::Ok);
    ASSERT_TRUE(host.PortOpen());
    frame.UpdateCommandStates();
    ASSERT_TRUE(frame.Action(536)->isEnabled());

    frame.Command(536);
    EXPECT_TRUE(host.Reading());
    EXPECT_NE(frame.ProgressWindow(), nullptr);
    EXPECT_EQ(frame.ProgressWindow()->windowTitle(), "Port 1");
    EXPECT_EQ(VisibleWindows(), (std::vector<std::string>{"OMBRA 4.0 ", "Port 1"}));
    frame.UpdateCommandStates();
    EXPECT_FALSE(frame.Action(536)->isEnabled());
    EXPECT_FALSE(frame.Action(551)->isEnabled());

    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 || !messages_.empty(); }));
    EXPECT_TRUE(messages_.empty()) << messages_.front();
    EXPECT_EQ(frame.Pages().CurrentPage(), 1);
    EXPECT_NE(dynamic_cast<TMaster*>(frame.Pages().Current()), nullptr);
    EXPECT_EQ(frame.windowTitle(), "OMBRA 4.0  - Telsiz bilgileri");
    EXPECT_EQ(frame.ProgressWindow(), nullptr);
    EXPECT_EQ(VisibleWindows(), std::vector<std::string>{"OMBRA 4.0  - Telsiz bilgileri"});
    EXPECT_FALSE(host.Reading());
    EXPECT_FALSE(frame.RestrictedPages());
    frame.UpdateCommandStates();
    EXPECT_TRUE(frame.Action(538)->isEnabled()) << "a read makes the write possible";

    // The pre-read's and the write's progress windows go as well.
    frame.Command(538);
    ASSERT_TRUE(RunUntil([&] { return !messages_.empty(); }));
    EXPECT_EQ(messages_, std::vector<std::string>{"BİLGİ: Cihaz programlandı."});
    EXPECT_EQ(VisibleWindows(), std::vector<std::string>{"OMBRA 4.0  - Telsiz bilgileri"});
}

// The read's backup is in the status bar, a change on screen shows against it, and the
// backup opens as a file that "&Sakla" does not write over.
TEST_F(ReadEndToEnd, ReadIsBackedUpComparedAndOpenedAgain) {
    StartRadio();
    test::WholeProgram program;
    TQtHost& host = program.host;
    TProgFrame& frame = program.frame;
    ASSERT_EQ(host.Reopen(1, 115200), Status::Ok);
    frame.Command(536);
    ASSERT_TRUE(RunUntil([&] { return frame.Pages().CurrentPage() == 1 || !messages_.empty(); }));
    ASSERT_TRUE(messages_.empty()) << messages_.front();

    const std::vector<BackupEntry> backups = ListBackups(BackupRoot());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(frame.Notice().toStdString(), "Yedek saklandı: " + backups[0].codeplugPath);
    const std::string backupText = test::Slurp(backups[0].codeplugPath);

    const int16_t readTot = host.Parameters().Clone.Tot;
    host.Parameters().Clone.Tot = static_cast<int16_t>(readTot == 4 ? 6 : 4);
    std::vector<DiffRow> rows;
    QString summary;
    TDataDlg::SetExecuteHook([&](TDataDlg& dlg) {
        auto* compare = dynamic_cast<TCompareDlg*>(&dlg);
        if (compare == nullptr)
            return 2;
        EXPECT_EQ(compare->Backups()->topLevelItemCount(), 1);
        compare->CompareWith(backups[0].imagePath);
        rows = compare->Rows();
        summary = compare->Summary();
        return 2;
    });
    frame.Command(3302);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].label, "Tot (0-225 sn)");
    EXPECT_EQ(rows[0].a, std::to_string(host.Parameters().Clone.Tot * 15));
    EXPECT_EQ(rows[0].b, std::to_string(readTot * 15));
    EXPECT_EQ(summary, "1 fark");

    TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
        auto* list = dynamic_cast<TBackupsDlg*>(&dlg);
        return list != nullptr && list->CanLeave() ? 1 : 2;
    });
    frame.Command(3301);
    TDataDlg::SetExecuteHook(nullptr);
    EXPECT_TRUE(Said("Şu Andaki Verileri Kaybedeceksiniz")) << "the page on screen is asked about";
    EXPECT_EQ(frame.State(), DocumentState::OpenedFile);
    EXPECT_EQ(frame.FileName(), backups[0].codeplugPath);
    EXPECT_EQ(frame.Pages().CurrentPage(), 3);
    EXPECT_EQ(host.Parameters().Clone.Tot, readTot);

    const std::string elsewhere = (dir_ / "kept.omb").string();
    std::vector<std::string> asked;
    FileCommandHost::SetFileNameResponder([&](const std::string& title) {
        asked.push_back(title);
        return elsewhere;
    });
    frame.Command(24333);
    FileCommandHost::SetFileNameResponder(nullptr);
    EXPECT_EQ(asked.size(), 1u) << "saving a backup asks for a name";
    EXPECT_EQ(test::Slurp(backups[0].codeplugPath), backupText);
    EXPECT_TRUE(std::filesystem::exists(elsewhere));
}

}  // namespace
}  // namespace norda::ombra
