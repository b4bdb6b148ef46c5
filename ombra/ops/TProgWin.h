#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "codeplug/LayoutEngine.h"
#include "codeplug/MemoryAreas.h"
#include "codeplug/RadioImage.h"
#include "codeplug/RadioParameters.h"
#include "link/RequestChannel.h"
#include "ombra/ops/CloneConstants.h"
#include "ombra/ops/TransferHost.h"

namespace norda::ombra {

// What the application hands the client window at start-up.
struct ProgWinSettings {
    bool dumpImage = false;  // "-debug": every completed read goes to "eprom.dbg"
    bool testMode = false;
    int versionMajor = 4;
    int versionMinor = 0;
    CloneConstants cloneConstants;
    // Pause after every LA we send, in ms; unset: the link profile's own (none).
    std::optional<uint32_t> pauseAfterAckMs;
};

// OMBRA's transfer machine (not a window): runs every radio operation of the program over
// its request channel, one phase at a time, and keeps its waits as deadlines on the
// clock. The product decisions (which areas a read, a pre-read and a write cover, the
// write rules, what the editor shows afterwards) are the hooks that TClientWin implements.
class TProgWin : private LinkListener, private RequestSteps {
  public:
    static constexpr int kReadBlock = 80;
    static constexpr int kWriteBlock = 128;
    static constexpr uint32_t kPollStartMs = 100;
    static constexpr uint32_t kPollMs = 20;
    // Link requests made before the operation gives up.
    static constexpr int kLinkAttempts = 3;
    static constexpr const char* kDumpFile = "eprom.dbg";
    static constexpr const char* kDingFile = "ding.wav";

    // Where an operation stands. A finished write still owes the radio its reset
    // command (Resetting); the editor's commands are open again then.
    enum class Phase {
        Idle,
        Reading,     // a full read
        PreReading,  // the target radio's options and identity, before a write or a copy
        Writing,     // the data phase of a write or a copy
        Resetting,   // the reset command after a write
    };

    TProgWin(TransferHost& host, RadioImage& image, RadioParameters& parameters, int portNumber,
             int32_t baud, const ProgWinSettings& settings, Clock& clock = SteadyClock::Instance(),
             std::unique_ptr<ByteStream> stream = nullptr);
    ~TProgWin() override;
    TProgWin(const TProgWin&) = delete;
    TProgWin& operator=(const TProgWin&) = delete;

    // The window has been set up: opens the port.
    Status SetupWindow();
    // The port can take an operation: open, or closed after its device failed (it is
    // opened again when the next operation starts).
    bool PortUsable() const { return Port().PortOpen() || portLost_; }

    TPort& Port() { return channel_.Port(); }
    const TPort& Port() const { return channel_.Port(); }
    const TWinmap27Port& Link() const { return channel_.Link(); }
    Clock& TimeSource() const { return channel_.TimeSource(); }
    // Engine trace lines go to the host while on.
    void SetTrace(bool on) { channel_.Link().SetTrace(on); }

    // The machine keeps its own deadlines on the clock: the poll (100 ms after a start,
    // then 20 ms after each poll), the wait for an acknowledgement and the wait for a
    // reply. The host runs it when the earliest falls due, and may poll at once when the
    // port has input.
    std::optional<Deadline> NextDeadline() const;
    // Runs whatever is due now, in the order poll, acknowledgement wait, reply wait.
    // True when the poll ran.
    bool RunDue();
    // The port is polled: its input is of interest.
    bool Polling() const { return poll_.has_value(); }
    // Polls now, while polling at all (the port has input).
    void PollNow();
    // Brings the next poll forward to now, while polling at all.
    void PollSoon();
    // The last poll acknowledged the radio's message and so left its next request to the
    // next poll.
    bool JustAcknowledged() const { return channel_.JustAcknowledged(); }
    // An acknowledgement or a reply is awaited.
    bool Waiting() const { return channel_.AwaitingAck() || channel_.AwaitingReply(); }

    // Deliveries from the host.
    void OnPostedMessage(Posted msg);

    // Commands and their enablers.
    void CmRead();        // 536 "Oku"
    void CmWrite();       // 538 "Yaz"
    void CmCopy();        // 539 "Kopyala"
    void CmSequential();  // 540 "Sıralı Programla"
    bool CanRead() const;
    bool CanWrite();
    bool CanCopy() const;
    bool CanSequential() const;
    Phase CurrentPhase() const { return phase_; }
    bool Reading() const { return phase_ == Phase::Reading || phase_ == Phase::PreReading; }
    bool Writing() const { return phase_ == Phase::Writing; }
    bool Idle() const { return !Reading() && !Writing(); }
    // Nothing is under way or due on the link: no transfer, no link set-up, no
    // acknowledgement or reply awaited, no reset command pending. A host that
    // also has no posted message queued has seen the operation end.
    bool Quiescent() const {
        return phase_ == Phase::Idle && !channel_.NeedsLink() && !channel_.AwaitingAck() &&
               Link().NetworkState() == TWinmap27Port::kNetworkIdle;
    }

    using ChecksumResults = AreaChecks;
    // The checksum verdict of every area as a read computes it, on an image at hand.
    static ChecksumResults ImageChecksums(const RadioImage& image) { return AreaChecksums(image); }
    // The end of a full read on an image whose checksums are `ok`: decodes it and
    // empties unprogrammed KSYS and ADATA parameters. Returns the warnings about
    // unprogrammed areas, in the order they are shown; nothing when a layout of the program
    // failed and the parameters mean nothing. ombra-cli's "decode" takes a saved image the
    // same way.
    [[nodiscard]] std::optional<std::vector<OperationMessage>> AcceptReadImage(
        const ChecksumResults& ok);
    // What a read leaves of the KSYS and ADATA parameters of areas it found
    // unprogrammed, for anyone who decodes an image without the machine.
    static void EmptyUnprogrammedAreas(RadioParameters& parameters, const ChecksumResults& ok);
    // The end of a pre-read that found `radio` in the radio, without the transfer:
    // a machine that never opens its port learns this way what a write (or with
    // `copy` a copy) would prepare. Messages and posts go to the host as usual.
    void TakePreRead(const RadioImage& radio, bool copy);

    // Ends whatever is under way, at once and without a word.
    void StopOperation();

    // Settings that change while the program runs.
    void SetTestMode(bool on) { settings_.testMode = on; }
    bool TestMode() const { return settings_.testMode; }
    const ProgWinSettings& Settings() const { return settings_; }
    void SetCloneConstants(const CloneConstants& constants) {
        settings_.cloneConstants = constants;
    }

    RadioImage& Image() { return image_; }
    RadioParameters& Parameters() { return parameters_; }
    TransferHost& Host() { return host_; }

    // The editor holds data a write may send (a read, a file, a finished write).
    bool DataValid() const { return dataValid_; }
    void SetDataValid(bool valid) { dataValid_ = valid; }
    // The sequential-programming dialog is running.
    bool SequentialRunning() const { return sequential_; }
    // A sequence that a caller runs radio by radio itself (the console) instead of the
    // dialog: the machine then writes, programs and reports as for the dialog.
    void SetSequentialRunning(bool on) {
        sequential_ = on;
        if (on)
            copy_ = false;
    }
    // The write under way or prepared takes another radio's data (a copy).
    bool CopyMode() const { return copy_; }
    bool ChecksumOk(AreaId id) const { return checksumOk_[AreaIndex(id)]; }
    bool ProgressWindowOpen() const { return progressOpen_; }

    // The operation under way, or the one whose end is about to be delivered.
    Operation CurrentOperation() const { return operation_; }

  protected:
    // Stops the operation and closes the progress window; the end reaches the host once
    // the call from the host that led here returns. `then` runs after the host has taken
    // the end (a write's reset, the next page).
    void End(OperationEnd::Outcome outcome, const OperationMessage& message,
             std::function<void()> then = {});
    void Fail(int textId, int captionId, std::string detail = {}) {
        End(OperationEnd::Outcome::Failed,
            {textId, captionId, Severity::Failure, std::move(detail)});
    }
    void Refuse(int textId, int captionId) {
        End(OperationEnd::Outcome::Refused, {textId, captionId, Severity::Failure});
    }
    // A question to the operator; true for OK.
    bool Ask(int textId, int captionId);
    // Every end passes here first, before the host hears of it.
    virtual void OperationEnding(const OperationEnd& end) { (void)end; }

    // A memory area the radio sent in answer to a read.
    void OnMemoryArea(uint32_t address, const uint8_t* data, uint16_t length);

    // The product's decisions, asked at these points.
    virtual bool ConfirmDiscard() { return true; }
    // The areas of a full read, a pre-read and a write, in the order they go over the line.
    virtual std::span<const AreaId> FullReadPlan() const { return {}; }
    virtual std::span<const AreaId> PreReadPlan() const { return {}; }
    virtual std::span<const AreaId> WritePlan() const { return {}; }
    // A full read or a pre-read is about to start.
    virtual void ReadStarting(Phase phase) { (void)phase; }
    virtual void AfterRead() {}
    virtual bool CanStartSequential() { return true; }
    virtual void AfterSequential() {}
    // May a write (`copy`: a copy) start? With `report` a refusal is shown.
    virtual bool CheckWritePrecondition(bool copy, bool report) {
        (void)copy;
        (void)report;
        return true;
    }
    virtual void PrepareWriteFromRadio() {}
    virtual void AdjustForRadioOptions() {}
    virtual void AfterWrite() {}

    // Machinery the hooks build on.
    void OpenProgressWindow(int textId);
    void CloseProgressWindow();
    // False when a layout of the program failed; see LayoutFailed.
    [[nodiscard]] bool Decode();
    [[nodiscard]] bool Encode();
    void LayoutFailed();
    MessageOwner Owner() const;

  private:
    // Held by every call the host makes into the machine: the end that call made is
    // delivered as it returns, outside every poll and callback of the link.
    class HostCall;
    void DeliverEnd();

    // What the channel reports.
    void OnLinkUp() override;
    void OnAcknowledged() override;
    void OnReply(const RadioReply& reply) override;
    void OnTrace(std::string_view text) override;
    void OnWriteError();
    // What the request loop asks of the machine.
    void LinkNeeded() override;
    void SendNext() override;

    void PollTick();
    // A poll's work after it has taken its frame: ask for the link or send the next
    // request, then see whether the operation is complete.
    void Step();
    void IssueNextRequest();
    void CheckCompletion();
    void CompleteFullRead();
    void CompletePreRead();
    void FinishDataPhase();
    void StartRead(Phase phase, std::span<const AreaId> plan);
    void StartWrite();
    void StartPreRead();
    void WritePhase();
    // The reset command that ends a write, on a link of its own.
    void ResetRadio();
    // Starts the poll 100 ms from now on a link requested afresh.
    void StartLink();
    void DumpImageFile();

    TransferHost& host_;
    RequestChannel channel_;
    // The next poll on the port's clock; empty while the port is not polled. The channel
    // keeps the waits for an acknowledgement and a reply.
    std::optional<Deadline> poll_;
    RadioImage& image_;
    RadioParameters& parameters_;
    FieldList fields_;
    ProgWinSettings settings_;
    Phase phase_ = Phase::Idle;
    // The areas of the read or write under way, the one being moved and its block.
    std::span<const AreaId> plan_;
    size_t area_ = 0;
    int block_ = 0;
    AreaChecks checksumOk_{};
    // The next link up is the one the operation asked for; any later one means the
    // radio started over.
    bool firstLinkUp_ = true;
    bool portLost_ = false;
    // What the write after a pre-read takes: the editor's data, or (copy) another
    // radio's with the target's identity kept.
    bool copy_ = false;
    std::array<uint8_t, 24> targetIdentity_{};
    bool dataValid_ = false;
    bool sequential_ = false;
    bool progressOpen_ = false;
    int blocksDone_ = 0;
    int blocksTotal_ = 0;
    Operation operation_ = Operation::None;
    // An end made and not yet delivered, and what follows its delivery.
    std::optional<OperationEnd> end_;
    std::function<void()> afterEnd_;
};

}  // namespace norda::ombra
