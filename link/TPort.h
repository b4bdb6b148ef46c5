#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/ByteStream.h"
#include "link/LinkProfile.h"
#include "platform/Clock.h"
#include "platform/Status.h"

namespace norda {

// One serial port, 8N1, opened by number as "com%d".
class TPort {
  public:
    static constexpr int32_t kMinBaud = 300;
    static constexpr int32_t kMaxBaud = 115200;

    // Without a stream the port uses the termios device that "com<N>" names.
    TPort(const PortProfile& profile, int portNumber, int32_t baud, HandshakeMode handshake,
          Clock& clock = SteadyClock::Instance(), std::unique_ptr<ByteStream> stream = nullptr);
    ~TPort();

    TPort(const TPort&) = delete;
    TPort& operator=(const TPort&) = delete;

    // Ok, CannotOpen or SettingsRefused (the device is closed again).
    Status Open();
    // The same, on the device of the last Open (after it failed or vanished).
    Status OpenSameDevice();
    Status Reopen(int portNumber, int32_t baud, HandshakeMode handshake, uint32_t transmitQueue,
                  uint32_t receiveQueue);
    void Close();
    void Purge();
    // Waits at most the profile's read wait for a byte. Failed also for a closed port.
    Received ReadByte(uint8_t* byte);
    // Ok when every byte went out; WriteFailed otherwise, after the write-error handler
    // has been called and the port purged as the profile says.
    Status Write(const uint8_t* data, size_t length);
    // Returns once a byte may be waiting (true) or ms have passed (false), so that an owner
    // polling the port acts on a frame as soon as it is there. A closed port, and a stream
    // that cannot wait, sleep on the port's clock.
    bool WaitForInput(uint32_t ms);
    // The stream's descriptor while the port is open, for an event loop to watch; else -1.
    // It changes with every open.
    int InputHandle() const;

    bool PortOpen() const { return portOpen_; }
    const PortProfile& Profile() const { return profile_; }
    int PortNumber() const { return portNumber_; }
    int32_t Baud() const { return baud_; }
    // How long `bytes` take on the line at the port's speed: ten bits a byte.
    uint32_t LineTimeMs(size_t bytes) const {
        return baud_ > 0 ? static_cast<uint32_t>(bytes * 10000 / baud_) : 0;
    }
    HandshakeMode Handshake() const { return handshake_; }
    uint32_t TransmitQueueSize() const { return transmitQueue_; }
    uint32_t ReceiveQueueSize() const { return receiveQueue_; }
    // "com%d" with the port number.
    const std::string& DeviceName() const { return deviceName_; }
    // After a failed Open, or a read that found the device failed: the device and the
    // system's reason, e.g.
    // "/dev/ttyS2: No such file or directory"; empty when the stream knows none.
    std::string OpenFailure() const { return stream_ ? stream_->FailureReason() : std::string(); }

    // Replaces the stream; only while the port is closed. Tests put an
    // in-memory line here.
    void SetByteStream(std::unique_ptr<ByteStream> stream);
    Clock& TimeSource() const { return clock_; }

    // Called after a failed or short write, before the purge.
    void SetWriteErrorHandler(std::function<void()> handler) {
        writeErrorHandler_ = std::move(handler);
    }

    // Changes whenever the port is opened or closed, so the frame receiver can
    // tell that a partial frame belongs to an earlier session.
    uint32_t Session() const { return session_; }

  private:
    Status OpenDevice(bool sameDevice);
    PortProfile profile_;
    int portNumber_;
    int32_t baud_;
    HandshakeMode handshake_;
    uint32_t transmitQueue_;
    uint32_t receiveQueue_;
    std::string deviceName_;
    bool portOpen_ = false;
    bool quietSeen_ = false;
    uint32_t session_ = 0;
    Clock& clock_;
    std::unique_ptr<ByteStream> stream_;
    std::function<void()> writeErrorHandler_;
};

}  // namespace norda
