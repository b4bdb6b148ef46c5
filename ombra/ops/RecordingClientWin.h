#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ombra/ops/TClientWin.h"
#include "platform/ProductionLog.h"
#include "platform/TextSource.h"

namespace norda::ombra {

// The client window of a program that keeps a production log: every write, copy and
// radio of a sequence ends in one record, made from the operation's end before the host
// shows it, so the duration is the radio's and not the operator's.
class RecordingClientWin : public TClientWin {
  public:
    using Recorder = std::function<void(const ProductionRecord&)>;

    RecordingClientWin(TransferHost& host, RadioImage& image, RadioParameters& parameters,
                       int portNumber, int32_t baud, const ProgWinSettings& settings,
                       Clock& clock = SteadyClock::Instance(),
                       std::unique_ptr<ByteStream> stream = nullptr)
        : TClientWin(host, image, parameters, portNumber, baud, settings, clock, std::move(stream)),
          clock_(clock) {}

    // `program` names the program in the records; `recorder` takes each record.
    void SetRecorder(std::string program, Recorder recorder) {
        program_ = std::move(program);
        recorder_ = std::move(recorder);
    }
    // The text number of the message that ended the last radio; 0 while none has.
    int LastResultId() const { return lastResultId_; }

  protected:
    void ReadStarting(Phase phase) override;
    void OperationEnding(const OperationEnd& end) override;

  private:
    Clock& clock_;
    std::string program_;
    Recorder recorder_;
    bool recording_ = false;
    int64_t startedAt_ = 0;
    uint32_t startTick_ = 0;
    int lastResultId_ = 0;
};

// OMBRA's cells of a record: the identities as the parameters hold them.
void FillIdentities(ProductionRecord& record, const RadioParameters& parameters);

// The warning that a record did not reach the log: text 3400 with the file and the
// system's reason for `error` (what ProductionLog::Append returned).
std::string ProductionLogNote(const std::string& path, const LogAppend& failure,
                              const TextSource& texts);

// The log a program writes to: `option` (--log), else `configured` (the INI's
// "Production" / "Log"), else the default one.
std::string ProductionLogPath(const std::string& option, const std::string& configured);

}  // namespace norda::ombra
