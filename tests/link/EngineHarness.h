#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/Crc16.h"
#include "link/TWinmap27Port.h"
#include "platform/Clock.h"
#include "tests/support/MemoryLine.h"
#include "tests/support/ProgramLinks.h"

namespace norda::test {

using Bytes = std::vector<uint8_t>;

// The radio's way of framing a link body, written out here independently of
// the engine: stuffing of 10, then DLE ETX and the real CRC-16/USB check bytes
// (or a fixed pair when given).
inline Bytes RadioFrame(const Bytes& body, int fixedFcs = -1) {
    Bytes wire = {0x16, 0x10, 0x02};
    Bytes covered;
    for (uint8_t b : body) {
        wire.push_back(b);
        if (b == 0x10) {
            wire.push_back(0x10);
        }
        covered.push_back(b);
    }
    wire.push_back(0x10);
    wire.push_back(0x03);
    covered.push_back(0x10);
    covered.push_back(0x03);
    if (fixedFcs >= 0) {
        wire.push_back(static_cast<uint8_t>(fixedFcs >> 8));
        wire.push_back(static_cast<uint8_t>(fixedFcs));
    } else {
        const uint16_t crc = Crc16Usb(covered.data(), covered.size());
        wire.push_back(static_cast<uint8_t>(crc));
        wire.push_back(static_cast<uint8_t>(crc >> 8));
    }
    return wire;
}

inline Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// An engine that is its own listener and writes down what it reported, in order. A reply
// shows as "Answered" (the wait for it ends) and then what it carried, if it carried
// enough for its fields.
class RecordingEngine : public TWinmap27Port, private LinkListener {
  public:
    RecordingEngine(Program variant, VirtualClock& clock, MemoryLine& line, int32_t baud = 9600)
        : TWinmap27Port(LinkOf(variant), 1, baud, clock, line.MakeStream()) {
        SetListener(this);
        SetMemoryAccess(true);
    }

    Status Open() { return Port().Open(); }

    // Reads and processes every complete frame waiting on the line.
    int Pump() {
        int frames = 0;
        uint8_t buffer[kFrameBufferSize];
        for (;;) {
            const int n = ReceiveFrame(buffer, sizeof buffer);
            if (n <= 0) {
                return frames;
            }
            ProcessFrame(buffer, static_cast<size_t>(n));
            ++frames;
        }
    }

    std::vector<std::string> events;
    std::vector<std::string> traces;
    Bytes lastArea;
    uint32_t lastAreaAddress = 0;
    uint8_t lastAreaMemory = 0;

  private:
    void OnLinkReset() override { events.push_back("LinkReset"); }
    void OnLinkUp() override { events.push_back("LinkUp"); }
    void OnTrace(std::string_view text) override { traces.emplace_back(text); }
    void OnAcknowledged() override { events.push_back("Acknowledged"); }
    void OnReply(const RadioReply& r) override {
        events.push_back("Answered");
        switch (r.kind) {
            case RadioReply::Kind::MemoryArea:
                lastAreaMemory = r.memory;
                lastAreaAddress = r.address;
                lastArea.assign(r.data, r.data + r.length);
                events.push_back("MemoryArea");
                break;
            case RadioReply::Kind::WriteReply:
                events.push_back("WriteReply " + std::to_string(r.memory) + " " +
                                 std::to_string(r.address) + " " + std::to_string(r.status) + " " +
                                 std::to_string(r.length));
                break;
            case RadioReply::Kind::Reply:
                if (r.params > 0) {
                    events.push_back("Reply " + std::to_string(r.p1));
                }
                break;
            case RadioReply::Kind::Reply8:
                if (r.params == 1) {
                    events.push_back("ReplyShort " + std::to_string(r.p1));
                } else if (r.params == 2) {
                    events.push_back("ReplyLong " + std::to_string(r.p1) + " " +
                                     std::to_string(r.p2));
                }
                break;
        }
    }
    void OnReport(const uint8_t*, size_t length) override {
        events.push_back("Report " + std::to_string(length));
    }
};

// An open engine with the link set up by the radio's LA to our LR, and every
// record of getting there cleared.
struct LinkedEngine {
    explicit LinkedEngine(Program variant) : engine(variant, clock, line) {
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        engine.ResetLink();
        line.Send(RadioFrame({0x02, 0x01, 0x01, 0x00}));
        engine.Pump();
        line.TakeWritten();
        engine.events.clear();
        engine.traces.clear();
        engine.ForgetAck();
    }
    VirtualClock clock;
    MemoryLine line;
    RecordingEngine engine;
};

}  // namespace norda::test
