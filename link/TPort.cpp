#include "link/TPort.h"

#include <cstdio>

#include "link/TermiosStream.h"

namespace norda {

namespace {

// SOLVI bounds a pending read to this and pauses before every open, so a
// port that was just closed has settled.
constexpr uint32_t kSolviReadWaitMs = 5;
constexpr uint32_t kSolviOpenPauseMs = 100;
// OMBRA's write used to wait for the driver without limit; a vanished device
// must not hang the window thread, so it gets a generous bound instead.
constexpr uint32_t kOmbraWriteSlackMs = 1000;
constexpr uint32_t kSolviWriteSlackMs = 26;

}  // namespace

TPort::TPort(LinkVariant variant, int portNumber, int32_t baud, HandshakeMode handshake,
             uint32_t transmitQueue, uint32_t receiveQueue, Clock& clock,
             std::unique_ptr<ByteStream> stream)
    : variant_(variant),
      portNumber_(portNumber),
      baud_(baud),
      handshake_(handshake),
      transmitQueue_(transmitQueue),
      receiveQueue_(receiveQueue),
      clock_(clock),
      stream_(std::move(stream)) {}

TPort::~TPort() {
    Close();
}

void TPort::SetByteStream(std::unique_ptr<ByteStream> stream) {
    if (portOpen_) {
        return;
    }
    stream_ = std::move(stream);
}

int TPort::Open() {
    Close();
    if (variant_ == LinkVariant::Solvi) {
        clock_.Sleep(kSolviOpenPauseMs);
    }
    ++session_;
    char name[32];
    std::snprintf(name, sizeof name, "com%d", portNumber_);
    deviceName_ = name;
    if (!stream_) {
        stream_ = std::make_unique<TermiosStream>();
    }
    if (stream_->Open(portNumber_) != kOk) {
        return kCannotOpen;
    }
    uint32_t maxTransmit = 0;
    uint32_t maxReceive = 0;
    stream_->QueueLimits(maxTransmit, maxReceive);
    if (maxTransmit != 0 && maxTransmit < transmitQueue_) {
        transmitQueue_ = maxTransmit;
    }
    if (maxReceive != 0 && maxReceive < receiveQueue_) {
        receiveQueue_ = maxReceive;
    }
    HandshakeMode mode = handshake_;
    if (variant_ == LinkVariant::Solvi && mode == HandshakeMode::XonXoff) {
        mode = HandshakeMode::None;
    }
    // A refused setting closes the device again, or it would stay held until
    // the program ends and no later Open of this port could succeed.
    if (baud_ < kMinBaud || baud_ > kMaxBaud || stream_->Configure(baud_, mode) != kOk) {
        stream_->Close();
        return kSettingsRefused;
    }
    stream_->Purge(PurgeScope::Both);
    portOpen_ = true;
    return kOk;
}

int TPort::Reopen(int portNumber, int32_t baud, HandshakeMode handshake, uint32_t transmitQueue,
                  uint32_t receiveQueue) {
    portNumber_ = portNumber;
    baud_ = baud;
    handshake_ = handshake;
    transmitQueue_ = transmitQueue;
    receiveQueue_ = receiveQueue;
    return Open();
}

void TPort::Close() {
    if (!portOpen_) {
        return;
    }
    Purge();
    stream_->Close();
    portOpen_ = false;
    ++session_;
}

void TPort::Purge() {
    if (portOpen_) {
        stream_->Purge(PurgeScope::Both);
    }
}

int TPort::ReadByte(uint8_t* byte) {
    if (!portOpen_ || byte == nullptr) {
        quietSeen_ = false;
        return -1;
    }
    // A wait on the port that has just found the line quiet for longer is that byte's wait.
    const uint32_t wait = variant_ == LinkVariant::Solvi && !quietSeen_ ? kSolviReadWaitMs : 0;
    quietSeen_ = false;
    const int result = stream_->ReadByte(byte, wait);
    return result > 0 ? 1 : (result < 0 ? -1 : 0);
}

bool TPort::WaitForInput(uint32_t ms) {
    if (portOpen_) {
        const int ready = stream_->WaitReadable(ms);
        if (ready >= 0) {
            quietSeen_ = ready == 0 && ms >= kSolviReadWaitMs;
            return ready > 0;
        }
    }
    clock_.Sleep(ms);
    return false;
}

int TPort::InputHandle() const {
    return portOpen_ ? stream_->Handle() : -1;
}

int TPort::Write(const uint8_t* data, size_t length) {
    if (!portOpen_ || (data == nullptr && length != 0)) {
        return 0;
    }
    const uint32_t lineTime = baud_ > 0 ? static_cast<uint32_t>(length * 10000 / baud_) : 0;
    if (variant_ == LinkVariant::Solvi) {
        const int written = stream_->Write(data, length, lineTime + kSolviWriteSlackMs);
        if (written < 0 || static_cast<size_t>(written) < length) {
            OnPortError();
            if (portOpen_) {
                stream_->Purge(PurgeScope::Transmit);
            }
            return 0;
        }
        return 1;
    }
    const int written = stream_->Write(data, length, lineTime + kOmbraWriteSlackMs);
    if (written < 0 || static_cast<size_t>(written) < length) {
        OnPortError();
        Purge();
        return 0;
    }
    return 1;
}

}  // namespace norda
