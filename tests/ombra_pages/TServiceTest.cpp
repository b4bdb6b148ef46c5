#include "ombra/pages/TService.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>

#include "ParamPagesTestSupport.h"

namespace norda::ombra {
namespace {

using testing::Messages;
using testing::TextOf;
using testing::Turkish;
using testing::Type;

using enum ServiceIds::Control;

struct Shown {
    RadioParameters p;
    std::unique_ptr<TService> page;
    Shown() {
        p.TestAyar.HalfBaseChan = 5840;  // VHF
        p.Service.LPIndex = 3;
        p.Service.HPIndex = 7;
        p.Service.KeyPad = 1;
        p.Service.SCEnc = 1;
        const int16_t sc[] = {1, 2, 3, 15, 15, 15};
        std::copy(std::begin(sc), std::end(sc), p.Service.SecmeliCagriNo);
        std::fill(std::begin(p.Service.ANINo), std::end(p.Service.ANINo), kEmptyDigit);
        std::fill(std::begin(p.Service.ACKNo), std::end(p.Service.ACKNo), kEmptyDigit);
    }
    void Open() {
        page = std::make_unique<TService>(nullptr, Turkish(), p);
        page->Create();
    }
    QCheckBox* Box(int id) { return page->Item<QCheckBox>(id); }
};

TEST(TService, ShowsAndStoresTheSpecialParameters) {
    Shown s;
    s.p.Service.ProgVersionMajor = 4;
    s.p.Service.ProgVersionMinor = 2;
    s.p.Service.MonitorDisabled = 1;
    s.p.Service.CloneKey = 0;
    s.Open();
    EXPECT_EQ(s.page->Item<QLabel>(kVersion)->text().toStdString(), "4.2");
    EXPECT_FALSE(s.Box(kMonitor)->isChecked());
    EXPECT_EQ(TextOf(*s.page, 131), "0");
    EXPECT_EQ(TextOf(*s.page, kSelectiveCall), "123");
    EXPECT_EQ(TextOf(*s.page, 134), "");

    s.Box(kMonitor)->setChecked(true);
    Type(*s.page, 134, "12b4");  // lower-case digits pass the picture
    Type(*s.page, kSelectiveCall, "1234c");
    Type(*s.page, 131, "255");
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Service.MonitorDisabled, 0);
    EXPECT_EQ(s.p.Service.CloneKey, 255);
    const int16_t ani[] = {1, 2, 11, 4, 15, 15};
    EXPECT_TRUE(std::equal(std::begin(ani), std::end(ani), s.p.Service.ANINo));
    EXPECT_EQ(s.p.Service.SecmeliCagriNo[4], 12);
    EXPECT_EQ(s.p.Clone.TonLength, 5);
}

TEST(TService, RefusesNumbersTheRadioCannotHold) {
    Shown s;
    s.Open();
    Messages messages;
    testing::Keys(*s.page, 131, "2565");
    EXPECT_EQ(TextOf(*s.page, 131), "256");
    EXPECT_FALSE(s.page->CanLeave());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Değer 0 ile 255 arasında olmalıdır.");
    // A seventh digit, or a third power digit, cannot be typed at all.
    Type(*s.page, 131, "25");
    testing::Keys(*s.page, 134, "1234567");
    EXPECT_EQ(TextOf(*s.page, 134), "123456");
    testing::Keys(*s.page, 128, "78");
    EXPECT_EQ(TextOf(*s.page, 128), "7");
}

TEST(TService, SelectiveCallNeedsTheKeypadOnAHandheld) {
    Shown s;
    s.Open();
    Messages messages;
    s.Box(kKeyPad)->click();  // unticked: selective call goes with it
    EXPECT_FALSE(s.Box(kScEnc)->isChecked());
    s.Box(kScEnc)->click();
    EXPECT_FALSE(s.Box(kScEnc)->isChecked());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Seçmeli çağrı için tuş takımı kullanma yetkisi olmalı !");
    EXPECT_EQ(messages.shown[0].caption, "HATA");
    EXPECT_EQ(messages.shown[0].style, 48);

    s.Box(kKeyPad)->click();
    s.Box(kScEnc)->click();
    EXPECT_TRUE(s.Box(kScEnc)->isChecked());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(TService, SelectiveCallWithoutKeypadIsAllowedWithKeypadHardware) {
    Shown s;
    s.p.TestAyar.HwNotHandheld = 1;
    s.p.Service.KeyPad = 0;
    s.p.Service.SCEnc = 0;
    s.Open();
    Messages messages;
    s.Box(kScEnc)->click();
    EXPECT_TRUE(s.Box(kScEnc)->isChecked());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(TService, AckNumberNeedsASelectiveCallNumber) {
    Shown s;
    s.Open();
    Messages messages;
    Type(*s.page, kAck, "55");
    s.page->AckLeft();
    EXPECT_EQ(TextOf(*s.page, kAck), "55");
    EXPECT_TRUE(messages.shown.empty());

    Type(*s.page, kSelectiveCall, "");
    s.page->SelectiveCallLeft();
    EXPECT_EQ(TextOf(*s.page, kAck), "");

    Type(*s.page, kAck, "66");
    s.page->AckLeft();
    EXPECT_EQ(TextOf(*s.page, kAck), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Ack no girmek için seçmeli çağrı no'su girilmiş olmalı !");
}

TEST(TService, HighPowerLimitFollowsBandAndKeypadHardware) {
    RadioParameters p;
    p.TestAyar.HalfBaseChan = 5840;
    EXPECT_EQ(HighPowerLimit(p), 8);
    p.TestAyar.HwNotHandheld = 1;
    EXPECT_EQ(HighPowerLimit(p), 9);
    p.TestAyar.HalfBaseChan = 16240;
    EXPECT_EQ(HighPowerLimit(p), 8);
    p.TestAyar.HwNotHandheld = 0;
    EXPECT_EQ(HighPowerLimit(p), 9);
}

TEST(TService, PowerLevelsAreALinkedPairWithinTheLimit) {
    Shown s;
    s.p.TestAyar.HwNotHandheld = 1;  // VHF with keypad hardware: up to 9
    s.Open();
    Messages messages;
    Type(*s.page, kHighPower, "9");
    EXPECT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Service.HPIndex, 9);

    Type(*s.page, kHighPower, "7");
    EXPECT_TRUE(s.page->CanLeave());
    Type(*s.page, kLowPower, "8");  // above the high level it is refused
    EXPECT_FALSE(s.page->CanLeave());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Değer 0 ile 7 arasında olmalıdır.");
    EXPECT_EQ(s.p.Service.LPIndex, 3);
}

TEST(TService, HandheldBelow300MHzStopsAtLevel8) {
    Shown s;
    s.Open();
    Messages messages;
    Type(*s.page, kHighPower, "9");
    EXPECT_FALSE(s.page->CanLeave());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Değer 3 ile 8 arasında olmalıdır.");
}

}  // namespace
}  // namespace norda::ombra
