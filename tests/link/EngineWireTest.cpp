// What the engine puts on the wire and what its receiver makes of the bytes
// that come back.
#include <gtest/gtest.h>

#include "EngineHarness.h"

namespace norda::test {
namespace {

const Bytes kLr = {0x16, 0x10, 0x02, 0x01, 0xFF, 0x01, 0x80, 0x10, 0x03, 0x0F, 0x0F};

TEST(EngineWire, LinkRequestFrameAndHookOrder) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(variant, clock, line);
        engine.ResetLink();  // closed port: nothing happens
        EXPECT_TRUE(line.TakeWritten().empty());
        EXPECT_TRUE(engine.events.empty());

        ASSERT_EQ(engine.Open(), Status::Ok);
        engine.SetTrace(true);
        const int purgesBefore = line.PurgeCount();
        engine.ResetLink();
        EXPECT_EQ(line.TakeWritten(), kLr);
        EXPECT_EQ(line.PurgeCount(), purgesBefore + 1);
        EXPECT_EQ(engine.events, std::vector<std::string>{"LinkReset"});
        EXPECT_EQ(engine.traces, std::vector<std::string>{"LR gönderildi"});
        EXPECT_TRUE(engine.LinkRequested());
        EXPECT_FALSE(engine.LinkEstablished());
        EXPECT_EQ(engine.VS(), 1);
        EXPECT_EQ(engine.VR(), 1);
        EXPECT_EQ(engine.CurrentCredit(), 0xFF);
        EXPECT_TRUE(engine.AwaitingAck());
    }
}

TEST(EngineWire, DleInBodyIsDoubledBothWays) {
    LinkedEngine l(Program::Ombra);
    // The radio's LT N(S) = 15 makes V(R) 16, so our LA carries 10 10.
    l.engine.StageSequence(1, 15);
    l.line.Send(RadioFrame({0x04, 0x0F, 0x01, 0x00, 0x11, 0x00}));
    l.engine.Pump();
    EXPECT_EQ(l.line.TakeWritten(),
              (Bytes{0x16, 0x10, 0x02, 0x02, 0x10, 0x10, 0x01, 0x00, 0x10, 0x03, 0x0F, 0x0F}));
    // And a stuffed N(S) = 16 from the radio is read back as 16.
    l.line.Send(RadioFrame({0x04, 0x10, 0x01, 0x00, 0x11, 0x00}));
    EXPECT_EQ(l.engine.Pump(), 1);
    EXPECT_EQ(l.engine.VR(), 17);
    l.line.TakeWritten();
    // Addresses and data are stuffed by the link layer only.
    const uint8_t data[] = {0x10, 0x20};
    EXPECT_EQ(l.engine.Send(NetworkRequest::Write(3, 1, 0x001010, data, 2)), norda::Status::Ok);
    EXPECT_EQ(l.line.TakeWritten(),
              (Bytes{0x16, 0x10, 0x02, 0x04, 0x01, 0x01, 0x00, 0x03, 0x03, 0x01, 0x00,
                     0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x20, 0x10, 0x03, 0x0F, 0x0F}));
}

TEST(EngineWire, RequestBodies) {
    LinkedEngine l(Program::Ombra);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Read(1, 1, 0x000150, 80)), Status::Ok);
    EXPECT_EQ(l.line.TakeWritten(), (Bytes{0x16, 0x10, 0x02, 0x04, 0x01, 0x01, 0x00, 0x03, 0x01,
                                           0x01, 0x00, 0x01, 0x50, 0x50, 0x10, 0x03, 0x0F, 0x0F}));
    EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkAwaitingReply);
    // The credit granted by the radio's LR/LA goes down by one per LT, not below 0.
    EXPECT_EQ(l.engine.CurrentCredit(), 0xFE);

    l.engine.StageNetworkState(TWinmap27Port::kNetworkIdle);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Reset(1)), Status::Ok);
    EXPECT_EQ(l.line.TakeWritten(), (Bytes{0x16, 0x10, 0x02, 0x04, 0x01, 0x01, 0x00, 0x04, 0x01,
                                           0x10, 0x03, 0x0F, 0x0F}));
    EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkIdle);

    // Requests outside the message format are refused without sending.
    uint8_t block[256] = {};
    EXPECT_EQ(l.engine.Send(NetworkRequest::Read(1, 1, 0x1000000, 80)), Status::Refused);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Write(3, 1, 0, block, 0)), Status::Refused);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Write(3, 1, 0, block, 256)), Status::Refused);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Write(3, 1, 0, nullptr, 4)), Status::Refused);
    EXPECT_TRUE(l.line.TakeWritten().empty());

    // The largest write with every byte a DLE still fits the transmit buffer.
    std::fill(std::begin(block), std::end(block), 0x10);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Write(3, 1, 0x101010, block, 255)), Status::Ok);
    EXPECT_EQ(l.line.TakeWritten().size(), 3u + 4 + 3 + 2 * 3 + 2 * 255 + 4);
}

TEST(EngineWire, LoopCommandIsSolviOnlyAndWaitsForIdle) {
    {
        LinkedEngine l(Program::Ombra);
        EXPECT_EQ(l.engine.Send(NetworkRequest::Loop(3)), Status::Refused);
        EXPECT_TRUE(l.line.TakeWritten().empty());
    }
    LinkedEngine l(Program::Solvi);
    l.engine.SetTrace(true);
    l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Loop(3)), Status::Refused);
    EXPECT_TRUE(l.line.TakeWritten().empty());
    l.engine.StageNetworkState(TWinmap27Port::kNetworkIdle);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Loop(3)), Status::Ok);
    EXPECT_EQ(l.line.TakeWritten(), (Bytes{0x16, 0x10, 0x02, 0x04, 0x01, 0x01, 0x00, 0x0D, 0x03,
                                           0x10, 0x03, 0x0F, 0x0F}));
    EXPECT_TRUE(l.engine.AwaitingAck());
    EXPECT_EQ(l.engine.traces,
              std::vector<std::string>{"LT gönderildi\t: state = 1      Vs = 001"});
}

TEST(EngineWire, SolviChecksTheFrameCheckSequence) {
    // The documented example: CRC of 02 01 01 00 10 03 is FB8F, low byte first.
    const Bytes good = {0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x8F, 0xFB};
    EXPECT_EQ(RadioFrame({0x02, 0x01, 0x01, 0x00}), good);
    Bytes unchecked = good;
    unchecked[9] = unchecked[10] = 0x00;
    Bytes bad = good;
    bad[10] = 0xFA;

    for (const Bytes* frame : std::initializer_list<const Bytes*>{&good, &unchecked}) {
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(Program::Solvi, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        engine.ResetLink();
        line.Send(*frame);
        engine.Pump();
        EXPECT_TRUE(engine.LinkEstablished());
    }
    for (Program variant : {Program::Solvi, Program::Ombra}) {
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(variant, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        engine.SetTrace(true);
        engine.ResetLink();
        engine.traces.clear();
        line.Send(bad);
        engine.Pump();
        // OMBRA never looked at the check bytes.
        EXPECT_EQ(engine.LinkEstablished(), variant == Program::Ombra);
        if (variant == Program::Solvi) {
            EXPECT_EQ(engine.traces, std::vector<std::string>{"Checksum Hatası"});
        }
    }
}

TEST(EngineWire, ReceiverSynchronisation) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(variant, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        uint8_t buffer[TWinmap27Port::kFrameBufferSize];
        const Bytes la = RadioFrame({0x02, 0x01, 0x01, 0x00});

        // A second SYN where DLE belongs throws the whole frame away.
        line.Send(Concat({0x16}, la));
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), 0);
        EXPECT_EQ(engine.RxState(), ReceiverState::HuntSyn);

        // Noise before a frame is skipped; a frame split over calls is kept.
        line.Send(Concat({0x00, 0x55, 0x10, 0x03}, Bytes(la.begin(), la.begin() + 5)));
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), 0);
        EXPECT_EQ(engine.RxState(), ReceiverState::InBody);
        line.Send(Bytes(la.begin() + 5, la.end()));
        ASSERT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), static_cast<int>(la.size()));
        EXPECT_TRUE(std::equal(la.begin(), la.end(), buffer));

        // A line error drops the partial frame and is reported.
        line.Send(Bytes(la.begin(), la.begin() + 6));
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), 0);
        line.InjectLineError();
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), -1);
        EXPECT_EQ(engine.RxState(), ReceiverState::HuntSyn);
        line.Send(Bytes(la.begin() + 6, la.end()));
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), 0);

        // A caller buffer too small for the frame gets nothing rather than an overflow.
        line.Send(la);
        EXPECT_EQ(engine.ReceiveFrame(buffer, la.size() - 1), 0);
        EXPECT_EQ(engine.RxState(), ReceiverState::HuntSyn);

        // Reopening the port forgets a partial frame.
        line.Send(Bytes(la.begin(), la.begin() + 6));
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), 0);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        line.Send(Bytes(la.begin() + 6, la.end()));
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), 0);
    }
}

TEST(EngineWire, SolviRestartsOnDleStxAfterSyn) {
    const Bytes la = RadioFrame({0x02, 0x01, 0x01, 0x00});
    // A frame broken off by a fresh SYN DLE STX.
    const Bytes broken =
        Concat({0x16, 0x10, 0x02, 0x04, 0x05, 0x16}, Bytes(la.begin() + 1, la.end()));
    {
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(Program::Solvi, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        uint8_t buffer[TWinmap27Port::kFrameBufferSize];
        line.Send(broken);
        ASSERT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), static_cast<int>(la.size()));
        EXPECT_TRUE(std::equal(la.begin(), la.end(), buffer));
        // Any other byte after a single DLE breaks the frame for good.
        line.Send({0x16, 0x10, 0x02, 0x04, 0x10, 0x05, 0x00, 0x10, 0x03, 0x00, 0x00});
        EXPECT_EQ(engine.ReceiveFrame(buffer, sizeof buffer), 0);
        EXPECT_EQ(engine.RxState(), ReceiverState::HuntSyn);
    }
}

// Builds a radio LT carrying a memory-area reply that fills a frame of
// exactly `frameLength` stored bytes.
Bytes AreaReplyFrame(uint8_t ns, size_t frameLength) {
    Bytes body = {0x04, ns, 0x01, 0x00, 0x03, 0x04, 0x01, 0x00, 0x02, 0x00};
    while (body.size() + 7 < frameLength) {
        body.push_back(static_cast<uint8_t>(body.size()));
    }
    return RadioFrame(body);
}

TEST(EngineWire, FramesAtAndBeyondTheReceiveBuffer) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        LinkedEngine l(variant);
        const size_t limit = variant == Program::Solvi ? 256 : 255;
        EXPECT_EQ(l.engine.ReceiveBufferSize(), limit);

        l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
        l.line.Send(AreaReplyFrame(1, limit));
        EXPECT_EQ(l.engine.Pump(), 1);
        EXPECT_EQ(l.engine.lastArea.size(), limit - 17);
        EXPECT_EQ(l.engine.lastAreaAddress, 0x000200u);

        // One byte more is dropped whole; the next good frame still gets through.
        l.engine.lastArea.clear();
        l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
        l.line.Send(AreaReplyFrame(2, limit + 1));
        l.line.Send(RadioFrame({0x02, 0x02, 0x01, 0x00}));
        EXPECT_EQ(l.engine.Pump(), 0);
        EXPECT_EQ(l.engine.Pump(), 1);
        EXPECT_TRUE(l.engine.lastArea.empty());
        EXPECT_EQ(l.engine.VR(), 2);

        // A long run of garbage without any frame never overflows anything.
        l.line.Send(Bytes(1000, 0x16));
        l.line.Send(Concat({0x16, 0x10, 0x02}, Bytes(1000, 0x10)));
        for (int i = 0; i < 20; ++i) {
            l.engine.Pump();
        }
        EXPECT_EQ(l.line.PendingForPort(), 0u);

        // Frames an owner hands over that no receiver could have made are ignored.
        l.engine.events.clear();
        const Bytes tiny = {0x16, 0x10, 0x02, 0x04};
        l.engine.ProcessFrame(tiny.data(), tiny.size());
        Bytes huge(limit + 1, 0x04);
        l.engine.ProcessFrame(huge.data(), huge.size());
        l.engine.ProcessFrame(nullptr, 20);
        EXPECT_TRUE(l.engine.events.empty());
    }
}

}  // namespace
}  // namespace norda::test
