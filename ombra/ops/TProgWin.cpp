#include "ombra/ops/TProgWin.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "codeplug/MemoryAreas.h"
#include "ombra/ops/OmbraLink.h"
#include "ombra/ops/OpsMessages.h"
#include "ombra/ops/TargetRadioIdentity.h"
#include "ombra/ops/WriteRules.h"

namespace norda::ombra {
namespace {

// Said when the port fails under a write: the radio may hold part of what was sent.
constexpr int kTextWriteCutOff = 3950;

int Blocks(int length, int blockSize) {
    return (length + blockSize - 1) / blockSize;
}

// Reads go out in 80-byte blocks, writes in 128-byte ones.
int BlockSize(TProgWin::Phase phase) {
    return phase == TProgWin::Phase::Writing ? TProgWin::kWriteBlock : TProgWin::kReadBlock;
}
int Length(const MemoryArea& area, TProgWin::Phase phase) {
    return phase == TProgWin::Phase::Writing ? area.writeLength : area.readLength;
}
int LastBlock(const MemoryArea& area, TProgWin::Phase phase) {
    return Blocks(Length(area, phase), BlockSize(phase)) - 1;
}

int PlanBlocks(std::span<const AreaId> plan, TProgWin::Phase phase) {
    int blocks = 0;
    for (AreaId id : plan)
        blocks += Blocks(Length(Area(id), phase), BlockSize(phase));
    return blocks;
}

}  // namespace

class TProgWin::HostCall {
  public:
    explicit HostCall(TProgWin& machine) : machine_(machine) {}
    ~HostCall() { machine_.DeliverEnd(); }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;

  private:
    TProgWin& machine_;
};

TProgWin::TProgWin(TransferHost& host, RadioImage& image, RadioParameters& parameters,
                   int portNumber, int32_t baud, const ProgWinSettings& settings, Clock& clock,
                   std::unique_ptr<ByteStream> stream)
    : host_(host),
      channel_(WithPauseAfterAck(kOmbraLink, settings.pauseAfterAckMs), portNumber, baud, *this,
               clock, std::move(stream)),
      image_(image),
      parameters_(parameters),
      settings_(settings) {
    channel_.Port().SetWriteErrorHandler([this] { OnWriteError(); });
    BuildFieldList(fields_, parameters_, image_);
}

TProgWin::~TProgWin() {
    fields_.Free();
}

Status TProgWin::SetupWindow() {
    return channel_.Port().Open();
}

// The layouts are the program's own and the codeplug tests hold every one; one that fails
// all the same must become neither values on the pages nor bytes in the radio.
bool TProgWin::Decode() {
    return fields_.Decode() == kLayoutOk;
}
bool TProgWin::Encode() {
    return fields_.Encode() == kLayoutOk;
}
void TProgWin::LayoutFailed() {
    Fail(msg::kLayoutFault, msg::kCaptionError);
}

MessageOwner TProgWin::Owner() const {
    return sequential_ ? MessageOwner::SequentialDialog : MessageOwner::MainWindow;
}

// ---- deadlines and posted messages ----------------------------------------------

std::optional<Deadline> TProgWin::NextDeadline() const {
    return Earlier(poll_, channel_.NextDeadline(), TimeSource().TickCount());
}

bool TProgWin::RunDue() {
    const HostCall call(*this);
    // Each deadline is looked at after the one before has run, which may have ended it.
    const uint32_t now = TimeSource().TickCount();
    bool polled = false;
    if (Due(poll_, now)) {
        poll_.reset();
        PollTick();
        polled = true;
    }
    if (channel_.RunWaits(now))
        Fail(msg::kNoTimelyReply, msg::kCaptionCommError);
    return polled;
}

void TProgWin::PollNow() {
    const HostCall call(*this);
    if (!poll_)
        return;
    poll_.reset();
    PollTick();
}

void TProgWin::PollSoon() {
    if (poll_)
        poll_ = channel_.QuietUntil().value_or(Deadline::In(TimeSource(), 0));
}

void TProgWin::OnPostedMessage(Posted message) {
    const HostCall call(*this);
    if (message == Posted::StartWrite) {
        WritePhase();
    } else if (message == Posted::StartPreRead) {
        StartPreRead();
    }
}

// ---- engine notifications -------------------------------------------------------

void TProgWin::OnTrace(std::string_view text) {
    host_.Trace(std::string(text));
}

void TProgWin::OnWriteError() {
    OperationMessage notice(0, 0, Severity::Fault);
    notice.text = msg::kWriteErrorText;
    notice.caption = msg::kWriteErrorCaption;
    host_.Notify(notice, MessageOwner::MainWindow);
}

void TProgWin::OnLinkUp() {
    if (firstLinkUp_) {
        firstLinkUp_ = false;
        return;
    }
    // The radio set the link up again in the middle of an operation.
    if (Reading())
        Fail(msg::kReadInterrupted, msg::kCaptionError);
    else if (Writing())
        Fail(msg::kWriteInterrupted, msg::kCaptionError);
}

void TProgWin::OnMemoryArea(uint32_t address, const uint8_t* data, uint16_t length) {
    const uint32_t start = address % 65536;
    const uint32_t count = length % 256;
    // A reply reaching beyond the image is dropped whole; it still counts as the
    // block's reply, so a confused radio ends in an unprogrammed-area warning
    // rather than in an endless re-request.
    if (start + count <= static_cast<uint32_t>(RadioImage::kSize)) {
        std::memcpy(image_.bytes.data() + start, data, count);
    }
    if (!Reading() || area_ >= plan_.size())
        return;
    const MemoryArea& area = Area(plan_[area_]);
    if (block_ < LastBlock(area, phase_)) {
        ++block_;
        return;
    }
    block_ = 0;
    checksumOk_[AreaIndex(area.id)] = AreaChecksumMatches(image_, area);
    ++area_;
}

void TProgWin::OnReply(const RadioReply& reply) {
    if (reply.kind == RadioReply::Kind::MemoryArea)
        OnMemoryArea(reply.address, reply.data, reply.length);
}

void TProgWin::OnAcknowledged() {
    if (phase_ == Phase::Resetting) {
        StopOperation();
        return;
    }
    if (!Writing() || area_ >= plan_.size())
        return;
    if (block_ < LastBlock(Area(plan_[area_]), phase_)) {
        ++block_;
        return;
    }
    block_ = 0;
    if (++area_ == plan_.size())
        FinishDataPhase();
}

// ---- the poll tick --------------------------------------------------------------

void TProgWin::PollTick() {
    poll_.reset();
    if (channel_.Receive() < 0) {
        // The device is closed: one that was pulled out comes back as a new device under
        // its old name, and only a fresh open reaches it.
        // A write cut off leaves the radio holding part of it: that is what the operator
        // must hear, not that a read failed.
        const bool cutOff = Writing() || phase_ == Phase::Resetting;
        std::string reason = channel_.Port().OpenFailure();
        channel_.Port().Close();
        portLost_ = true;
        Fail(cutOff ? kTextWriteCutOff : msg::kReadError, msg::kCaptionSerialPort,
             std::move(reason));
        return;
    }
    Step();
}

void TProgWin::Step() {
    if (channel_.Turn(*this) != RequestChannel::TurnResult::AwaitingAck)
        CheckCompletion();
    // An operation that ended in this step leaves the port alone: a device that has gone
    // would otherwise fail the next poll again, and the next, each with its own message.
    if (phase_ != Phase::Idle)
        poll_ = Earlier(Deadline::In(TimeSource(), kPollMs), channel_.QuietUntil(),
                        TimeSource().TickCount());
}

void TProgWin::LinkNeeded() {
    if (!channel_.TakeLinkAttempt(kLinkAttempts)) {
        Fail(msg::kNoLink, msg::kCaptionCommError);
        return;
    }
    channel_.RequestLink();
}

void TProgWin::SendNext() {
    IssueNextRequest();
}

void TProgWin::IssueNextRequest() {
    using SendResult = RequestChannel::SendResult;
    const int sends = kOmbraLink.sends;
    if (phase_ == Phase::Resetting) {
        if (channel_.Send(NetworkRequest::Reset(1), sends) == SendResult::GaveUp)
            Fail(msg::kNoAnswer, msg::kCaptionError);
        return;
    }
    if (Idle() || area_ >= plan_.size())
        return;
    const MemoryArea& area = Area(plan_[area_]);
    const int blockSize = BlockSize(phase_);
    const int offset = blockSize * block_;
    const int length = std::min(blockSize, Length(area, phase_) - offset);
    const auto address = static_cast<uint32_t>(area.address + offset);
    const NetworkRequest request =
        Writing() ? NetworkRequest::Write(3, 1, address, image_.bytes.data() + address,
                                          static_cast<size_t>(length))
                  : NetworkRequest::Read(1, 1, address, static_cast<uint8_t>(length));
    const SendResult result = channel_.Send(request, sends);
    if (result == SendResult::GaveUp) {
        Fail(msg::kNoAnswer, msg::kCaptionError);
        return;
    }
    if (result == SendResult::Sent && channel_.Sends() == 1) {
        TransferProgress progress;
        progress.area = area.name;
        progress.block = block_;
        progress.blocks = LastBlock(area, phase_) + 1;
        progress.done = blocksDone_++;
        progress.total = blocksTotal_;
        host_.ReportProgress(progress);
    }
}

// ---- completion -----------------------------------------------------------------

void TProgWin::CheckCompletion() {
    if (area_ < plan_.size())
        return;
    if (phase_ == Phase::Reading)
        CompleteFullRead();
    else if (phase_ == Phase::PreReading)
        CompletePreRead();
}

void TProgWin::CompleteFullRead() {
    // The checksum results outlive the operation (and every message box, which stops
    // it): the warnings are decided on this copy.
    const ChecksumResults ok = checksumOk_;
    StopOperation();
    std::optional<std::vector<OperationMessage>> warnings = AcceptReadImage(ok);
    if (!warnings) {
        LayoutFailed();
        return;
    }
    End(OperationEnd::Outcome::Completed, {}, [this] {
        host_.PlaySound(kDingFile);
        AfterRead();
        host_.FullReadAccepted(image_, parameters_);
        if (settings_.dumpImage)
            DumpImageFile();
        host_.OpenPage(1);
    });
    if (end_)
        end_->notices = std::move(*warnings);
}

std::optional<std::vector<OperationMessage>> TProgWin::AcceptReadImage(const ChecksumResults& ok) {
    if (!Decode())
        return std::nullopt;
    CloseProgressWindow();
    std::vector<OperationMessage> warnings;
    const auto warn = [&warnings](int textId) {
        warnings.emplace_back(textId, msg::kCaptionWarning, Severity::Info);
    };
    for (const MemoryArea& area : kMemoryAreas) {
        if (area.id != AreaId::KSYS && area.unprogrammedTextId != 0 && !ok[AreaIndex(area.id)])
            warn(area.unprogrammedTextId);
    }
    EmptyUnprogrammedAreas(parameters_, ok);
    // KSYS is only worth a warning in a radio with the KSYS hardware.
    const MemoryArea& ksys = Area(AreaId::KSYS);
    if (!ok[AreaIndex(ksys.id)] && HasKsysHardware(image_))
        warn(ksys.unprogrammedTextId);
    return warnings;
}

void TProgWin::EmptyUnprogrammedAreas(RadioParameters& parameters, const ChecksumResults& ok) {
    if (!ok[AreaIndex(AreaId::KSYS)]) {
        KsysParameters& ksys = parameters.KSYS;
        ksys.SYSID = 0;
        ksys.SMTIDENT = 0;
        ksys.RxFreq = 0x3FFF;
        ksys.RxTCS = 0;
        ksys.TxFreq = 0x3FFF;
        ksys.TxTCS = 0;
        ksys.YuksekGuc = 0;
        for (int16_t& group : ksys.GrupNo)
            group = 0;
    }
    if (!ok[AreaIndex(AreaId::ADATA)]) {
        AdataParameters& adata = parameters.ADATA;
        adata.SYSID = 0;
        adata.FLEETID = 0;
        adata.RADIOID = 0;
        adata.RXID = 0;
        adata.PREAMBLE = 0;
    }
}

void TProgWin::TakePreRead(const RadioImage& radio, bool copy) {
    const HostCall call(*this);
    operation_ = copy ? Operation::Copy : Operation::Write;
    image_ = radio;
    copy_ = copy;
    checksumOk_ = AreaChecksums(radio);
    CompletePreRead();
}

void TProgWin::DumpImageFile() {
    std::FILE* file = std::fopen(kDumpFile, "wb");
    if (file == nullptr)
        return;
    std::fwrite(image_.bytes.data(), 1, image_.bytes.size(), file);
    std::fclose(file);
}

void TProgWin::CompletePreRead() {
    const bool testAyarOk = checksumOk_[AreaIndex(AreaId::TestAyar)];
    StopOperation();
    if (!testAyarOk) {
        Fail(msg::kTestAyarUnprogrammed, msg::kCaptionError);
        return;
    }
    DecodeHardwareOptions(image_, parameters_.TestAyar);
    std::memcpy(targetIdentity_.data(), image_.bytes.data(), targetIdentity_.size());
    PrepareWriteFromRadio();
}

void TProgWin::FinishDataPhase() {
    StopOperation();
    host_.PlaySound(kDingFile);
    CloseProgressWindow();
    // The reset command goes out only after the message has been closed.
    if (sequential_) {
        End(OperationEnd::Outcome::Completed,
            {msg::kSequentialProgrammed, msg::kCaptionInfo, Severity::Info}, [this] {
                host_.PostMessage(PostTarget::SequentialDialog, Posted::NextRadio);
                ResetRadio();
            });
    } else {
        End(OperationEnd::Outcome::Completed, {msg::kProgrammed, msg::kCaptionInfo, Severity::Info},
            [this] {
                // The layouts that encoded this image a moment ago decode it.
                if (Decode()) {
                    AfterWrite();
                    host_.OpenPage(1);
                }
                ResetRadio();
            });
    }
}

// ---- starting and stopping ------------------------------------------------------

void TProgWin::StartLink() {
    if (portLost_) {
        if (!Succeeded(channel_.Port().OpenSameDevice())) {
            Fail(msg::kBadPort, msg::kCaptionSerialPort, channel_.Port().OpenFailure());
            return;
        }
        portLost_ = false;
    }
    channel_.RequireLink();
    firstLinkUp_ = true;
    channel_.ResetAttempts();
    poll_ = Deadline::In(TimeSource(), kPollStartMs);
}

void TProgWin::StartRead(Phase phase, std::span<const AreaId> plan) {
    ReadStarting(phase);
    phase_ = phase;
    plan_ = plan;
    blocksDone_ = 0;
    blocksTotal_ = PlanBlocks(plan, phase);
    StartLink();
}

void TProgWin::StartWrite() {
    phase_ = Phase::Writing;
    plan_ = WritePlan();
    blocksDone_ = 0;
    blocksTotal_ = PlanBlocks(plan_, phase_);
    StartLink();
}

void TProgWin::ResetRadio() {
    phase_ = Phase::Resetting;
    blocksDone_ = 0;
    blocksTotal_ = 1;
    StartLink();
    // The link request for the reset goes out as soon as the operator has closed the
    // message, in the step that took the last acknowledgement.
    if (!portLost_ && phase_ == Phase::Resetting)
        Step();
}

void TProgWin::StopOperation() {
    poll_.reset();
    channel_.Stop();
    channel_.DropLink();
    firstLinkUp_ = true;
    phase_ = Phase::Idle;
    plan_ = {};
    area_ = 0;
    block_ = 0;
    checksumOk_.fill(false);
}

void TProgWin::End(OperationEnd::Outcome outcome, const OperationMessage& message,
                   std::function<void()> then) {
    StopOperation();
    CloseProgressWindow();
    // One end an operation: what stopped it first is what the operator hears.
    if (end_)
        return;
    end_.emplace();
    end_->outcome = outcome;
    end_->operation = operation_;
    end_->owner = Owner();
    end_->message = message;
    afterEnd_ = std::move(then);
}

void TProgWin::DeliverEnd() {
    if (!end_)
        return;
    const OperationEnd end = std::move(*end_);
    end_.reset();
    std::function<void()> then = std::move(afterEnd_);
    afterEnd_ = nullptr;
    operation_ = Operation::None;
    OperationEnding(end);
    host_.OperationEnded(end);
    if (then)
        then();
}

bool TProgWin::Ask(int textId, int captionId) {
    StopOperation();
    CloseProgressWindow();
    return host_.Ask({textId, captionId, Severity::Warning}, Owner());
}

void TProgWin::OpenProgressWindow(int textId) {
    CloseProgressWindow();
    char caption[32];
    std::snprintf(caption, sizeof caption, "Port %d", Port().PortNumber());
    host_.OpenProgressWindow(caption, host_.Text(textId), Owner());
    progressOpen_ = true;
}

void TProgWin::CloseProgressWindow() {
    if (!progressOpen_)
        return;
    progressOpen_ = false;
    host_.CloseProgressWindow();
}

// ---- commands -------------------------------------------------------------------

bool TProgWin::CanRead() const {
    return !settings_.testMode && PortUsable() && Idle();
}
bool TProgWin::CanCopy() const {
    return CanRead();
}
bool TProgWin::CanSequential() const {
    return PortUsable() && Idle();
}

bool TProgWin::CanWrite() {
    return CanRead() && CheckWritePrecondition(false, false);
}

void TProgWin::CmRead() {
    const HostCall call(*this);
    if (!host_.CanLeavePage())
        return;
    if (!ConfirmDiscard())
        return;
    StopOperation();
    host_.ClosePage();
    host_.SetCurrentPage(-1);
    CloseProgressWindow();
    OpenProgressWindow(msg::kProgressRead);
    image_.Clear();
    operation_ = Operation::Read;
    StartRead(Phase::Reading, FullReadPlan());
}

void TProgWin::CmWrite() {
    const HostCall call(*this);
    copy_ = false;
    StartPreRead();
}

void TProgWin::CmCopy() {
    const HostCall call(*this);
    copy_ = true;
    StartPreRead();
}

void TProgWin::StartPreRead() {
    operation_ = sequential_ ? Operation::SequenceRadio
                 : copy_     ? Operation::Copy
                             : Operation::Write;
    if (!host_.CanLeavePage() || !CheckWritePrecondition(copy_, true))
        return;
    StopOperation();
    host_.ClosePage();
    CloseProgressWindow();
    OpenProgressWindow(msg::kProgressPreRead);
    StartRead(Phase::PreReading, PreReadPlan());
}

void TProgWin::WritePhase() {
    StopOperation();
    CloseProgressWindow();
    OpenProgressWindow(msg::kProgressWrite);

    WriteRules(settings_.cloneConstants, settings_.versionMajor, settings_.versionMinor)
        .ApplyProgramValues(parameters_);

    if (copy_) {
        const bool encoded = Encode();
        KeepTargetRadioIdentity(image_, targetIdentity_);
        if (!encoded || !Decode()) {
            LayoutFailed();
            return;
        }
    }
    parameters_.ReservedSink = 0;
    AdjustForRadioOptions();
    if (!Encode()) {
        LayoutFailed();
        return;
    }
    WriteAllChecksums(image_);
    StartWrite();
}

void TProgWin::CmSequential() {
    const HostCall call(*this);
    if (!host_.CanLeavePage())
        return;
    if (!CanStartSequential())
        return;
    host_.ClosePage();
    copy_ = false;
    sequential_ = true;
    host_.RunSequentialDialog(*this);
    sequential_ = false;
    AfterSequential();
}

}  // namespace norda::ombra
