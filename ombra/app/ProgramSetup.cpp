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
        std::unique_ptr<ProductionDb> db;
        std::unique_ptr<SeriesStation> series;
        const StartupConfig& config = frame_.App().Config();
        if (!config.productionSeries.empty() && !OpenSeries(client, db, series))
            return;
        TAutoProg dialog(&frame_, frame_.Module(), client);
        dialog.KeepNumbersIn(frame_.App().IniPath());
        if (series) {
            dialog.TakeNumbersFrom(series.get(), [this](const std::string& why) {
                ShowSeriesNote(kTextRadioNotStarted, why);
            });
            host_.alsoRecord = [this, &series](const ProductionRecord& record) {
                const bool programmed = record.resultId == msg::kSequentialProgrammed;
                if (const std::string why = series->Finish(record, programmed); !why.empty())
                    ShowSeriesNote(kTextRecordNotKept, why);
            };
        }
        host_.SetSequentialDialog(&dialog, [&dialog](uint32_t) { dialog.NextRadio(); });
        dialog.Execute();
        host_.SetSequentialDialog(nullptr, nullptr);
        host_.alsoRecord = nullptr;
    });
}

bool TProgramSetup::OpenSeries(TProgWin& client, std::unique_ptr<ProductionDb>& db,
                               std::unique_ptr<SeriesStation>& series) {
    const StartupConfig& config = frame_.App().Config();
    std::string problem;
    if (config.productionDatabase.empty()) {
        problem = "Series=" + config.productionSeries +
                  " wants the production database in Database= of [Production]";
    } else if ((db = ProductionDb::Connect(config.productionDatabase, problem))) {
        // The station is the one ombra-cli sequence names for the same port.
        series = std::make_unique<SeriesStation>(
            *db, config.productionSeries,
            ProductionLog::ThisHost() + ":" + std::to_string(client.Port().PortNumber()),
            ProductionSpool::PathBeside(ProductionLogPath("", config.productionLog)));
        problem = series->Open();
    } else {
        problem = "production database: " + problem;
    }
    if (problem.empty())
        return true;
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
