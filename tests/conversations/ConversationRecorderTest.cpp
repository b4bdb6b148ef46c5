// The recorder is the oracle of the conversation files: what it fails to show, no
// conversation can catch.
#include "tests/support/ConversationRecorder.h"

#include <gtest/gtest.h>

namespace norda::test {
namespace {

TEST(ConversationRecorder, ShowsNoiseBrokenFramesAndWrongChecksInsteadOfDroppingThem) {
    VirtualClock clock(5000);
    MemoryLine line;
    ConversationRecorder recorder(line, clock);
    std::unique_ptr<ByteStream> port = line.MakeStream();
    ASSERT_EQ(port->Open(1), Status::Ok);
    auto write = [&](std::initializer_list<uint8_t> bytes) {
        std::vector<uint8_t> v(bytes);
        ASSERT_EQ(port->Write(v.data(), v.size(), 100), Status::Ok);
    };

    // Noise with a false start, then an LA whose CRC is right.
    line.Send({0x55, 0x16, 0x41, 0x10, 0x16, 0x10, 0x02, 0x02, 0x01});
    clock.Advance(3);
    line.Send({0x01, 0x00, 0x10, 0x03, 0x8F, 0xFB});
    // A stuffed address; then a check that is not the fixed pair.
    clock.Advance(2);
    write({0x16, 0x10, 0x02, 0x04, 0x01, 0x01, 0x00, 0x03, 0x01, 0x01, 0x00, 0x00, 0x10, 0x10, 0x50,
           0x10, 0x03, 0x0F, 0x0F});
    write({0x16, 0x10, 0x02, 0x01, 0xFF, 0x01, 0x80, 0x10, 0x03, 0x00, 0x00});
    clock.Advance(4);
    // A wrong CRC, then the unchecked pair.
    line.Send({0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x8F, 0xFC});
    line.Send({0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x00, 0x00});
    // A DLE sequence that breaks, a frame begun afresh with DLE STX, and one cut off.
    line.Send({0x16, 0x10, 0x02, 0x04, 0x01, 0x10, 0x41});
    line.Send(
        {0x16, 0x10, 0x02, 0x04, 0x01, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x8F, 0xFB});
    clock.Advance(1);
    line.Send({0x16, 0x10, 0x02, 0x04});

    EXPECT_EQ(recorder.Text(),
              "     0 ms << noise, 4 bytes\n"
              "             55 16 41 10\n"
              "     3 ms << LA nr=1 nk=1\n"
              "             16 10 02 02 01 01 00 10 03 8F FB\n"
              "     5 ms >> LT ns=1 ar=1 read mem=1 addr=0x0010 len=80\n"
              "             16 10 02 04 01 01 00 03 01 01 00 00 10 10 50 10 03 0F 0F\n"
              "     5 ms >> LR n1=255 k=1 ver=0x80 [check 00 00, not 0F 0F]\n"
              "             16 10 02 01 FF 01 80 10 03 00 00\n"
              "     9 ms << LA nr=1 nk=1 [BAD CHECK 8F FC, CRC is 8F FB]\n"
              "             16 10 02 02 01 01 00 10 03 8F FC\n"
              "     9 ms << LA nr=1 nk=1 [unchecked 00 00]\n"
              "             16 10 02 02 01 01 00 10 03 00 00\n"
              "     9 ms << broken frame, 6 bytes\n"
              "             16 10 02 04 01 10\n"
              "     9 ms << noise, 1 byte\n"
              "             41\n"
              "     9 ms << broken frame, 5 bytes\n"
              "             16 10 02 04 01\n"
              "     9 ms << LA nr=1 nk=1\n"
              "             10 02 02 01 01 00 10 03 8F FB\n"
              "    10 ms << incomplete frame, 4 bytes\n"
              "             16 10 02 04\n");
}

}  // namespace
}  // namespace norda::test
