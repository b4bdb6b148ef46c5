#include "link/TWinmap27Port.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "link/Crc16.h"

namespace norda {

namespace {

constexpr uint8_t kSyn = 0x16;
constexpr uint8_t kDle = 0x10;
constexpr uint8_t kStx = 0x02;
constexpr uint8_t kEtx = 0x03;
// Transmitted frames carry this fixed pair instead of a computed check.
constexpr uint8_t kSentFcs = 0x0F;

constexpr uint8_t kFrameLR = 0x01;
constexpr uint8_t kFrameLA = 0x02;
constexpr uint8_t kFrameLT = 0x04;

// Offsets in a stored frame: 16 10 02, then the link body.
constexpr size_t kTypeAt = 3;
constexpr size_t kMessageAt = 7;
// 16 10 02 + 4 link bytes + 10 03 + 2 check bytes.
constexpr size_t kEmptyLtLength = 11;
constexpr size_t kLaLength = 11;
// The shortest frame the receiver can complete: three body bytes.
constexpr size_t kShortestFrame = 10;

constexpr uint8_t kOwnN1 = 0xFF;
constexpr uint8_t kOwnWindow = 0x01;
constexpr uint8_t kOwnVersion = 0x80;

constexpr uint8_t kCodeMemory = 0x03;
constexpr uint8_t kCodeReply = 0x05;
constexpr uint8_t kCodeReply8 = 0x08;
constexpr uint8_t kCodeReport = 0x11;
constexpr uint8_t kTypeAreaData = 0x04;
constexpr uint8_t kTypeWriteReply = 0x06;

uint32_t Address24(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

}  // namespace

TWinmap27Port::TWinmap27Port(const LinkProfile& profile, int portNumber, int32_t baud, Clock& clock,
                             std::unique_ptr<ByteStream> stream)
    : profile_(profile),
      port_(profile.port, portNumber, baud, HandshakeMode::None, clock, std::move(stream)) {
    profile_.receiveSize = std::min(profile_.receiveSize, kFrameBufferSize);
}

void TWinmap27Port::RequireLink() {
    linkRequested_ = true;
    linkEstablished_ = false;
    lrOutstanding_ = false;
}

void TWinmap27Port::DropLink() {
    linkRequested_ = false;
    linkEstablished_ = false;
    lrOutstanding_ = false;
}

void TWinmap27Port::TakeAnswerAsAcknowledgement() {
    if (!awaitingAck_ || linkRequested_) {
        return;
    }
    awaitingAck_ = false;
    vs_ = static_cast<uint8_t>(vs_ + 1);
}

void TWinmap27Port::Trace(const char* format, ...) {
    if (!trace_) {
        return;
    }
    char line[160];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n < 0) {
        return;
    }
    listener_->OnTrace(std::string_view(line, std::min(static_cast<size_t>(n), sizeof line - 1)));
}

void TWinmap27Port::ResetReceiver() {
    rxState_ = ReceiverState::HuntSyn;
    rxCount_ = 0;
    rxDle_ = false;
}

int TWinmap27Port::ReceiveFrame(uint8_t* buffer, size_t capacity) {
    // A partial frame from before a close or reopen can never be completed.
    if (rxSession_ != port_.Session()) {
        rxSession_ = port_.Session();
        ResetReceiver();
    }
    while (rxCount_ < profile_.receiveSize) {
        uint8_t b = 0;
        const Received r = port_.ReadByte(&b);
        if (r == Received::Nothing) {
            return 0;
        }
        if (r == Received::Failed) {
            ResetReceiver();
            return -1;
        }
        switch (rxState_) {
            case ReceiverState::HuntSyn:
                if (b == kSyn) {
                    rxBuffer_[rxCount_++] = b;
                    rxState_ = ReceiverState::ExpectDle;
                }
                break;
            case ReceiverState::ExpectDle:
            case ReceiverState::ExpectStx: {
                const uint8_t expected = rxState_ == ReceiverState::ExpectDle ? kDle : kStx;
                if (b == expected) {
                    rxBuffer_[rxCount_++] = b;
                    rxState_ = rxState_ == ReceiverState::ExpectDle ? ReceiverState::ExpectStx
                                                                    : ReceiverState::InBody;
                } else {
                    ResetReceiver();
                }
                break;
            }
            case ReceiverState::InBody:
                if (b == kDle) {
                    if (!rxDle_) {
                        rxBuffer_[rxCount_++] = b;
                        rxDle_ = true;
                    } else {
                        rxDle_ = false;
                        break;
                    }
                } else {
                    if (profile_.restartOnDleStx && rxDle_ && b != kEtx) {
                        // DLE STX after a SYN: the radio began a new frame.
                        if (b == kStx && rxBuffer_[rxCount_ - 2] == kSyn) {
                            rxBuffer_[0] = kSyn;
                            rxBuffer_[1] = kDle;
                            rxBuffer_[2] = kStx;
                            rxCount_ = 3;
                            rxDle_ = false;
                        } else {
                            ResetReceiver();
                        }
                        break;
                    }
                    rxBuffer_[rxCount_++] = b;
                }
                if (rxCount_ >= 8 && rxDle_ && rxBuffer_[rxCount_ - 2] == kDle &&
                    rxBuffer_[rxCount_ - 1] == kEtx) {
                    rxDle_ = false;
                    rxState_ = ReceiverState::ExpectFcs1;
                }
                break;
            case ReceiverState::ExpectFcs1:
                rxBuffer_[rxCount_++] = b;
                rxState_ = ReceiverState::ExpectFcs2;
                break;
            case ReceiverState::ExpectFcs2: {
                rxBuffer_[rxCount_++] = b;
                const size_t length = rxCount_;
                ResetReceiver();
                if (buffer == nullptr || capacity < length) {
                    return 0;
                }
                std::memcpy(buffer, rxBuffer_.data(), length);
                return static_cast<int>(length);
            }
        }
    }
    ResetReceiver();
    return 0;
}

Status TWinmap27Port::SendFrame(const uint8_t* header, size_t headerLength, const uint8_t* message,
                                size_t messageLength) {
    size_t n = 0;
    txBuffer_[n++] = kSyn;
    txBuffer_[n++] = kDle;
    txBuffer_[n++] = kStx;
    auto put = [&](const uint8_t* p, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            if (n + 2 > txBuffer_.size()) {
                return false;
            }
            txBuffer_[n++] = p[i];
            if (p[i] == kDle) {
                txBuffer_[n++] = kDle;
            }
        }
        return true;
    };
    if (!put(header, headerLength) || !put(message, messageLength) || n + 4 > txBuffer_.size()) {
        return Status::Refused;
    }
    txBuffer_[n++] = kDle;
    txBuffer_[n++] = kEtx;
    txBuffer_[n++] = kSentFcs;
    txBuffer_[n++] = kSentFcs;
    lastFrameLength_ = n;
    return port_.Write(txBuffer_.data(), n);
}

void TWinmap27Port::SendAck() {
    const uint8_t body[] = {kFrameLA, vr_, 0x01, 0x00};
    // An LA that did not go out costs the radio a repeat of its LT; the port has said so.
    static_cast<void>(SendFrame(body, sizeof body, nullptr, 0));
    ackSent_ = true;
    Trace("LA gönderildi\t: state = %d      Vr = %03d", networkState_, vr_);
    // Every loop that sends our next request comes through here, so the radio gets its time
    // to turn the line round whichever host runs the loop.
    if (const uint32_t pause = PauseAfterAckMs(profile_, port_.Baud()); pause > 0) {
        if (profile_.pauseSleeps) {
            port_.TimeSource().Sleep(pause);
        } else {
            quietUntil_ = Deadline::In(port_.TimeSource(), pause);
        }
    }
}

void TWinmap27Port::ResetLink() {
    if (!port_.PortOpen()) {
        return;
    }
    listener_->OnLinkReset();
    networkState_ = kNetworkIdle;
    vs_ = 1;
    vr_ = 1;
    initialCredit_ = 0xFF;
    currentCredit_ = 0xFF;
    const uint8_t body[] = {kFrameLR, kOwnN1, kOwnWindow, kOwnVersion};
    awaitingAck_ = true;
    lrOutstanding_ = true;
    linkRequested_ = true;
    linkEstablished_ = false;
    port_.Purge();
    if (profile_.linkRestartDropsPartialFrame) {
        ResetReceiver();
    }
    // An LR that did not go out is asked again when its LA wait ends; the port has said so.
    static_cast<void>(SendFrame(body, sizeof body, nullptr, 0));
    Trace("LR gönderildi");
}

Status TWinmap27Port::SendLinkTransfer(const uint8_t* message, size_t length) {
    if (message == nullptr && length != 0) {
        return Status::Refused;
    }
    const uint8_t header[] = {kFrameLT, vs_, 0x01, 0x00};
    if (currentCredit_ > 0) {
        --currentCredit_;
    }
    awaitingAck_ = true;
    return SendFrame(header, sizeof header, message, length);
}

Status TWinmap27Port::Send(const NetworkRequest& request) {
    if (!request.Valid()) {
        return Status::Refused;
    }
    if (request.IsLoop()) {
        if (!profile_.loopCommand || networkState_ != kNetworkIdle) {
            return Status::Refused;
        }
        const Status result = SendLinkTransfer(request.Message(), request.Size());
        Trace("LT gönderildi\t: state = %d      Vs = %03d", networkState_, vs_);
        return result;
    }
    if (request.ReplyDue()) {
        networkState_ = kNetworkAwaitingReply;
    }
    return SendLinkTransfer(request.Message(), request.Size());
}

void TWinmap27Port::ProcessFrame(const uint8_t* frame, size_t length) {
    // Anything shorter cannot have come from ReceiveFrame, anything longer
    // would not fit the receive buffer; neither is looked at.
    if (frame == nullptr || length < kShortestFrame || length > profile_.receiveSize) {
        return;
    }
    if (profile_.verifyCheckBytes) {
        const uint8_t low = frame[length - 2];
        const uint8_t high = frame[length - 1];
        if (low != 0 || high != 0) {
            const uint16_t sent = static_cast<uint16_t>((high << 8) | low);
            if (Crc16Usb(frame + kTypeAt, length - 5) != sent) {
                Trace("Checksum Hatası");
                return;
            }
        }
    }
    switch (frame[kTypeAt]) {
        case kFrameLT:
            ProcessLinkTransfer(frame, length);
            break;
        case kFrameLR:
            ProcessLinkRequest(frame);
            break;
        case kFrameLA:
            ProcessLinkAck(frame, length);
            break;
        default:
            Trace("Kötü Mesaj alındı");
            break;
    }
}

void TWinmap27Port::ProcessLinkTransfer(const uint8_t* frame, size_t length) {
    if (linkRequested_) {
        Trace("LR Modunda LT alındı");
        ResetLink();
        return;
    }
    const uint8_t ns = frame[4];
    const bool ackRequired = frame[5] == 0x01;
    Trace("LT alındı\t\t: state = %d      Ns = %03d\tVr     = %03d\t Code = %02X", networkState_,
          ns, vr_, frame[kMessageAt]);
    if (ns == vr_) {
        ++vr_;
        if (ackRequired) {
            SendAck();
        }
        if (length > kEmptyLtLength) {
            messageLength_ = length - kEmptyLtLength;
            std::memcpy(message_.data(), frame + kMessageAt, messageLength_);
            DispatchMessage();
        }
    } else if (ns == static_cast<uint8_t>(vr_ - 1)) {
        // The radio missed our LA and repeats itself: acknowledge once more only.
        if (ackRequired) {
            SendAck();
        }
    } else {
        ResetLink();
    }
}

void TWinmap27Port::ProcessLinkRequest(const uint8_t* frame) {
    Trace("LR alındı");
    peerN1_ = frame[4];
    initialCredit_ = frame[5];
    currentCredit_ = frame[5];
    vs_ = 1;
    vr_ = 1;
    SendAck();
    if (!linkEstablished_) {
        listener_->OnTrace(kLinkUpText);
    }
    networkState_ = kNetworkIdle;
    linkRequested_ = false;
    linkEstablished_ = true;
    lrOutstanding_ = false;
    listener_->OnLinkUp();
}

void TWinmap27Port::ProcessLinkAck(const uint8_t* frame, size_t length) {
    if (length != kLaLength) {
        Trace("Kötü LA alındı");
        return;
    }
    const uint8_t nr = frame[4];
    const uint8_t credit = frame[5];
    const uint8_t next = static_cast<uint8_t>(vs_ + 1);
    Trace("LA alındı\t\t: state = %d      Nr = %03d\tVs+1 = %03d", networkState_, nr, next);
    if (!linkRequested_) {
        if (nr == next) {
            awaitingAck_ = false;
            vs_ = next;
            currentCredit_ = credit;
            listener_->OnAcknowledged();
        } else if (nr == vs_ && !(profile_.repeatedAckRestartsLink && awaitingAck_)) {
            // A repeated acknowledgement of something already settled.
        } else {
            ResetLink();
        }
        return;
    }
    if (nr != 1) {
        ResetLink();
        return;
    }
    if (!lrOutstanding_) {
        return;
    }
    lrOutstanding_ = false;
    awaitingAck_ = false;
    if (profile_.linkUpEndsExchange) {
        networkState_ = kNetworkIdle;
    }
    listener_->OnTrace(kLinkUpText);
    linkRequested_ = false;
    linkEstablished_ = true;
    listener_->OnLinkUp();
}

void TWinmap27Port::DispatchMessage() {
    const uint8_t* m = message_.data();
    const size_t n = messageLength_;
    const uint8_t code = m[0];
    const uint8_t type = n >= 2 ? m[1] : 0;
    if (memoryAccess_) {
        if (code == kCodeMemory && (!profile_.typedReplies || type == kTypeAreaData)) {
            HandleMemoryAreaReply();
        } else if (code == kCodeMemory && type == kTypeWriteReply) {
            HandleWriteReply();
        } else if ((code == kCodeReply || code == kCodeReply8) && profile_.typedReplies) {
            networkState_ = kNetworkIdle;
            RadioReply reply;
            reply.kind = code == kCodeReply ? RadioReply::Kind::Reply : RadioReply::Kind::Reply8;
            // 05 carries P1 from three bytes on; 08 P1 in exactly three, P1 and P2 in more.
            reply.params = n < 3 ? 0 : (code == kCodeReply || n == 3 ? 1 : 2);
            reply.p1 = n >= 3 ? m[2] : 0;
            reply.p2 = reply.params == 2 ? m[3] : 0;
            Answered(reply);
        } else if (code == kCodeReport) {
            networkState_ = kNetworkIdle;
            listener_->OnReport(m, n);
        }
    }
    if (code == 0xB2) {
        Trace("LT process\t: state = %d Code = %02X %d", networkState_, code, type & 4);
    } else if (code == 0x0F || code == 0x12) {
        Trace("LT process\t: state = %d Code = %02X Type = %d", networkState_, code, type);
    } else {
        Trace("LT process\t: state = %d Code = %02X", networkState_, code);
    }
}

void TWinmap27Port::HandleMemoryAreaReply() {
    const uint8_t* m = message_.data();
    const size_t n = messageLength_;
    // Too short to hold its own address: not a reply we can place anywhere;
    // the owner's response time-out deals with the request.
    if (n < 6) {
        return;
    }
    if (networkState_ == kNetworkAwaitingReply) {
        RadioReply reply;
        reply.memory = m[2];
        reply.address = Address24(m + 3);
        reply.data = m + 6;
        reply.length = static_cast<uint16_t>(n - 6);
        Answered(reply);
        Trace("MEMORY AREA alındı : address=%ld", static_cast<long>(reply.address));
        statusCode_ = kStatusMemoryArea;
    }
    networkState_ = kNetworkIdle;
}

void TWinmap27Port::HandleWriteReply() {
    const uint8_t* m = message_.data();
    if (messageLength_ < 9) {
        return;
    }
    if (networkState_ == kNetworkAwaitingReply) {
        RadioReply reply;
        reply.kind = RadioReply::Kind::WriteReply;
        reply.memory = m[2];
        reply.address = Address24(m + 3);
        reply.status = m[6];
        reply.length = static_cast<uint16_t>((m[7] << 8) | m[8]);
        Answered(reply);
    }
    networkState_ = kNetworkIdle;
}

}  // namespace norda
