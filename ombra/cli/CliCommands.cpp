#include "ombra/cli/CliCommands.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "codeplug/CodeplugFile.h"
#include "codeplug/MemoryAreas.h"
#include "codeplug/RadioTexts.h"
#include "codeplug/TextFormat.h"
#include "ombra/cli/ConsoleHost.h"
#include "ombra/cli/ReportCommand.h"
#include "ombra/cli/SequenceCommand.h"
#include "ombra/ops/BackupStore.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/RecordingClientWin.h"
#include "ombra/ops/WritePreview.h"
#include "ombra/pages/ChannelPlan.h"
#include "ombra/pages/CodeplugDiff.h"
#include "ombra/pages/CopyComparison.h"
#include "platform/ProfileFile.h"
#include "production/ProductionDb.h"
#include "production/ProductionSpool.h"
#include "production/RecordKeeper.h"

namespace norda::ombra {
namespace {

constexpr int kSerialPortFaulty = 625;
constexpr Severity kFailure = Severity::Failure;
constexpr Severity kNotice = Severity::Info;
constexpr int kTextRadioAsFile = 3340;
constexpr int kTextRadioDiffers = 3341;
// A radio restarting after a write does not answer for a while; so long a verify
// after a copy keeps trying to reach it.
constexpr uint32_t kRestartWaitMs = 30000;
constexpr int kTextOnlyCopySet = 3564;

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file != nullptr)
            std::fclose(file);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

class Command {
  public:
    Command(const CliOptions& options, const CliConfig& config, const ResourceModule& texts,
            std::FILE* err, std::FILE* out, Clock& clock)
        : options_(options),
          config_(config),
          texts_(texts),
          err_(err),
          out_(out),
          clock_(clock),
          host_(texts, clock, err, isatty(fileno(err)) == 1) {
        codeplugOptions_.testMode = options.test;
        codeplugOptions_.shiftFrequencies = config.shiftFrequencies;
        ProgWinSettings settings;
        settings.cloneConstants = config.cloneConstants;
        settings.pauseAfterAckMs = config.pauseAfterAckMs;
        const int port = options.port != 0 ? options.port : config.serialPort;
        client_ = std::make_unique<RecordingClientWin>(host_, image_, parameters_, port,
                                                       options.baud, settings, clock);
        host_.Attach(*client_);
        host_.SetBackupRoot(BackupRoot());
    }

    int Run() {
        switch (options_.command) {
            case CliCommand::Read:
                return Read();
            case CliCommand::Copy:
                return Copy();
            case CliCommand::Decode:
                return Decode();
            case CliCommand::Backups:
                return Backups();
            case CliCommand::Diff:
                return Diff();
            case CliCommand::Verify:
                return Verify();
            case CliCommand::Sequence:
                return Sequence();
            case CliCommand::ChannelsExport:
                return ExportChannels();
            case CliCommand::ChannelsImport:
                return ImportChannels();
            case CliCommand::Production:
                return Production();
        }
        return kExitUsage;
    }

  private:
    void Problem(const std::string& what) { std::fprintf(err_, "ombra-cli: %s\n", what.c_str()); }

    bool OpenLink() {
        if (!options_.traceFile.empty()) {
            trace_.reset(std::fopen(options_.traceFile.c_str(), "w"));
            if (!trace_) {
                Problem("cannot write " + options_.traceFile);
                return false;
            }
            client_->SetTrace(true);
            host_.SetTraceFile(trace_.get());
        }
        return true;
    }

    // The port is opened as the window would be set up.
    bool OpenPort() {
        if (Succeeded(client_->SetupWindow()))
            return true;
        // The window's message, and for the console the device and the system's reason.
        std::string text = texts_.Text(kSerialPortFaulty);
        if (const std::string reason = client_->Port().OpenFailure(); !reason.empty())
            text +=
                " (port " + std::to_string(client_->Port().PortNumber()) + " is " + reason + ")";
        host_.Show(text, texts_.Text(msg::kCaptionError), kFailure);
        return false;
    }

    int SaveCodeplug(const std::string& name) {
        const std::string path = CompleteCodeplugName(name);
        if (!Succeeded(SaveCodeplugFile(path, parameters_, codeplugOptions_))) {
            std::string text = texts_.Text(kTextFileNotSaved);
            const size_t at = text.find("%s");
            if (at != std::string::npos)
                text.replace(at, 2, path);
            host_.Show(text, texts_.Text(msg::kCaptionError), kFailure);
            return kExitUsage;
        }
        host_.Show(texts_.Text(kTextFileSaved), texts_.Text(msg::kCaptionInfo), kNotice);
        return kExitOk;
    }

    int Read() {
        if (!OpenLink())
            return kExitUsage;
        if (!OpenPort())
            return kExitFailed;
        client_->CmRead();
        host_.Run();
        if (host_.Failed() || !client_->DataValid())
            return kExitFailed;
        if (!options_.imageFile.empty()) {
            std::ofstream out(options_.imageFile, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(image_.bytes.data()),
                      static_cast<std::streamsize>(image_.bytes.size()));
            if (!out.flush()) {
                Problem("cannot write " + options_.imageFile);
                return kExitUsage;
            }
        }
        return SaveCodeplug(options_.files[0]);
    }

    // A file goes into a radio only as written: one value the loader cannot take
    // refuses the whole file before the port is opened.
    bool LoadInput(const std::string& in, RadioParameters& parameters) {
        if (!std::ifstream(in)) {
            Problem("cannot read " + in);
            return false;
        }
        FileValueReports reports;
        if (!Succeeded(LoadCodeplugFile(in, parameters, codeplugOptions_, &reports))) {
            host_.Show(texts_.Text(kTextFileNoBand), texts_.Text(msg::kCaptionError), kFailure);
            return false;
        }
        if (reports.empty())
            return true;
        for (const FileValueReport& r : reports) {
            std::fprintf(err_, "ombra-cli: %s:%d: [%s] %s=%s: %s\n", in.c_str(), r.line,
                         r.section.c_str(), r.key.c_str(), ReportedValueText(r).c_str(),
                         FileValueProblemText(r, texts_).c_str());
        }
        host_.Show(FormatText(texts_.Text(kTextFileValuesRefused),
                              {FormatArg(static_cast<long long>(reports.size()))}),
                   texts_.Text(msg::kCaptionError), kFailure);
        return false;
    }

    // Every radio programmed, or failed, goes into the production log; a log that
    // cannot be written is only a warning.
    void KeepProductionLog(RecordingClientWin::Recorder also = nullptr) {
        const ProductionLog log(ProductionLogPath(options_.logFile, config_.productionLog));
        client_->SetRecorder("ombra-cli", [this, log, also](const ProductionRecord& record) {
            if (const LogAppend appended = log.Append(record); !Succeeded(appended.status)) {
                host_.Show(ProductionLogNote(log.Path(), appended, texts_),
                           texts_.Text(msg::kCaptionWarning), kNotice);
            }
            if (also)
                also(record);
        });
    }

    // A radio that takes no numbers from a series still leaves its record in the
    // production database, when one is configured; nullptr without one.
    RecordingClientWin::Recorder DatabaseRecorder() {
        const std::string& conninfo =
            options_.database.empty() ? config_.productionDatabase : options_.database;
        if (conninfo.empty())
            return nullptr;
        auto keeper = std::make_shared<RecordKeeper>(conninfo, SpoolPath());
        return [this, keeper](const ProductionRecord& record) {
            const std::string station =
                !options_.station.empty()
                    ? options_.station
                    : ProductionLog::ThisHost() + ":" + std::to_string(record.port);
            const bool programmed = record.resultId == msg::kProgrammed ||
                                    record.resultId == msg::kSequentialProgrammed;
            if (const std::string why = keeper->Keep(record, station, programmed); !why.empty())
                std::fprintf(err_, "ombra-cli: production database: %s\n", why.c_str());
        };
    }

    std::string SpoolPath() const {
        return ProductionSpool::PathBeside(
            ProductionLogPath(options_.logFile, config_.productionLog));
    }

    // The production database the options or the INI name; empty after saying why not.
    std::unique_ptr<ProductionDb> ConnectDatabase(int& rc) {
        const std::string& conninfo =
            options_.database.empty() ? config_.productionDatabase : options_.database;
        if (conninfo.empty()) {
            Problem(
                "no production database: --db URI, or Database= in the [Production] section "
                "of " +
                (options_.iniFile.empty() ? OmbraIniPath() : options_.iniFile));
            rc = kExitUsage;
            return nullptr;
        }
        std::string error;
        auto db = ProductionDb::Connect(conninfo, error);
        if (!db) {
            Problem("production database: " + error);
            rc = kExitFailed;
        }
        return db;
    }

    // A station of a series holds no numbers from a run that did not end: they go back
    // for the next radio before this run takes any.
    bool OpenSeries(SeriesStation& series) {
        const std::string problem = series.Open();
        if (series.SentFromSpool() > 0)
            std::fprintf(err_, "ombra-cli: %d spooled record(s) sent from %s\n",
                         series.SentFromSpool(), series.SpoolPath().c_str());
        if (!problem.empty()) {
            Problem(problem);
            return false;
        }
        if (series.Released() > 0) {
            std::fprintf(err_,
                         "ombra-cli: station %s gave back the numbers of %ld radio(s) it did "
                         "not finish\n",
                         series.Station().c_str(), series.Released());
        }
        return true;
    }

    // Which file, byte for byte, the radios of the series were programmed from.
    bool KeepTemplate(ProductionDb& db) {
        const std::string& path = options_.files[0];
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (in.bad()) {
            Problem("cannot read " + path);
            return false;
        }
        const size_t slash = path.find_last_of('/');
        if (db.UseTemplate(options_.series,
                           slash == std::string::npos ? path : path.substr(slash + 1), bytes))
            return true;
        Problem("production database: " + db.Error());
        return false;
    }

    int Production() {
        int rc = kExitOk;
        const std::string logPath = ProductionLogPath(options_.logFile, config_.productionLog);
        // A report comes from the local log on a bench without a database.
        if (options_.production == ProductionAction::Report && options_.database.empty() &&
            config_.productionDatabase.empty())
            return RunReport(options_, nullptr, logPath, out_, err_);
        const auto db = ConnectDatabase(rc);
        if (!db)
            return rc;
        switch (options_.production) {
            case ProductionAction::Init: {
                int before = 0;
                if (!db->Init(before))
                    break;
                if (before == ProductionDb::kSchemaVersion)
                    std::fprintf(out_, "schema version %d: nothing to do\n", before);
                else
                    std::fprintf(out_, "schema version %d (was %d)\n", ProductionDb::kSchemaVersion,
                                 before);
                return kExitOk;
            }
            case ProductionAction::Series: {
                AutoProgFields fields;
                fields.serialNo = *options_.serial;
                fields.ani = options_.ani.value_or("");
                fields.ack = options_.ack.value_or("");
                fields.selectiveCall = options_.selectiveCall.value_or("");
                fields.cloneKey = options_.cloneKey.value_or("");
                if (!CheckSequenceNumbers(fields, texts_, err_))
                    return kExitUsage;
                SeriesChange change{options_.files[0], std::stol(fields.serialNo), {}, {}, {}, {}};
                if (options_.ani)
                    change.ani = fields.ani;
                if (options_.ack)
                    change.ack = fields.ack;
                if (options_.selectiveCall)
                    change.selectiveCall = fields.selectiveCall;
                change.cloneKey = options_.cloneKey;
                if (!db->SetSeries(change))
                    break;
                return kExitOk;
            }
            case ProductionAction::Release: {
                const long released = db->ReleaseStation(options_.station);
                if (released < 0)
                    break;
                std::fprintf(out_, "released the numbers of %ld radio(s)\n", released);
                return kExitOk;
            }
            case ProductionAction::Report:
                return RunReport(options_, db.get(), logPath, out_, err_);
        }
        Problem("production database: " + db->Error());
        return kExitFailed;
    }

    int Sequence() {
        if (!LoadInput(options_.files[0], parameters_))
            return kExitUsage;
        host_.SetFileOpened(true);
        SequenceCommand sequence(options_, *client_, host_, texts_, err_, out_);
        std::unique_ptr<ProductionDb> db;
        std::unique_ptr<SeriesStation> series;
        if (!options_.series.empty()) {
            const std::string station = !options_.station.empty()
                                            ? options_.station
                                            : ProductionLog::ThisHost() + ":" +
                                                  std::to_string(client_->Port().PortNumber());
            int rc = kExitOk;
            db = ConnectDatabase(rc);
            if (!db)
                return rc;
            series = std::make_unique<SeriesStation>(*db, options_.series, station, SpoolPath());
            if (!OpenSeries(*series) || !KeepTemplate(*db))
                return kExitFailed;
            sequence.UseSeries(*series);
        }
        if (const int rc = sequence.Prepare(); rc != 0)
            return rc;
        if (!OpenLink())
            return kExitUsage;
        if (!OpenPort())
            return kExitFailed;
        // A series keeps its records with its numbers.
        RecordingClientWin::Recorder database = series ? nullptr : DatabaseRecorder();
        KeepProductionLog([&sequence, database](const ProductionRecord& record) {
            sequence.Recorded(record);
            if (database)
                database(record);
        });
        CatchSequenceInterrupt();
        return sequence.Run();
    }

    int Copy() {
        const std::string& in = options_.files[0];
        if (!LoadInput(in, parameters_))
            return kExitUsage;
        host_.SetFileOpened(true);
        KeepProductionLog(DatabaseRecorder());
        if (!OpenLink())
            return kExitUsage;
        if (!OpenPort())
            return kExitFailed;
        client_->CmCopy();
        host_.Run();
        // A completed write leaves the editor holding what went into the radio.
        if (host_.Failed() || !client_->DataValid())
            return kExitFailed;
        if (!options_.verify)
            return kExitOk;
        auto file = std::make_unique<RadioParameters>();
        return LoadInput(in, *file) ? CompareWithRadio(*file, true) : kExitUsage;
    }

    int Verify() {
        auto file = std::make_unique<RadioParameters>();
        if (!LoadInput(options_.files[0], *file))
            return kExitUsage;
        if (!OpenLink())
            return kExitUsage;
        if (!OpenPort())
            return kExitFailed;
        return CompareWithRadio(*file, false);
    }

    // A full read, as "read" makes it. Right after a write the radio is restarting:
    // attempts that only find no link are repeated, silently, until it answers.
    bool ReadRadio(bool afterWrite) {
        const uint32_t start = clock_.TickCount();
        for (;;) {
            host_.ClearFailed();
            // Nothing on screen that the read would have to ask about.
            host_.SetCurrentPage(-1);
            client_->SetDataValid(false);
            if (afterWrite)
                host_.HoldMessages();
            client_->CmRead();
            host_.Run();
            const bool done = !host_.Failed() && client_->DataValid();
            const bool noLinkOnly = host_.HeldTexts().size() == 1 && host_.LastEnd() &&
                                    host_.LastEnd()->message.textId == msg::kNoLink;
            if (!done && afterWrite && noLinkOnly && clock_.TickCount() - start < kRestartWaitMs) {
                host_.DropHeld();
                continue;
            }
            host_.ReleaseHeld();
            return done;
        }
    }

    // Reads the radio and holds it against what a copy of `file` would write into
    // it; the differences go out as "diff" lists them.
    int CompareWithRadio(const RadioParameters& file, bool afterWrite) {
        if (!ReadRadio(afterWrite))
            return kExitFailed;
        const WritePreview preview = PreviewWrite(file, image_, true, client_->Settings(), texts_);
        if (!preview.ok) {
            host_.Show(preview.text, preview.caption, kFailure);
            return kExitFailed;
        }
        // Only what a write sends and a read sees can be held against the radio.
        auto expected = std::make_unique<RadioImage>(image_);
        for (const MemoryArea& area : kMemoryAreas) {
            const int length = std::min(area.readLength, area.writeLength);
            std::copy_n(preview.image.bytes.begin() + area.address, length,
                        expected->bytes.begin() + area.address);
        }
        if (expected->bytes == image_.bytes) {
            host_.Show(texts_.Text(kTextRadioAsFile), texts_.Text(msg::kCaptionInfo), kNotice);
            return kExitOk;
        }
        const CopyComparison comparison = CompareWithCopy(image_, *expected, texts_);
        std::fputs(DiffListing(comparison.rows, texts_).c_str(), out_);
        std::fflush(out_);
        // Still a difference: a copy would change the radio. But not one of its parameters.
        if (comparison.onlyCopySet)
            host_.Show(texts_.Text(kTextOnlyCopySet), texts_.Text(msg::kCaptionWarning), kNotice);
        else
            host_.Show(texts_.Text(kTextRadioDiffers), texts_.Text(msg::kCaptionError), kFailure);
        return kExitFailed;
    }

    int Diff() {
        std::unique_ptr<RadioParameters> sides[2];
        DiffCoverage coverage[2] = {};
        FileValueReports reports[2];
        for (size_t i = 0; i < 2; ++i) {
            sides[i] = std::make_unique<RadioParameters>();
            if (!LoadComparable(options_.files[i], codeplugOptions_, *sides[i], coverage[i],
                                &reports[i])) {
                Problem("cannot read " + options_.files[i]);
                return kExitUsage;
            }
        }
        const std::vector<DiffRow> rows =
            DiffCodeplugs({*sides[0], reports[0]}, {*sides[1], reports[1]},
                          std::min(coverage[0], coverage[1]), texts_);
        std::fputs(DiffListing(rows, texts_).c_str(), out_);
        std::fflush(out_);
        return rows.empty() ? kExitOk : kExitFailed;
    }

    int Backups() {
        for (const BackupEntry& e : ListBackups(BackupRoot())) {
            std::fprintf(out_, "%s %s\t%d\t%s\t%s\t%s\n", e.date.c_str(), e.time.c_str(), e.serial,
                         texts_.Text(e.radioKindTextId).c_str(), BandText(e.halfBaseChan).c_str(),
                         e.codeplugPath.c_str());
        }
        std::fflush(out_);
        return kExitOk;
    }

    int Decode() {
        const std::string& in = options_.files[0];
        std::ifstream file(in, std::ios::binary);
        if (!file) {
            Problem("cannot read " + in);
            return kExitUsage;
        }
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
        if (bytes.size() != image_.bytes.size()) {
            Problem(in + " is not a " + std::to_string(RadioImage::kSize) + "-byte image");
            return kExitUsage;
        }
        std::copy(bytes.begin(), bytes.end(), image_.bytes.begin());
        const auto warnings = client_->AcceptReadImage(TProgWin::ImageChecksums(image_));
        if (!warnings) {
            Problem(texts_.Text(msg::kLayoutFault));
            return kExitFailed;
        }
        for (const OperationMessage& warning : *warnings)
            host_.Notify(warning, MessageOwner::MainWindow);
        return SaveCodeplug(options_.files[1]);
    }

    // A codeplug written in test mode keeps its fixed and special parameters through a
    // plan, as everything else in it.
    bool LoadPlanCodeplug() {
        const std::string& in = options_.files[0];
        const ProfileFile file = ProfileFile::Load(in);
        codeplugOptions_.testMode =
            options_.test || file.HasSection("Master") || file.HasSection("Service");
        return LoadInput(in, parameters_);
    }

    int ExportChannels() {
        if (!LoadPlanCodeplug())
            return kExitUsage;
        const std::string& out = options_.files[1];
        if (SavePlanFile(out, parameters_, texts_) != 0) {
            host_.Show(FormatText(texts_.Text(kTextPlanNotSaved), {FormatArg(out)}),
                       texts_.Text(msg::kCaptionError), kFailure);
            return kExitUsage;
        }
        host_.Show(FormatText(texts_.Text(kTextPlanSaved), {FormatArg(out)}),
                   texts_.Text(msg::kCaptionInfo), kNotice);
        return kExitOk;
    }

    int ImportChannels() {
        if (!LoadPlanCodeplug())
            return kExitUsage;
        const std::string& plan = options_.files[1];
        std::string bytes;
        if (!ReadPlanFile(plan, bytes)) {
            host_.Show(FormatText(texts_.Text(kTextPlanNotRead), {FormatArg(plan)}),
                       texts_.Text(msg::kCaptionError), kFailure);
            return kExitUsage;
        }
        const PlanLanguages languages(ProgramDirectory());
        const PlanResult result = ImportChannelPlan(bytes, parameters_, config_.shiftFrequencies,
                                                    texts_, languages.Modules());
        if (!result.isPlan || !result.refusals.empty()) {
            host_.Show(PlanRefusalText(result, plan, texts_), texts_.Text(msg::kCaptionError),
                       kFailure);
            return kExitUsage;
        }
        host_.Show(FormatText(texts_.Text(kTextPlanImported),
                              {FormatArg(static_cast<long long>(result.changed))}),
                   texts_.Text(msg::kCaptionInfo), kNotice);
        return SaveCodeplug(options_.files[2]);
    }

    const CliOptions& options_;
    const CliConfig& config_;
    const ResourceModule& texts_;
    std::FILE* err_;
    std::FILE* out_;
    Clock& clock_;
    ConsoleHost host_;
    RadioImage image_;
    RadioParameters parameters_;
    CodeplugOptions codeplugOptions_;
    std::unique_ptr<RecordingClientWin> client_;
    FilePtr trace_;
};

}  // namespace

int RunCliCommand(const CliOptions& options, const CliConfig& config, const ResourceModule& texts,
                  std::FILE* err, std::FILE* out, Clock& clock) {
    Command command(options, config, texts, err, out, clock);
    return command.Run();
}

}  // namespace norda::ombra
