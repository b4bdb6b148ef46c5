#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "link/LinkProfile.h"
#include "link/NetworkRequest.h"
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

// A network message from the radio that answers the request awaited, taken apart.
struct RadioReply {
    enum class Kind {
        MemoryArea,  // memory, address, data and length: the bytes read
        WriteReply,  // memory, address, status and length: what the radio wrote
        Reply,       // code 05; p1 when params > 0
        Reply8,      // code 08; p1, p2 as params says
    };
    Kind kind = Kind::MemoryArea;
    uint8_t memory = 0;  // byte 3 of the reply
    uint32_t address = 0;
    const uint8_t* data = nullptr;  // valid only during the call
    uint16_t length = 0;
    uint8_t status = 0;
    int params = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
};

// What the link engine tells its owner. Every call comes from inside ProcessFrame or
// ResetLink; the defaults do nothing.
class LinkListener {
  public:
    virtual ~LinkListener() = default;
    // The link restarts: our link request goes out next. The engine does this itself when
    // the radio's sequence goes wrong.
    virtual void OnLinkReset() {}
    // The link is up: the radio acknowledged our link request, or sent its own.
    virtual void OnLinkUp() {}
    // The radio acknowledged our last LT.
    virtual void OnAcknowledged() {}
    // The request awaited has its answer.
    virtual void OnReply(const RadioReply& reply) { (void)reply; }
    // A report the radio sent of its own accord (code 11); the message stays valid only
    // during the call.
    virtual void OnReport(const uint8_t* message, size_t length) { (void)message, (void)length; }
    // Trace lines (only while tracing is on), and the link-up report always.
    virtual void OnTrace(std::string_view text) { (void)text; }
};

// The MAP27 station of a programmer: data link layer (LR/LA/LT framing, sequence numbers,
// acknowledgements) and the memory-access network messages, on a port of its own. It owns
// no timer and no thread: its owner (normally a RequestChannel) takes frames from
// ReceiveFrame, hands each to ProcessFrame, and learns what happened through its listener.
class TWinmap27Port {
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
    TWinmap27Port(const TWinmap27Port&) = delete;
    TWinmap27Port& operator=(const TWinmap27Port&) = delete;

    void SetListener(LinkListener* listener) { listener_ = listener ? listener : &silent_; }
    TPort& Port() { return port_; }
    const TPort& Port() const { return port_; }
    const LinkProfile& Profile() const { return profile_; }
    // Bytes of the last frame handed to the port, stuffing included.
    size_t LastFrameLength() const { return lastFrameLength_; }
    // Bytes of an LR or LA frame without stuffing.
    static constexpr size_t kShortFrameLength = 11;

    // > 0: length of a complete de-stuffed frame copied to buffer (16 10 02 ...
    // two check bytes); 0: no complete frame yet (a partial frame is kept);
    // < 0: read error, partial frame dropped. A frame longer than capacity is
    // dropped; kFrameBufferSize always suffices.
    int ReceiveFrame(uint8_t* buffer, size_t capacity);
    void ProcessFrame(const uint8_t* frame, size_t length);
    // Sends LR and restarts the link; nothing while the port is closed.
    void ResetLink();
    // Sends one LT carrying the network message: Ok, Refused (message too long for a
    // frame) or WriteFailed.
    Status SendLinkTransfer(const uint8_t* message, size_t length);
    // Sends the request in an LT; a reply becomes due when the request has one. Results as
    // SendLinkTransfer; Refused also for a request outside the message format, and for the
    // loop command where the profile has none or while a reply is awaited.
    Status Send(const NetworkRequest& request);

    // Drops any partial frame (hunting state, count 0, DLE flag clear).
    void ResetReceiver();

    // The owner's side of the link state. A new link is wanted: nothing goes out until
    // ResetLink.
    void RequireLink();
    // No link, none wanted.
    void DropLink();
    // No reply is awaited any more.
    void EndExchange() { networkState_ = kNetworkIdle; }
    // The radio answered our last LT, so it took it, whether or not its LA reached us: V(S)
    // moves on as the LA would have moved it. Left behind, the next LT would carry the number
    // the radio has just taken and be dropped as a repeat.
    void TakeAnswerAsAcknowledgement();
    // Forgets that the last frame was acknowledged; before each frame an owner takes.
    void ForgetAck() { ackSent_ = false; }
    void SetTrace(bool on) { trace_ = on; }
    bool TraceOn() const { return trace_; }
    // Network messages are only looked at in memory-access mode.
    void SetMemoryAccess(bool on) { memoryAccess_ = on; }

    // For tests and fuzzing that stage a situation.
    void StageSequence(uint8_t vs, uint8_t vr) {
        vs_ = vs;
        vr_ = vr;
    }
    void StageNetworkState(int state) { networkState_ = state; }

    bool LinkRequested() const { return linkRequested_; }
    bool LinkEstablished() const { return linkEstablished_; }
    // The last frame taken was an LT that we acknowledged.
    bool AckSent() const { return ackSent_; }
    // Until when nothing may follow our last LA, where the profile's pause does not sleep;
    // empty once that has passed.
    std::optional<Deadline> QuietUntil(uint32_t now) const {
        return quietUntil_ && !quietUntil_->Passed(now) ? quietUntil_ : std::nullopt;
    }
    int NetworkState() const { return networkState_; }
    // Our last LR or LT has not been acknowledged yet.
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

  private:
    void Trace(const char* format, ...) __attribute__((format(printf, 2, 3)));
    Status SendFrame(const uint8_t* header, size_t headerLength, const uint8_t* message,
                     size_t messageLength);
    void SendAck();
    void ProcessLinkTransfer(const uint8_t* frame, size_t length);
    void ProcessLinkRequest(const uint8_t* frame);
    void ProcessLinkAck(const uint8_t* frame, size_t length);
    void DispatchMessage();
    void HandleMemoryAreaReply();
    void HandleWriteReply();
    void Answered(const RadioReply& reply) { listener_->OnReply(reply); }

    LinkProfile profile_;
    TPort port_;
    LinkListener silent_;
    LinkListener* listener_ = &silent_;

    bool linkRequested_ = true;
    bool linkEstablished_ = false;
    bool ackSent_ = false;
    std::optional<Deadline> quietUntil_;
    bool trace_ = false;
    bool memoryAccess_ = false;
    int networkState_ = kNetworkIdle;
    uint8_t vs_ = 0;
    uint8_t vr_ = 0;
    uint8_t initialCredit_ = 0;
    uint8_t currentCredit_ = 0;
    uint8_t peerN1_ = 0;
    bool awaitingAck_ = false;
    // Our LR is on its way and unanswered. Only its LA sets the link up: an LA with N(R) = 1
    // left on the line by an earlier link (another program's, before we sent anything) would
    // set it up with V(S) still at its old value.
    bool lrOutstanding_ = false;
    int statusCode_ = 0;

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
    size_t lastFrameLength_ = 0;
};

}  // namespace norda
