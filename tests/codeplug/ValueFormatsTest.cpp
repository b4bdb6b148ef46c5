#include "codeplug/ValueFormats.h"

#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "codeplug/TextFormat.h"

namespace norda {
namespace {

TEST(DecimalToScaled, OneNumberPaddedOrCutElseNone) {
    EXPECT_EQ(DecimalToScaled("4.6", 6), 4600000);
    EXPECT_EQ(DecimalToScaled("10", 6), 10000000);
    EXPECT_EQ(DecimalToScaled("-4.6", 6), -4600000);
    EXPECT_EQ(DecimalToScaled("10.0125", 6), 10012500);
    EXPECT_EQ(DecimalToScaled("1.23456789", 6), 1234567);
    EXPECT_EQ(DecimalToScaled("146.0125", 6), 146012500);
    EXPECT_EQ(DecimalToScaled("146", 6), 146000000);
    EXPECT_EQ(DecimalToScaled("", 6), 0);
    EXPECT_EQ(DecimalToScaled("0.0000", 6), 0);
    EXPECT_EQ(DecimalToScaled(".5", 6), 500000);
    EXPECT_EQ(DecimalToScaled("5.", 6), 5000000);
    EXPECT_EQ(DecimalToScaled("99999999999", 6), 99999999999000000);
    // A text that is not one number is none, never a number made up from its pieces.
    for (const char* text : {"1..5", "1.2.3", "146,0125", "1.2x", "abc", ".", "-", "1 2"})
        EXPECT_EQ(DecimalToScaled(text, 6), std::nullopt) << text;
}

TEST(FrequencyText, CodesAndMegahertz) {
    constexpr int32_t kVhf = 5840;  // 146 MHz
    EXPECT_EQ(FrequencyCodeToText(5, kVhf), "146.0125");
    EXPECT_EQ(FrequencyCodeToText(0, kVhf), "146.0000");
    EXPECT_EQ(FrequencyCodeToText(kNoFrequencyCode, kVhf), "0.0000");
    EXPECT_EQ(FrequencyCodeToText(11199, kVhf), "173.9975");
    EXPECT_EQ(FrequencyCodeToText(65535, 18000), "613.8375");
    EXPECT_EQ(TextToFrequencyCode("146.0125", kVhf), 5);
    EXPECT_EQ(TextToFrequencyCode("146.01249", kVhf), 4);  // truncated
    EXPECT_EQ(TextToFrequencyCode("0.0000", kVhf), kNoFrequencyCode);
    EXPECT_EQ(TextToFrequencyCode("", kVhf), kNoFrequencyCode);
    EXPECT_EQ(TextToFrequencyCode("145.9990", kVhf), 0);  // toward zero, not down
    EXPECT_EQ(TextToFrequencyCode("145.9975", kVhf), -1);
    EXPECT_EQ(TextToFrequencyCode("146,0125", kVhf), std::nullopt);
    for (int32_t code = 0; code < 16383; code += 97)
        EXPECT_EQ(TextToFrequencyCode(FrequencyCodeToText(code, 17200), 17200), code);
}

TEST(DigitStrings, PlacesAndText) {
    DigitString d{};
    auto places = [&] { return std::vector<int16_t>(std::begin(d), std::end(d)); };
    EXPECT_EQ(TextToDigits("12X4", d), 4);
    EXPECT_EQ(places(), (std::vector<int16_t>{1, 2, 15, 15, 15, 15}));
    EXPECT_EQ(DigitsToText(d), "12");
    EXPECT_EQ(TextToDigits("9ABCD01", d), 6);
    EXPECT_EQ(places(), (std::vector<int16_t>{9, 10, 11, 12, 13, 0}));
    EXPECT_EQ(DigitsToText(d), "9ABCD0");
    EXPECT_EQ(TextToDigits("", d), 0);
    EXPECT_EQ(DigitsToText(d), "");
    const DigitString odd{1, 14, 2, 3, 4, 5};  // 14 is no digit
    EXPECT_EQ(DigitsToText(odd), "1");
    const DigitString neg{3, -1, 2, 2, 2, 2};
    EXPECT_EQ(DigitsToText(neg), "3");
}

TEST(FormatText, ConversionsFollowTheTextNotTheCaller) {
    EXPECT_EQ(FormatText("Değer %ld ile %ld arasında olmalıdır.", {0LL, 255LL}),
              "Değer 0 ile 255 arasında olmalıdır.");
    EXPECT_EQ(FormatText("%g-%g %s%%", {146.0, 174.5, std::string("x")}), "146-174.5 x%");
    EXPECT_EQ(FormatText("%sDeğer %d olmalıdır.", {std::string("Kanal: "), 5LL}),
              "Kanal: Değer 5 olmalıdır.");
    // A text that asks for more or other arguments than given does not misbehave.
    EXPECT_EQ(FormatText("%s %d %g %s", {7LL}), "7 0 0 ");
    EXPECT_EQ(FormatText("%05.1f|%-3d|", {2.25, 4LL}), "002.2|4  |");
    EXPECT_EQ(FormatText("%999999999d", {1LL}).size(), 999u);
    EXPECT_EQ(FormatText("tail %", {}), "tail ");
}

}  // namespace
}  // namespace norda
