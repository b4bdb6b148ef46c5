// The link engine against the simulated radio, in process, on a virtual clock:
// every time-out is exact and costs nothing.

#include <gtest/gtest.h>

#include <algorithm>

#include "SimStation.h"
#include "tests/support/MemoryLine.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::test {
namespace {

using sim::RadioConfig;
using sim::SimRadio;

struct Bench {
    explicit Bench(Program variant, RadioConfig config = {})
        : radio(clock, config),
          station(variant, 1, static_cast<int32_t>(config.baud ? config.baud : 9600), clock,
                  line.MakeStream(), [this] { Exchange(); }) {
        EXPECT_EQ(station.Open(), Status::Ok);
    }
    void Exchange() {
        radio.Receive(line.TakeWritten());
        const Bytes out = radio.TakeOutput();
        if (!out.empty()) {
            line.Send(out);
        }
    }

    VirtualClock clock;
    MemoryLine line;
    SimRadio radio;
    SimStation station;
};

RadioConfig WithFault(const char* spec) {
    RadioConfig config;
    EXPECT_EQ(sim::ApplyFault(spec, config.faults), 0);
    return config;
}

Bytes Pattern(size_t n, uint8_t seed) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) {
        b[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return b;
}

class EngineAgainstSim : public ::testing::TestWithParam<Program> {};

INSTANTIATE_TEST_SUITE_P(Variants, EngineAgainstSim,
                         ::testing::Values(Program::Ombra, Program::Solvi), [](const auto& info) {
                             return info.param == Program::Ombra ? "Ombra" : "Solvi";
                         });

TEST_P(EngineAgainstSim, ReadsTheWholeParameterMemoryAndWritesItBack) {
    Bench b(GetParam());
    ASSERT_TRUE(b.station.Link());
    Bytes memory;
    ASSERT_EQ(b.station.ReadAll(1, 0, 2048, memory), 0);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), b.radio.Params().begin()));

    // The User area written 24 bytes long in one block, Clone in 128-byte blocks.
    ASSERT_EQ(b.station.Write(1, 1352, Bytes(24, 0)), 0);
    const Bytes clone = Pattern(1326, 3);
    for (size_t at = 0; at < clone.size(); at += 128) {
        const size_t n = std::min<size_t>(128, clone.size() - at);
        ASSERT_EQ(b.station.Write(1, static_cast<uint32_t>(24 + at),
                                  Bytes(clone.begin() + at, clone.begin() + at + n)),
                  0);
    }
    Bytes back;
    ASSERT_EQ(b.station.ReadAll(1, 24, 1326, back), 0);
    EXPECT_EQ(back, clone);
    EXPECT_EQ(b.station.retries, 0);
    EXPECT_EQ(b.radio.Stats().protocolErrors, 0u);
    EXPECT_EQ(b.radio.Stats().ltRetransmissions, 0u);
    // Every frame the engine sent carried the fixed check pair.
    EXPECT_EQ(b.radio.Stats().framesFixedCheck, b.radio.Stats().framesReceived);
}

TEST_P(EngineAgainstSim, FlashesAfterTheLoopCommandAndRestarts) {
    RadioConfig config;
    config.eraseMs = 3000;
    Bench b(GetParam(), config);
    ASSERT_TRUE(b.station.Link());
    Bytes header;
    ASSERT_EQ(b.station.Read(2, 0x10000, 128, header), 0);
    EXPECT_TRUE(std::equal(header.begin(), header.end(), b.radio.Flash().begin() + 0x10000));

    if (GetParam() == Program::Solvi) {
        ASSERT_EQ(b.station.Loop(), 0);
    } else {
        // OMBRA has no loop command; send its message by hand.
        const uint8_t loop[] = {0x0D, 0x03};
        const int acks = b.station.acks;
        ASSERT_EQ(b.station.SendLinkTransfer(loop, sizeof loop), Status::Ok);
        ASSERT_TRUE(b.station.WaitFor([&] { return b.station.acks == acks + 1; }, 1000));
    }
    // Polled like the erase check: the first bytes read FF only once the erase is over.
    int polls = 0;
    Bytes word;
    do {
        ASSERT_EQ(b.station.Read(2, 0x0, 2, word), 0);
        ++polls;
    } while (word[0] != 0xFF && polls < 100);
    EXPECT_EQ(word, (Bytes{0xFF, 0xFF}));
    EXPECT_GT(polls, 3);
    EXPECT_EQ(b.station.retries, 0);

    const Bytes block = Pattern(128, 0x10);  // DLE bytes in data and address 0x10010
    ASSERT_EQ(b.station.Write(2, 0x10010, block), 0);
    ASSERT_EQ(b.station.Write(2, 0x10010, Bytes(128, 0xF0)), 0);
    Bytes back;
    ASSERT_EQ(b.station.Read(2, 0x10010, 128, back), 0);
    for (size_t i = 0; i < 128; ++i) {
        EXPECT_EQ(back[i], block[i] & 0xF0) << i;
    }

    ASSERT_EQ(b.station.Reset(), 0);
    EXPECT_TRUE(b.radio.Quiet());
    const int linkUps = b.station.linkUps;
    // Quiet for a second; the third LR finds it awake.
    EXPECT_TRUE(b.station.Link(3));
    EXPECT_EQ(b.station.linkUps, linkUps + 1);
    EXPECT_FALSE(b.radio.LoopMode());
}

TEST_P(EngineAgainstSim, SequenceNumbersWrapOnBothEnds) {
    Bench b(GetParam());
    ASSERT_TRUE(b.station.Link());
    // 300 requests and 300 replies: both ends pass 255 -> 0, and V = 16 is stuffed.
    for (uint32_t i = 0; i < 300; ++i) {
        Bytes data;
        ASSERT_EQ(b.station.Read(1, i, 1, data), 0) << i;
        ASSERT_EQ(data[0], b.radio.Params()[i]) << i;
    }
    EXPECT_EQ(b.station.retries, 0);
    b.station.WaitFor([] { return false; }, 50);  // the LA of the last reply reaches the radio
    EXPECT_EQ(b.station.VS(), static_cast<uint8_t>(301));
    EXPECT_EQ(b.radio.Vs(), static_cast<uint8_t>(301));
    EXPECT_EQ(b.radio.Stats().protocolErrors, 0u);
}

TEST_P(EngineAgainstSim, LongestReplyThatFitsTheReceiveBuffer) {
    Bench b(GetParam());
    ASSERT_TRUE(b.station.Link());
    // 17 bytes of framing and headers around the data, de-stuffed.
    const size_t fits = b.station.ReceiveBufferSize() - 17;
    Bytes data;
    ASSERT_EQ(b.station.Read(2, 0x2000, static_cast<uint8_t>(fits), data), 0);
    EXPECT_EQ(data.size(), fits);
    EXPECT_EQ(b.station.Read(2, 0x2000, static_cast<uint8_t>(fits + 1), data, 1),
              SimStation::kNoAnswer);
}

TEST_P(EngineAgainstSim, RepeatedRadioLtsAreAcknowledgedButDispatchedOnce) {
    // An impatient radio repeats its reply before the engine's LA can reach it.
    RadioConfig config;
    config.ltRetryMs = 4;
    config.ltMaxSends = 20;
    Bench b(GetParam(), config);
    ASSERT_TRUE(b.station.Link());
    for (uint32_t i = 0; i < 10; ++i) {
        Bytes data;
        ASSERT_EQ(b.station.Read(1, 80 * i, 80, data), 0);
    }
    b.station.WaitFor([] { return false; }, 200);
    const auto dispatched =
        std::count_if(b.station.traces.begin(), b.station.traces.end(),
                      [](const std::string& t) { return t.rfind("LT process", 0) == 0; });
    EXPECT_EQ(dispatched, 10);
    EXPECT_GT(b.radio.Stats().ltRetransmissions, 0u);
    EXPECT_EQ(b.radio.Stats().lrSent, 0u);
    EXPECT_EQ(b.radio.Stats().protocolErrors, 0u);
    EXPECT_EQ(b.station.retries, 0);
}

TEST_P(EngineAgainstSim, SilentRadioGivesNoLink) {
    Bench b(GetParam(), WithFault("silent"));
    EXPECT_FALSE(b.station.Link(3));
    EXPECT_EQ(b.radio.Stats().lrReceived, 3u);
}

TEST_P(EngineAgainstSim, NoDataReplyTimesOutReadsButNotWrites) {
    Bench b(GetParam(), WithFault("no-data-reply"));
    ASSERT_TRUE(b.station.Link());
    ASSERT_EQ(b.station.Write(1, 100, {1, 2, 3}), 0);
    Bytes data;
    EXPECT_EQ(b.station.Read(1, 0, 7, data), SimStation::kNoAnswer);
    EXPECT_EQ(b.radio.Stats().memoryReads, 4u);
    EXPECT_EQ(b.station.NetworkState(), TWinmap27Port::kNetworkAwaitingReply);
}

TEST_P(EngineAgainstSim, LostAcknowledgementsAreRecovered) {
    Bench b(GetParam(), WithFault("drop-la-every=3"));
    ASSERT_TRUE(b.station.Link());
    for (uint32_t block = 0; block < 8; ++block) {
        ASSERT_EQ(b.station.Write(1, 24 + 128 * block, Pattern(128, static_cast<uint8_t>(block))),
                  0);
    }
    Bytes back;
    ASSERT_EQ(b.station.ReadAll(1, 24, 1024, back), 0);
    for (uint32_t block = 0; block < 8; ++block) {
        EXPECT_EQ(Bytes(back.begin() + 128 * block, back.begin() + 128 * (block + 1)),
                  Pattern(128, static_cast<uint8_t>(block)));
    }
    EXPECT_GT(b.radio.Stats().laDropped, 0u);
}

TEST_P(EngineAgainstSim, ARadioThatRestartsTheLinkMidTransferIsFollowed) {
    Bench b(GetParam(), WithFault("relink-after=3"));
    ASSERT_TRUE(b.station.Link());
    for (uint32_t block = 0; block < 6; ++block) {
        ASSERT_EQ(b.station.Write(1, 24 + 128 * block, Pattern(128, static_cast<uint8_t>(block))),
                  0);
    }
    EXPECT_EQ(b.station.linkUps, 2);
    EXPECT_EQ(b.station.retries, 1);
    for (uint32_t block = 0; block < 6; ++block) {
        EXPECT_TRUE(std::equal(b.radio.Params().begin() + 24 + 128 * block,
                               b.radio.Params().begin() + 24 + 128 * (block + 1),
                               Pattern(128, static_cast<uint8_t>(block)).begin()));
    }
}

TEST_P(EngineAgainstSim, NoiseOnTheLineCostsNothing) {
    Bench b(GetParam(), WithFault("garbage"));
    ASSERT_TRUE(b.station.Link());
    Bytes memory;
    ASSERT_EQ(b.station.ReadAll(1, 0, 2048, memory), 0);
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), b.radio.Params().begin()));
    EXPECT_EQ(b.station.retries, 0);
}

TEST_P(EngineAgainstSim, FlashThatNeverErasesKeepsReadingBusy) {
    Bench b(GetParam(), WithFault("never-erased"));
    ASSERT_TRUE(b.station.Link());
    const uint8_t loop[] = {0x0D, 0x03};
    ASSERT_EQ(b.station.SendLinkTransfer(loop, sizeof loop), Status::Ok);
    ASSERT_TRUE(b.station.WaitFor([&] { return b.station.acks == 1; }, 1000));
    Bytes word;
    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(b.station.Read(2, 0x0, 2, word), 0);
        ASSERT_NE(word[0], 0xFF);
        b.station.WaitFor([] { return false; }, 1000);
    }
}

TEST_P(EngineAgainstSim, IgnoredResetIsNeverAcknowledged) {
    Bench b(GetParam(), WithFault("ignore-reset"));
    ASSERT_TRUE(b.station.Link());
    EXPECT_EQ(b.station.Reset(16), SimStation::kNoAnswer);
    EXPECT_EQ(b.radio.Stats().resetsIgnored, 16u);
    EXPECT_FALSE(b.radio.Quiet());
    Bytes data;
    EXPECT_EQ(b.station.Read(1, 0, 7, data), 0);
}

TEST_P(EngineAgainstSim, WrongCheckBytesStopOnlySolvi) {
    Bench b(GetParam(), WithFault("bad-fcs"));
    if (GetParam() == Program::Ombra) {
        ASSERT_TRUE(b.station.Link());
        Bytes data;
        EXPECT_EQ(b.station.Read(1, 0, 80, data), 0);
    } else {
        EXPECT_FALSE(b.station.Link(3));
        EXPECT_EQ(b.radio.Stats().laSent, 3u);
        EXPECT_NE(std::find(b.station.traces.begin(), b.station.traces.end(), "Checksum Hatası"),
                  b.station.traces.end());
    }
}

TEST(EngineAgainstSimOnce, RadioAnsweringLrWithLrLinksToo) {
    RadioConfig config;
    config.answerLrWithLr = true;
    Bench b(Program::Solvi, config);
    ASSERT_TRUE(b.station.Link());
    Bytes data;
    ASSERT_EQ(b.station.Read(1, 1400, 71, data), 0);
    EXPECT_EQ(b.radio.Link(), SimRadio::LinkState::Up);
}

}  // namespace
}  // namespace norda::test
