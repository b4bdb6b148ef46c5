#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Status.h"

namespace norda {

// Flow control of a serial port. Every caller in both programs uses None; the
// others exist because the port settings have always offered them.
enum class HandshakeMode : int { None = 0, Hardware = 1, XonXoff = 2 };

enum class PurgeScope { Both, Transmit };

// What one look at the line found: a byte; nothing within the wait; or the device failed,
// vanished or reported a line error since the last look.
enum class [[nodiscard]] Received{Byte, Nothing, Failed};

// What a wait for input ended with: there may be something to read; the time passed; or
// the stream cannot wait, or a wait would end at once without anything to read (a device
// that hung up), and the caller lets the time pass on its own clock.
enum class [[nodiscard]] Readiness{Ready, TimedOut, CannotWait};

// What TPort needs from the thing at the other end of "com<N>": the termios
// device in the programs, an in-memory line in unit tests.
class ByteStream {
  public:
    virtual ~ByteStream() = default;

    // Ok, or CannotOpen: missing or held by someone else.
    virtual Status Open(int portNumber) = 0;
    // The device of the last Open again, not what the number leads to now: a device that
    // failed is looked for where it was, and never mistaken for another that the number
    // falls back to in its absence.
    virtual Status OpenSameDevice(int portNumber) { return Open(portNumber); }
    // Largest driver queues the device admits, 0 where it sets no limit.
    virtual void QueueLimits(uint32_t& maxTransmit, uint32_t& maxReceive) {
        maxTransmit = 0;
        maxReceive = 0;
    }
    // 8N1, receiver on, modem lines ignored, DTR and RTS raised.
    // Ok, or SettingsRefused (the stream stays open; the caller closes it).
    virtual Status Configure(int32_t baud, HandshakeMode handshake) = 0;
    virtual void Close() = 0;
    // Drops queued bytes and forgets pending line errors.
    virtual void Purge(PurgeScope scope) = 0;
    // Waits at most waitMs (0: does not wait) for a byte.
    virtual Received ReadByte(uint8_t* byte, uint32_t waitMs) = 0;
    // Ok when every byte was accepted within timeoutMs; WriteFailed when the device failed
    // or took only part of them.
    virtual Status Write(const uint8_t* data, size_t length, uint32_t timeoutMs) = 0;
    // Waits at most waitMs for something to read.
    virtual Readiness WaitReadable(uint32_t waitMs) {
        (void)waitMs;
        return Readiness::CannotWait;
    }
    // A descriptor that polls readable when a byte arrives, for event loops; -1: none.
    virtual int Handle() const { return -1; }
    // Why the last Open or Configure failed, or why the device failed under a read, as the
    // system said it, with the device:
    // "/dev/ttyS2: No such file or directory"; empty when nothing failed or the stream
    // has no device.
    virtual std::string FailureReason() const { return {}; }
};

}  // namespace norda
