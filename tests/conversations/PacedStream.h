#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "link/ByteStream.h"
#include "platform/Clock.h"
#include "tests/support/MemoryLine.h"

namespace norda::test {

// The terminal device as a program waits on it (ombra-cli's host, SOLVI's worker): the wait
// lets the virtual clock run a millisecond at a time, the radio's bytes coming as they are
// due, and ends as soon as there is something to read.
class PacedStream final : public ByteStream {
  public:
    PacedStream(MemoryLine& line, VirtualClock& clock, std::function<void()> pump)
        : inner_(line.MakeStream()), line_(line), clock_(clock), pump_(std::move(pump)) {}

    Status Open(int portNumber) override { return inner_->Open(portNumber); }
    Status Configure(int32_t baud, HandshakeMode handshake) override {
        return inner_->Configure(baud, handshake);
    }
    void Close() override { inner_->Close(); }
    void Purge(PurgeScope scope) override { inner_->Purge(scope); }
    Received ReadByte(uint8_t* byte, uint32_t waitMs) override {
        return inner_->ReadByte(byte, waitMs);
    }
    Status Write(const uint8_t* data, size_t length, uint32_t timeoutMs) override {
        return inner_->Write(data, length, timeoutMs);
    }
    Readiness WaitReadable(uint32_t waitMs) override {
        for (uint32_t waited = 0;; ++waited) {
            pump_();
            if (line_.PendingForPort() > 0)
                return Readiness::Ready;
            if (waited == waitMs)
                return Readiness::TimedOut;
            clock_.Advance(1);
        }
    }

  private:
    std::unique_ptr<ByteStream> inner_;
    MemoryLine& line_;
    VirtualClock& clock_;
    std::function<void()> pump_;
};

}  // namespace norda::test
