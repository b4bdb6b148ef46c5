#include "ombra/app/ProgramSetup.h"

#include "ombra/app/CommandRules.h"
#include "ombra/ops/BackupStore.h"
#include "ombra/pages/ParamPages.h"
#include "ombra/pages/RadioDataPages.h"
#include "ombra/pages/TAutoProg.h"
#include "ombra/pages/TBackupsDlg.h"
#include "ombra/pages/TCompareDlg.h"

namespace norda::ombra {

CodeplugOptions TFrameFileHost::FileOptions() {
    CodeplugOptions o;
    o.testMode = frame_.App().TestSwitch();
    o.shiftFrequencies = frame_.App().Config().shiftFrequencies;
    return o;
}

TProgramSetup::TProgramSetup(TProgFrame& frame, TQtHost& host)
    : frame_(frame),
      host_(host),
      fileHost_(frame, host),
      files_(fileHost_, host.Parameters()),
      plans_(fileHost_, host.Parameters(), frame.App().ProgramDir()) {
    RegisterParamPages(frame_.Pages(), host_.Parameters());
    PageEnvironment environment;
    environment.parameters = &host_.Parameters();
    environment.shiftFrequencies = frame_.App().Config().shiftFrequencies;
    RegisterRadioDataPages(frame_.Pages(), environment);
    for (int id : {kCmFileNew, kCmFileOpen, kCmFileSave, kCmFileSaveAs})
        frame_.SetCommandHandler(id, [this, id] { files_.Command(id); });
    frame_.SetCommandHandler(cmd::kBackups, [this] { ShowBackups(); });
    frame_.SetCommandHandler(cmd::kCompare, [this] { Compare(); });
    frame_.SetCommandHandler(cmd::kExportPlan, [this] { plans_.Export(); });
    frame_.SetCommandHandler(cmd::kImportPlan, [this] { plans_.Import(); });
    host_.SetSequentialRunner([this](TProgWin& client) {
        TAutoProg dialog(&frame_, frame_.Module(), client);
        dialog.KeepNumbersIn(frame_.App().IniPath());
        host_.SetSequentialDialog(&dialog, [&dialog](Posted) { dialog.NextRadio(); });
        dialog.Execute();
        host_.SetSequentialDialog(nullptr, nullptr);
    });
}

void TProgramSetup::ShowBackups() {
    TBackupsDlg dialog(&frame_, frame_.Module(), ListBackups(BackupRoot()));
    if (dialog.Execute() == 1 && !dialog.Chosen().empty())
        files_.OpenFile(dialog.Chosen());
}

void TProgramSetup::Compare() {
    if (!frame_.CanLeavePage())
        return;
    const CodeplugOptions options = fileHost_.FileOptions();
    DiffCoverage coverage = options.testMode ? DiffCoverage::TestFile : DiffCoverage::File;
    if (frame_.State() == DocumentState::RadioData)
        coverage = DiffCoverage::Image;
    TCompareDlg dialog(&frame_, frame_.Module(), host_.Parameters(), coverage, options,
                       ListBackups(BackupRoot()));
    dialog.SetFileAsker([this] {
        return fileHost_.AskOpenFileName(frame_.Module().Text(3326), frame_.Module().Text(3327));
    });
    dialog.Execute();
}

}  // namespace norda::ombra
