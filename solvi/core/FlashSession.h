#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "link/RequestChannel.h"
#include "solvi/core/FlashSessionView.h"
#include "solvi/core/ProgramFlags.h"
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
class FlashSession final : private LinkListener {
  public:
    // Result codes reported in automatic mode.
    static constexpr int kResultOk = 0;
    static constexpr int kResultPortFailure = -1;
    static constexpr int kResultFailed = -3;

    static constexpr uint32_t kReplyTimeoutMs = kSolviLink.replyWaitMs;
    static constexpr uint32_t kPauseBeforeLinkRequestMs = 100;
    static constexpr int kMaxResetSends = 16;
    static constexpr uint32_t kReopenQueueSize = 1024;
    // An unattended run gives a flash this long to read erased.
    static constexpr uint32_t kEraseCheckLimitMs = 60000;
    // No new writing round starts later than this after the first failed read-back.
    static constexpr uint32_t kReadBackLimitMs = 60000;

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

    // The step under way; at most one at a time. ReadBack compares the first block of the
    // list with the file once the code blocks are written, before the header: a flash that
    // read erased before its erase had ended has wiped it. Verify reads back every other
    // block when asked to.
    enum class Phase {
        None,
        ReadRUSoftVer,
        SetLoop,
        FlashCheck,
        WriteArea,
        ReadBack,
        Verify,
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
    int Result() const { return result_.load(std::memory_order_acquire); }
    int Port() const { return channel_.Port().PortNumber(); }
    Clock& TimeSource() const { return channel_.TimeSource(); }

    // Worker-side state, for the worker and for tests that drive Tick themselves.
    Phase CurrentPhase() const { return phase_; }
    int Progress() const { return progress_; }
    const SoftwareVersion& RadioVersion() const { return radioVersion_; }
    const std::string& RadioVersionText() const { return radioVersionText_; }

  private:
    // What the radio's side of the link tells the session.
    void OnLinkReset() override;
    void OnLinkUp() override;
    void OnAcknowledged() override;
    void OnReply(const RadioReply& reply) override;

    // The step's request; invalid when the phase sends nothing.
    NetworkRequest StepRequest() const;
    void ShowStepStatus();

    void ApplyUserRequests();
    void BackToStart();
    void RestartIdentification();
    void SearchStep();
    void SendStep();
    void Compare(const std::shared_ptr<const LoadedSoftware>& software);
    int HeaderStart() const;
    void BlocksHeld(int from, int to, bool showProgress);
    void WriteFrom(int index);
    void CheckFirstBlock(const uint8_t* data, uint16_t length);
    void VerifyBlock(const uint8_t* data, uint16_t length);
    // The first address of block `index` that the reply does not hold as the file has it.
    bool FirstDifference(int index, const uint8_t* data, uint16_t length, uint32_t* address) const;
    uint32_t Elapsed(uint32_t since) const;
    // The channel's waits, run at the end of every tick.
    void CheckTimers();
    // Status kTextPortFailure with what the port says went wrong.
    void PortFailed();
    void Finish(int statusId);

    void ShowStatus(int statusId);
    void ShowGauge(GaugeState state, int value);
    void EnableButton(bool enabled);
    void ClearRadioLines();
    void PostResult();

    const SoftwareImage& image_;
    const ProgramFlags& flags_;
    FlashSessionView& view_;

    // The image a programming run writes, kept for the whole run.
    std::shared_ptr<const LoadedSoftware> programImage_;

    std::array<uint8_t, SoftwareVersion::kHeaderSize> radioHeader_{};
    SoftwareVersion radioVersion_;
    std::string radioVersionText_;
    bool firstHalfPending_ = true;
    Phase phase_ = Phase::None;
    bool versionReady_ = false;
    int blockIndex_ = 0;
    int progress_ = 0;
    int searchCount_ = 0;
    bool programRequest_ = false;
    int completion_ = -1;
    // A report decided inside a hook, made by the tick once the frame is processed.
    int pendingReport_ = 0;
    bool verifyRun_ = false;
    uint32_t eraseCheckSince_ = 0;
    bool readBackFailed_ = false;
    bool firstBlockHeld_ = false;
    int writtenEnd_ = 0;  // blocks written when the first one was read back
    int verifyEnd_ = 0;
    bool verifyShowsProgress_ = false;
    uint32_t readBackFailedAt_ = 0;
    bool stepHeldBack_ = false;
    RequestChannel channel_;

    std::atomic<bool> busy_{false};
    std::atomic<int> statusId_{0};
    std::atomic<uint32_t> statusAddress_{0};
    mutable std::mutex portFailureMutex_;
    std::string portFailure_;
    std::atomic<int> result_{kResultFailed};
    std::atomic<bool> programPressed_{false};
    std::atomic<int32_t> pendingBaud_{0};

    // What the view shows now, so that a tick repeating it sends nothing.
    int shownStatus_ = -1;
    uint32_t shownAddress_ = 0;
    GaugeState shownGauge_ = GaugeState::Idle;
    int shownGaugeValue_ = -1;
    int shownButton_ = -1;
};

}  // namespace norda::solvi
