// The request channel: its waits on the clock and its one way of getting over a lost
// acknowledgement, with the radio played frame by frame on the in-memory line.
#include "link/RequestChannel.h"

#include <gtest/gtest.h>

#include "EngineHarness.h"

namespace norda::test {
namespace {

const Bytes kLr = {0x16, 0x10, 0x02, 0x01, 0xFF, 0x01, 0x80, 0x10, 0x03, 0x0F, 0x0F};

struct Owner : LinkListener {
    void OnLinkReset() override { events.push_back("LinkReset"); }
    void OnLinkUp() override { events.push_back("LinkUp"); }
    void OnAcknowledged() override { events.push_back("Acknowledged"); }
    void OnReply(const RadioReply&) override { events.push_back("Reply"); }
    std::vector<std::string> events;
};

// A channel of the program's profile on an open port, its link up, nothing recorded yet.
struct Linked {
    explicit Linked(Program program, int32_t baud = 9600)
        : channel(LinkOf(program), 1, baud, owner, clock, line.MakeStream()) {
        EXPECT_EQ(channel.Port().Open(), norda::Status::Ok);
        channel.RequestLink();
        Radio({0x02, 0x01, 0x01, 0x00});
        line.TakeWritten();
        owner.events.clear();
    }
    // The radio's frame, taken at once.
    void Radio(const Bytes& body) {
        line.Send(RadioFrame(body));
        channel.Receive();
    }
    // The radio's data reply to a read, as its next LT.
    void Data(uint8_t ns, uint32_t address) {
        Radio({0x04, ns, 0x01, 0x00, 0x03, 0x04, 0x01, static_cast<uint8_t>(address >> 16),
               static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address), 0xAA});
    }
    void Pass(uint32_t ms) {
        clock.Advance(ms);
        channel.AckWaitExpired(clock.TickCount());
    }
    static NetworkRequest Read(uint32_t address) { return NetworkRequest::Read(1, 1, address, 1); }
    // The LT of a one-byte read as it goes on the wire.
    static Bytes ReadLt(uint8_t ns, uint32_t address) {
        return {0x16,
                0x10,
                0x02,
                0x04,
                ns,
                0x01,
                0x00,
                0x03,
                0x01,
                0x01,
                0x00,
                0x00,
                static_cast<uint8_t>(address),
                0x01,
                0x10,
                0x03,
                0x0F,
                0x0F};
    }

    VirtualClock clock{5000};
    MemoryLine line;
    Owner owner;
    RequestChannel channel;
};

TEST(RequestChannel, WaitsComeFromTheProfile) {
    for (Program program : {Program::Ombra, Program::Solvi}) {
        SCOPED_TRACE(static_cast<int>(program));
        const LinkProfile& profile = LinkOf(program);
        Linked l(program);
        const uint32_t t = l.clock.TickCount();

        // The LA to a read starts the wait for its reply; the reply ends it.
        ASSERT_EQ(l.channel.Send(Linked::Read(0x10), profile.sends),
                  RequestChannel::SendResult::Sent);
        // Counted from the moment the LT and the radio's LA have crossed the line: 30
        // bytes, 31 ms at 9600 Bd.
        EXPECT_EQ(l.channel.AckDeadline(), Deadline::At(t + 31 + profile.ackWaitMs));
        l.Radio({0x02, 0x02, 0x01, 0x00});
        EXPECT_FALSE(l.channel.AwaitingAck());
        // Counted from the moment the reply could have crossed the line: 18 bytes, 18 ms.
        EXPECT_EQ(l.channel.ReplyDeadline(),
                  Deadline::At(l.clock.TickCount() + 18 + profile.replyWaitMs));
        l.Data(1, 0x21);
        EXPECT_FALSE(l.channel.AwaitingReply());
        EXPECT_TRUE(l.channel.Idle());

        // A write has no reply to wait for.
        const uint8_t byte = 7;
        EXPECT_EQ(l.channel.Send(NetworkRequest::Write(3, 1, 0x20, &byte, 1), profile.sends),
                  RequestChannel::SendResult::Sent);
        l.Radio({0x02, 0x03, 0x01, 0x00});
        EXPECT_FALSE(l.channel.AwaitingReply());

        // A reply that never comes runs out at its deadline, not a millisecond before.
        EXPECT_EQ(l.channel.Send(Linked::Read(0x30), profile.sends),
                  RequestChannel::SendResult::Sent);
        l.Radio({0x02, 0x04, 0x01, 0x00});
        l.clock.Advance(18 + profile.replyWaitMs - 1);
        EXPECT_FALSE(l.channel.ReplyWaitExpired(l.clock.TickCount()));
        l.clock.Advance(1);
        EXPECT_TRUE(l.channel.ReplyWaitExpired(l.clock.TickCount()));

        // Our link request drops a pending reply and awaits its own LA.
        EXPECT_EQ(l.channel.Send(Linked::Read(0x40), profile.sends),
                  RequestChannel::SendResult::Sent);
        l.Radio({0x02, 0x05, 0x01, 0x00});
        ASSERT_TRUE(l.channel.AwaitingReply());
        l.channel.RequestLink();
        EXPECT_FALSE(l.channel.AwaitingReply());
        // An LR and its LA, 22 bytes: 22 ms.
        EXPECT_EQ(l.channel.AckDeadline(),
                  Deadline::At(l.clock.TickCount() + 22 + profile.linkRequestWaitMs));
        EXPECT_EQ(l.owner.events.back(), "LinkReset");
    }
    EXPECT_EQ(ombra::kOmbraLink.linkRequestWaitMs, 1000u);
    EXPECT_EQ(solvi::kSolviLink.linkRequestWaitMs, 100u);
}

// At 1200 Bd a 128-byte block alone is longer on the line than the whole wait for its
// acknowledgement; counted from the send, every block was taken for lost and no write at
// a low speed could ever end.
TEST(RequestChannel, AnAcknowledgementIsAwaitedFromTheEndOfTheLine) {
    for (Program program : {Program::Ombra, Program::Solvi}) {
        SCOPED_TRACE(static_cast<int>(program));
        Linked l(program, 1200);
        const std::vector<uint8_t> block(128, 0x5A);
        ASSERT_EQ(l.channel.Send(NetworkRequest::Write(3, 1, 0x100, block.data(), block.size()),
                                 LinkOf(program).sends),
                  RequestChannel::SendResult::Sent);
        l.Pass(2000);
        ASSERT_TRUE(l.channel.AwaitingAck()) << "the block has only just left the line";
        l.Radio({0x02, 0x02, 0x01, 0x00});
        EXPECT_EQ(l.owner.events, std::vector<std::string>{"Acknowledged"});
        EXPECT_EQ(l.channel.Sends(), 0);
    }
}

TEST(RequestChannel, LinkUpEndsTheExchangeWhereTheProfileSaysSo) {
    for (Program program : {Program::Ombra, Program::Solvi}) {
        Linked l(program);
        EXPECT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
        l.Radio({0x02, 0x02, 0x01, 0x00});
        ASSERT_TRUE(l.channel.AwaitingReply());
        // The radio asks for the link again.
        l.Radio({0x01, 0xFF, 0x01, 0x80});
        EXPECT_EQ(l.owner.events, (std::vector<std::string>{"Acknowledged", "LinkUp"}));
        EXPECT_FALSE(l.channel.AwaitingAck());
        EXPECT_EQ(l.channel.AwaitingReply(), program == Program::Ombra);
    }
}

// The radio took a read and answered it, but its LA was lost on the line. The reply shows
// that the LT arrived: the next request goes out under the next number at once. Waiting for
// the LA instead ended, a second later, in the same read under the old number, which the
// radio acknowledged as a repeat and never answered.
TEST(RequestChannel, AReplyAcknowledgesARequestWhoseLaWasLost) {
    for (Program program : {Program::Ombra, Program::Solvi}) {
        SCOPED_TRACE(static_cast<int>(program));
        Linked l(program);
        ASSERT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
        EXPECT_EQ(l.line.TakeWritten(), Linked::ReadLt(1, 0x21));
        l.Data(1, 0x21);
        l.line.TakeWritten();
        EXPECT_FALSE(l.channel.AwaitingAck());
        EXPECT_FALSE(l.channel.AwaitingReply());
        ASSERT_TRUE(l.channel.Idle());
        EXPECT_EQ(l.owner.events, (std::vector<std::string>{"Acknowledged", "Reply"}));

        // The same read again is a new LT, which the radio executes.
        EXPECT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
        EXPECT_EQ(l.line.TakeWritten(), Linked::ReadLt(2, 0x21));
        EXPECT_EQ(l.channel.Sends(), 1);
    }
}

// A reply that is not the data asked for says nothing of our LT. Without its LA, V(S) still
// holds that LT's number: the same request may go out under it again, a different one only
// on a fresh link, and the owner hears nothing of that link.
TEST(RequestChannel, AnUnacknowledgedLtIsRepeatedOrFollowedByAFreshLink) {
    for (Program program : {Program::Ombra, Program::Solvi}) {
        SCOPED_TRACE(static_cast<int>(program));
        Linked l(program);
        ASSERT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
        l.line.TakeWritten();
        l.Data(1, 0x99);
        l.line.TakeWritten();
        EXPECT_TRUE(l.channel.AwaitingAck()) << "data of another address";
        l.Pass(1100);
        ASSERT_TRUE(l.channel.Idle());

        EXPECT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
        EXPECT_EQ(l.line.TakeWritten(), Linked::ReadLt(1, 0x21)) << "a repeat, same N(S)";
        l.Pass(1100);

        EXPECT_EQ(l.channel.Send(Linked::Read(0x32), 4), RequestChannel::SendResult::Resyncing);
        EXPECT_EQ(l.line.TakeWritten(), kLr);
        l.Radio({0x02, 0x01, 0x01, 0x00});
        ASSERT_TRUE(l.channel.Idle());
        EXPECT_EQ(l.channel.Send(Linked::Read(0x32), 4), RequestChannel::SendResult::Sent);
        EXPECT_EQ(l.line.TakeWritten(), Linked::ReadLt(1, 0x32));
        EXPECT_EQ(l.channel.Sends(), 1) << "a new request is a first send";
        EXPECT_EQ(l.owner.events, std::vector<std::string>{"Reply"});
    }
}

// The restart's own LR goes unanswered as well. The owner sends the next LR as it sends any
// and counts it, the restart's LR being the first; the link that comes up is still no news
// to the owner, who took it for the radio breaking off the transfer and stopped a read that
// could go on.
TEST(RequestChannel, ARestartWhoseLinkRequestIsLostStaysTheChannels) {
    for (Program program : {Program::Ombra, Program::Solvi}) {
        SCOPED_TRACE(static_cast<int>(program));
        Linked l(program);
        ASSERT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
        l.Data(1, 0x99);
        l.Pass(1100);
        ASSERT_EQ(l.channel.Send(Linked::Read(0x32), 4), RequestChannel::SendResult::Resyncing);
        l.line.TakeWritten();
        l.Pass(1100);
        ASSERT_TRUE(l.channel.NeedsLink());
        EXPECT_TRUE(l.channel.TakeLinkAttempt(3));
        l.channel.RequestLink();
        EXPECT_EQ(l.line.TakeWritten(), kLr);
        l.Radio({0x02, 0x01, 0x01, 0x00});
        ASSERT_TRUE(l.channel.Idle());
        EXPECT_EQ(l.owner.events, std::vector<std::string>{"Reply"});
        EXPECT_EQ(l.channel.Send(Linked::Read(0x32), 4), RequestChannel::SendResult::Sent);
        EXPECT_EQ(l.line.TakeWritten(), Linked::ReadLt(1, 0x32));
    }
    {
        // A restart that is never answered ends after as many LRs as a link set-up.
        Linked l(Program::Ombra);
        EXPECT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
        l.Data(1, 0x99);
        l.Pass(1100);
        ASSERT_EQ(l.channel.Send(Linked::Read(0x32), 4), RequestChannel::SendResult::Resyncing);
        EXPECT_TRUE(l.channel.TakeLinkAttempt(3));
        EXPECT_TRUE(l.channel.TakeLinkAttempt(3));
        EXPECT_FALSE(l.channel.TakeLinkAttempt(3));
    }
}

TEST(RequestChannel, GivesUpARequestOrARadioThatNeverAcknowledges) {
    {
        Linked l(Program::Ombra);
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::Sent);
            l.Pass(1000);
        }
        EXPECT_EQ(l.channel.Send(Linked::Read(0x21), 4), RequestChannel::SendResult::GaveUp);
        EXPECT_EQ(l.line.TakeWritten().size(), 4 * Linked::ReadLt(1, 0x21).size());
    }
    {
        // No LT acknowledged, each followed by another request: the restarts do not go on
        // for ever.
        Linked l(Program::Ombra);
        int sent = 0;
        const uint8_t byte = 0x5A;
        for (uint32_t address = 0x21;; address += 0x11) {
            const NetworkRequest write = NetworkRequest::Write(3, 1, address, &byte, 1);
            auto result = l.channel.Send(write, 4);
            if (result == RequestChannel::SendResult::Resyncing) {
                l.Radio({0x02, 0x01, 0x01, 0x00});
                result = l.channel.Send(write, 4);
            }
            if (result == RequestChannel::SendResult::GaveUp) {
                break;
            }
            ASSERT_EQ(result, RequestChannel::SendResult::Sent);
            ASSERT_LT(++sent, 10);
            l.Pass(1000);
        }
        EXPECT_EQ(sent, 4);
    }
}

}  // namespace
}  // namespace norda::test
