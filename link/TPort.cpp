#include "link/TPort.h"

#include <cstdio>

#include "link/TermiosStream.h"

namespace norda {

TPort::TPort(const PortProfile& profile, int portNumber, int32_t baud, HandshakeMode handshake,
             Clock& clock, std::unique_ptr<ByteStream> stream)
    : profile_(profile),
      portNumber_(portNumber),
      baud_(baud),
      handshake_(handshake),
      transmitQueue_(profile.transmitQueue),
      receiveQueue_(profile.receiveQueue),
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

Status TPort::Open() {
    return OpenDevice(false);
}

Status TPort::OpenSameDevice() {
    return OpenDevice(true);
}

Status TPort::OpenDevice(bool sameDevice) {
    Close();
    if (profile_.openPauseMs > 0) {
        clock_.Sleep(profile_.openPauseMs);
    }
    ++session_;
    char name[32];
    std::snprintf(name, sizeof name, "com%d", portNumber_);
    deviceName_ = name;
    if (!stream_) {
        stream_ = std::make_unique<TermiosStream>();
    }
    if (const Status opened =
            sameDevice ? stream_->OpenSameDevice(portNumber_) : stream_->Open(portNumber_);
        !Succeeded(opened)) {
        return opened;
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
    if (!profile_.softwareFlowControl && mode == HandshakeMode::XonXoff) {
        mode = HandshakeMode::None;
    }
    // A refused setting closes the device again, or it would stay held until
    // the program ends and no later Open of this port could succeed.
    if (baud_ < kMinBaud || baud_ > kMaxBaud || !Succeeded(stream_->Configure(baud_, mode))) {
        stream_->Close();
        return Status::SettingsRefused;
    }
    stream_->Purge(PurgeScope::Both);
    portOpen_ = true;
    return Status::Ok;
}

Status TPort::Reopen(int portNumber, int32_t baud, HandshakeMode handshake, uint32_t transmitQueue,
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

Received TPort::ReadByte(uint8_t* byte) {
    if (!portOpen_ || byte == nullptr) {
        quietSeen_ = false;
        return Received::Failed;
    }
    // A wait on the port that has just found the line quiet for longer is that byte's wait.
    const uint32_t wait = quietSeen_ ? 0 : profile_.readWaitMs;
    quietSeen_ = false;
    return stream_->ReadByte(byte, wait);
}

bool TPort::WaitForInput(uint32_t ms) {
    if (portOpen_) {
        const Readiness ready = stream_->WaitReadable(ms);
        if (ready != Readiness::CannotWait) {
            quietSeen_ = ready == Readiness::TimedOut && ms >= profile_.readWaitMs;
            return ready == Readiness::Ready;
        }
    }
    clock_.Sleep(ms);
    return false;
}

int TPort::InputHandle() const {
    return portOpen_ ? stream_->Handle() : -1;
}

Status TPort::Write(const uint8_t* data, size_t length) {
    if (!portOpen_ || (data == nullptr && length != 0)) {
        return Status::WriteFailed;
    }
    if (Succeeded(stream_->Write(data, length, LineTimeMs(length) + profile_.writeSlackMs))) {
        return Status::Ok;
    }
    if (writeErrorHandler_) {
        writeErrorHandler_();
    }
    if (profile_.failedWritePurgesBoth) {
        Purge();
    } else if (portOpen_) {
        stream_->Purge(PurgeScope::Transmit);
    }
    return Status::WriteFailed;
}

}  // namespace norda
