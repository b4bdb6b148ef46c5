// The windows Qt makes for OMBRA (the file dialogs and the question they ask before a
// file is replaced) speak the program's language, and change with it. With
// NORDA_SCREENSHOT_DIR set the test leaves their pictures there for the README.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "ombra/app/FileCommands.h"
#include "ombra/pages/TMessageDlg.h"
#include "resources/OmbraControlIds.h"
#include "tests/support/FramedShot.h"
#include "tests/support/ModalScript.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/WholeProgram.h"

namespace norda::ombra {
namespace {

namespace fs = std::filesystem;
using norda::test::ButtonTexts;
using norda::test::ModalScript;

// What the user reads in Qt's windows, mnemonics left out.
struct QtWindows {
    QStringList dialogButtons;
    QString fileNameLabel;
    QString question;
    QStringList questionButtons;
};

class QtTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() / ("ombra_qt_" + std::to_string(getpid())) / "Telsizler";
        fs::create_directories(folder_);
        // Dated alike, so that pictures taken again differ only where the program does.
        const auto date = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
        for (const char* name : {"radyo1.OMB", "radyo2.OMB"}) {
            std::ofstream(folder_ / name) << "[TestAyar]\r\nHalfBaseChan[0]=22\r\n";
            fs::last_write_time(folder_ / name, date);
        }
        TDataDlg::SetExecuteHook([](TDataDlg& dlg) {
            if (dlg.ResourceId() == OmbraLanguageIds::kDialog) {
                const bool turkish =
                    dlg.Item<QRadioButton>(OmbraLanguageIds::kTurkish)->isChecked();
                dlg.Item<QRadioButton>(turkish ? OmbraLanguageIds::kEnglish
                                               : OmbraLanguageIds::kTurkish)
                    ->setChecked(true);
            }
            dlg.Command(1);
            return dlg.result();
        });
    }
    void TearDown() override {
        TDataDlg::SetExecuteHook({});
        std::error_code ec;
        fs::remove_all(folder_.parent_path(), ec);
    }

    // "O&larak Sakla" onto a file that is there: the dialog, "replace it?", "No", and
    // the dialog cancelled.
    QtWindows SaveOverAFile(TProgFrame& frame, const QString& language) {
        QtWindows seen;
        ModalScript script({
            {[](QWidget& w) {
                 auto* model = w.findChild<QFileSystemModel*>();
                 return qobject_cast<QFileDialog*>(&w) != nullptr && model != nullptr &&
                        model->rowCount(model->index(model->rootPath())) >= 2;
             },
             [&](QWidget& w) {
                 seen.dialogButtons = ButtonTexts(w);
                 if (auto* label = w.findChild<QLabel*>(QStringLiteral("fileNameLabel")))
                     seen.fileNameLabel = label->text().remove(QLatin1Char('&'));
                 EXPECT_TRUE(norda::test::ShootWhenAsked(w, "file-dialog_" + language));
                 w.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
             }},
            // The question is the program's own, about the name that will be written.
            {[](QWidget& w) { return qobject_cast<TMessageDlg*>(&w) != nullptr; },
             [&](QWidget& w) {
                 auto& box = static_cast<TMessageDlg&>(w);
                 seen.question = box.TextLabel()->text();
                 seen.questionButtons = ButtonTexts(box);
                 EXPECT_TRUE(norda::test::ShootWhenAsked(box, "file-replace_" + language));
                 static_cast<QDialog&>(box).reject();
             }},
            {[](QWidget& w) { return qobject_cast<QFileDialog*>(&w) != nullptr; },
             [](QWidget& w) { static_cast<QFileDialog&>(w).reject(); }},
        });
        frame.Command(kCmFileSaveAs);
        EXPECT_TRUE(script.Done());
        EXPECT_FALSE(script.TimedOut());
        return seen;
    }

    fs::path folder_;
};

TEST_F(QtTexts, FileDialogsAskInTheProgramsLanguage) {
    test::WholeProgram program;
    TProgFrame& frame = program.frame;
    frame.Command(kCmFileNew);
    frame.SetFileName((folder_ / "radyo1.OMB").string());

    QtWindows turkish = SaveOverAFile(frame, "tr");
    EXPECT_EQ(turkish.dialogButtons, (QStringList{"Kaydet", "İptal"}));
    EXPECT_EQ(turkish.fileNameLabel.toStdString(), "Dosya adı:");
    EXPECT_TRUE(turkish.question.contains("radyo1.OMB kütüğü zaten var."))
        << turkish.question.toStdString();
    EXPECT_EQ(turkish.questionButtons, (QStringList{"TAMAM", "VAZGEÇ"}));

    frame.Command(551);  // "Yazılım Dili": English
    ASSERT_EQ(program.app.CountryCode(), kEnglishCountryCode);
    QtWindows english = SaveOverAFile(frame, "en");
    EXPECT_EQ(english.dialogButtons, (QStringList{"Cancel", "Save"}));
    EXPECT_EQ(english.fileNameLabel.toStdString(), "File name:");
    EXPECT_TRUE(english.question.contains("radyo1.OMB already exists."))
        << english.question.toStdString();
    EXPECT_EQ(english.questionButtons, (QStringList{"CANCEL", "OK"}));

    // Declining left the file as it was.
    std::ifstream in(folder_ / "radyo1.OMB");
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "[TestAyar]\r");
}

}  // namespace
}  // namespace norda::ombra
