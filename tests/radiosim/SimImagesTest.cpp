#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/ParamImage.h"

namespace norda::sim {
namespace {

TEST(SimParamMemory, EveryAreaIsProgrammedForTheBand) {
    for (uint16_t band : {uint16_t{5840}, uint16_t{16240}, uint16_t{17200}}) {
        const ParamMemory m = GenerateParamMemory(band);
        for (const auto& range : kChecksumRanges)
            EXPECT_TRUE(AreaChecksumOk(m, range)) << range.area;
        EXPECT_EQ((m[1420] << 8) | m[1421], band);
    }
}

TEST(SimParamMemory, ChecksumIsABigEndianByteSumAfterTheRange) {
    ParamMemory m = GenerateParamMemory();
    m.fill(0);
    m[0] = 0xFF;
    m[1] = 0xFF;
    m[4] = 0x03;
    WriteAreaChecksums(m);
    EXPECT_EQ(m[5], 0x02);
    EXPECT_EQ(m[6], 0x01);
    m[2] = 1;
    EXPECT_FALSE(AreaChecksumOk(m, kChecksumRanges[0]));
}

TEST(SimParamMemory, ChannelsHaveNamesFrequenciesAndTones) {
    const uint16_t band = 5840;
    const ParamMemory m = GenerateParamMemory(band);
    for (int n = 1; n <= 99; ++n) {
        const size_t at = 33 + 13 * static_cast<size_t>(n);
        char name[9] = {};
        name[0] = static_cast<char>(m[at + 5] & 0x7F);
        for (int k = 0; k < 6; ++k)
            name[1 + k] = static_cast<char>(m[at + 6 + k] & 0x7F);
        name[7] = static_cast<char>(m[at + 12] & 0x7F);
        char expected[9];
        std::snprintf(expected, sizeof expected, "KN %-5d", n);
        EXPECT_STREQ(name, expected);

        const int tx = ((m[at] & 0x3F) << 8) | m[at + 1];
        const int rx = ((m[at + 2] & 0x3F) << 8) | m[at + 3];
        // Inside the 30 MHz band above its base.
        EXPECT_GT(rx, 0);
        EXPECT_LT(rx, 30000000 / 2500);
        EXPECT_LT(tx, 30000000 / 2500);
        const int rxTone = m[at + 4] & 0x3F;
        int txTone = 0;
        for (int k = 0; k < 6; ++k)
            txTone = (txTone << 1) | (m[at + 6 + k] >> 7);
        EXPECT_LE(rxTone, 50);
        EXPECT_LE(txTone, 50);
        EXPECT_EQ((m[at + 5] >> 7) == 1, txTone != 0);
    }
    // Channel 1 at 147.000 MHz, 12.5 kHz raster after it.
    EXPECT_EQ(((m[48] & 0x3F) << 8) | m[49], 400);
    EXPECT_EQ(((m[61] & 0x3F) << 8) | m[62], 405);
    EXPECT_EQ(ToneOfCode(37), 241);
    EXPECT_EQ(ToneOfCode(51), 0);
}

TEST(SimParamMemory, LoadsOnlyWholeImages) {
    const std::string path = ::testing::TempDir() + "radiosim-param.bin";
    ParamMemory m{};
    for (size_t i = 0; i < m.size(); ++i)
        m[i] = static_cast<uint8_t>(i * 3);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(m.data(), 1, m.size(), f);
    std::fclose(f);
    ParamMemory loaded{};
    ASSERT_EQ(LoadParamMemory(path, loaded), 0);
    EXPECT_EQ(loaded, m);

    f = std::fopen(path.c_str(), "ab");
    std::fputc(0, f);
    std::fclose(f);
    EXPECT_EQ(LoadParamMemory(path, loaded), -2);
    std::remove(path.c_str());
    EXPECT_EQ(LoadParamMemory(path, loaded), -1);
    std::vector<uint8_t> flash;
    EXPECT_EQ(LoadFlashHex(path, flash), -1);
}

TEST(SimFlash, DefaultSoftwareHasASealedHeader) {
    const std::vector<uint8_t> flash = GenerateFlashImage();
    ASSERT_EQ(flash.size(), kFlashSize);
    uint32_t sum = 0;
    for (uint32_t a = 0x2000; a <= 0xFFFF; ++a)
        sum += flash[a];
    EXPECT_EQ(flash[0x10003], (sum >> 8) & 0xFF);
    EXPECT_EQ(flash[0x10004], sum & 0xFF);
    EXPECT_EQ(flash[0x100FF], 0xFF);
    EXPECT_EQ(std::string({static_cast<char>(flash[0x10009]), static_cast<char>(flash[0x1000A]),
                           static_cast<char>(flash[0x10000])}),
              "NRV");
}

TEST(SimFlash, LoadsSRecords) {
    std::vector<uint8_t> flash;
    const std::string text =
        "S00600004844521B\r\n"
        "S107200001020304CE\r\n"
        "S2080100000A0B0C0DC8\r\n"
        "S9030000FC\r\n";
    ASSERT_EQ(ParseSRecords(text, flash), 0);
    EXPECT_EQ(flash[0x2000], 0x01);
    EXPECT_EQ(flash[0x2003], 0x04);
    EXPECT_EQ(flash[0x10000], 0x0A);
    EXPECT_EQ(flash[0x10002], 0x0C);
    // Sealed: erased bytes count in the code sum as FF.
    const uint32_t sum = (0xE000u - 4u) * 0xFFu + 1 + 2 + 3 + 4;
    EXPECT_EQ(flash[0x10003], (sum >> 8) & 0xFF);
    EXPECT_EQ(flash[0x10004], sum & 0xFF);
    EXPECT_EQ(flash[0x1FFFF], 0xFF);

    EXPECT_EQ(ParseSRecords("S00600004844521B\r\nS107200001020304CF\r\nS9030000FC\r\n", flash), -2);
    EXPECT_EQ(ParseSRecords("S00600004844521B\r\nS107200001020304CE\r\n", flash), -2);
    EXPECT_EQ(ParseSRecords("S00600004844521B\r\nS3072000010203047C\r\nS9030000FC\r\n", flash), -2);
}

}  // namespace
}  // namespace norda::sim
