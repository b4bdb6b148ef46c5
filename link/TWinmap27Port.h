#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/TPort.h"

namespace norda {

enum class ReceiverState : int {
    HuntSyn = 1,
    ExpectDle = 2,
    ExpectStx = 3,
    InBody = 4,
    ExpectFcs1 = 5,
    ExpectFcs2 = 6,
};

// The MAP27 station of a programmer: data link layer (LR/LA/LT framing,
// sequence numbers, acknowledgements) and the memory-access network messages.
// It owns no timer and no thread: the owner polls ReceiveFrame, hands each
// frame to ProcessFrame, and learns what happened through the virtual hooks,
// all of which do nothing here.
class TWinmap27Port : public TPort {
  public:
    // A buffer of this size takes any frame ReceiveFrame can return: no profile's receive
    // size may exceed it.
    static constexpr size_t kFrameBufferSize = 256;

    // Network state values.
    static constexpr int kNetworkIdle = 1;
    static constexpr int kNetworkAwaitingReply = 2;
    // Status code that a memory-area reply records.
    static constexpr int kStatusMemoryArea = 61;

    static constexpr std::string_view kLinkUpText = "Telsiz-Bilgisayar bağlantısı sağlandı";

    TWinmap27Port(const LinkProfile& profile, int portNumber, int32_t baud,
                  Clock& clock = SteadyClock::Instance(),
                  std::unique_ptr<ByteStream> stream = nullptr);
    ~TWinmap27Port() override;

    // > 0: length of a complete de-stuffed frame copied to buffer (16 10 02 ...
    // two check bytes); 0: no complete frame yet (a partial frame is kept);
    // < 0: read error, partial frame dropped. A frame longer than capacity is
    // dropped; kFrameBufferSize always suffices.
    int ReceiveFrame(uint8_t* buffer, size_t capacity);
    void ProcessFrame(const uint8_t* frame, size_t length);
    // Sends LR and restarts the link; nothing while the port is closed.
    void ResetLink();
    // Sends one LT carrying the network message. 0 = written, -1 = refused
    // (message too long for a frame) or the write failed.
    int SendLinkTransfer(const uint8_t* message, size_t length);

    // Network requests. Results as SendLinkTransfer; -1 also for arguments
    // outside the message format.
    int ReadMemoryArea(uint8_t operation, uint8_t memory, uint32_t address, uint8_t length);
    // length 1..255
    int WriteMemoryArea(uint8_t operation, uint8_t memory, uint32_t address, const uint8_t* data,
                        size_t length);
    int SendResetCommand(uint8_t value);
    // Only where the profile allows it, and only while the network state is idle; -1
    // otherwise.
    int SendLoopCommand(uint8_t value);

    // Drops any partial frame (hunting state, count 0, DLE flag clear).
    void ResetReceiver();

    // State the owners read and set (see their transfer machines).
    bool LinkRequested = true;
    bool LinkEstablished = false;
    bool AckSent = false;
    bool TraceEnabled = false;
    bool MemoryAccessMode = false;
    int NetworkState = kNetworkIdle;

    bool AwaitingAck() const { return awaitingAck_; }
    int StatusCode() const { return statusCode_; }
    uint8_t VS() const { return vs_; }
    uint8_t VR() const { return vr_; }
    uint8_t InitialCredit() const { return initialCredit_; }
    uint8_t CurrentCredit() const { return currentCredit_; }
    uint8_t PeerN1() const { return peerN1_; }
    ReceiverState RxState() const { return rxState_; }
    size_t ReceiveBufferSize() const { return profile_.receiveSize; }
    // The last network message received (valid until the next one).
    const uint8_t* Message() const { return message_.data(); }
    size_t MessageLength() const { return messageLength_; }

    // Where the default OnTrace sends its lines; empty = nowhere.
    void SetTraceSink(std::function<void(std::string_view)> sink) { traceSink_ = std::move(sink); }

    // Hooks, in this order. Defaults do nothing (SetStatus records the code,
    // OnTrace forwards to the trace sink).
    virtual void OnLinkReset() {}
    virtual void OnLinkEstablished() {}
    virtual void OnTrace(std::string_view text);
    virtual void StartResponseTimer() {}
    virtual void StopResponseTimer() {}
    virtual void StartLinkTimer(uint32_t ms) { (void)ms; }
    virtual void StopLinkTimer() {}
    virtual void SetStatus(int code) { statusCode_ = code; }
    virtual void OnTransferAcknowledged() {}
    // memory is byte 3 of the reply; data holds
    // length bytes and stays valid only during the call.
    virtual void OnMemoryArea(uint8_t memory, uint32_t address, const uint8_t* data,
                              uint16_t length) {
        (void)memory, (void)address, (void)data, (void)length;
    }
    virtual void OnMemoryWriteReply(uint8_t memory, uint32_t address, uint8_t status,
                                    uint16_t length) {
        (void)memory, (void)address, (void)status, (void)length;
    }
    virtual void OnRadioReport(const uint8_t* message, size_t length) {
        (void)message, (void)length;
    }
    virtual void OnRadioReply(uint8_t p1) { (void)p1; }
    virtual void OnRadioReplyShort(uint8_t p1) { (void)p1; }
    virtual void OnRadioReplyLong(uint8_t p1, uint8_t p2) { (void)p1, (void)p2; }

  protected:
    // Link state; protected so that tests and owners can stage a situation.
    uint8_t vs_ = 0;
    uint8_t vr_ = 0;
    uint8_t initialCredit_ = 0;
    uint8_t currentCredit_ = 0;
    uint8_t peerN1_ = 0;
    bool awaitingAck_ = false;
    int statusCode_ = 0;

  private:
    void Trace(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int SendFrame(const uint8_t* header, size_t headerLength, const uint8_t* message,
                  size_t messageLength);
    void SendAck();
    void ProcessLinkTransfer(const uint8_t* frame, size_t length);
    void ProcessLinkRequest(const uint8_t* frame);
    void ProcessLinkAck(const uint8_t* frame, size_t length);
    void EstablishLink();
    void DispatchMessage();
    void HandleMemoryAreaReply();
    void HandleWriteReply();

    LinkProfile profile_;
    ReceiverState rxState_ = ReceiverState::HuntSyn;
    size_t rxCount_ = 0;
    bool rxDle_ = false;
    uint32_t rxSession_ = 0;
    std::array<uint8_t, kFrameBufferSize> rxBuffer_{};
    std::array<uint8_t, kFrameBufferSize> message_{};
    size_t messageLength_ = 0;
    // Worst case of the longest message the peer accepts (N1 = 255) with every
    // byte doubled, so no request ever has to be cut.
    std::array<uint8_t, 2100> txBuffer_{};
    std::function<void(std::string_view)> traceSink_;
};

}  // namespace norda
