#include "ombra/app/ProgramSetup.h"

#include "codeplug/TextFormat.h"
#include "ombra/app/CommandRules.h"
#include "ombra/ops/BackupStore.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/RecordingClientWin.h"
#include "ombra/ops/SeriesStation.h"
#include "ombra/pages/ParamPages.h"
#include "ombra/pages/RadioDataPages.h"
#include "ombra/pages/TAutoProg.h"
#include "ombra/pages/TBackupsDlg.h"
#include "ombra/pages/TCompareDlg.h"
#include "production/ProductionSpool.h"

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
        // A station that still holds numbers keeps them, and its connection, from one
        // opening of the dialog to the next: its radio may still be under way, and
        // opening the station again would give that radio's numbers to another.
        const bool holding = series_ && series_->Holding();
        if (!frame_.App().Config().productionSeries.empty() && !holding && !OpenSeries(client))
            return;
        TAutoProg dialog(&frame_, frame_.Module(), client);
        dialog.KeepNumbersIn(frame_.App().IniPath());
        if (series_) {
            dialog.TakeNumbersFrom(series_.get(), [this](const std::string& why) {
                ShowSeriesNote(kTextRadioNotStarted, why);
            });
        }
        host_.SetSequentialDialog(&dialog, [&dialog](Posted) { dialog.NextRadio(); });
        dialog.Execute();
        host_.SetSequentialDialog(nullptr, nullptr);
    });
    // Only a radio of the dialog uses the numbers it reserved; a write or copy between
    // never does.
    host_.alsoRecord = [this](const ProductionRecord& record) {
        if (!series_ || !series_->Holding() || record.operation != "sequence")
            return;
        const bool programmed = record.resultId == msg::kSequentialProgrammed;
        if (const std::string why = series_->Finish(record, programmed); !why.empty())
            ShowSeriesNote(kTextRecordNotKept, why);
    };
}

TProgramSetup::~TProgramSetup() {
    host_.alsoRecord = nullptr;
}

bool TProgramSetup::OpenSeries(TProgWin& client) {
    series_.reset();
    seriesDb_.reset();
    const StartupConfig& config = frame_.App().Config();
    std::string problem;
    if (config.productionDatabase.empty()) {
        problem = "Series=" + config.productionSeries +
                  " wants the production database in Database= of [Production]";
    } else if ((seriesDb_ = ProductionDb::Connect(config.productionDatabase, problem))) {
        // The station is the one ombra-cli sequence names for the same port.
        series_ = std::make_unique<SeriesStation>(
            *seriesDb_, config.productionSeries,
            ProductionLog::ThisHost() + ":" + std::to_string(client.Port().PortNumber()),
            ProductionSpool::PathBeside(ProductionLogPath("", config.productionLog)));
        problem = series_->Open();
    } else {
        problem = "production database: " + problem;
    }
    if (problem.empty())
        return true;
    series_.reset();
    seriesDb_.reset();
    ShowSeriesNote(kTextRadioNotStarted, problem);
    return false;
}

void TProgramSetup::ShowSeriesNote(int textId, const std::string& why) {
    frame_.ShowNotice(
        [textId, why](const TextSource& texts) { return FormatText(texts.Text(textId), {why}); });
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
