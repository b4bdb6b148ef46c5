#include <cstring>
#include <vector>

#include "FuzzTargets.h"
#include "link/Crc16.h"
#include "link/TWinmap27Port.h"
#include "platform/Clock.h"
#include "tests/support/MemoryLine.h"
#include "tests/support/ProgramLinks.h"

namespace norda::fuzz {
namespace {

using Bytes = std::vector<uint8_t>;

// An owner that checks what the engine hands to its hooks: every message and
// memory area lies inside the message that was received.
class CheckingEngine : public TWinmap27Port, private LinkListener {
  public:
    CheckingEngine(Program variant, VirtualClock& clock, MemoryLine& line)
        : TWinmap27Port(LinkOf(variant), 1, 9600, clock, line.MakeStream()) {
        SetListener(this);
    }

    void Pump() {
        uint8_t buffer[kFrameBufferSize];
        for (int guard = 0; guard < 4096; ++guard) {
            const int n = ReceiveFrame(buffer, sizeof buffer);
            if (n == 0) {
                return;
            }
            if (n < 0) {
                continue;
            }
            const size_t length = static_cast<size_t>(n);
            Check(length <= ReceiveBufferSize(), "frame longer than the receive buffer");
            Check(length >= 7 && buffer[0] == 0x16 && buffer[1] == 0x10 && buffer[2] == 0x02,
                  "frame does not start with SYN DLE STX");
            Check(buffer[length - 4] == 0x10 && buffer[length - 3] == 0x03,
                  "frame does not end with DLE ETX and two check bytes");
            ProcessFrame(buffer, length);
            Check(NetworkState() == kNetworkIdle || NetworkState() == kNetworkAwaitingReply,
                  "network state out of range");
            Check(MessageLength() <= ReceiveBufferSize(), "message longer than a frame");
        }
        Fail("ReceiveFrame never runs dry");
    }

  private:
    void OnReply(const RadioReply& reply) override {
        if (reply.kind != RadioReply::Kind::MemoryArea) {
            return;
        }
        Check(reply.address <= 0xFFFFFF, "address wider than 24 bits");
        Inside(reply.data, reply.length);
        Check(reply.length + 6u == MessageLength(),
              "memory area length disagrees with the message");
    }
    void OnReport(const uint8_t* message, size_t length) override { Inside(message, length); }
    void OnTrace(std::string_view text) override {
        Check(text.size() < 512, "trace line runs away");
    }

    void Inside(const uint8_t* data, size_t length) {
        Check(data >= Message() && data + length <= Message() + MessageLength(),
              "hook data outside the received message");
        unsigned sum = 0;
        for (size_t i = 0; i < length; ++i) {
            sum += data[i];
        }
        volatile unsigned sink = sum;
        (void)sink;
    }
};

// The radio's framing, written out independently of the engine.
Bytes Frame(const uint8_t* body, size_t length, bool zeroCheck) {
    Bytes wire = {0x16, 0x10, 0x02};
    Bytes covered(body, body + length);
    for (size_t i = 0; i < length; ++i) {
        wire.push_back(body[i]);
        if (body[i] == 0x10) {
            wire.push_back(0x10);
        }
    }
    wire.push_back(0x10);
    wire.push_back(0x03);
    covered.push_back(0x10);
    covered.push_back(0x03);
    const uint16_t crc = zeroCheck ? 0 : Crc16Usb(covered.data(), covered.size());
    wire.push_back(static_cast<uint8_t>(crc));
    wire.push_back(static_cast<uint8_t>(crc >> 8));
    return wire;
}

// Everything the engine writes is whole frames: SYN DLE STX, a stuffed body,
// DLE ETX and the fixed check pair.
void CheckWritten(const Bytes& out) {
    size_t i = 0;
    while (i < out.size()) {
        Check(out.size() - i >= 9 && out[i] == 0x16 && out[i + 1] == 0x10 && out[i + 2] == 0x02,
              "written bytes are not a frame");
        i += 3;
        size_t body = 0;
        for (;;) {
            Check(i + 1 < out.size(), "written frame cut off");
            if (out[i] == 0x10 && out[i + 1] == 0x10) {
                i += 2;
                ++body;
            } else if (out[i] == 0x10 && out[i + 1] == 0x03) {
                i += 2;
                break;
            } else {
                Check(out[i] != 0x10, "unstuffed DLE in a written frame");
                ++i;
                ++body;
            }
        }
        Check(body >= 4, "written frame without a link header");
        Check(i + 2 <= out.size() && out[i] == 0x0F && out[i + 1] == 0x0F,
              "written frame without its check pair");
        i += 2;
    }
}

class Input {
  public:
    Input(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
    bool Empty() const { return p_ == end_; }
    uint8_t Byte() { return p_ == end_ ? 0 : *p_++; }
    const uint8_t* Take(size_t& n) {
        n = std::min(n, static_cast<size_t>(end_ - p_));
        const uint8_t* at = p_;
        p_ += n;
        return at;
    }

  private:
    const uint8_t* p_;
    const uint8_t* end_;
};

// First byte: bit 0 trace, bit 1 raw bytes instead of framed bodies, bit 2 link
// set up before the rest, bit 3 memory-access mode off. Then commands, each a
// byte whose top three bits choose: 0 frame/bytes from the radio, 1 the same
// with a zero check pair, 2 raw bytes always, 3 a line error, 4 a read request,
// 5 a write request, 6 reset/loop/link reset, 7 staged sequence numbers.
int Map27(Program variant, const uint8_t* data, size_t size) {
    Input in(data, size);
    VirtualClock clock;
    MemoryLine line;
    CheckingEngine engine(variant, clock, line);
    const uint8_t flags = in.Byte();
    engine.SetTrace(flags & 1);
    const bool raw = flags & 2;
    engine.SetMemoryAccess(!(flags & 8));
    Check(Succeeded(engine.Port().Open()), "in-memory port does not open");
    engine.ResetLink();
    if (flags & 4) {
        const uint8_t la[] = {0x02, 0x01, 0x01, 0x00};
        line.Send(Frame(la, sizeof la, false));
        engine.Pump();
        Check(engine.LinkEstablished(), "LA with N(R) = 1 does not set up the link");
    }
    CheckWritten(line.TakeWritten());

    while (!in.Empty()) {
        const uint8_t command = in.Byte();
        switch (command >> 5) {
            case 0:
            case 1:
            case 2: {
                size_t n = in.Byte();
                const uint8_t* bytes = in.Take(n);
                if (raw || (command >> 5) == 2) {
                    line.Send(std::span<const uint8_t>(bytes, n));
                } else {
                    line.Send(Frame(bytes, n, (command >> 5) == 1));
                }
                break;
            }
            case 3:
                line.InjectLineError();
                break;
            case 4: {
                uint32_t address = in.Byte();
                address = address << 8 | in.Byte();
                address = address << 8 | in.Byte();
                static_cast<void>(
                    engine.Send(NetworkRequest::Read(1, command & 3, address, in.Byte())));
                break;
            }
            case 5: {
                size_t n = in.Byte();
                const uint8_t* bytes = in.Take(n);
                static_cast<void>(
                    engine.Send(NetworkRequest::Write(3, command & 3, 0x000150, bytes, n)));
                break;
            }
            case 6:
                switch (command & 3) {
                    case 0:
                        static_cast<void>(engine.Send(NetworkRequest::Reset(1)));
                        break;
                    case 1:
                        static_cast<void>(engine.Send(NetworkRequest::Loop(3)));
                        break;
                    case 2:
                        engine.ResetLink();
                        break;
                    default:
                        engine.ResetReceiver();
                        break;
                }
                break;
            default: {
                const uint8_t vs = in.Byte();
                engine.StageSequence(vs, in.Byte());
                break;
            }
        }
        engine.Pump();
        CheckWritten(line.TakeWritten());
    }
    return 0;
}

}  // namespace

int Map27Ombra(const uint8_t* data, size_t size) {
    return Map27(Program::Ombra, data, size);
}
int Map27Solvi(const uint8_t* data, size_t size) {
    return Map27(Program::Solvi, data, size);
}

}  // namespace norda::fuzz
