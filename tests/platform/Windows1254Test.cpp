#include "platform/Windows1254.h"

#include <gtest/gtest.h>

namespace norda {
namespace {

TEST(Windows1254, TurkishLettersMapBothWays) {
    const std::string utf8 = "ğĞıİşŞçÇöÖüÜ";
    const std::string cp = "\xF0\xD0\xFD\xDD\xFE\xDE\xE7\xC7\xF6\xD6\xFC\xDC";
    EXPECT_EQ(Utf8ToWindows1254(utf8), cp);
    EXPECT_EQ(Windows1254ToUtf8(cp), utf8);
    EXPECT_EQ(Utf8ToWindows1254("Yüksek Güç"), "Y\xFCksek G\xFC\xE7");
}

TEST(Windows1254, EveryByteRoundTripsThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Windows1254ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    bool lossless = false;
    EXPECT_EQ(Utf8ToWindows1254(utf8, '?', &lossless), all);
    EXPECT_TRUE(lossless);
    // A few of the characters that differ from Latin-1.
    EXPECT_EQ(Windows1254ToUtf8("\x80\x8A\x9F"), "€ŠŸ");
}

TEST(Windows1254, UnmappableAndMalformedInputIsReplaced) {
    bool lossless = true;
    EXPECT_EQ(Utf8ToWindows1254("a\xE2\x82\xAC\xD0\x96z", '?', &lossless), "a\x80?z");  // € Ж
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8ToWindows1254("x\xC3"), "x?");     // cut sequence
    EXPECT_EQ(Utf8ToWindows1254("\xC0\xAF"), "??");  // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));       // surrogate
    EXPECT_FALSE(IsValidUtf8("G\xFC\xE7"));          // Windows-1254 text
    EXPECT_TRUE(IsValidUtf8("Güç"));
}

TEST(Windows1254, CaseFoldingCoversTurkishLetters) {
    EXPECT_EQ(FoldCase1254('a'), 'A');
    EXPECT_EQ(FoldCase1254(0xFC), 0xDC);  // ü
    EXPECT_EQ(FoldCase1254(0xF0), 0xD0);  // ğ
    EXPECT_EQ(FoldCase1254(0xFE), 0xDE);  // ş
    EXPECT_EQ(FoldCase1254(0xFD), 'I');   // ı
    EXPECT_EQ(FoldCase1254(0xDD), 'I');   // İ
    EXPECT_EQ(FoldCase1254(0xF7), 0xF7);  // ÷ has no case
}

}  // namespace
}  // namespace norda
