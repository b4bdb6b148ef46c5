// The port's own rules, on the in-memory line.
#include "link/TPort.h"
#include "ombra/ops/OpsMessages.h"
#include "tests/support/ProgramLinks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/MemoryLine.h"

namespace norda {
namespace {

class CountingPort : public TPort {
  public:
    CountingPort(Program variant, VirtualClock& clock, MemoryLine& line, int32_t baud = 9600)
        : TPort(PortOf(variant), 3, baud, HandshakeMode::None, clock, line.MakeStream()) {
        SetWriteErrorHandler([this] { ++portErrors; });
    }
    int portErrors = 0;
};

TEST(TPort, OpenResultsAndSettings) {
    VirtualClock clock;
    MemoryLine line;
    CountingPort port(Program::Ombra, clock, line);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(port.Open(), Status::Ok);
    EXPECT_TRUE(port.PortOpen());
    EXPECT_EQ(port.DeviceName(), "com3");
    EXPECT_EQ(line.PortNumber(), 3);
    EXPECT_EQ(line.Baud(), 9600);
    EXPECT_EQ(line.Handshake(), HandshakeMode::None);
    EXPECT_GE(line.PurgeCount(), 1);

    // Open on an open port closes it first; the line sees two opens.
    EXPECT_EQ(port.Open(), Status::Ok);
    EXPECT_EQ(line.OpenCount(), 2);

    line.SetHeldElsewhere(true);
    EXPECT_EQ(port.Open(), Status::CannotOpen);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(line.IsOpen());
    line.SetHeldElsewhere(false);

    // Refused settings leave the device closed, so the next try can succeed.
    line.SetRefuseSettings(true);
    EXPECT_EQ(port.Open(), Status::SettingsRefused);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_FALSE(line.IsOpen());
    line.SetRefuseSettings(false);
    EXPECT_EQ(port.Reopen(4, 19200, HandshakeMode::None, 1024, 1024), Status::Ok);
    EXPECT_EQ(port.DeviceName(), "com4");
    EXPECT_EQ(line.Baud(), 19200);

    // Speeds outside 300..115200 are refused like any other setting.
    EXPECT_EQ(port.Reopen(4, 299, HandshakeMode::None, 1024, 1024), Status::SettingsRefused);
    EXPECT_FALSE(line.IsOpen());
    EXPECT_EQ(port.Reopen(4, 115201, HandshakeMode::None, 1024, 1024), Status::SettingsRefused);
    EXPECT_EQ(port.Reopen(4, 12345, HandshakeMode::None, 1024, 1024), Status::Ok);

    port.Close();
    EXPECT_FALSE(line.IsOpen());
    uint8_t b = 0;
    EXPECT_EQ(port.ReadByte(&b), Received::Failed);
    EXPECT_EQ(port.Write(&b, 1), Status::WriteFailed);
    EXPECT_EQ(port.portErrors, 0);
}

TEST(TPort, QueueSizesAreLoweredToTheDriverLimit) {
    VirtualClock clock;
    MemoryLine line;
    CountingPort port(Program::Ombra, clock, line);
    line.SetQueueLimits(512, 0);
    ASSERT_EQ(port.Open(), Status::Ok);
    EXPECT_EQ(port.TransmitQueueSize(), 512u);
    EXPECT_EQ(port.ReceiveQueueSize(), 1024u);
    line.SetQueueLimits(0, 2048);
    ASSERT_EQ(port.Reopen(3, 9600, HandshakeMode::None, 1024, 1024), Status::Ok);
    EXPECT_EQ(port.TransmitQueueSize(), 1024u);
    EXPECT_EQ(port.ReceiveQueueSize(), 1024u);
}

TEST(TPort, SolviPausesBeforeEveryOpen) {
    VirtualClock clock;
    MemoryLine line;
    CountingPort solvi(Program::Solvi, clock, line);
    EXPECT_EQ(solvi.Open(), norda::Status::Ok);
    EXPECT_EQ(solvi.Open(), norda::Status::Ok);
    EXPECT_EQ(clock.TickCount(), 200u);
    solvi.Close();

    VirtualClock other;
    MemoryLine otherLine;
    CountingPort ombra(Program::Ombra, other, otherLine);
    EXPECT_EQ(ombra.Open(), norda::Status::Ok);
    EXPECT_EQ(other.TickCount(), 0u);
}

TEST(TPort, ReadByteResults) {
    for (Program variant : {Program::Ombra, Program::Solvi}) {
        VirtualClock clock;
        MemoryLine line;
        CountingPort port(variant, clock, line);
        ASSERT_EQ(port.Open(), Status::Ok);
        uint8_t b = 0;
        EXPECT_EQ(port.ReadByte(&b), Received::Nothing);
        EXPECT_EQ(line.LastReadWait(), variant == Program::Solvi ? 5u : 0u);
        line.Send({0x42});
        EXPECT_EQ(port.ReadByte(&b), Received::Byte);
        EXPECT_EQ(b, 0x42);
        line.InjectLineError();
        EXPECT_EQ(port.ReadByte(&b), Received::Failed);
        EXPECT_EQ(port.ReadByte(&b), Received::Nothing);
        // An unplugged adapter keeps failing until the port is opened again.
        line.SetVanished(true);
        EXPECT_EQ(port.ReadByte(&b), Received::Failed);
        EXPECT_EQ(port.ReadByte(&b), Received::Failed);
    }
}

TEST(TPort, OmbraShortWriteReportsOnceAndPurgesBothQueues) {
    VirtualClock clock;
    MemoryLine line;
    CountingPort port(Program::Ombra, clock, line);
    ASSERT_EQ(port.Open(), Status::Ok);
    const uint8_t data[11] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_EQ(port.Write(data, sizeof data), Status::Ok);
    EXPECT_EQ(line.TakeWritten().size(), 11u);
    EXPECT_EQ(port.portErrors, 0);

    const int purges = line.PurgeCount();
    line.Send({0x99});
    line.SetWriteLimit(4);
    EXPECT_EQ(port.Write(data, sizeof data), Status::WriteFailed);
    EXPECT_EQ(port.portErrors, 1);
    EXPECT_EQ(line.PurgeCount(), purges + 1);
    EXPECT_EQ(line.PendingForPort(), 0u);
    EXPECT_EQ(line.TransmitPurgeCount(), 0);
    EXPECT_STREQ(ombra::msg::kWriteErrorText, "YAZMA HATASI !!");
    EXPECT_STREQ(ombra::msg::kWriteErrorCaption, "SERİ PORT");
}

TEST(TPort, SolviWriteIsBoundedByLineTimeAndPurgesTransmitOnly) {
    VirtualClock clock;
    MemoryLine line;
    CountingPort port(Program::Solvi, clock, line);
    ASSERT_EQ(port.Open(), Status::Ok);
    const uint8_t data[11] = {};
    EXPECT_EQ(port.Write(data, sizeof data), Status::Ok);
    // 11 bytes at 9600 baud: 11 * 10000 / 9600 + 26.
    EXPECT_EQ(line.LastWriteTimeout(), 37u);

    const int purges = line.PurgeCount();
    line.Send({0x99});
    line.SetWriteLimit(10);
    EXPECT_EQ(port.Write(data, sizeof data), Status::WriteFailed);
    EXPECT_EQ(port.portErrors, 1);
    EXPECT_EQ(line.TransmitPurgeCount(), 1);
    EXPECT_EQ(line.PurgeCount(), purges);
    EXPECT_EQ(line.PendingForPort(), 1u);

    line.SetVanished(true);
    EXPECT_EQ(port.Write(data, sizeof data), Status::WriteFailed);
    EXPECT_EQ(port.portErrors, 2);
}

}  // namespace
}  // namespace norda
