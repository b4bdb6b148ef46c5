#include "codeplug/LayoutEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace norda {
namespace {

struct Segment {
    LayoutStatus status;
    int32_t byte;
    int bit;
    int count;
    std::string rest;
};

Segment Parse(std::string_view text) {
    Segment s{};
    s.status = ParseSegment(text, s.byte, s.bit, s.count);
    s.rest = std::string(text);
    return s;
}

TEST(ParseSegmentTest, ReadsByteBitAndCountAndLeavesTheRest) {
    const Segment s = Parse("1333.7.8;1334.7.8");
    EXPECT_EQ(s.status, kLayoutOk);
    EXPECT_EQ(s.byte, 1333);
    EXPECT_EQ(s.bit, 7);
    EXPECT_EQ(s.count, 8);
    EXPECT_EQ(s.rest, "1334.7.8");

    const Segment last = Parse("1334.7.8");
    EXPECT_EQ(last.status, kLayoutOk);
    EXPECT_EQ(last.rest, "");
}

TEST(ParseSegmentTest, AcceptsSpacesAroundEveryTokenAndAnOffset) {
    const Segment spaced = Parse(" 4 6 . 5 . 6 ; 47.7.8");
    EXPECT_EQ(spaced.status, kLayoutOk);
    EXPECT_EQ(spaced.byte, 46);
    EXPECT_EQ(spaced.bit, 5);
    EXPECT_EQ(spaced.count, 6);
    EXPECT_EQ(spaced.rest, " 47.7.8");

    const Segment offset = Parse("1+2.7.8");
    EXPECT_EQ(offset.status, kLayoutOk);
    EXPECT_EQ(offset.byte, 3);
    EXPECT_EQ(Parse("1536 + 3 .7.8").byte, 1539);
    EXPECT_EQ(Parse("5.7.8!").status, kLayoutOk);
}

TEST(ParseSegmentTest, ReportsEachKindOfMistake) {
    EXPECT_EQ(Parse("1.7.9").status, kLayoutBadBitCount);
    EXPECT_EQ(Parse("1.7.0").status, kLayoutBadBitCount);
    EXPECT_EQ(Parse("1.7.").status, kLayoutBadBitCount);
    EXPECT_EQ(Parse("1.8.1").status, kLayoutBadBitNumber);
    EXPECT_EQ(Parse("1.").status, kLayoutBadBitNumber);
    EXPECT_EQ(Parse("1.3.5").status, kLayoutCountExceedsBit);
    EXPECT_EQ(Parse("x.7.8").status, kLayoutUnexpectedCharacter);
    EXPECT_EQ(Parse("").status, kLayoutUnexpectedCharacter);
    EXPECT_EQ(Parse("1.7").status, kLayoutUnexpectedCharacter);
    EXPECT_EQ(Parse("1.7.8x").status, kLayoutUnexpectedCharacter);
    EXPECT_EQ(Parse("1\t.7.8").status, kLayoutUnexpectedCharacter);
    EXPECT_EQ(Parse("1+x.7.8").status, kLayoutUnexpectedCharacter);
    EXPECT_EQ(Parse("1.3.4").status, kLayoutOk);
}

TEST(ParseSegmentTest, ByteNumbersBeyondInt32AreRefusedNotWrapped) {
    const Segment max = Parse("2147483647.7.8");
    EXPECT_EQ(max.status, kLayoutOk);
    EXPECT_EQ(max.byte, 2147483647);
    EXPECT_EQ(Parse("2147483648.7.8").status, kLayoutByteOverflow);
    // 429496730 * 10 wraps to a small positive number in 32 bits.
    EXPECT_EQ(Parse("4294967300.7.8").status, kLayoutByteOverflow);
    EXPECT_EQ(Parse("2147483647+1.7.8").status, kLayoutByteOverflow);
    EXPECT_EQ(Parse("1+99999999999999999999.7.8").status, kLayoutByteOverflow);
}

TEST(ParseSegmentTest, FailureLeavesTheTextAlone) {
    std::string_view text = "1.3.5;2.7.8";
    int32_t byte;
    int bit;
    int count;
    EXPECT_EQ(ParseSegment(text, byte, bit, count), kLayoutCountExceedsBit);
    EXPECT_EQ(text, "1.3.5;2.7.8");
}

class FieldListTest : public ::testing::Test {
  protected:
    RadioImage image;
    FieldList list{&image};
};

TEST_F(FieldListTest, SingleByteField) {
    int16_t v = 0xA5;
    ASSERT_EQ(list.BindField(v, 8, "5.7.8"), Status::Ok);
    EXPECT_EQ(list.Encode(), kLayoutOk);
    EXPECT_EQ(image[5], 0xA5);
    image[5] = 0x3C;
    EXPECT_EQ(list.Decode(), kLayoutOk);
    EXPECT_EQ(v, 0x3C);
}

TEST_F(FieldListTest, SegmentOrderGivesTheByteOrder) {
    int16_t little = 0x1234;
    int16_t big = 0x1234;
    int32_t wide = 0xABCDEF;
    ASSERT_EQ(list.BindField(little, 16, "4.7.8;3.7.8"), Status::Ok);
    ASSERT_EQ(list.BindField(big, 16, "1.7.8;2.7.8"), Status::Ok);
    ASSERT_EQ(list.BindField(wide, 24, "10.7.8;11.7.8;12.7.8"), Status::Ok);
    ASSERT_EQ(list.Encode(), kLayoutOk);
    EXPECT_EQ(image[4], 0x12);
    EXPECT_EQ(image[3], 0x34);
    EXPECT_EQ(image[1], 0x12);
    EXPECT_EQ(image[2], 0x34);
    EXPECT_EQ(image[10], 0xAB);
    EXPECT_EQ(image[11], 0xCD);
    EXPECT_EQ(image[12], 0xEF);
    little = big = 0;
    wide = -1;
    ASSERT_EQ(list.Decode(), kLayoutOk);
    EXPECT_EQ(little, 0x1234);
    EXPECT_EQ(big, 0x1234);
    EXPECT_EQ(wide, 0xABCDEF);
}

TEST_F(FieldListTest, SplitFieldSharesItsFirstByteWithFlags) {
    int16_t high = 1;
    int16_t tot = 0;
    int16_t code = 0x3FFF;
    ASSERT_EQ(list.BindField(high, 1, "46.7.1"), Status::Ok);
    ASSERT_EQ(list.BindField(tot, 1, "46.6.1"), Status::Ok);
    ASSERT_EQ(list.BindField(code, 14, "46.5.6;47.7.8"), Status::Ok);
    ASSERT_EQ(list.Encode(), kLayoutOk);
    EXPECT_EQ(image[46], 0xBF);
    EXPECT_EQ(image[47], 0xFF);

    image[46] = 0x52;
    image[47] = 0x34;
    ASSERT_EQ(list.Decode(), kLayoutOk);
    EXPECT_EQ(high, 0);
    EXPECT_EQ(tot, 1);
    EXPECT_EQ(code, 0x1234);
}

TEST_F(FieldListTest, OneBitPerByteFromTheTopOfTheValue) {
    int16_t tone = 37;  // 100101
    ASSERT_EQ(list.BindField(tone, 6, "52.7.1;53.7.1;54.7.1;55.7.1;56.7.1;57.7.1"), Status::Ok);
    ASSERT_EQ(list.Encode(), kLayoutOk);
    const uint8_t expected[] = {0x80, 0x00, 0x00, 0x80, 0x00, 0x80};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(image[52 + i], expected[i]) << "byte " << 52 + i;
    }
}

TEST_F(FieldListTest, DecodeTouchesOnlyTheStorageClassOfTheWidth) {
    int16_t narrow = 0x1234;
    int32_t medium = 0x7A5A1234;
    char character = 'x';
    ASSERT_EQ(list.BindField(narrow, 8, "0.7.8"), Status::Ok);
    ASSERT_EQ(list.BindField(medium, 12, "1.3.4;2.7.8"), Status::Ok);
    ASSERT_EQ(list.BindField(character, 7, "3.6.7"), Status::Ok);
    image[0] = 0xFF;
    image[1] = 0xFA;
    image[2] = 0xBC;
    image[3] = 0xC1;  // bit 7 belongs to another field
    ASSERT_EQ(list.Decode(), kLayoutOk);
    EXPECT_EQ(static_cast<uint16_t>(narrow), 0x12FF);
    EXPECT_EQ(medium, 0x7A5A0ABC);
    EXPECT_EQ(character, 'A');
}

TEST_F(FieldListTest, EncodeClearsEverythingNoBindingCovers) {
    image.bytes.fill(0xEE);
    int16_t flag = 1;
    ASSERT_EQ(list.BindField(flag, 1, "100.3.1"), Status::Ok);
    ASSERT_EQ(list.Encode(), kLayoutOk);
    for (int i = 0; i < RadioImage::kSize; ++i) {
        ASSERT_EQ(image[i], i == 100 ? 0x08 : 0x00) << "byte " << i;
    }
}

TEST_F(FieldListTest, EmptyLayoutBindsNothingButDecodeStillClears) {
    int16_t v = 0x1234;
    ASSERT_EQ(list.BindField(v, 8, ""), Status::Ok);
    image.bytes.fill(0xFF);
    EXPECT_EQ(list.Decode(), kLayoutOk);
    EXPECT_EQ(v, 0x1200);
}

TEST_F(FieldListTest, AFailureStopsLaterBindingsButStillClearsThem) {
    int16_t first = 0;
    int16_t broken = 0x1111;
    int16_t later = 0x2222;
    ASSERT_EQ(list.BindField(first, 8, "0.7.8"), Status::Ok);
    ASSERT_EQ(list.BindField(broken, 16, "1.7.8;2.8.8"), Status::Ok);
    ASSERT_EQ(list.BindField(later, 16, "3.7.8;4.7.8"), Status::Ok);
    image[0] = 0x11;
    image[1] = 0x22;
    image[3] = 0x33;
    EXPECT_EQ(list.Decode(), kLayoutBadBitNumber);
    EXPECT_EQ(first, 0x11);
    EXPECT_EQ(broken, 0x2200);  // the first segment went in before the mistake
    EXPECT_EQ(later, 0);

    image.bytes.fill(0xEE);
    EXPECT_EQ(list.Encode(), kLayoutBadBitNumber);
    EXPECT_EQ(image[1], 0x22);
    EXPECT_EQ(image[3], 0x00);
}

TEST_F(FieldListTest, SegmentsOutsideTheImageOrTheValueAreRefused) {
    int16_t v = 0x7FFF;
    struct Case {
        const char* layout;
        int width;
    } cases[] = {
        {"2048.7.8", 8},
        {"2047.7.8;2048.7.8", 16},
        {"2000000000.7.8", 8},
        {"2000+48.7.8", 8},
        {"10.7.8;11.7.8", 8},          // more bits than the width
        {"10.3.4;11.7.8;12.7.4", 16},  // second segment straddles two value bytes
    };
    for (const Case& c : cases) {
        FieldList one(&image);
        ASSERT_EQ(one.BindField(v, c.width, c.layout), Status::Ok) << c.layout;
        image.bytes.fill(0);
        EXPECT_EQ(one.Encode(), kLayoutOutsideStorage) << c.layout;
        EXPECT_EQ(one.Decode(), kLayoutOutsideStorage) << c.layout;
    }
    int16_t edge = 0x5A;
    FieldList last(&image);
    ASSERT_EQ(last.BindField(edge, 8, "2047.7.8"), Status::Ok);
    EXPECT_EQ(last.Encode(), kLayoutOk);
    EXPECT_EQ(image[2047], 0x5A);
}

// A list that lacks a field must neither clear the image for a write nor fill the
// variables from it.
TEST_F(FieldListTest, BindingsThatWouldOverrunTheVariableAreRefusedAndTheListWithThemFails) {
    int8_t small = 0;
    int16_t word = 0;
    int32_t wide = 0;
    EXPECT_EQ(list.BindField(small, 9, "0.7.1"), Status::Refused);
    EXPECT_EQ(list.BindField(word, 17, "0.7.1"), Status::Refused);
    EXPECT_EQ(list.BindField(wide, 33, "0.7.1"), Status::Refused);
    EXPECT_EQ(list.BindField(wide, 0, "0.7.1"), Status::Refused);
    EXPECT_EQ(list.BindField(word, 8, std::string(kMaxLayoutLength + 1, ' ')), Status::Refused);
    EXPECT_TRUE(list.Bindings().empty());
    EXPECT_EQ(list.BindField(word, 8, std::string(kMaxLayoutLength - 5, ' ') + "0.7.8"),
              Status::Ok);
    EXPECT_EQ(list.BindField(wide, 32, "0.7.8;1.7.8;2.7.8;3.7.8"), Status::Ok);
    image[5] = 0x77;
    word = 0x1234;
    EXPECT_EQ(list.Encode(), kLayoutBindingRefused);
    EXPECT_EQ(list.Decode(), kLayoutBindingRefused);
    EXPECT_EQ(image[5], 0x77);
    EXPECT_EQ(word, 0x1234);
    list.Free();
    EXPECT_EQ(list.Encode(), kLayoutOk);
}

TEST_F(FieldListTest, WithoutAnImageNothingIsTouched) {
    FieldList unbound;
    int16_t v = 5;
    ASSERT_EQ(unbound.BindField(v, 8, "0.7.8"), Status::Ok);
    EXPECT_EQ(unbound.Encode(), kLayoutOutsideStorage);
    EXPECT_EQ(unbound.Decode(), kLayoutOutsideStorage);
    EXPECT_EQ(v, 5);
}

TEST(AreaChecksumTest, SumsWrapAndAreStoredBigEndian) {
    RadioImage image;
    for (int i = 100; i < 400; ++i) {
        image[i] = 0xFF;
    }
    ASSERT_EQ(WriteAreaChecksum(image, 100, 400), kChecksumOk);
    EXPECT_EQ(AreaSum(image, 100, 400), (300 * 255) % 65536);
    EXPECT_EQ(image[400], 0x2A);
    EXPECT_EQ(image[401], 0xD4);
    EXPECT_TRUE(AreaChecksumMatches(image, 100, 400));
    image[250] = 0xFE;
    EXPECT_FALSE(AreaChecksumMatches(image, 100, 400));

    RadioImage zeros;
    EXPECT_TRUE(AreaChecksumMatches(zeros, 0, 5));
}

TEST(AreaChecksumTest, RangesThatDoNotFitAreRefused) {
    RadioImage image;
    image.bytes.fill(0x11);
    const RadioImage before = image;
    EXPECT_EQ(WriteAreaChecksum(image, 2000, 2047), kChecksumRangeInvalid);
    EXPECT_EQ(WriteAreaChecksum(image, -1, 10), kChecksumRangeInvalid);
    EXPECT_EQ(WriteAreaChecksum(image, 10, 5), kChecksumRangeInvalid);
    EXPECT_EQ(image.bytes, before.bytes);
    EXPECT_FALSE(AreaChecksumMatches(image, 2000, 2047));
    EXPECT_EQ(WriteAreaChecksum(image, 2000, 2046), kChecksumOk);
}

}  // namespace
}  // namespace norda
