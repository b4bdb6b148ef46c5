#include "ombra/pages/TClone.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QRadioButton>

#include "ParamPagesTestSupport.h"
#include "codeplug/FrequencyCode.h"
#include "codeplug/NewFileDefaults.h"
#include "ombra/pages/ParamPages.h"
#include "ombra/pages/TPageDispatcher.h"

namespace norda::ombra {
namespace {

using testing::Messages;
using testing::TextOf;
using testing::Turkish;
using testing::Type;

using enum CloneIds::Control;

struct Shown {
    RadioParameters p;
    std::unique_ptr<TClone> page;
    Shown() {
        ResetToNewFile(p);
        p.TestAyar.HalfBaseChan = 5840;
    }
    void Open() {
        page = std::make_unique<TClone>(nullptr, Turkish(), p);
        page->Create();
    }
    bool On(int id) { return page->Item<QAbstractButton>(id)->isChecked(); }
    void Click(int id) { page->Item<QAbstractButton>(id)->click(); }
};

TEST(TClone, TimesAreShownInTheirUnitsAndStoredInSteps) {
    Shown s;
    s.p.Clone.Tot = 4;
    s.p.Clone.ScanDelay = 7;
    s.p.Clone.TxDelay = 3;
    s.Open();
    EXPECT_EQ(TextOf(*s.page, kTot), "60");
    EXPECT_EQ(TextOf(*s.page, kScanDelay), "3.5");
    EXPECT_EQ(TextOf(*s.page, kTxDelay), "300");

    Type(*s.page, kTot, "90");
    Type(*s.page, kScanDelay, "2.5");
    Type(*s.page, kTxDelay, "1500");
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Clone.Tot, 6);
    EXPECT_EQ(s.p.Clone.ScanDelay, 5);
    EXPECT_EQ(s.p.Clone.TxDelay, 15);

    s.Open();
    EXPECT_EQ(TextOf(*s.page, kTot), "90");
    EXPECT_EQ(TextOf(*s.page, kScanDelay), "2.5");
}

TEST(TClone, TimesOffTheirStepsAreRefused) {
    Shown s;
    s.Open();
    Messages messages;
    Type(*s.page, kScanDelay, "2.7");
    EXPECT_FALSE(s.page->CanLeave());
    Type(*s.page, kScanDelay, "2");
    Type(*s.page, kTot, "100");
    EXPECT_FALSE(s.page->CanLeave());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "Değer 0 ile 7.5 arasında olmalıdır. Basamak = 0.5");
    EXPECT_EQ(messages.shown[1].text, "Değer 0 ile 225 arasında olmalıdır. Basamak = 15");
    EXPECT_EQ(s.p.Clone.ScanDelay, 6);  // nothing stored while the page refuses
}

TEST(TClone, NoTimeOutClearsEveryChannelsTimeOutFlag) {
    Shown s;
    for (ChannelRecord& c : s.p.Clone.Kanal)
        c.TotVar = 1;
    s.Open();
    Type(*s.page, kTot, "0");
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Clone.Tot, 0);
    for (const ChannelRecord& c : s.p.Clone.Kanal)
        EXPECT_EQ(c.TotVar, 0);
}

TEST(TClone, EmergencyChannelIsStoredOnlyWhileTheCallIsOn) {
    Shown s;
    s.p.Clone.AcilCagri = 0;
    s.p.Clone.AcilCagriKanali = 5;
    s.Open();
    EXPECT_EQ(TextOf(*s.page, kEmergencyChannel), "");
    Type(*s.page, kEmergencyChannel, "12");
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Clone.AcilCagriKanali, 0);

    s.Click(kEmergency);  // a channel number keeps the box ticked
    EXPECT_TRUE(s.On(kEmergency));
    s.Click(kEmergency);
    EXPECT_TRUE(s.On(kEmergency));
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Clone.AcilCagri, 1);
    EXPECT_EQ(s.p.Clone.AcilCagriKanali, 12);
}

TEST(TClone, EmergencyChannelWithoutFrequencyIsReported) {
    Shown s;
    s.p.Clone.Kanal[11].TxFreq = 100;  // channel 12: transmit only
    s.p.Clone.Kanal[4].TxFreq = 100;   // channel 5: both
    s.p.Clone.Kanal[4].RxFreq = 100;
    s.Open();
    Messages messages;
    Type(*s.page, kEmergencyChannel, "5");
    s.page->EmergencyChannelLeft();
    EXPECT_TRUE(s.On(kEmergency));
    EXPECT_TRUE(messages.shown.empty());

    Type(*s.page, kEmergencyChannel, "12");
    s.page->EmergencyChannelLeft();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "12 nolu kanalın alma ve/veya gönderme frekansı girilmedi!.\nKanal verilerinden "
              "giriniz.");
    EXPECT_EQ(messages.shown[0].caption, "DİKKAT!");
    EXPECT_EQ(messages.shown[0].style, 48);
}

TEST(TClone, WhatIsTypedIsWhatIsStored) {
    Shown s;
    s.Open();
    // The decimal key of a Turkish keypad gives ",": it is the point, never dropped.
    testing::Keys(*s.page, kScanDelay, "0,5");
    EXPECT_EQ(TextOf(*s.page, kScanDelay), "0.5");
    // One character beyond the field is no keystroke, not a refusal when the page is left.
    testing::Keys(*s.page, kTxDelay, "15000");
    EXPECT_EQ(TextOf(*s.page, kTxDelay), "1500");
    testing::Keys(*s.page, kEmergencyChannel, "123");
    EXPECT_EQ(TextOf(*s.page, kEmergencyChannel), "12");
    testing::Keys(*s.page, kEmergencyChannel, "");
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Clone.ScanDelay, 1);
    EXPECT_EQ(s.p.Clone.TxDelay, 15);
}

TEST(TClone, ChoicesMapToTheirParameterValues) {
    Shown s;
    s.p.Clone.BusyChan = 1;
    s.p.Clone.BusyChanMode = 1;
    s.p.Clone.UserSelectedDig = 0;
    s.p.Clone.ANITipi = 5;
    s.p.Clone.Language = 0;
    s.Open();
    EXPECT_TRUE(s.On(kBusyActive));
    EXPECT_TRUE(s.On(kAniNone + 5));
    EXPECT_TRUE(s.On(kEnglish));
    for (int id = kDigits2; id <= kDigits6; ++id)
        EXPECT_FALSE(s.On(id)) << id;

    s.Click(kBusyTcs);
    s.Click(kToneEea);
    s.Click(kPriorityAni);
    s.Click(kWarningOff);
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Clone.BusyChan, 1);
    EXPECT_EQ(s.p.Clone.BusyChanMode, 0);
    EXPECT_EQ(s.p.Clone.TonStandardi, 3);
    EXPECT_EQ(s.p.Clone.Oncelik, 1);
    EXPECT_EQ(s.p.Clone.UserSelectedDig, 0);
    EXPECT_EQ(s.p.User.warningoff, 1);

    s.Click(kBusyNone);
    s.Click(kDigits4);
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(s.p.Clone.BusyChan, 0);
    EXPECT_EQ(s.p.Clone.UserSelectedDig, 4);
}

TEST(TClone, AnInvalidValueBlocksLeavingThePage) {
    RadioParameters p;
    ResetToNewFile(p);
    QWidget client;
    TPageDispatcher pages(&client);
    pages.SetModule(&Turkish());
    RegisterParamPages(pages, p);
    pages.OpenPage(3);
    TDataDlg* page = pages.Current();
    ASSERT_NE(dynamic_cast<TClone*>(page), nullptr);
    Messages messages;
    Type(*page, kExtendedTone, "16");
    EXPECT_FALSE(pages.CanLeavePage());
    EXPECT_EQ(pages.Current(), page);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Değer 1 ile 15 arasında olmalıdır.");
    Type(*page, kExtendedTone, "15");
    EXPECT_TRUE(pages.CanLeavePage());
    EXPECT_EQ(p.Clone.ExtendedTon, 15);
}

}  // namespace
}  // namespace norda::ombra
