#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "platform/Clock.h"
#include "tools/radiosim/ParamImage.h"
#include "tools/radiosim/SimFaults.h"
#include "tools/radiosim/SimFraming.h"

namespace norda::sim {

struct RadioConfig {
    uint32_t baud = 9600;  // line pacing, 10 bits a byte; 0 = no pacing
    uint16_t halfBaseChan = kDefaultHalfBaseChan;
    bool answerLrWithLr = false;   // answer the programmer's LR with an LR of its own
    uint32_t turnaroundMs = 2;     // from the last byte of a frame to the first of the answer
    uint32_t ltRetryMs = 400;      // the radio repeats its LT when no LA came by then
    uint32_t ltMaxSends = 4;       // then it gives up and restarts the link with an LR
    uint32_t resetQuietMs = 1000;  // silence after the reset command
    uint32_t eraseMs = 2500;       // flash erase after the loop command
    // How the flash answers while it erases: with its busy status (00, writes are lost);
    // like some flash parts, with its old contents; or as erased from the start. The last
    // two take writes, and the end of the erase wipes them. A reset ends loop mode and an
    // erase still under way with it: what was written stays.
    enum class EraseReads { Busy, Old, Erased };
    EraseReads eraseReads = EraseReads::Busy;
    Faults faults;
};

struct RadioStats {
    uint32_t framesReceived = 0;
    uint32_t framesDropped = 0;     // broken frames thrown away by the receiver
    uint32_t framesFixedCheck = 0;  // received with the constant 0F 0F
    uint32_t lrReceived = 0, laReceived = 0, ltReceived = 0, ltRepeats = 0;
    uint32_t protocolErrors = 0;  // out-of-sequence or malformed frames from the programmer
    uint32_t lrSent = 0, laSent = 0, laDropped = 0, ltSent = 0, ltRetransmissions = 0;
    uint32_t memoryReads = 0, memoryWrites = 0, resets = 0, resetsIgnored = 0, loopCommands = 0;
    // Reset commands whose LA went out (a fault may have dropped the LA of the others).
    uint32_t resetsAcknowledged = 0;
    uint32_t erasesCompleted = 0, writesLost = 0, unknownRequests = 0;
    uint64_t bytesIn = 0, bytesOut = 0;
};

// One simulated radio. The programmer's bytes go in with Receive, the radio's
// bytes come out of TakeOutput once the line has had time to carry them. All
// time comes from the clock, so a test drives it on a VirtualClock; the pty
// server drives it on the steady clock. Not thread-safe: one owner thread.
class SimRadio {
  public:
    enum class LinkState { Down, LrSent, Up };

    SimRadio(Clock& clock, const RadioConfig& config, const ParamMemory& params,
             std::vector<uint8_t> flash);
    // A fully programmed radio of config.halfBaseChan with the default software.
    SimRadio(Clock& clock, const RadioConfig& config = {});

    // Bytes written by the programmer now; they reach the radio at line speed.
    void Receive(const uint8_t* data, size_t length);
    void Receive(const std::vector<uint8_t>& data) { Receive(data.data(), data.size()); }
    // Runs everything that is due by the clock's present time.
    void Poll();
    // Polls, then hands over the bytes that have left the radio by now.
    std::vector<uint8_t> TakeOutput();
    // Milliseconds until something is due (input, a timer, an output byte);
    // 0 when overdue, UINT32_MAX when the radio waits for nothing.
    uint32_t MsUntilNextEvent();
    // Bytes queued for the line that have not left the radio yet.
    bool OutputPending() const { return !output_.empty(); }

    ParamMemory& Params() { return params_; }
    std::vector<uint8_t>& Flash() { return flash_; }
    Faults& ActiveFaults() { return config_.faults; }
    const RadioConfig& Config() const { return config_; }
    const RadioStats& Stats() const { return stats_; }
    LinkState Link() const { return link_; }
    uint8_t Vs() const { return vs_; }
    uint8_t Vr() const { return vr_; }
    bool Quiet() const { return quiet_; }
    bool Erasing() const { return erasing_; }
    bool LoopMode() const { return loopMode_; }

  private:
    struct Timed {
        uint64_t at;
        uint8_t byte;
    };

    void Sync();
    uint64_t NextDue() const;
    void HandleFrame(const ReceivedFrame& frame, uint64_t t);
    void HandleLt(const std::vector<uint8_t>& body, uint64_t t);
    void Execute(const std::vector<uint8_t>& message, bool acknowledged, uint64_t t);
    // False when the frame did not reach the line whole (silent, or its check spoilt).
    bool SendFrame(const std::vector<uint8_t>& body, uint64_t t);
    bool SendLa(uint8_t nr, uint64_t t);
    void SendLr(uint64_t t);
    // False when a fault dropped the LA.
    bool AcknowledgeLt(uint64_t t);
    void TrySendNextLt(uint64_t t);
    void SendHeadLt(uint64_t t);
    void StartReset(uint64_t t);
    void Restart();
    std::vector<uint8_t> ReadMemory(uint8_t memory, uint32_t address, size_t length);
    void WriteMemory(uint8_t memory, uint32_t address, const uint8_t* data, size_t length);
    bool IsResetCommand(const std::vector<uint8_t>& ltBody) const;

    Clock& clock_;
    RadioConfig config_;
    ParamMemory params_;
    std::vector<uint8_t> flash_;
    RadioStats stats_;

    // Time in nanoseconds since construction, extended past the tick count's wrap.
    uint32_t lastTick_;
    uint64_t now_ = 0;
    uint64_t byteNs_;

    std::deque<Timed> input_;
    uint64_t inLineFree_ = 0;
    std::deque<Timed> output_;
    uint64_t outLineFree_ = 0;
    FrameReceiver receiver_;

    LinkState link_ = LinkState::Down;
    uint8_t vs_ = 1, vr_ = 1;
    uint8_t peerN1_ = 0xFF;
    std::deque<std::vector<uint8_t>> pending_;  // messages waiting to go out in LTs
    bool awaitingLa_ = false;
    uint32_t ltSends_ = 0;
    uint64_t ltDeadline_ = 0;
    uint32_t lrSends_ = 0;
    uint64_t lrDeadline_ = 0;

    bool quiet_ = false;
    uint64_t quietUntil_ = 0;
    bool erasing_ = false;
    uint64_t eraseDone_ = 0;
    bool loopMode_ = false;

    uint32_t ltAcksDue_ = 0;
    uint32_t ltAccepted_ = 0;
    bool relinkDone_ = false;
    uint32_t framesSent_ = 0;
    uint32_t noise_ = 0x2545F491;
};

}  // namespace norda::sim
