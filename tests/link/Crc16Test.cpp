#include "link/Crc16.h"

#include <gtest/gtest.h>

namespace norda {
namespace {

TEST(Crc16Usb, CatalogueCheckValueAndLinkAckExample) {
    const uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(Crc16Usb(digits, sizeof digits), 0xB4C8);
    // Body and closing DLE ETX of an LA with N(R) = 1; sent as 8F FB.
    const uint8_t la[] = {0x02, 0x01, 0x01, 0x00, 0x10, 0x03};
    EXPECT_EQ(Crc16Usb(la, sizeof la), 0xFB8F);
    EXPECT_EQ(Crc16Usb(nullptr, 0), 0x0000);
}

}  // namespace
}  // namespace norda
