#include <gtest/gtest.h>

#include "SimTestLink.h"

namespace norda::sim::test {
namespace {

RadioConfig WithFault(const char* spec) {
    RadioConfig config;
    EXPECT_EQ(ApplyFault(spec, config.faults), 0) << spec;
    return config;
}

TEST(SimFaultNames, ParseAsOnTheCommandLine) {
    Faults f;
    EXPECT_EQ(ApplyFault("drop-la-every=3", f), 0);
    EXPECT_EQ(f.dropLaEvery, 3u);
    EXPECT_EQ(ApplyFault("relink-after=0", f), 0);
    EXPECT_EQ(f.relinkAfter, 0);
    EXPECT_EQ(ApplyFault("bad-fcs", f), 0);
    EXPECT_EQ(f.badFcsEvery, 1u);
    EXPECT_EQ(ApplyFault("bad-fcs=4", f), 0);
    EXPECT_EQ(f.badFcsEvery, 4u);
    EXPECT_EQ(ApplyFault("never-erased", f), 0);
    EXPECT_TRUE(f.neverErased);

    EXPECT_EQ(ApplyFault("loud", f), -1);
    EXPECT_EQ(ApplyFault("drop-la-every", f), -2);
    EXPECT_EQ(ApplyFault("drop-la-every=0", f), -2);
    EXPECT_EQ(ApplyFault("drop-la-every=2x", f), -2);
    EXPECT_EQ(ApplyFault("silent=1", f), -2);
    EXPECT_EQ(ApplyFault("relink-after=-1", f), -2);
}

TEST(SimFaults, SilentRadioSendsNothing) {
    TestLink link(WithFault("silent"));
    link.Send({0x01, 0xFF, 0x01, 0x80});
    link.SendLt(WriteRequest(1, 0, {0x42}));
    link.Run(2000);
    EXPECT_TRUE(link.wire.empty());
    // It still hears: the write went in.
    EXPECT_EQ(link.radio.Params()[0], 0x42);
}

TEST(SimFaults, NoDataReplyAcknowledgesReadsOnly) {
    TestLink link(WithFault("no-data-reply"));
    link.LinkUp();
    link.SendLt(ReadRequest(1, 0, 7));
    auto frames = link.Run(2000);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x02, 0x01, 0x00}));
}

TEST(SimFaults, DropLaEveryLosesEveryNthAcknowledgementButActs) {
    TestLink link(WithFault("drop-la-every=2"));
    link.LinkUp();  // the LA of the link set-up is not counted
    link.SendLt(WriteRequest(1, 0, {0x01}));
    EXPECT_EQ(link.Run(100).size(), 1u);
    link.SendLt(WriteRequest(1, 1, {0x02}));
    EXPECT_TRUE(link.Run(100).empty());
    EXPECT_EQ(link.radio.Params()[1], 0x02);
    // The programmer repeats the unacknowledged LT; that LA is the third and goes out.
    link.vs = 2;
    link.SendLt(WriteRequest(1, 1, {0x02}));
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x03, 0x01, 0x00}));
    EXPECT_EQ(link.radio.Stats().laDropped, 1u);
}

TEST(SimFaults, RelinkAfterAnswersTheNextLtWithAnLrOnce) {
    TestLink link(WithFault("relink-after=2"));
    link.LinkUp();
    link.SendLt(WriteRequest(1, 0, {0x01}));
    link.SendLt(WriteRequest(1, 1, {0x01}));
    EXPECT_EQ(link.Run(100).size(), 2u);
    link.SendLt(WriteRequest(1, 2, {0x5A}));
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x01, 0xFF, 0x01, 0x80}));
    EXPECT_NE(link.radio.Params()[2], 0x5A);
    // The programmer accepts the link; from then on the radio behaves.
    link.Ack(1);
    link.vs = 1;
    link.Run(50);
    for (int i = 0; i < 5; ++i)
        link.SendLt(WriteRequest(1, 2, {0x5A}));
    frames = link.Run(300);
    ASSERT_EQ(frames.size(), 5u);
    for (const auto& f : frames)
        EXPECT_EQ(f.body[0], 0x02);
    EXPECT_EQ(link.radio.Params()[2], 0x5A);
}

TEST(SimFaults, GarbageIsNoiseASoundReceiverSkips) {
    TestLink clean;
    TestLink noisy(WithFault("garbage"));
    for (TestLink* link : {&clean, &noisy}) {
        link->LinkUp();
        link->SendLt(ReadRequest(1, 0, 80));
    }
    auto expected = clean.Run(300);
    auto got = noisy.Run(300);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i].body, expected[i].body);
    EXPECT_GT(noisy.wire.size(), clean.wire.size());
    // The noise never holds SYN DLE, so it cannot start a frame of its own.
    size_t syncs = 0;
    for (size_t i = 0; i + 2 < noisy.wire.size(); ++i) {
        if (noisy.wire[i] == 0x16 && noisy.wire[i + 1] == 0x10 && noisy.wire[i + 2] == 0x02)
            ++syncs;
    }
    EXPECT_EQ(syncs, got.size());
}

TEST(SimFaults, NeverErasedStaysBusy) {
    TestLink link(WithFault("never-erased"));
    link.LinkUp();
    link.SendLt({0x0D, 0x03});
    link.Run(60000);
    EXPECT_TRUE(link.radio.Erasing());
    link.SendLt(ReadRequest(2, 0, 2));
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].body.back(), 0x00);
}

TEST(SimFaults, IgnoreResetNeitherAcknowledgesNorResets) {
    TestLink link(WithFault("ignore-reset"));
    link.LinkUp();
    for (int i = 0; i < 16; ++i) {
        link.vs = 1;
        link.SendLt({0x04, 0x01});
        EXPECT_TRUE(link.Run(100).empty());
    }
    EXPECT_FALSE(link.radio.Quiet());
    EXPECT_EQ(link.radio.Stats().resetsIgnored, 16u);
    // Other LTs are still served.
    link.vs = 1;
    link.SendLt(WriteRequest(1, 0, {0}));
    EXPECT_EQ(link.Run(100).size(), 1u);
}

TEST(SimFaults, BadFcsSpoilsTheCheckOfEveryNthFrame) {
    TestLink all(WithFault("bad-fcs"));
    all.Send({0x01, 0xFF, 0x01, 0x80});
    auto frames = all.Run(50);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FALSE(frames[0].crcValid);
    EXPECT_FALSE(frames[0].check[0] == 0 && frames[0].check[1] == 0);

    TestLink second(WithFault("bad-fcs=2"));
    second.LinkUp();
    second.SendLt(ReadRequest(1, 0, 7));
    frames = second.Run(100);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_FALSE(frames[0].crcValid);
    EXPECT_TRUE(frames[1].crcValid);
}

}  // namespace
}  // namespace norda::sim::test
