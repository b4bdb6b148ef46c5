#include "codeplug/Validators.h"

#include <gtest/gtest.h>

#include "codeplug/PictureMatcher.h"
#include "platform/Windows1254.h"
#include "resources/StringTable.h"

namespace norda {
namespace {

const TextSource& Tr() {
    return OmbraTurkishStrings();
}

constexpr const char* kTonePicture =
    "0,67,69,71,74,77,79,82,85,88,91,94,97,100,103,107,110,114,118,123,127,131,136,141,146,151,"
    "156,159,162,165,167,171,173,177,179,183,186,189,192,196,199,203,206,210,218,225,229,233,"
    "241,250,254";
constexpr const char* kNamePicture = "*{&,#,; ,_,-,/}";

struct FakeHost : FrequencyFieldHost {
    bool set[2] = {true, true};
    std::vector<std::pair<int, int>> cleared, asked;
    void FrequencyCleared(int which, int row) override { cleared.emplace_back(which, row); }
    bool FrequencySet(int which, int row) override {
        asked.emplace_back(which, row);
        return set[which];
    }
};

bool Typed(TValidator& v, std::string text) {
    return v.IsValidInput(text, false);
}

TEST(TLRangeValidator, RangeEmptyZeroAndFilter) {
    LinkedBounds b;
    TLRangeValidator v(0, 255, false, true, kNoLink, &b);
    EXPECT_TRUE(v.IsValid("255"));
    EXPECT_FALSE(v.IsValid("256"));
    EXPECT_TRUE(v.IsValid(""));
    EXPECT_FALSE(Typed(v, "-1"));  // no minus when the range has no negatives
    EXPECT_FALSE(v.IsValid("-1"));
    EXPECT_FALSE(v.IsValid("1-2"));
    EXPECT_EQ(v.ErrorText(Tr()), "Değer 0 ile 255 arasında olmalıdır.");

    TLRangeValidator strict(10, 20, true, false, kNoLink, &b);
    EXPECT_FALSE(strict.IsValid(""));
    EXPECT_TRUE(strict.IsValid("0"));
    EXPECT_FALSE(strict.IsValid("9"));
    TLRangeValidator negative(-5, 5, false, false, kNoLink, &b);
    EXPECT_TRUE(Typed(negative, "-3"));
    EXPECT_TRUE(negative.IsValid("-5"));
    EXPECT_FALSE(negative.IsValid("-6"));
}

TEST(TLRangeValidator, LinkedPowerLevels) {
    LinkedBounds b;
    TLRangeValidator low(0, 15, false, false, kLowerField, &b);
    TLRangeValidator high(0, 15, false, false, kUpperField, &b);
    EXPECT_TRUE(low.IsValid("3"));
    EXPECT_TRUE(high.IsValid("7"));
    EXPECT_FALSE(low.IsValid("8"));  // above what the high field holds
    EXPECT_EQ(low.ErrorText(Tr()), "Değer 0 ile 7 arasında olmalıdır.");
    EXPECT_TRUE(low.IsValid("7"));
    EXPECT_FALSE(high.IsValid("6"));  // below the low field
    EXPECT_EQ(high.ErrorText(Tr()), "Değer 7 ile 15 arasında olmalıdır.");
}

TEST(TLRangeValidator, TransferOnlyWhenAsked) {
    LinkedBounds b;
    TLRangeValidator v(0, 99, false, false, kNoLink, &b);
    std::string text = "42";
    int32_t value = -1;
    EXPECT_FALSE(v.Transfer(text, value, TransferDirection::GetData));
    EXPECT_EQ(value, -1);
    v.SetTransfer(true);
    EXPECT_TRUE(v.Transfer(text, value, TransferDirection::GetData));
    EXPECT_EQ(value, 42);
    value = -17;
    EXPECT_TRUE(v.Transfer(text, value, TransferDirection::SetData));
    EXPECT_EQ(text, "-17");

    TStepValidator s(0, 100, 2.5);
    s.SetTransfer(true);
    double real = 7.5;
    EXPECT_TRUE(s.Transfer(text, real, TransferDirection::SetData));
    EXPECT_EQ(text, "7.500000");
    text = "2.25";
    EXPECT_TRUE(s.Transfer(text, real, TransferDirection::GetData));
    EXPECT_DOUBLE_EQ(real, 2.25);
}

TEST(RangeValidators, ListsAndTwoRanges) {
    const int32_t also[] = {-1, 300};
    TLRangeWAValidator wa(1, 99, also);
    EXPECT_TRUE(wa.IsValid("300"));
    EXPECT_TRUE(wa.IsValid("-1"));
    EXPECT_TRUE(Typed(wa, "-1"));
    EXPECT_FALSE(wa.IsValid("100"));
    EXPECT_FALSE(wa.IsValid(""));
    EXPECT_EQ(wa.ErrorText(Tr()), "Değer 1 ile 99 arasında veya -1,300 olmalıdır.");

    TL2RangeValidator two(1, 10, 100, 200, true, true);
    EXPECT_TRUE(two.IsValid("0"));
    EXPECT_TRUE(two.IsValid(""));
    EXPECT_TRUE(two.IsValid("150"));
    EXPECT_FALSE(two.IsValid("50"));
    EXPECT_EQ(two.ErrorText(Tr()), "Değer 1 ile 10, veya 100 ile 200 arasında olmalıdır.");

    TSingleIntValidator single(5, true, "Kanal: ");
    EXPECT_TRUE(single.IsValid("5"));
    EXPECT_FALSE(single.IsValid(""));
    EXPECT_FALSE(single.IsValid("50"));
    EXPECT_EQ(single.ErrorText(Tr()), "Kanal: Değer 5 olmalıdır.");
    TSingleIntValidator optional(5, false, "");
    EXPECT_TRUE(optional.IsValid(""));
}

TEST(TFRangeValidator, StepKindsAndClearedFrequency) {
    FakeHost host;
    TFRangeValidator rx(146, 174, true, kReceiveLink, 3, 2, &host);
    EXPECT_TRUE(rx.IsValid("146.0125"));
    EXPECT_TRUE(rx.IsValid("146.02"));
    EXPECT_FALSE(rx.IsValid("146.0063"));
    EXPECT_FALSE(rx.IsValid("174.0125"));
    EXPECT_FALSE(rx.IsValid("145.5"));
    EXPECT_FALSE(Typed(rx, "-1"));
    EXPECT_FALSE(rx.IsValid("146,5"));
    // Read as 146 and stored as 146.5 they were, or refused as no number.
    EXPECT_FALSE(rx.IsValid("146..5"));
    EXPECT_FALSE(rx.IsValid("146.0.125"));
    EXPECT_TRUE(rx.IsValid("0"));
    EXPECT_TRUE(host.cleared.empty());  // zero allowed: simply accepted
    EXPECT_EQ(rx.ErrorText(Tr()),
              "Değer 146 ile 174 arasında olmalıdır.\nBasamak = 10KHz veya 12.5KHz");

    TFRangeValidator k3(-1, 500, false, kTransmitLink, 0, 3, &host);
    EXPECT_TRUE(k3.IsValid("430.00625"));
    EXPECT_TRUE(k3.IsValid("430.0125"));
    EXPECT_FALSE(k3.IsValid("430.0035"));
    EXPECT_TRUE(k3.IsValid(""));  // zero not allowed but in range: the page hears of it
    EXPECT_EQ(host.cleared, (std::vector<std::pair<int, int>>{{FrequencyFieldHost::kTransmit, 0}}));
    EXPECT_EQ(k3.ErrorText(Tr()),
              "Değer -1 ile 500 arasında olmalıdır.\nBasamak = 6.25KHz veya 10KHz");

    TFRangeValidator plain(1, 2, false, kNoFrequencyLink, 0, 1);
    EXPECT_TRUE(plain.IsValid("1.001"));  // no raster without a link
    EXPECT_EQ(plain.ErrorText(Tr()), "Değer 1 ile 2 arasında olmalıdır. Basamak = 12.5KHz");
}

TEST(TStepValidator, StepsAndDecimalPoint) {
    TStepValidator v(0, 100, 2.5);
    EXPECT_TRUE(v.IsValid("7.5"));
    EXPECT_FALSE(v.IsValid("7.4"));
    EXPECT_FALSE(v.IsValid("102.5"));
    EXPECT_EQ(v.ErrorText(Tr()), "Değer 0 ile 100 arasında olmalıdır. Basamak = 2.5");
    TStepValidator whole(0, 1500, 100, true);
    EXPECT_FALSE(Typed(whole, "1.5"));
    EXPECT_TRUE(whole.IsValid("0"));
    EXPECT_TRUE(whole.IsValid("1500"));
    EXPECT_FALSE(whole.IsValid("150"));
    TStepValidator tenth(0.1, 0.7, 0.1);
    EXPECT_TRUE(tenth.IsValid("0.3"));  // binary fractions stay within the tolerance
    EXPECT_FALSE(v.IsValid("2..5"));
    EXPECT_FALSE(v.IsValid("5-2.5"));
}

TEST(PictureMatcher, TheTwoPicturesAndSyntax) {
    PictureMatcher tones(kTonePicture);
    ASSERT_TRUE(tones.Valid());
    EXPECT_EQ(tones.Check("67"), PictureResult::Complete);
    EXPECT_EQ(tones.Check("0"), PictureResult::Complete);
    EXPECT_EQ(tones.Check("254"), PictureResult::Complete);
    EXPECT_EQ(tones.Check("6"), PictureResult::Incomplete);
    EXPECT_EQ(tones.Check("68"), PictureResult::Error);
    EXPECT_EQ(tones.Check("2540"), PictureResult::Error);
    EXPECT_EQ(tones.Check(""), PictureResult::Empty);

    PictureMatcher names(kNamePicture);
    ASSERT_TRUE(names.Valid());
    std::string name = "kn 1_a-b/2";
    EXPECT_EQ(names.Match(name), PictureResult::Complete);
    EXPECT_EQ(name, "KN 1_A-B/2");
    EXPECT_EQ(names.Check("A.B"), PictureResult::Error);
    EXPECT_EQ(names.Check(Utf8ToWindows1254("çay")), PictureResult::Complete);

    EXPECT_EQ(PictureMatcher("*3#").Check("12"), PictureResult::Incomplete);
    EXPECT_EQ(PictureMatcher("*3#").Check("123"), PictureResult::Complete);
    EXPECT_EQ(PictureMatcher("#[#]").Check("1"), PictureResult::Complete);
    EXPECT_EQ(PictureMatcher("ab;*").Check("AB*"), PictureResult::Complete);
    EXPECT_FALSE(PictureMatcher("{#").Valid());
    EXPECT_FALSE(PictureMatcher("*").Valid());
    EXPECT_EQ(PictureMatcher("*[#]").Check("12"), PictureResult::Complete);
}

TEST(TListValidator, ToneFieldNeedsItsFrequency) {
    FakeHost host;
    TListValidator tx(kTonePicture, kTransmitLink, 4, false, &host);
    EXPECT_TRUE(tx.IsValid("67"));
    EXPECT_TRUE(tx.IsValid(""));
    EXPECT_FALSE(tx.IsValid("68"));
    EXPECT_EQ(tx.ErrorText(Tr()),
              "Değer aşağıdakilerden biri olmalıdır :\n"
              " 0,67,69,71,74,77,79,82,85,88,91,94,97,100,103,107,110,114,118,\n"
              " 123,127,131,136,141,146,151,156,159,162,165,167,171,173,177,179,\n"
              " 183,186,189,192,196,199,203,206,210,218,225,229,233,241,250,254");
    host.set[FrequencyFieldHost::kTransmit] = false;
    EXPECT_FALSE(tx.IsValid("67"));
    EXPECT_EQ(tx.ErrorText(Tr()), "Gönderme frekansı girilmedi !");
    EXPECT_TRUE(tx.IsValid(""));  // an empty tone needs no frequency

    TListValidator rx(kTonePicture, kReceiveLink, 0, false, &host);
    host.set[FrequencyFieldHost::kReceive] = false;
    EXPECT_FALSE(rx.IsValid("67"));
    EXPECT_EQ(rx.ErrorText(Tr()), "Alma frekansı girilmedi !");
    EXPECT_EQ(host.asked.back(), std::make_pair(int(FrequencyFieldHost::kReceive), 0));

    TListValidator name(kNamePicture);
    std::string typed = "ab-1";
    EXPECT_TRUE(name.IsValidInput(typed, false));
    EXPECT_EQ(typed, "AB-1");
    EXPECT_FALSE(name.IsValid("AB.1"));
    EXPECT_EQ(name.ErrorText(Tr()),
              "Değer aşağıdakilerden biri olmalıdır :\n *{&,#,; ,_,-,/}\n \n ");
}

TEST(TNEFilterValidator, TurkishUpperCasing) {
    std::bitset<256> letters = CharacterSet(Utf8ToWindows1254("A-Z ÇĞİÖŞÜ"));
    TNEFilterValidator tr(letters, true, false, 90);
    std::string text = "çğöşü ıi";
    EXPECT_TRUE(tr.IsValidInput(text, false));
    EXPECT_EQ(text, "ÇĞÖŞÜ Iİ");
    TNEFilterValidator en(letters, true, false, 9);
    text = "ıi";
    EXPECT_TRUE(en.IsValidInput(text, false));
    EXPECT_EQ(text, "İI");

    EXPECT_FALSE(tr.IsValid(""));
    EXPECT_EQ(tr.ErrorText(Tr()), "Bu alanı boş bırakmayın!");
    EXPECT_FALSE(tr.IsValid("AB1"));
    EXPECT_EQ(tr.ErrorText(Tr()), "Girilen değerde geçersiz karakter var !");
    EXPECT_FALSE(tr.IsValid("AЖ"));  // not in the code page at all
    EXPECT_TRUE(tr.IsValid("ŞİŞ"));
    TNEFilterValidator lax(letters, false, true);
    EXPECT_TRUE(lax.IsValid(""));
    text = "a";
    EXPECT_FALSE(lax.IsValidInput(text, false));

    TNEValidator ne;
    EXPECT_FALSE(ne.IsValid(""));
    EXPECT_TRUE(ne.IsValid(" "));
    EXPECT_EQ(ne.ErrorText(Tr()), "Bu alanı boş bırakmayın!");
}

}  // namespace
}  // namespace norda
