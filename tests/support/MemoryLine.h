#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "link/ByteStream.h"

namespace norda {

// An in-memory serial line for tests: one end is a ByteStream for a TPort, the
// other end (this object) is played by the test or by an in-process radio.
// Bytes arrive instantly; faults are switched on by hand. Thread-safe, so a
// worker-thread owner and a test thread may share it. The streams it makes
// keep the line alive.
class MemoryLine {
  public:
    MemoryLine();

    // The programmer's end. Several may exist; they all share this line.
    std::unique_ptr<ByteStream> MakeStream() const;

    // Radio side.
    void Send(std::span<const uint8_t> bytes);
    void Send(std::initializer_list<uint8_t> bytes);
    // Everything the port has written since the last call.
    std::vector<uint8_t> TakeWritten();
    // When set, written bytes go to the listener (outside the line's lock)
    // instead of collecting for TakeWritten.
    void SetWriteListener(std::function<void(std::span<const uint8_t>)> listener);
    size_t PendingForPort() const;
    // Sees every byte that crosses the line, in the order it crosses: what the port
    // writes (as far as the line accepts it) and what the radio side sends. Called
    // outside the line's lock.
    enum class Direction { ToRadio, ToPort };
    void SetTap(std::function<void(Direction, std::span<const uint8_t>)> tap);

    // Faults and device properties.
    void SetPresent(bool present);        // absent: Open gives -2
    void SetHeldElsewhere(bool held);     // Open gives -2
    void SetRefuseSettings(bool refuse);  // Configure gives -12
    void SetQueueLimits(uint32_t maxTransmit, uint32_t maxReceive);
    void InjectLineError();            // the next read reports -1
    void SetVanished(bool vanished);   // reads and writes fail until cleared
    void SetWriteLimit(size_t bytes);  // the next write accepts only this many
    // The device goes away for good, as a USB adapter pulled out: what has it open fails
    // from now on; SetPresent(true) brings a new one that has to be opened.
    void Unplug();

    // What the port did to the line.
    bool IsOpen() const;
    int OpenCount() const;
    int PortNumber() const;
    int32_t Baud() const;
    HandshakeMode Handshake() const;
    int PurgeCount() const;
    int TransmitPurgeCount() const;
    // Wait of the last read and time limit of the last write, in ms.
    uint32_t LastReadWait() const;
    uint32_t LastWriteTimeout() const;

    struct State;

  private:
    std::shared_ptr<State> state_;
};

}  // namespace norda
