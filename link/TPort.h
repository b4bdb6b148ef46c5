#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/ByteStream.h"
#include "platform/Clock.h"

namespace norda {

// The two programs carry slightly different copies of the port and the link
// engine; one object serves both and is told at construction which it is.
enum class LinkVariant { Ombra, Solvi };

// Texts of OMBRA's short-write warning (no numbered string exists for them).
inline constexpr const char* kWriteErrorText = "YAZMA HATASI !!";
inline constexpr const char* kWriteErrorCaption = "SERİ PORT";

// One serial port, 8N1, opened by number as "com%d".
class TPort {
  public:
    static constexpr int kOk = 0;
    static constexpr int kCannotOpen = -2;
    static constexpr int kSettingsRefused = -12;
    static constexpr int32_t kMinBaud = 300;
    static constexpr int32_t kMaxBaud = 115200;

    // Without a stream the port uses the termios device that "com<N>" names.
    TPort(LinkVariant variant, int portNumber, int32_t baud, HandshakeMode handshake,
          uint32_t transmitQueue, uint32_t receiveQueue, Clock& clock = SteadyClock::Instance(),
          std::unique_ptr<ByteStream> stream = nullptr);
    virtual ~TPort();

    TPort(const TPort&) = delete;
    TPort& operator=(const TPort&) = delete;

    // 0, -2 (device cannot be opened) or -12 (settings refused; device closed again).
    int Open();
    int Reopen(int portNumber, int32_t baud, HandshakeMode handshake, uint32_t transmitQueue,
               uint32_t receiveQueue);
    void Close();
    void Purge();
    // 1 = byte read, 0 = nothing waiting, -1 = read failed or line error.
    // OMBRA's variant returns at once; SOLVI's waits at most 5 ms for a byte.
    int ReadByte(uint8_t* byte);
    // 1 = every byte went out, 0 = failure (OnPortError has been called and the
    // port purged: both queues in OMBRA, the transmit queue in SOLVI).
    int Write(const uint8_t* data, size_t length);
    // Returns once a byte may be waiting (true) or ms have passed (false), so that an owner
    // polling the port acts on a frame as soon as it is there. A closed port, and a stream
    // that cannot wait, sleep on the port's clock.
    bool WaitForInput(uint32_t ms);
    // The stream's descriptor while the port is open, for an event loop to watch; else -1.
    // It changes with every open.
    int InputHandle() const;

    bool PortOpen() const { return portOpen_; }
    LinkVariant Variant() const { return variant_; }
    int PortNumber() const { return portNumber_; }
    int32_t Baud() const { return baud_; }
    HandshakeMode Handshake() const { return handshake_; }
    uint32_t TransmitQueueSize() const { return transmitQueue_; }
    uint32_t ReceiveQueueSize() const { return receiveQueue_; }
    // "com%d" with the port number.
    const std::string& DeviceName() const { return deviceName_; }
    // After a failed Open: the device and the system's reason, e.g.
    // "/dev/ttyS2: No such file or directory"; empty when the stream knows none.
    std::string OpenFailure() const { return stream_ ? stream_->FailureReason() : std::string(); }

    // Replaces the stream; only while the port is closed. Tests put an
    // in-memory line here.
    void SetByteStream(std::unique_ptr<ByteStream> stream);
    Clock& TimeSource() const { return clock_; }

    // Called after a failed or short write, before the purge. OMBRA's owner
    // shows kWriteErrorText under kWriteErrorCaption; SOLVI's leaves it empty.
    virtual void OnPortError() {}

  protected:
    // Changes whenever the port is opened or closed, so the frame receiver can
    // tell that a partial frame belongs to an earlier session.
    uint32_t PortSession() const { return session_; }

  private:
    LinkVariant variant_;
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
};

}  // namespace norda
