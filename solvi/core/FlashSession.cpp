#include "solvi/core/FlashSession.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <utility>

#include "solvi/core/SolviLink.h"

namespace norda::solvi {
namespace {

constexpr uint8_t kOperationRead = 1;
constexpr uint8_t kOperationWrite = 3;
constexpr uint8_t kFlashMemory = 2;
constexpr uint8_t kLoopValue = 3;
constexpr uint8_t kResetValue = 1;
constexpr uint8_t kHalfHeader = 128;
constexpr uint8_t kCheckWordLength = 2;
constexpr uint8_t kBlockLength = LoadedSoftware::kBlockSize;

}  // namespace

FlashSession::FlashSession(int port, int32_t baud, const SoftwareImage& image,
                           const ProgramFlags& flags, FlashSessionView& view, Clock& clock,
                           std::unique_ptr<ByteStream> stream)
    : image_(image),
      flags_(flags),
      view_(view),
      channel_(WithPauseAfterAck(kSolviLink, flags.pauseAfterAckMs.load()), port, baud, *this,
               clock, std::move(stream)),
      watch_(port) {
    phase_ = Phase::None;
}

FlashSession::~FlashSession() = default;

Status FlashSession::Start() {
    ShowStatus(0);
    const Status rc = channel_.Port().Open();
    if (!Succeeded(rc))
        PortFailed();
    channel_.RequireLink();
    channel_.ResetAttempts();
    RestartIdentification(Searches::CountedAfresh);
    EnableButton(false);
    return rc;
}

void FlashSession::RequestProgramming() {
    if (flags_.autoMode.load(std::memory_order_acquire)) {
        return;
    }
    programPressed_.store(true, std::memory_order_release);
}

void FlashSession::RequestReopen(int32_t baud) {
    pendingBaud_.store(baud, std::memory_order_release);
}

void FlashSession::Tick() {
    ApplyUserRequests();
    if (lostPortRetryAt_ && !ReopenLostPort())
        return;
    if (!channel_.Port().PortOpen() ||
        (flags_.closing.load(std::memory_order_acquire) && !Busy())) {
        BackToStart();
        return;
    }

    const int received = channel_.Receive();
    if (received > 0 && pendingReport_ != 0) {
        const int report = std::exchange(pendingReport_, 0);
        const bool programmed = report == kTextProgrammed;
        // The result goes before the report that posts it; the green gauge after the
        // report, which leaves the gauge idle.
        if (programmed)
            result_ = RunResult::Programmed;
        Finish(report);
        if (programmed)
            ShowGauge(GaugeState::Green, 100);
    } else if (received < 0) {
        LosePort();
        return;
    }

    bool heldBack = false;
    auto software = image_.Current();
    if (!software) {
        ShowStatus(kTextNoFile);
        ShowGauge(GaugeState::Idle, 0);
        busy_ = false;
    } else if (const auto turn = channel_.Turn(*this);
               turn != RequestChannel::TurnResult::AwaitingAck) {
        heldBack = turn == RequestChannel::TurnResult::HeldBack;
        if (identification_.versionReady) {
            Compare(software);
        }
    }
    CheckTimers();
    // The erase check is the one step that waits for the next tick: a flash busy erasing is
    // asked again a tick after its answer, not at once.
    stepHeldBack_ =
        heldBack && phase_ != Phase::None && phase_ != Phase::FlashCheck && !channel_.AwaitingAck();
}

void FlashSession::WaitForWork(uint32_t ms) {
    if (!stepHeldBack_) {
        channel_.Port().WaitForInput(ms);
    }
}

void FlashSession::ApplyUserRequests() {
    if (programPressed_.exchange(false, std::memory_order_acq_rel)) {
        ShowGauge(GaugeState::Yellow, 0);
        programRequest_ = true;
        EnableButton(false);
    }
    int32_t baud = pendingBaud_.exchange(0, std::memory_order_acq_rel);
    if (baud != 0 && channel_.Port().Reopen(channel_.Port().PortNumber(), baud, HandshakeMode::None,
                                            kReopenQueueSize, kReopenQueueSize) != Status::Ok) {
        PortFailed();
    }
}

void FlashSession::PortFailed() {
    {
        const std::lock_guard lock(portFailureMutex_);
        portFailure_ = channel_.Port().OpenFailure();
    }
    result_ = RunResult::PortFailure;
    Finish(kTextPortFailure);
}

std::string FlashSession::PortFailure() const {
    const std::lock_guard lock(portFailureMutex_);
    return portFailure_;
}

// Silence while the port is closed or the program is ending: the next radio is met from
// the very beginning.
void FlashSession::BackToStart() {
    channel_.Stop();
    channel_.Link().ResetReceiver();
    channel_.RequireLink();
    RestartIdentification(Searches::Kept);
    // Nothing can be programmed through a closed port; a flag left set would keep the
    // program from ever closing.
    if (!channel_.Port().PortOpen()) {
        busy_ = false;
        run_ = Run{};
    }
}

void FlashSession::LosePort() {
    Finish(kTextReadError);
    channel_.Port().Close();
    busy_ = false;
    lostPortRetryAt_ = Deadline::In(TimeSource(), kReopenLostPortMs);
}

bool FlashSession::ReopenLostPort() {
    if (!lostPortRetryAt_->Passed(TimeSource().TickCount()))
        return false;
    if (channel_.Port().OpenSameDevice() != Status::Ok) {
        lostPortRetryAt_ = Deadline::In(TimeSource(), kReopenLostPortMs);
        return false;
    }
    lostPortRetryAt_.reset();
    channel_.RequireLink();
    channel_.ResetAttempts();
    RestartIdentification(Searches::CountedAfresh);
    return true;
}

void FlashSession::RestartIdentification(Searches searches) {
    identification_ =
        Identification{.searches = searches == Searches::Kept ? identification_.searches : 0};
    phase_ = Phase::ReadRUSoftVer;
}

void FlashSession::SearchStep() {
    if (!run_.active) {
        busy_ = false;
    }
    if (++identification_.searches > 2) {
        // Whatever radio answers next is met from the start. A run broken off by the link
        // ends here, with this report: its radio has gone.
        run_ = Run{};
        busy_ = false;
        channel_.Stop();
        RestartIdentification(Searches::CountedAfresh);
        ShowStatus(kTextSearching);
        ClearRadioLines();
        ShowGauge(GaugeState::Idle, 0);
        if (flags_.autoMode.load(std::memory_order_acquire)) {
            result_ = RunResult::Failed;
            PostResult();
        }
    }
    TimeSource().Sleep(kPauseBeforeLinkRequestMs);
    channel_.RequestLink();
}

NetworkRequest FlashSession::StepRequest() const {
    switch (phase_) {
        case Phase::ReadRUSoftVer:
            return NetworkRequest::Read(kOperationRead, kFlashMemory,
                                        identification_.secondHalfNext
                                            ? LoadedSoftware::kHeaderSecondHalf
                                            : LoadedSoftware::kHeaderAddress,
                                        kHalfHeader);
        case Phase::SetLoop:
            return NetworkRequest::Loop(kLoopValue);
        case Phase::FlashCheck:
            return NetworkRequest::Read(kOperationRead, kFlashMemory, run_.image->BlockAddress(0),
                                        kCheckWordLength);
        case Phase::WriteArea: {
            auto block = run_.image->BlockData(run_.blockIndex);
            return NetworkRequest::Write(kOperationWrite, kFlashMemory,
                                         run_.image->BlockAddress(run_.blockIndex), block.data(),
                                         block.size());
        }
        case Phase::ReadBack:
        case Phase::FinalCheck:
            return NetworkRequest::Read(kOperationRead, kFlashMemory, run_.image->BlockAddress(0),
                                        kBlockLength);
        case Phase::Verify:
            return NetworkRequest::Read(kOperationRead, kFlashMemory,
                                        run_.image->BlockAddress(run_.blockIndex), kBlockLength);
        case Phase::EraseAfterFailure:
            return NetworkRequest::Loop(kLoopValue);
        case Phase::ResetRU:
            return NetworkRequest::Reset(kResetValue);
        case Phase::None:
            break;
    }
    return {};
}

// What the panel shows as a step goes out.
void FlashSession::ShowStepStatus() {
    switch (phase_) {
        case Phase::ReadRUSoftVer:
            busy_ = false;
            break;
        case Phase::SetLoop:
        case Phase::FlashCheck:
            ShowStatus(kTextErasing);
            break;
        case Phase::WriteArea:
            ShowStatus(kTextWriting);
            break;
        case Phase::Verify:
            ShowStatus(kTextVerifying);
            break;
        case Phase::ResetRU:
            ShowStatus(kTextRestarting);
            break;
        case Phase::ReadBack:
        case Phase::FinalCheck:
        case Phase::EraseAfterFailure:
        case Phase::None:
            break;
    }
}

void FlashSession::SendStep() {
    if (phase_ == Phase::None) {
        return;
    }
    // On screen a technician sees the erase go on and can act; unattended nobody can.
    if (phase_ == Phase::FlashCheck && flags_.autoMode.load(std::memory_order_acquire) &&
        Elapsed(run_.eraseCheckSince) >= kEraseCheckLimitMs) {
        Finish(kTextNotErased);
        return;
    }
    const bool needsImage = phase_ == Phase::FlashCheck || phase_ == Phase::WriteArea ||
                            phase_ == Phase::ReadBack || phase_ == Phase::Verify ||
                            phase_ == Phase::FinalCheck;
    if (needsImage && (!run_.image || run_.blockIndex >= run_.image->BlockCount())) {
        Finish(kTextNoAnswer);
        return;
    }
    const int limit = phase_ == Phase::ResetRU ? kMaxResetSends : kSolviLink.sends;
    switch (channel_.Send(StepRequest(), limit)) {
        case RequestChannel::SendResult::GaveUp:
            Finish(kTextNoAnswer);
            break;
        case RequestChannel::SendResult::Resyncing:
        case RequestChannel::SendResult::WriteFailed:
            break;
        case RequestChannel::SendResult::Sent:
            ShowStepStatus();
            break;
    }
}

void FlashSession::Compare(const std::shared_ptr<const LoadedSoftware>& software) {
    identification_.versionReady = false;
    radioVersion_ = SoftwareVersion::FromHeader(identification_.header);
    radioVersionText_ = radioVersion_.DisplayText();
    if (flags_.singlePortLayout.load(std::memory_order_acquire)) {
        view_.ShowRadioVersion(radioVersionText_, radioVersion_.text);
    }
    bool equal = radioVersion_.SameSoftware(software->Version());
    ShowStatus(equal ? kTextSameSoftware : kTextDifferentSoftware);

    bool automatic = flags_.autoMode.load(std::memory_order_acquire) ||
                     flags_.autoProg.load(std::memory_order_acquire);
    if (programRequest_ || (!equal && automatic)) {
        busy_ = true;
        programRequest_ = false;
        progress_ = 0;
        EnableButton(false);
        ShowGauge(GaugeState::Yellow, 0);
        run_ = Run{};
        run_.active = true;
        run_.image = software;
        run_.verify = flags_.verify.load(std::memory_order_acquire);
        phase_ = Phase::SetLoop;
        result_ = RunResult::Failed;
        return;
    }
    // Identify the radio again and again for as long as the panel is open: the next radio
    // on the cable is found without anyone pressing anything.
    busy_ = false;
    channel_.RequireLink();
    channel_.ResetAttempts();
    if (equal) {
        ShowGauge(GaugeState::Green, 100);
    } else {
        progress_ = 0;
        ShowGauge(GaugeState::Yellow, 0);
    }
    EnableButton(true);
    RestartIdentification(Searches::CountedAfresh);
    result_ = RunResult::Programmed;
    if (flags_.autoMode.load(std::memory_order_acquire)) {
        PostResult();
    }
}

uint32_t FlashSession::Elapsed(uint32_t since) const {
    return TimeSource().TickCount() - since;
}

void FlashSession::CheckTimers() {
    if (channel_.RunWaits(TimeSource().TickCount())) {
        if (run_.active && run_.headerWritten && phase_ != Phase::EraseAfterFailure) {
            // The radio took the request and still answers LTs: its header can go.
            channel_.Stop();
            FailRun(kTextNoReadReply);
        } else {
            Finish(kTextNoReadReply);
        }
    }
}

void FlashSession::Finish(int statusId) {
    channel_.Stop();
    run_ = Run{};
    pendingReport_ = 0;
    channel_.RequireLink();
    RestartIdentification(Searches::CountedAfresh);
    progress_ = 0;
    ShowGauge(GaugeState::Idle, 0);
    programRequest_ = false;
    EnableButton(false);
    ShowStatus(statusId);
    ClearRadioLines();
    if (flags_.autoMode.load(std::memory_order_acquire)) {
        PostResult();
    }
}

// A new link: whatever radio is on the cable now is identified from the start, unless a
// run was broken off by the link; that run goes on.
void FlashSession::OnLinkUp() {
    identification_.versionReady = false;
    if (run_.active) {
        ResumeRun();
        return;
    }
    RestartIdentification(Searches::Kept);
}

// The link restarts (the channel has already dropped any pending read with it).
void FlashSession::OnLinkReset() {
    identification_.versionReady = false;
    if (run_.active) {
        HoldRun();
        return;
    }
    RestartIdentification(Searches::Kept);
}

void FlashSession::HoldRun() {
    if (phase_ == Phase::None) {
        return;
    }
    // Which blocks and which erase a broken link let through is not known: the run erases
    // and writes again. Only a run that owed the radio just its reset, or the erase of a
    // failure, takes that up again.
    run_.resumeAt =
        phase_ == Phase::ResetRU || phase_ == Phase::EraseAfterFailure ? phase_ : Phase::SetLoop;
    phase_ = Phase::None;
}

void FlashSession::ResumeRun() {
    HoldRun();
    if (++run_.linkBreaks > kMaxLinkBreaks) {
        pendingReport_ = kTextNoAnswer;
        return;
    }
    if (run_.resumeAt == Phase::SetLoop) {
        run_.blockIndex = 0;
        run_.firstBlockHeld = false;
        run_.writtenEnd = 0;
        progress_ = 0;
        ShowGauge(GaugeState::Yellow, 0);
    }
    phase_ = run_.resumeAt;
}

void FlashSession::OnAcknowledged() {
    if (phase_ == Phase::SetLoop) {
        phase_ = Phase::FlashCheck;
        run_.eraseCheckSince = TimeSource().TickCount();
        run_.headerWritten = false;
    } else if (phase_ == Phase::WriteArea && run_.image) {
        const int count = run_.image->BlockCount();
        if (run_.blockIndex >= HeaderStart()) {
            run_.headerWritten = true;
        }
        progress_ = (run_.blockIndex + 1) * 100 / count;
        ShowGauge(GaugeState::Red, progress_);
        const int next = run_.blockIndex + 1;
        if (!run_.firstBlockHeld && (next == HeaderStart() || next == count)) {
            run_.writtenEnd = next;
            phase_ = Phase::ReadBack;
        } else if (next == count) {
            // The header blocks, written after the check: too few to move the gauge again.
            BlocksHeld(run_.writtenEnd, count, false);
        } else {
            run_.blockIndex = next;
        }
    } else if (phase_ == Phase::EraseAfterFailure) {
        phase_ = Phase::None;
        pendingReport_ = run_.failureText;
    } else if (phase_ == Phase::ResetRU) {
        busy_ = false;
        pendingReport_ = kTextProgrammed;
        phase_ = Phase::None;
    }
}

void FlashSession::OnReply(const RadioReply& reply) {
    if (reply.kind != RadioReply::Kind::MemoryArea) {
        return;
    }
    const uint8_t* data = reply.data;
    const uint16_t length = reply.length;
    if (phase_ == Phase::ReadRUSoftVer) {
        // A short reply leaves zeros where the radio sent nothing, never stale bytes.
        Identification& id = identification_;
        const std::size_t offset = id.secondHalfNext ? kHalfHeader : 0;
        const std::size_t n = std::min<std::size_t>(length, kHalfHeader);
        std::fill_n(id.header.begin() + offset, kHalfHeader, 0);
        std::memcpy(id.header.data() + offset, data, n);
        if (!id.secondHalfNext) {
            id.secondHalfNext = true;
        } else {
            phase_ = Phase::None;
            id.versionReady = true;
        }
    } else if (phase_ == Phase::FlashCheck && length >= 1 && data[0] == 0xFF) {
        run_.blockIndex = 0;
        phase_ = Phase::WriteArea;
    } else if (phase_ == Phase::ReadBack && run_.image) {
        CheckFirstBlock(data, length);
    } else if (phase_ == Phase::FinalCheck && run_.image) {
        CheckFinal(data, length);
    } else if (phase_ == Phase::Verify && run_.image) {
        VerifyBlock(data, length);
    }
}

bool FlashSession::FirstDifference(int index, const uint8_t* data, uint16_t length,
                                   uint32_t* address) const {
    const auto block = run_.image->BlockData(index);
    for (std::size_t i = 0; i < block.size(); ++i) {
        // A short reply holds nothing of the rest.
        if (i >= length || data[i] != block[i]) {
            *address = run_.image->BlockAddress(index) + static_cast<uint32_t>(i);
            return true;
        }
    }
    return false;
}

// The header blocks close the list. The first block is read back before they are written,
// so that a flash which did not keep the code never gets a whole header: the next
// identification then shows differing software rather than "Cihaz programlı".
int FlashSession::HeaderStart() const {
    return std::max(0, run_.image->BlockCount() - 2);
}

// Blocks [from, to) are written and the first block was found held: they are read back
// when verifying, then the rest of the list follows.
void FlashSession::BlocksHeld(int from, int to, bool showProgress) {
    if (run_.verify && from < to) {
        run_.blockIndex = from;
        run_.verifyEnd = to;
        run_.verifyShowsProgress = showProgress;
        if (showProgress) {
            progress_ = 0;
            ShowGauge(GaugeState::Red, 0);
        }
        phase_ = Phase::Verify;
        return;
    }
    WriteFrom(to);
}

void FlashSession::WriteFrom(int index) {
    if (index < run_.image->BlockCount()) {
        run_.blockIndex = index;
        phase_ = Phase::WriteArea;
    } else if (run_.writtenEnd < run_.image->BlockCount()) {
        phase_ = Phase::FinalCheck;
    } else {
        // The first block was read back after the last one was written: that check was
        // already the last before the reset.
        phase_ = Phase::ResetRU;
    }
}

void FlashSession::CheckFirstBlock(const uint8_t* data, uint16_t length) {
    uint32_t address = 0;
    if (!FirstDifference(0, data, length, &address)) {
        run_.firstBlockHeld = true;
        // The first block has just been compared; the gauge runs again over the rest.
        BlocksHeld(1, run_.writtenEnd, true);
        return;
    }
    WriteAgainOrGiveUp();
}

// The header is written: a first block that is gone now was wiped by an erase that ended
// late, and the radio would restart with the file's header over code it does not hold.
void FlashSession::CheckFinal(const uint8_t* data, uint16_t length) {
    uint32_t address = 0;
    if (!FirstDifference(0, data, length, &address)) {
        phase_ = Phase::ResetRU;
        return;
    }
    WriteAgainOrGiveUp();
}

// The erase ended after the first blocks went in, or runs still under a short file: the
// blocks are written again. A round at a slow line takes minutes, so the limit counts from
// the first failed check, not from the start.
void FlashSession::WriteAgainOrGiveUp() {
    if (!run_.notHeldSince) {
        run_.notHeldSince = TimeSource().TickCount();
    } else if (Elapsed(*run_.notHeldSince) > kReadBackLimitMs) {
        FailRun(kTextNotHeld);
        return;
    }
    run_.blockIndex = 0;
    run_.firstBlockHeld = false;
    run_.writtenEnd = 0;
    progress_ = 0;
    ShowGauge(GaugeState::Red, 0);
    phase_ = Phase::WriteArea;
}

void FlashSession::FailRun(int statusId) {
    if (run_.headerWritten) {
        run_.failureText = statusId;
        phase_ = Phase::EraseAfterFailure;
        return;
    }
    phase_ = Phase::None;
    pendingReport_ = statusId;
}

void FlashSession::VerifyBlock(const uint8_t* data, uint16_t length) {
    uint32_t address = 0;
    if (FirstDifference(run_.blockIndex, data, length, &address)) {
        statusAddress_.store(address, std::memory_order_release);
        FailRun(kTextVerifyFailed);
        return;
    }
    if (run_.verifyShowsProgress) {
        progress_ = (run_.blockIndex + 1) * 100 / run_.image->BlockCount();
        ShowGauge(GaugeState::Red, progress_);
    }
    if (run_.blockIndex + 1 >= run_.verifyEnd) {
        WriteFrom(run_.verifyEnd);
    } else {
        ++run_.blockIndex;
    }
}

void FlashSession::ShowStatus(int statusId) {
    statusId_.store(statusId, std::memory_order_release);
    // A second verification failure names another address under the same text.
    const uint32_t address = statusAddress_.load(std::memory_order_acquire);
    if (statusId != shownStatus_ || address != shownAddress_) {
        shownStatus_ = statusId;
        shownAddress_ = address;
        view_.ShowStatus(statusId);
        EndRunOn(statusId, address);
    }
}

void FlashSession::ShowGauge(GaugeState state, int value) {
    if (state != shownGauge_ || value != shownGaugeValue_) {
        shownGauge_ = state;
        shownGaugeValue_ = value;
        view_.SetGauge(state, value);
    }
}

void FlashSession::EnableButton(bool enabled) {
    if (static_cast<int>(enabled) != shownButton_) {
        shownButton_ = enabled;
        view_.EnableProgramButton(enabled);
    }
}

void FlashSession::ClearRadioLines() {
    if (flags_.singlePortLayout.load(std::memory_order_acquire)) {
        view_.ShowRadioVersion(std::string(), std::string());
    }
}

void FlashSession::EndRunOn(int statusId, uint32_t address) {
    const std::shared_ptr<const LoadedSoftware> software = image_.Current();
    std::optional<ProgrammingOutcome> outcome = watch_.OnStatus(
        {statusId, address, radioVersionText_, software ? software->VersionText() : std::string(),
         TimeSource().TickCount(), static_cast<int64_t>(std::time(nullptr))});
    if (!outcome)
        return;
    outcome->radioWasBlank = radioVersion_.Blank();
    view_.RunEnded(*outcome);
}

void FlashSession::PostResult() {
    view_.PostResult(result_.load(std::memory_order_acquire));
}

}  // namespace norda::solvi
