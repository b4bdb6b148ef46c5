#include <gtest/gtest.h>

#include <cstring>

#include "tools/radiosim/SimCrc.h"
#include "tools/radiosim/SimFraming.h"

namespace norda::sim {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<ReceivedFrame> FeedAll(FrameReceiver& rx, const Bytes& wire) {
    std::vector<ReceivedFrame> frames;
    for (uint8_t b : wire) {
        if (rx.Feed(b))
            frames.push_back(rx.Frame());
    }
    return frames;
}

TEST(SimCrc, CatalogueCheckValueAndLinkExample) {
    const char* check = "123456789";
    EXPECT_EQ(Crc16Usb(reinterpret_cast<const uint8_t*>(check), std::strlen(check)), 0xB4C8);
    const Bytes la{0x02, 0x01, 0x01, 0x00, 0x10, 0x03};
    EXPECT_EQ(Crc16Usb(la.data(), la.size()), 0xFB8F);
    EXPECT_EQ(Crc16Usb(nullptr, 0), 0x0000);
}

TEST(SimFraming, BuildsTheWireBytesOfLrAndLa) {
    EXPECT_EQ(BuildFrame({0x01, 0xFF, 0x01, 0x80}, CheckBytes::Fixed0F),
              (Bytes{0x16, 0x10, 0x02, 0x01, 0xFF, 0x01, 0x80, 0x10, 0x03, 0x0F, 0x0F}));
    // The check is sent low byte first.
    EXPECT_EQ(BuildFrame({0x02, 0x01, 0x01, 0x00}),
              (Bytes{0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x8F, 0xFB}));
    // V(R) = 16 is doubled on the wire but not in the check, which covers the de-stuffed body.
    const Bytes la16 = BuildFrame({0x02, 0x10, 0x01, 0x00});
    const Bytes head(la16.begin(), la16.begin() + 10);
    EXPECT_EQ(head, (Bytes{0x16, 0x10, 0x02, 0x02, 0x10, 0x10, 0x01, 0x00, 0x10, 0x03}));
    const uint16_t crc = FrameCrc({0x02, 0x10, 0x01, 0x00});
    EXPECT_EQ(la16[10], crc & 0xFF);
    EXPECT_EQ(la16[11], crc >> 8);
}

TEST(SimFraming, CorruptCheckIsNeverRightNorZero) {
    for (uint8_t n = 0; n < 200; ++n) {
        const Bytes body{0x04, n, 0x01, 0x00, 0x03, 0x04};
        const Bytes wire = BuildFrame(body, CheckBytes::Corrupt);
        const uint16_t sent = static_cast<uint16_t>(wire[wire.size() - 2] | (wire.back() << 8));
        EXPECT_NE(sent, FrameCrc(body));
        EXPECT_NE(sent, 0);
    }
}

TEST(SimFrameReceiver, DestuffsAndChecks) {
    FrameReceiver rx;
    auto frames = FeedAll(rx, BuildFrame({0x04, 0x10, 0x01, 0x00, 0x10, 0x10}));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x04, 0x10, 0x01, 0x00, 0x10, 0x10}));
    EXPECT_TRUE(frames[0].crcValid);

    frames = FeedAll(rx, {0x16, 0x10, 0x02, 0x01, 0xFF, 0x01, 0x80, 0x10, 0x03, 0x0F, 0x0F});
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FALSE(frames[0].crcValid);
    EXPECT_EQ(frames[0].check[0], 0x0F);
}

TEST(SimFrameReceiver, ResynchronisesOnNoiseAndRestarts) {
    FrameReceiver rx;
    const Bytes la = BuildFrame({0x02, 0x01, 0x01, 0x00});
    // SYN SYN DLE STX: the radio, unlike the strict programmer receiver, takes it.
    Bytes wire{0x16};
    wire.insert(wire.end(), la.begin(), la.end());
    EXPECT_EQ(FeedAll(rx, wire).size(), 1u);

    // A frame cut short by a new DLE STX: only the new frame counts.
    wire = {0x16, 0x10, 0x02, 0x04, 0x01};
    wire.insert(wire.end(), la.begin() + 1, la.end());
    auto frames = FeedAll(rx, wire);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].body, (Bytes{0x02, 0x01, 0x01, 0x00}));

    // A broken DLE sequence drops the partial frame; the next one still arrives.
    wire = {0x16, 0x10, 0x02, 0x04, 0x10, 0x55, 0x03, 0x0F};
    wire.insert(wire.end(), la.begin(), la.end());
    const uint32_t dropped = rx.Dropped();
    EXPECT_EQ(FeedAll(rx, wire).size(), 1u);
    EXPECT_EQ(rx.Dropped(), dropped + 1);
}

TEST(SimFrameReceiver, DropsOverlongFrames) {
    FrameReceiver rx;
    Bytes body(FrameReceiver::kMaxBody + 1, 0x41);
    EXPECT_TRUE(FeedAll(rx, BuildFrame(body)).empty());
    body.resize(FrameReceiver::kMaxBody);
    EXPECT_EQ(FeedAll(rx, BuildFrame(body)).size(), 1u);
}

}  // namespace
}  // namespace norda::sim
