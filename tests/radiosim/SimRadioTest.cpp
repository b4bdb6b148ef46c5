#include <gtest/gtest.h>

#include "SimTestLink.h"
#include "tools/radiosim/FlashImage.h"

namespace norda::sim::test {
namespace {

const Bytes kLaToLr{0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x8F, 0xFB};

TEST(SimRadioLink, AnswersLrWithLaOfNr1) {
    TestLink link;
    link.Send({0x01, 0xFF, 0x01, 0x80});
    link.Run(100);
    EXPECT_EQ(link.wire, kLaToLr);
    EXPECT_EQ(link.radio.Link(), SimRadio::LinkState::Up);
}

TEST(SimRadioLink, CanAnswerLrWithItsOwnLr) {
    RadioConfig config;
    config.answerLrWithLr = true;
    TestLink link(config);
    link.Send({0x01, 0xFF, 0x01, 0x80});
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x01, 0xFF, 0x01, 0x80}));
    EXPECT_TRUE(frames[0].crcValid);
    EXPECT_EQ(link.radio.Link(), SimRadio::LinkState::LrSent);
    link.Ack(1);
    link.Run(50);
    EXPECT_EQ(link.radio.Link(), SimRadio::LinkState::Up);
}

TEST(SimRadioLink, PacesBytesAtTheLineSpeed) {
    TestLink link;  // 9600 baud: 1.04 ms a byte
    link.Send({0x01, 0xFF, 0x01, 0x80});
    // 11 bytes in (11.5 ms), 2 ms turnaround, 11 bytes out (11.5 ms).
    link.Run(24);
    EXPECT_EQ(link.wire.size(), 10u);
    link.Run(1);
    EXPECT_EQ(link.wire, kLaToLr);
}

TEST(SimRadioLink, LtBeforeTheLinkAndOutOfSequenceGetAnLr) {
    TestLink link;
    link.SendLt(ReadRequest(1, 0, 7));
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body[0], 0x01);

    link.LinkUp();
    link.vs = 5;
    link.SendLt(ReadRequest(1, 0, 7));
    frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body[0], 0x01);
    EXPECT_EQ(link.radio.Stats().memoryReads, 0u);
    EXPECT_EQ(link.radio.Stats().protocolErrors, 1u);
}

TEST(SimRadioLink, RepeatedLtIsAcknowledgedButNotExecutedAgain) {
    TestLink link;
    link.LinkUp();
    link.SendLt(WriteRequest(1, 100, {1, 2, 3}));
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x02, 0x01, 0x00}));
    link.radio.Params()[100] = 0x77;
    link.vs = 1;
    link.SendLt(WriteRequest(1, 100, {1, 2, 3}));
    frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x02, 0x01, 0x00}));
    EXPECT_EQ(link.radio.Params()[100], 0x77);
    EXPECT_EQ(link.radio.Stats().ltRepeats, 1u);
}

TEST(SimRadioLink, RetransmitsItsLtUntilAcknowledgedThenRelinks) {
    TestLink link;
    link.LinkUp();
    link.SendLt(ReadRequest(1, 0, 7));
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 2u);  // LA, then the reply
    EXPECT_EQ(frames[1].body[0], 0x04);
    EXPECT_EQ(frames[1].body[1], 1);
    const Bytes reply = frames[1].body;
    // No LA from us: the same LT again, each ltRetryMs after the previous one.
    frames = link.Run(400);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, reply);
    frames = link.Run(850);
    EXPECT_EQ(frames.size(), 2u);
    EXPECT_EQ(link.radio.Stats().ltRetransmissions, 3u);
    // The fourth send went unanswered too: the radio restarts the link.
    frames = link.Run(400);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x01, 0xFF, 0x01, 0x80}));

    // An acknowledged LT is not repeated.
    link.LinkUp();
    link.vs = 1;
    link.SendLt(ReadRequest(1, 0, 7));
    link.Run(100);
    link.Ack(2);
    EXPECT_TRUE(link.Run(2000).empty());
    EXPECT_EQ(link.radio.Vs(), 2);
}

TEST(SimRadioLink, SequenceNumbersWrap) {
    TestLink link;
    link.LinkUp();
    for (int i = 0; i < 300; ++i) {
        link.SendLt(ReadRequest(1, 0, 1));
        auto frames = link.Run(80);
        ASSERT_EQ(frames.size(), 2u) << i;
        EXPECT_EQ(frames[0].body[1], static_cast<uint8_t>(i + 2));
        EXPECT_EQ(frames[1].body[1], static_cast<uint8_t>(i + 1));
        link.Ack(static_cast<uint8_t>(i + 2));
    }
    EXPECT_EQ(link.radio.Stats().protocolErrors, 0u);
    EXPECT_EQ(link.radio.Stats().ltRetransmissions, 0u);
}

TEST(SimRadioMemory, ReadsBothMemories) {
    TestLink link;
    link.LinkUp();
    link.SendLt(ReadRequest(1, 0x150, 80));
    auto frames = link.Run(200);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x02, 0x01, 0x00}));
    Bytes expected{0x04, 0x01, 0x01, 0x00, 0x03, 0x04, 0x01, 0x00, 0x01, 0x50};
    expected.insert(expected.end(), link.radio.Params().begin() + 0x150,
                    link.radio.Params().begin() + 0x1A0);
    EXPECT_EQ(frames[1].body, expected);
    EXPECT_TRUE(frames[1].crcValid);
    link.Ack(2);

    link.SendLt(ReadRequest(2, 0x10080, 128));
    frames = link.Run(300);
    ASSERT_EQ(frames.size(), 2u);
    ASSERT_EQ(frames[1].body.size(), 4u + 134u);
    EXPECT_EQ(Bytes(frames[1].body.begin() + 4, frames[1].body.begin() + 10),
              (Bytes{0x03, 0x04, 0x02, 0x01, 0x00, 0x80}));
    EXPECT_EQ(Bytes(frames[1].body.begin() + 10, frames[1].body.end()),
              Bytes(link.radio.Flash().begin() + 0x10080, link.radio.Flash().begin() + 0x10100));
}

TEST(SimRadioMemory, ReadsPastTheEndGiveFfAndRepliesFitTheProgrammer) {
    TestLink link;
    link.LinkUp();
    link.SendLt(ReadRequest(1, 2040, 16));
    auto frames = link.Run(200);
    ASSERT_EQ(frames.size(), 2u);
    const Bytes& reply = frames[1].body;
    ASSERT_EQ(reply.size(), 10u + 16u);
    EXPECT_EQ(reply[10 + 7], link.radio.Params()[2047]);
    EXPECT_EQ(reply[10 + 8], 0xFF);
    link.Ack(2);
    // The programmer's LR said N1 = FF: 255-byte messages at most.
    link.SendLt(ReadRequest(2, 0, 255));
    frames = link.Run(400);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].body.size(), 4u + 255u);
}

TEST(SimRadioMemory, WritesParametersAndOnlyClearsFlashBits) {
    TestLink link;
    link.LinkUp();
    link.SendLt(WriteRequest(1, 1352, Bytes(24, 0)));
    auto frames = link.Run(200);
    ASSERT_EQ(frames.size(), 1u);  // the LA; a write has no reply
    for (size_t a = 1352; a < 1376; ++a)
        EXPECT_EQ(link.radio.Params()[a], 0) << a;

    link.radio.Flash()[0x3000] = 0xFF;
    link.SendLt(WriteRequest(2, 0x3000, {0x0F}));
    link.Run(100);
    link.SendLt(WriteRequest(2, 0x3000, {0xF3}));
    link.Run(100);
    EXPECT_EQ(link.radio.Flash()[0x3000], 0x03);
    EXPECT_EQ(link.radio.Stats().memoryWrites, 3u);
}

TEST(SimRadioMemory, LoopCommandErasesAfterAWhile) {
    RadioConfig config;
    config.eraseMs = 1000;
    TestLink link(config);
    link.LinkUp();
    link.SendLt({0x0D, 0x03});
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x02, 0x01, 0x00}));
    EXPECT_TRUE(link.radio.Erasing());

    // While erasing the flash reads busy and takes no data.
    link.SendLt(ReadRequest(2, 0x10000, 2));
    frames = link.Run(100);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(Bytes(frames[1].body.end() - 2, frames[1].body.end()), (Bytes{0x00, 0x00}));
    link.Ack(2);
    link.SendLt(WriteRequest(2, 0x0, {0x00}));
    link.Run(100);
    EXPECT_EQ(link.radio.Stats().writesLost, 1u);

    link.Run(800);
    EXPECT_FALSE(link.radio.Erasing());
    for (uint8_t b : link.radio.Flash())
        ASSERT_EQ(b, 0xFF);
    link.SendLt(ReadRequest(2, 0x10000, 2));
    frames = link.Run(100);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(Bytes(frames[1].body.end() - 2, frames[1].body.end()), (Bytes{0xFF, 0xFF}));
}

// The other kind of flash: it keeps answering with what it held, takes writes, and the end
// of the erase wipes them. A programmer that reads FF early is fooled exactly like this.
TEST(SimRadioMemory, FlashThatReadsOldContentsWhileErasing) {
    RadioConfig config;
    config.eraseMs = 1000;
    config.eraseReads = RadioConfig::EraseReads::Old;
    TestLink link(config);
    link.radio.Flash()[0x0] = 0xFF;
    link.radio.Flash()[0x1] = 0x5A;
    link.LinkUp();
    link.SendLt({0x0D, 0x03});
    link.Run(100);
    ASSERT_TRUE(link.radio.Erasing());

    link.SendLt(ReadRequest(2, 0x0, 2));
    auto frames = link.Run(100);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(Bytes(frames[1].body.end() - 2, frames[1].body.end()), (Bytes{0xFF, 0x5A}));
    link.Ack(2);
    link.SendLt(WriteRequest(2, 0x80, {0x12}));
    link.Run(100);
    EXPECT_EQ(link.radio.Flash()[0x80], 0x12);

    link.Run(800);
    EXPECT_FALSE(link.radio.Erasing());
    EXPECT_EQ(link.radio.Flash()[0x80], 0xFF);
    EXPECT_EQ(link.radio.Flash()[0x1], 0xFF);
}

// A flash that reads erased from the moment its erase begins: an erase check passes at
// once, writes land and read back, and the end of the erase wipes them, unless a reset
// (which ends loop mode) comes first.
TEST(SimRadioMemory, FlashThatReadsErasedFromTheStart) {
    for (bool resetFirst : {false, true}) {
        SCOPED_TRACE(resetFirst ? "reset before the erase ends" : "erase runs out");
        RadioConfig config;
        config.eraseMs = 1000;
        config.resetQuietMs = 100;
        config.eraseReads = RadioConfig::EraseReads::Erased;
        TestLink link(config);
        link.radio.Flash()[0x0] = 0x12;
        link.LinkUp();
        link.SendLt({0x0D, 0x03});
        link.Run(100);
        link.SendLt(ReadRequest(2, 0x0, 1));
        auto frames = link.Run(100);
        ASSERT_EQ(frames.size(), 2u);
        EXPECT_EQ(frames[1].body.back(), 0xFF);
        link.Ack(2);
        link.SendLt(WriteRequest(2, 0x80, {0x34}));
        link.Run(100);
        EXPECT_EQ(link.radio.Flash()[0x80], 0x34);
        if (resetFirst) {
            link.SendLt({0x04, 0x01});
            link.Run(100);
        }
        link.Run(1000);
        EXPECT_FALSE(link.radio.Erasing());
        EXPECT_EQ(link.radio.Flash()[0x80], resetFirst ? 0x34 : 0xFF);
    }
}

TEST(SimRadioMemory, ResetAcknowledgesThenGoesQuietThenListensAgain) {
    RadioConfig config;
    config.resetQuietMs = 500;
    TestLink link(config);
    link.LinkUp();
    link.SendLt({0x04, 0x01});
    auto frames = link.Run(50);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body[0], 0x02);
    EXPECT_TRUE(link.radio.Quiet());
    link.Send({0x01, 0xFF, 0x01, 0x80});
    EXPECT_TRUE(link.Run(300).empty());
    link.Run(200);
    EXPECT_FALSE(link.radio.Quiet());
    EXPECT_EQ(link.radio.Link(), SimRadio::LinkState::Down);
    link.wire.clear();
    link.Send({0x01, 0xFF, 0x01, 0x80});
    link.Run(50);
    EXPECT_EQ(link.wire, kLaToLr);
}

// What swaps the radio of a bench: a programmer that never got the LA to its reset sends
// it again, to the same radio, so a reset counts as acknowledged only when its LA
// reached the line whole.
TEST(SimRadioMemory, AResetCountsAsAcknowledgedOnceItsLaWentOutWhole) {
    struct Case {
        Faults faults;
        uint32_t acknowledged;
    };
    Faults lost, spoilt, whole;
    lost.dropLaEvery = 1;
    spoilt.badFcsEvery = 2;  // the LA to the LR goes out whole, the next does not
    whole.badFcsEvery = 3;
    for (const Case& c : {Case{lost, 0}, Case{spoilt, 0}, Case{whole, 1}}) {
        RadioConfig config;
        config.faults = c.faults;
        TestLink link(config);
        link.LinkUp();
        link.SendLt({0x04, 0x01});
        link.Run(50);
        EXPECT_EQ(link.radio.Stats().resets, 1u);
        EXPECT_EQ(link.radio.Stats().resetsAcknowledged, c.acknowledged);
    }
}

TEST(SimRadioMemory, UnknownMessagesAreAcknowledgedOnly) {
    TestLink link;
    link.LinkUp();
    link.SendLt({0x11, 0x00});
    link.SendLt(ReadRequest(7, 0, 4));
    auto frames = link.Run(200);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].body, (Bytes{0x02, 0x03, 0x01, 0x00}));
    EXPECT_EQ(link.radio.Stats().unknownRequests, 2u);
}

TEST(SimRadioMemory, AnLtWithoutAMessageIsAcknowledged) {
    TestLink link;
    link.LinkUp();
    link.SendLt({});
    auto frames = link.Run(50);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x02, 0x01, 0x00}));
}

TEST(SimRadioMemory, LateUpdatesGiveTheSameConversation) {
    // One big clock jump must not reorder what happens on the line.
    TestLink stepwise, jumped;
    for (TestLink* link : {&stepwise, &jumped}) {
        link->Send({0x01, 0xFF, 0x01, 0x80});
        link->SendLt(ReadRequest(1, 0, 80));
    }
    stepwise.Run(600);
    jumped.clock.Advance(600);
    const Bytes out = jumped.radio.TakeOutput();
    EXPECT_EQ(out, stepwise.wire);
    EXPECT_FALSE(out.empty());
}

}  // namespace
}  // namespace norda::sim::test
