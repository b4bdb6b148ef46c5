// The engine against the simulated radio, which frames, checks and sequences
// on its own code: agreement here is agreement between two implementations.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "link/TWinmap27Port.h"
#include "platform/Clock.h"
#include "tests/support/MemoryLine.h"
#include "tests/support/ProgramLinks.h"
#include "tools/radiosim/SimRadio.h"

namespace norda {
namespace {

class Station : public TWinmap27Port, private LinkListener {
  public:
    Station(Program variant, VirtualClock& clock, MemoryLine& line)
        : TWinmap27Port(LinkOf(variant), 1, 9600, clock, line.MakeStream()) {
        SetListener(this);
        SetMemoryAccess(true);
    }
    uint32_t areaAddress = 0;
    std::vector<uint8_t> area;
    int acknowledged = 0;

  private:
    void OnReply(const RadioReply& reply) override {
        if (reply.kind == RadioReply::Kind::MemoryArea) {
            areaAddress = reply.address;
            area.assign(reply.data, reply.data + reply.length);
        }
    }
    void OnAcknowledged() override { ++acknowledged; }
};

struct Bench {
    explicit Bench(Program variant) : radio(clock), station(variant, clock, line) {
        line.SetWriteListener(
            [this](std::span<const uint8_t> bytes) { radio.Receive(bytes.data(), bytes.size()); });
        EXPECT_EQ(station.Port().Open(), norda::Status::Ok);
    }

    // Lets the line run in 5 ms steps until done() or a virtual minute passed.
    template <typename Done>
    bool RunUntil(Done done) {
        uint8_t frame[TWinmap27Port::kFrameBufferSize];
        for (int step = 0; step < 12000; ++step) {
            const std::vector<uint8_t> out = radio.TakeOutput();
            line.Send(out);
            int n;
            while ((n = station.ReceiveFrame(frame, sizeof frame)) > 0) {
                station.ProcessFrame(frame, static_cast<size_t>(n));
            }
            if (done()) {
                return true;
            }
            clock.Advance(5);
        }
        return false;
    }

    VirtualClock clock;
    MemoryLine line;
    sim::SimRadio radio;
    Station station;
};

TEST(EngineAgainstRadio, LinkReadAndWriteBothMemories) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        Bench b(variant);
        b.station.ResetLink();
        ASSERT_TRUE(b.RunUntil([&] { return b.station.LinkEstablished(); }));

        // The software header in flash, as SOLVI reads it.
        EXPECT_EQ(b.station.Send(NetworkRequest::Read(1, 2, 0x10000, 128)), norda::Status::Ok);
        ASSERT_TRUE(b.RunUntil([&] { return b.station.area.size() == 128; }));
        EXPECT_EQ(b.station.areaAddress, 0x10000u);
        EXPECT_TRUE(std::equal(b.station.area.begin(), b.station.area.end(),
                               b.radio.Flash().begin() + 0x10000));

        // A parameter block full of DLE bytes goes out and comes back intact.
        std::vector<uint8_t> block(128);
        for (size_t i = 0; i < block.size(); ++i) {
            block[i] = i % 3 == 0 ? 0x10 : static_cast<uint8_t>(i);
        }
        const int acknowledged = b.station.acknowledged;
        EXPECT_EQ(b.station.Send(NetworkRequest::Write(3, 1, 0x0100, block.data(), block.size())),
                  norda::Status::Ok);
        ASSERT_TRUE(b.RunUntil([&] { return b.station.acknowledged > acknowledged; }));
        EXPECT_TRUE(std::equal(block.begin(), block.end(), b.radio.Params().begin() + 0x100));

        b.station.area.clear();
        EXPECT_EQ(b.station.Send(NetworkRequest::Read(1, 1, 0x0100, 80)), norda::Status::Ok);
        ASSERT_TRUE(b.RunUntil([&] { return !b.station.area.empty(); }));
        EXPECT_TRUE(std::equal(b.station.area.begin(), b.station.area.end(), block.begin()));
        EXPECT_TRUE(b.station.LinkEstablished());
        EXPECT_EQ(b.radio.Stats().protocolErrors, 0u);
    }
}

}  // namespace
}  // namespace norda
