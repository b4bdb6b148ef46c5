#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "link/RequestChannel.h"
#include "solvi/core/FlashSessionView.h"
#include "solvi/core/ProgramFlags.h"
#include "solvi/core/ProgrammingWatch.h"
#include "solvi/core/SoftwareImage.h"
#include "solvi/core/SoftwareVersion.h"
#include "solvi/core/SolviLink.h"

namespace norda::solvi {

// The work of one port panel: find the radio on the cable, read its software header,
// compare it with the loaded file and, when asked or automatically, put the radio into
// loop mode, wait for its flash to read erased, write every block, restart it and report.
// Then it starts over, so the next radio on the cable is picked up by itself.
//
// Tick and every hook run on the panel's worker thread only. RequestProgramming,
// RequestReopen and the getters may be called from the user-interface thread.
class FlashSession final : private LinkListener, private RequestSteps {
  public:
    static constexpr uint32_t kReplyTimeoutMs = kSolviLink.replyWaitMs;
    static constexpr uint32_t kPauseBeforeLinkRequestMs = 100;
    static constexpr int kMaxResetSends = 16;
    static constexpr uint32_t kReopenQueueSize = 1024;
    // An unattended run gives a flash this long to read erased.
    static constexpr uint32_t kEraseCheckLimitMs = 60000;
    // No new writing round starts later than this after the first failed read-back.
    static constexpr uint32_t kReadBackLimitMs = 60000;
    // How often a device that failed is tried again: an adapter pulled out and put back
    // comes up under its old name, as a new device.
    static constexpr uint32_t kReopenLostPortMs = 1000;

    // Status texts by string number.
    static constexpr int kTextPortFailure = 625;
    static constexpr int kTextReadError = 634;
    static constexpr int kTextNoReadReply = 807;
    static constexpr int kTextNoAnswer = 808;
    static constexpr int kTextProgrammed = 811;
    static constexpr int kTextNoFile = 1004;
    static constexpr int kTextSearching = 1005;
    static constexpr int kTextErasing = 1006;
    static constexpr int kTextWriting = 1007;
    static constexpr int kTextRestarting = 1008;
    static constexpr int kTextSameSoftware = 1009;
    static constexpr int kTextDifferentSoftware = 1012;
    static constexpr int kTextVerifying = 3100;
    // Names the first flash address that does not hold the file (StatusAddress).
    static constexpr int kTextVerifyFailed = 3101;
    // The radio answers, but its flash does not take the software: a radio to set aside,
    // not a cable to check.
    static constexpr int kTextNotErased = 3650;
    static constexpr int kTextNotHeld = 3651;
    // A run whose link keeps breaking is given up at the next break.
    static constexpr int kMaxLinkBreaks = 3;

    // The step under way; at most one at a time. ReadBack compares the first block of the
    // list with the file once the code blocks are written, before the header: a flash that
    // read erased before its erase had ended has wiped it. FinalCheck does the same after
    // the header, as the last step before the reset, so that an erase ending late can hide
    // nowhere. Verify reads back every other block when asked to. EraseAfterFailure takes
    // the file's header out of a radio whose run failed after it was written.
    enum class Phase {
        None,
        ReadRUSoftVer,
        SetLoop,
        FlashCheck,
        WriteArea,
        ReadBack,
        Verify,
        FinalCheck,
        EraseAfterFailure,
        ResetRU
    };

    FlashSession(int port, int32_t baud, const SoftwareImage& image, const ProgramFlags& flags,
                 FlashSessionView& view, Clock& clock = SteadyClock::Instance(),
                 std::unique_ptr<ByteStream> stream = nullptr);
    ~FlashSession() override;
    FlashSession(const FlashSession&) = delete;
    FlashSession& operator=(const FlashSession&) = delete;

    // Panel set-up: opens the port and gets the session ready for its first tick.
    // Returns the port's result; on failure the panel already shows text 625.
    Status Start();
    // One step of the session, about every 20 ms and whenever a frame may have come.
    void Tick();
    // The worker's pause before the next tick: returns once the port has something to read
    // or `ms` have passed, and at once when the last tick held its step back only because it
    // had just acknowledged the radio, so that a step follows its acknowledgement at once.
    void WaitForWork(uint32_t ms);

    // "Programla": acted on at the next comparison, also when the radio already holds
    // the file's software. Ignored in automatic mode.
    void RequestProgramming();
    // New line speed from the speed dialog. The worker reopens the port at its next tick,
    // so the port is never touched by two threads.
    void RequestReopen(int32_t baud);

    // Programming under way: the panel, the program and file loading must wait.
    bool Busy() const { return busy_.load(std::memory_order_acquire); }
    int StatusId() const { return statusId_.load(std::memory_order_acquire); }
    // The flash address that status text kTextVerifyFailed names.
    uint32_t StatusAddress() const { return statusAddress_.load(std::memory_order_acquire); }
    // With status kTextPortFailure: the device and the system's reason; empty when the
    // port knows none.
    std::string PortFailure() const;
    RunResult Result() const { return result_.load(std::memory_order_acquire); }
    int Port() const { return channel_.Port().PortNumber(); }
    Clock& TimeSource() const { return channel_.TimeSource(); }

    // Worker-side state, for the worker and for tests that drive Tick themselves.
    Phase CurrentPhase() const { return phase_; }
    int Progress() const { return progress_; }
    const SoftwareVersion& RadioVersion() const { return radioVersion_; }
    const std::string& RadioVersionText() const { return radioVersionText_; }

  private:
    // One programming run, from the loop command to its report. A run starts from a fresh
    // one, so nothing of the radio before carries over.
    struct Run {
        bool active = false;
        std::shared_ptr<const LoadedSoftware> image;  // what the run writes, kept to its end
        bool verify = false;
        int blockIndex = 0;
        uint32_t eraseCheckSince = 0;
        // The first block was read back and held; the blocks before writtenEnd were written
        // by then.
        bool firstBlockHeld = false;
        int writtenEnd = 0;
        int verifyEnd = 0;
        bool verifyShowsProgress = false;
        // When a read-back first found the first block not held: rounds of rewriting end a
        // while after it.
        std::optional<uint32_t> notHeldSince;
        // A header block of the file is in the radio since the last erase.
        bool headerWritten = false;
        // The report made once the failed run's erase is acknowledged.
        int failureText = 0;
        // Where the run goes on once a broken link is up again, and how often it broke.
        Phase resumeAt = Phase::SetLoop;
        int linkBreaks = 0;
    };

    // Meeting the radio on the cable: the link requests that found no radio yet and the two
    // reads of its software header. Whenever whatever radio is on the cable must be met
    // from the start, this begins afresh.
    struct Identification {
        std::array<uint8_t, SoftwareVersion::kHeaderSize> header{};
        bool secondHalfNext = false;
        // Both halves are in: the comparison with the file runs next.
        bool versionReady = false;
        int searches = 0;
    };
    // Whether a restart keeps counting the link requests of the search under way.
    enum class Searches { Kept, CountedAfresh };

    // What the radio's side of the link tells the session.
    void OnLinkReset() override;
    void OnLinkUp() override;
    void OnAcknowledged() override;
    void OnReply(const RadioReply& reply) override;
    // What the request loop asks of the session: the search for a radio, the step's request.
    void LinkNeeded() override { SearchStep(); }
    void SendNext() override { SendStep(); }

    // The step's request; invalid when the phase sends nothing.
    NetworkRequest StepRequest() const;
    void ShowStepStatus();

    void ApplyUserRequests();
    void BackToStart();
    void RestartIdentification(Searches searches);
    void SearchStep();
    void SendStep();
    void Compare(const std::shared_ptr<const LoadedSoftware>& software);
    int HeaderStart() const;
    void BlocksHeld(int from, int to, bool showProgress);
    void WriteFrom(int index);
    void CheckFirstBlock(const uint8_t* data, uint16_t length);
    void CheckFinal(const uint8_t* data, uint16_t length);
    void WriteAgainOrGiveUp();
    void VerifyBlock(const uint8_t* data, uint16_t length);
    // The run has failed: the report follows at once, or once the file's header is erased.
    void FailRun(int statusId);
    // The link broke in the middle of a run: the run waits for it, then goes on.
    void HoldRun();
    void ResumeRun();
    // The first address of block `index` that the reply does not hold as the file has it.
    bool FirstDifference(int index, const uint8_t* data, uint16_t length, uint32_t* address) const;
    uint32_t Elapsed(uint32_t since) const;
    // The channel's waits, run at the end of every tick.
    void CheckTimers();
    // Status kTextPortFailure with what the port says went wrong.
    void PortFailed();
    void Finish(int statusId);
    // The device failed under us: report it once, close it, and try it again from time to time.
    void LosePort();
    // True once the lost device is open again.
    bool ReopenLostPort();

    void ShowStatus(int statusId);
    // A report that ends a programming run gives the view the run's outcome.
    void EndRunOn(int statusId, uint32_t address);
    void ShowGauge(GaugeState state, int value);
    void EnableButton(bool enabled);
    void ClearRadioLines();
    void PostResult();

    const SoftwareImage& image_;
    const ProgramFlags& flags_;
    FlashSessionView& view_;

    // The radio last identified.
    SoftwareVersion radioVersion_;
    std::string radioVersionText_;
    Phase phase_ = Phase::None;
    Identification identification_;
    Run run_;
    int progress_ = 0;
    // The device failed and was closed; it is opened again from this time on.
    std::optional<Deadline> lostPortRetryAt_;
    bool programRequest_ = false;
    // A report decided inside a hook (kTextProgrammed once the reset is acknowledged), made
    // by the tick once the frame is processed; 0: none.
    int pendingReport_ = 0;
    bool stepHeldBack_ = false;
    RequestChannel channel_;

    std::atomic<bool> busy_{false};
    std::atomic<int> statusId_{0};
    std::atomic<uint32_t> statusAddress_{0};
    mutable std::mutex portFailureMutex_;
    std::string portFailure_;
    std::atomic<RunResult> result_{RunResult::Failed};
    std::atomic<bool> programPressed_{false};
    std::atomic<int32_t> pendingBaud_{0};

    // What the view shows now, so that a tick repeating it sends nothing.
    int shownStatus_ = -1;
    uint32_t shownAddress_ = 0;
    GaugeState shownGauge_ = GaugeState::Idle;
    int shownGaugeValue_ = -1;
    int shownButton_ = -1;
    // Tells the runs apart in the reports the session makes.
    ProgrammingWatch watch_;
};

}  // namespace norda::solvi
