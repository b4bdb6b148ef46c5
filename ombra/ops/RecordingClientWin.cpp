#include "ombra/ops/RecordingClientWin.h"

#include <ctime>

#include "codeplug/TextFormat.h"
#include "ombra/ops/AutoProgLogic.h"
#include "ombra/ops/OpsMessages.h"

namespace norda::ombra {
namespace {

constexpr int kTextLogNotWritten = 3400;

}  // namespace

// A pre-read starts every write, copy and radio of a sequence. A write stopped without a
// word (the port reopened, the program told to stop) has no record; the full read that
// follows must not end it with its own message.
void RecordingClientWin::ReadStarting(Phase phase) {
    recording_ = phase == Phase::PreReading;
    if (!recording_)
        return;
    lastResultId_ = 0;
    startedAt_ = static_cast<int64_t>(std::time(nullptr));
    startTick_ = clock_.TickCount();
}

void RecordingClientWin::OperationEnding(const OperationEnd& end) {
    if (!recording_)
        return;
    recording_ = false;
    lastResultId_ = end.message.textId;
    if (!recorder_)
        return;
    ProductionRecord record;
    record.startedAt = startedAt_;
    record.program = program_;
    record.port = Port().PortNumber();
    record.operation = SequentialRunning() ? "sequence" : CopyMode() ? "copy" : "write";
    FillIdentities(record, Parameters());
    record.resultId = end.message.textId;
    record.result = ProductionLog::OneLine(MessageText(Host(), end.message));
    record.durationMs = clock_.TickCount() - startTick_;
    recorder_(record);
}

void FillIdentities(ProductionRecord& record, const RadioParameters& parameters) {
    record.serial = std::to_string(static_cast<uint16_t>(parameters.Master.SeriNo));
    record.ani = autoprog::DigitsToText(parameters.Service.ANINo);
    record.ack = autoprog::DigitsToText(parameters.Service.ACKNo);
    record.selectiveCall = autoprog::DigitsToText(parameters.Service.SecmeliCagriNo);
}

std::string ProductionLogNote(const std::string& path, const LogAppend& failure,
                              const TextSource& texts) {
    return FormatText(texts.Text(kTextLogNotWritten), {path + " (" + failure.reason + ")"});
}

std::string ProductionLogPath(const std::string& option, const std::string& configured) {
    if (!option.empty())
        return option;
    return configured.empty() ? ProductionLog::DefaultPath() : configured;
}

}  // namespace norda::ombra
