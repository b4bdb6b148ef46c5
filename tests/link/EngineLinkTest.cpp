// Link set-up, sequence numbers and the memory-access messages, with the
// radio played byte by byte on the in-memory line.
#include <gtest/gtest.h>

#include "EngineHarness.h"

namespace norda::test {
namespace {

const Bytes kLaN1 = {0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x0F, 0x0F};

TEST(EngineLink, RadioLinkAckSetsUpLinkAndReportsItAlways) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(variant, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        engine.ResetLink();
        engine.events.clear();
        engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
        line.Send(RadioFrame({0x02, 0x01, 0x05, 0x00}));
        engine.Pump();
        EXPECT_FALSE(engine.LinkRequested());
        EXPECT_TRUE(engine.LinkEstablished());
        EXPECT_FALSE(engine.AwaitingAck());
        // Trace is off, yet the link report goes out.
        EXPECT_EQ(engine.traces, std::vector<std::string>{std::string(TWinmap27Port::kLinkUpText)});
        EXPECT_EQ(engine.events, std::vector<std::string>{"LinkUp"});
        if (variant == Program::Solvi) {
            EXPECT_EQ(engine.NetworkState(), TWinmap27Port::kNetworkIdle);
        } else {
            EXPECT_EQ(engine.NetworkState(), TWinmap27Port::kNetworkAwaitingReply);
        }
    }
}

// An LA with N(R) = 1 answers a link request; one left on the line from before our own LR
// (another program's link, closed a moment ago) must not set the link up, or the first LT
// goes out with the V(S) of a link that never was, which the radio drops as a repeat.
TEST(EngineLink, OnlyTheAnswerToOurOwnLinkRequestSetsTheLinkUp) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        SCOPED_TRACE(static_cast<int>(variant));
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(variant, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        line.Send(RadioFrame({0x02, 0x01, 0x01, 0x00}));
        engine.Pump();
        EXPECT_FALSE(engine.LinkEstablished());
        EXPECT_TRUE(line.TakeWritten().empty());

        engine.ResetLink();
        line.TakeWritten();
        line.Send(RadioFrame({0x02, 0x01, 0x01, 0x00}));
        engine.Pump();
        ASSERT_TRUE(engine.LinkEstablished());
        EXPECT_EQ(engine.Send(NetworkRequest::Read(1, 2, 0x10000, 128)), norda::Status::Ok);
        const Bytes lt = line.TakeWritten();
        ASSERT_GT(lt.size(), 5u);
        EXPECT_EQ(lt[4], 1) << "N(S) of the first LT";
    }
}

TEST(EngineLink, RadioLinkRequestIsAnsweredWithLinkAck) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(variant, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        engine.SetTrace(true);
        engine.StageSequence(7, 9);
        const uint32_t before = clock.TickCount();
        line.Send(RadioFrame({0x01, 0x40, 0x03, 0x80}));
        engine.Pump();
        EXPECT_EQ(line.TakeWritten(), kLaN1);
        EXPECT_TRUE(engine.AckSent());
        EXPECT_EQ(engine.PeerN1(), 0x40);
        EXPECT_EQ(engine.InitialCredit(), 3);
        EXPECT_EQ(engine.CurrentCredit(), 3);
        EXPECT_EQ(engine.VS(), 1);
        EXPECT_EQ(engine.VR(), 1);
        EXPECT_TRUE(engine.LinkEstablished());
        EXPECT_EQ(engine.traces,
                  (std::vector<std::string>{"LR alındı", "LA gönderildi\t: state = 1      Vr = 001",
                                            std::string(TWinmap27Port::kLinkUpText)}));
        // SOLVI gives the radio 160000 / baud + 5 ms after every LA.
        EXPECT_EQ(clock.TickCount() - before, variant == Program::Solvi ? 21u : 0u);

        // A second LR on a live link is answered but not reported again.
        engine.traces.clear();
        line.Send(RadioFrame({0x01, 0x40, 0x03, 0x80}));
        engine.Pump();
        EXPECT_EQ(engine.traces.size(), 2u);
    }
}

TEST(EngineLink, LinkTransferAcknowledgedAndDispatched) {
    LinkedEngine l(Program::Ombra);
    l.engine.SetTrace(true);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Read(1, 1, 0x0150, 4)), norda::Status::Ok);
    l.line.TakeWritten();
    l.line.Send(RadioFrame({0x02, 0x02, 0x01, 0x00}));
    l.line.Send(RadioFrame(
        {0x04, 0x01, 0x01, 0x00, 0x03, 0x04, 0x01, 0x00, 0x01, 0x50, 0xA1, 0xA2, 0xA3, 0xA4}));
    EXPECT_EQ(l.engine.Pump(), 2);
    EXPECT_EQ(l.line.TakeWritten(),
              (Bytes{0x16, 0x10, 0x02, 0x02, 0x02, 0x01, 0x00, 0x10, 0x03, 0x0F, 0x0F}));
    EXPECT_EQ(l.engine.events,
              (std::vector<std::string>{"Acknowledged", "Answered", "MemoryArea"}));
    EXPECT_EQ(l.engine.lastArea, (Bytes{0xA1, 0xA2, 0xA3, 0xA4}));
    EXPECT_EQ(l.engine.lastAreaAddress, 0x150u);
    EXPECT_EQ(l.engine.lastAreaMemory, 1);
    EXPECT_EQ(l.engine.StatusCode(), 61);
    EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkIdle);
    EXPECT_EQ(l.engine.VS(), 2);
    EXPECT_EQ(l.engine.VR(), 2);
    EXPECT_EQ(l.engine.traces,
              (std::vector<std::string>{
                  "LA alındı\t\t: state = 2      Nr = 002\tVs+1 = 002",
                  "LT alındı\t\t: state = 2      Ns = 001\tVr     = 001\t Code = 03",
                  "LA gönderildi\t: state = 2      Vr = 002",
                  "MEMORY AREA alındı : address=336",
                  "LT process\t: state = 1 Code = 03",
              }));
}

TEST(EngineLink, RepeatedAndEmptyTransfers) {
    LinkedEngine l(Program::Ombra);
    const Bytes reply =
        RadioFrame({0x04, 0x01, 0x01, 0x00, 0x03, 0x04, 0x01, 0x00, 0x00, 0x08, 0x55});
    l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
    l.line.Send(reply);
    l.engine.Pump();
    const Bytes la2 = {0x16, 0x10, 0x02, 0x02, 0x02, 0x01, 0x00, 0x10, 0x03, 0x0F, 0x0F};
    EXPECT_EQ(l.line.TakeWritten(), la2);
    // Our LA got lost and the radio repeats: acknowledged again, not handed on again.
    l.engine.events.clear();
    l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
    l.line.Send(reply);
    l.engine.Pump();
    EXPECT_EQ(l.line.TakeWritten(), la2);
    EXPECT_TRUE(l.engine.events.empty());
    EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkAwaitingReply);

    // An LT without a message is acknowledged and nothing else.
    l.engine.SetTrace(true);
    l.line.Send(RadioFrame({0x04, 0x02, 0x01, 0x00}));
    l.engine.Pump();
    EXPECT_EQ(l.line.TakeWritten(),
              (Bytes{0x16, 0x10, 0x02, 0x02, 0x03, 0x01, 0x00, 0x10, 0x03, 0x0F, 0x0F}));
    EXPECT_TRUE(l.engine.events.empty());
    // The code shown is the byte after the link header, here the closing DLE.
    EXPECT_EQ(l.engine.traces,
              (std::vector<std::string>{
                  "LT alındı\t\t: state = 2      Ns = 002\tVr     = 002\t Code = 10",
                  "LA gönderildi\t: state = 2      Vr = 003"}));

    // AR = 0: taken but not acknowledged.
    l.engine.ForgetAck();
    l.line.Send(RadioFrame({0x04, 0x03, 0x00, 0x00, 0x11, 0x00}));
    l.engine.Pump();
    EXPECT_TRUE(l.line.TakeWritten().empty());
    EXPECT_FALSE(l.engine.AckSent());
    EXPECT_EQ(l.engine.VR(), 4);
}

TEST(EngineLink, SequenceNumbersWrap) {
    LinkedEngine l(Program::Ombra);
    l.engine.StageSequence(255, 255);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Reset(1)), norda::Status::Ok);
    EXPECT_EQ(l.line.TakeWritten()[4], 0xFF);
    l.line.Send(RadioFrame({0x02, 0x00, 0x01, 0x00}));
    l.engine.Pump();
    EXPECT_EQ(l.engine.VS(), 0);
    EXPECT_EQ(l.engine.events, std::vector<std::string>{"Acknowledged"});

    l.line.Send(RadioFrame({0x04, 0xFF, 0x01, 0x00, 0x11}));
    l.engine.Pump();
    EXPECT_EQ(l.engine.VR(), 0);
    EXPECT_EQ(l.line.TakeWritten(),
              (Bytes{0x16, 0x10, 0x02, 0x02, 0x00, 0x01, 0x00, 0x10, 0x03, 0x0F, 0x0F}));
    // N(S) 255 is now V(R) - 1: a repeat.
    l.engine.events.clear();
    l.line.Send(RadioFrame({0x04, 0xFF, 0x01, 0x00, 0x11}));
    l.engine.Pump();
    EXPECT_TRUE(l.engine.events.empty());
    EXPECT_TRUE(l.engine.LinkEstablished());
}

TEST(EngineLink, SequenceErrorsRestartTheLink) {
    const Bytes lr = {0x16, 0x10, 0x02, 0x01, 0xFF, 0x01, 0x80, 0x10, 0x03, 0x0F, 0x0F};
    {
        // An LT out of sequence.
        LinkedEngine l(Program::Ombra);
        l.line.Send(RadioFrame({0x04, 0x05, 0x01, 0x00, 0x11}));
        l.engine.Pump();
        EXPECT_EQ(l.line.TakeWritten(), lr);
        EXPECT_TRUE(l.engine.LinkRequested());
    }
    {
        // An LT before the link is set up.
        VirtualClock clock;
        MemoryLine line;
        RecordingEngine engine(Program::Ombra, clock, line);
        EXPECT_EQ(engine.Open(), norda::Status::Ok);
        engine.SetTrace(true);
        line.Send(RadioFrame({0x04, 0x01, 0x01, 0x00, 0x11}));
        engine.Pump();
        EXPECT_EQ(line.TakeWritten(), lr);
        EXPECT_EQ(engine.traces,
                  (std::vector<std::string>{"LR Modunda LT alındı", "LR gönderildi"}));
        // An LA other than N(R) = 1 while linking.
        line.Send(RadioFrame({0x02, 0x02, 0x01, 0x00}));
        engine.Pump();
        EXPECT_EQ(line.TakeWritten(), lr);
        EXPECT_FALSE(engine.LinkEstablished());
    }
    {
        // An LA far from V(S).
        LinkedEngine l(Program::Solvi);
        l.line.Send(RadioFrame({0x02, 0x09, 0x01, 0x00}));
        l.engine.Pump();
        EXPECT_EQ(l.line.TakeWritten(), lr);
    }
    // N(R) = V(S): OMBRA ignores it; SOLVI restarts when it awaits an acknowledgement.
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        LinkedEngine l(variant);
        EXPECT_EQ(l.engine.Send(NetworkRequest::Reset(1)), norda::Status::Ok);
        l.line.TakeWritten();
        l.line.Send(RadioFrame({0x02, 0x01, 0x01, 0x00}));
        l.engine.Pump();
        if (variant == Program::Solvi) {
            EXPECT_EQ(l.line.TakeWritten(), lr);
        } else {
            EXPECT_TRUE(l.line.TakeWritten().empty());
            EXPECT_TRUE(l.engine.LinkEstablished());
        }
    }
    {
        // Once acknowledged, SOLVI too lets a repeated LA pass.
        LinkedEngine l(Program::Solvi);
        EXPECT_EQ(l.engine.Send(NetworkRequest::Reset(1)), norda::Status::Ok);
        l.line.Send(RadioFrame({0x02, 0x02, 0x01, 0x00}));
        l.line.Send(RadioFrame({0x02, 0x02, 0x01, 0x00}));
        l.engine.Pump();
        l.line.TakeWritten();
        EXPECT_TRUE(l.engine.LinkEstablished());
        EXPECT_EQ(l.engine.VS(), 2);
    }
}

TEST(EngineLink, MalformedLinkFramesAreOnlyTraced) {
    LinkedEngine l(Program::Solvi);
    l.engine.SetTrace(true);
    EXPECT_EQ(l.engine.Send(NetworkRequest::Reset(1)), norda::Status::Ok);
    l.line.TakeWritten();
    // An LA one byte too long, then a frame of unknown type.
    l.line.Send(RadioFrame({0x02, 0x02, 0x01, 0x00, 0x00}));
    l.line.Send(RadioFrame({0x07, 0x02, 0x01, 0x00}));
    l.engine.Pump();
    EXPECT_TRUE(l.line.TakeWritten().empty());
    EXPECT_EQ(l.engine.traces, (std::vector<std::string>{"Kötü LA alındı", "Kötü Mesaj alındı"}));
    EXPECT_TRUE(l.engine.AwaitingAck());
    EXPECT_EQ(l.engine.VS(), 1);
}

// Sends the radio's next LT with the given message and processes it.
void RadioSays(LinkedEngine& l, const Bytes& message) {
    Bytes body = {0x04, l.engine.VR(), 0x01, 0x00};
    body.insert(body.end(), message.begin(), message.end());
    l.line.Send(RadioFrame(body));
    l.engine.Pump();
    l.line.TakeWritten();
}

TEST(EngineLink, DispatcherDifferences) {
    // Any type of code 03 is area data to OMBRA; SOLVI wants type 04.
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        LinkedEngine l(variant);
        l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
        RadioSays(l, {0x03, 0x05, 0x02, 0x01, 0x00, 0x80, 0x42});
        if (variant == Program::Ombra) {
            EXPECT_EQ(l.engine.lastArea, Bytes{0x42});
            EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkIdle);
        } else {
            EXPECT_TRUE(l.engine.lastArea.empty());
            EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkAwaitingReply);
        }
        // Code 11 frees the network state in both.
        RadioSays(l, {0x11, 0x01, 0x02});
        EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkIdle);
        EXPECT_EQ(l.engine.events.back(), "Report 3");
    }

    LinkedEngine l(Program::Solvi);
    l.engine.SetTrace(true);
    // A write reply after a write: the state never became 2, so it is dropped.
    RadioSays(l, {0x03, 0x06, 0x02, 0x01, 0x00, 0x80, 0x00, 0x00, 0x80});
    EXPECT_TRUE(l.engine.events.empty());
    l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
    RadioSays(l, {0x03, 0x06, 0x02, 0x01, 0x00, 0x80, 0x07, 0x01, 0x02});
    EXPECT_EQ(l.engine.events, (std::vector<std::string>{"Answered", "WriteReply 2 65664 7 258"}));

    l.engine.events.clear();
    l.engine.traces.clear();
    l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
    RadioSays(l, {0x05, 0x00, 0x09});
    l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
    RadioSays(l, {0x08, 0x00, 0x0A});
    RadioSays(l, {0x08, 0x00, 0x0B, 0x0C});
    EXPECT_EQ(l.engine.events,
              (std::vector<std::string>{"Answered", "Reply 9", "Answered", "ReplyShort 10",
                                        "Answered", "ReplyLong 11 12"}));
    EXPECT_EQ(l.engine.NetworkState(), TWinmap27Port::kNetworkIdle);

    // Process trace lines by code.
    l.engine.traces.clear();
    RadioSays(l, {0xB2, 0x07});
    RadioSays(l, {0x0F, 0x03});
    RadioSays(l, {0x12, 0x04});
    RadioSays(l, {0x20});
    std::vector<std::string> process;
    for (const std::string& t : l.engine.traces) {
        if (t.rfind("LT process", 0) == 0) {
            process.push_back(t);
        }
    }
    EXPECT_EQ(process, (std::vector<std::string>{"LT process\t: state = 1 Code = B2 4",
                                                 "LT process\t: state = 1 Code = 0F Type = 3",
                                                 "LT process\t: state = 1 Code = 12 Type = 4",
                                                 "LT process\t: state = 1 Code = 20"}));
}

TEST(EngineLink, RepliesInIdleStateAreIgnored) {
    LinkedEngine l(Program::Ombra);
    RadioSays(l, {0x03, 0x04, 0x01, 0x00, 0x00, 0x00, 0x01});
    EXPECT_TRUE(l.engine.lastArea.empty());
    EXPECT_EQ(l.engine.StatusCode(), 0);
}

TEST(EngineLink, HostileRepliesStayInsideTheirBuffers) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        LinkedEngine l(variant);
        // Largest address the format can carry, as much data as a frame holds.
        Bytes message = {0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF};
        message.resize(l.engine.ReceiveBufferSize() - 11, 0xEE);
        l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
        RadioSays(l, message);
        EXPECT_EQ(l.engine.lastAreaAddress, 0xFFFFFFu);
        EXPECT_EQ(l.engine.lastArea.size(), l.engine.ReceiveBufferSize() - 17);

        // Replies too short for their own fields reach no hook.
        l.engine.events.clear();
        std::vector<Bytes> tooShort = {{0x03}, {0x03, 0x04, 0x01, 0x00}, {0x05}, {0x08, 0x01}};
        if (variant == Program::Solvi) {
            tooShort.push_back({0x03, 0x06, 0x01, 0x00, 0x00, 0x00, 0x00});
        }
        for (const Bytes& shortOne : tooShort) {
            l.engine.StageNetworkState(TWinmap27Port::kNetworkAwaitingReply);
            RadioSays(l, shortOne);
        }
        for (const std::string& e : l.engine.events) {
            EXPECT_EQ(e, "Answered");
        }
    }
}

TEST(EngineLink, RequestsGoOutEvenWithoutLink) {
    VirtualClock clock;
    MemoryLine line;
    RecordingEngine engine(Program::Ombra, clock, line);
    EXPECT_EQ(engine.Open(), norda::Status::Ok);
    EXPECT_EQ(engine.Send(NetworkRequest::Read(1, 1, 0, 7)), Status::Ok);
    EXPECT_FALSE(line.TakeWritten().empty());
    engine.Port().Close();
    EXPECT_EQ(engine.Send(NetworkRequest::Read(1, 1, 0, 7)), Status::WriteFailed);
}

}  // namespace
}  // namespace norda::test
