#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/ByteStream.h"

namespace norda {

// The folder of the port entries: $NORDA_PORTS, else ~/.config/norda/ports; empty
// without a home folder.
std::string PortsDirectory();

// The device that "com<N>" names: the entry com<N> in $NORDA_PORTS (default
// ~/.config/norda/ports), a device or a link to one, when it exists; else
// /dev/ttyS<N-1>.
std::string PortDevicePath(int portNumber);

// A POSIX serial device, used exclusively (TIOCEXCL and flock) and never
// blocking on reads.
class TermiosStream final : public ByteStream {
  public:
    TermiosStream() = default;
    ~TermiosStream() override;

    Status Open(int portNumber) override;
    Status OpenSameDevice(int portNumber) override;
    Status Configure(int32_t baud, HandshakeMode handshake) override;
    void Close() override;
    void Purge(PurgeScope scope) override;
    Received ReadByte(uint8_t* byte, uint32_t waitMs) override;
    Status Write(const uint8_t* data, size_t length, uint32_t timeoutMs) override;
    Readiness WaitReadable(uint32_t waitMs) override;
    int Handle() const override { return fd_; }
    std::string FailureReason() const override;

    const std::string& DevicePath() const { return path_; }

  private:
    Status OpenPath();
    bool LineErrorSinceLastLook();
    Status Fail(Status result, int error);
    void RememberErrorCounters();

    int fd_ = -1;
    std::string path_;
    int failure_ = 0;  // errno of the last failed Open or Configure
    // Bytes taken from the driver in one read and handed out one by one: a frame costs a
    // few system calls rather than two a byte.
    std::array<uint8_t, 256> input_{};
    size_t inputAt_ = 0;
    size_t inputEnd_ = 0;
    bool countersKnown_ = false;
    int lastFrame_ = 0;
    int lastOverrun_ = 0;
    int lastParity_ = 0;
    int lastBufferOverrun_ = 0;
};

}  // namespace norda
