#include <gtest/gtest.h>

#include <QLabel>

#include <cstring>

#include "ombra/pages/RadioDataPages.h"
#include "ombra/pages/TAData.h"
#include "ombra/pages/TChannel.h"
#include "ombra/pages/TKsys.h"
#include "tests/ombra_pages/DataPageHarness.h"

namespace norda::ombra {
namespace {

using test::PageFixture;

class ChannelPage : public ::testing::Test, public PageFixture {
  protected:
    std::unique_ptr<TChannel> Open(int first) {
        auto page = std::make_unique<TChannel>(&client, first, *module, Env());
        page->Create();
        return page;
    }
    static QLineEdit* E(TChannel& p, int column, int row) {
        return p.Item<QLineEdit>(column + row);
    }
    static QCheckBox* B(TChannel& p, int column, int row) {
        return p.Item<QCheckBox>(column + row);
    }
    ChannelRecord& Ch(int n) { return params->Clone.Kanal[n - 1]; }
};

TEST_F(ChannelPage, ShowsAndStoresFrequencyCodesOfTheBand) {
    Ch(1).TxFreq = 100;
    Ch(2).TxFreq = 5;
    auto page = Open(1);
    EXPECT_EQ(E(*page, TChannel::kTxFreq, 1)->text(), "146.2500");
    EXPECT_EQ(E(*page, TChannel::kTxFreq, 2)->text(), "146.0125");
    EXPECT_EQ(E(*page, TChannel::kRxFreq, 1)->text(), "0.0000");
    EXPECT_EQ(page->Item<QLabel>(TChannel::kNumber + 1)->text(), "1");

    Type(E(*page, TChannel::kTxFreq, 1), "146.2625");
    Type(E(*page, TChannel::kRxFreq, 2), "146.02");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(Ch(1).TxFreq, 105);
    EXPECT_EQ(Ch(2).RxFreq, 8);
    EXPECT_EQ(Ch(2).TxFreq, 5);
    EXPECT_EQ(Ch(1).RxFreq, 16383);
    EXPECT_TRUE(messages.records.empty());
}

TEST_F(ChannelPage, ComputesTheShiftFlagFromTheReceiveFrequency) {
    Ch(2).ShiftFlag = 1;
    Ch(3).ShiftFlag = 1;
    auto page = Open(1);
    Type(E(*page, TChannel::kRxFreq, 1), "146.1875");  // 290 x 504125 Hz - 8750 Hz
    Type(E(*page, TChannel::kRxFreq, 2), "146.25");
    Type(E(*page, TChannel::kRxFreq, 3), "0");  // no receive frequency: the flag stays
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(Ch(1).ShiftFlag, 1);
    EXPECT_EQ(Ch(2).ShiftFlag, 0);
    EXPECT_EQ(Ch(3).ShiftFlag, 1);
    EXPECT_EQ(Ch(3).RxFreq, 16383);
}

TEST_F(ChannelPage, ShiftFlagInTheUhfBandTakesTheConfiguredFrequencies) {
    params->TestAyar.HalfBaseChan = 17200;  // UHF 430 - 450
    // The list's first entry is not a shift frequency.
    shifts = {440350000, 0, 440360000};
    {
        auto page = Open(1);
        Type(E(*page, TChannel::kRxFreq, 1), "440.1");  // 873 x 504125 Hz lies 1125 Hz above
        Type(E(*page, TChannel::kRxFreq, 2), "440.35");
        ASSERT_TRUE(page->CanLeave());
        EXPECT_EQ(Ch(1).ShiftFlag, 1);
        EXPECT_EQ(Ch(2).ShiftFlag, 0);
        EXPECT_EQ(Ch(1).RxFreq, (440100000 - 430000000) / 2500);
    }
    shifts = {0, 440360000};
    auto page = Open(1);
    Type(E(*page, TChannel::kRxFreq, 2), "440.35");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(Ch(2).ShiftFlag, 1);
}

TEST_F(ChannelPage, TonesAreStoredAsTheirTablePositions) {
    Ch(3).TxFreq = Ch(3).RxFreq = 100;
    Ch(3).TxTCS = 39;
    Ch(3).TxTCSOn = 1;
    Ch(3).RxTCS = 50;
    auto page = Open(1);
    EXPECT_EQ(E(*page, TChannel::kTxTone, 3)->text(), "69");
    EXPECT_EQ(E(*page, TChannel::kRxTone, 3)->text(), "254");
    EXPECT_EQ(E(*page, TChannel::kTxTone, 1)->text(), "");

    Type(E(*page, TChannel::kTxFreq, 1), "146.2500");
    Type(E(*page, TChannel::kRxFreq, 1), "146.2500");
    Type(E(*page, TChannel::kTxTone, 1), "69");
    Type(E(*page, TChannel::kRxTone, 1), "67");
    Type(E(*page, TChannel::kTxTone, 3), "");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(Ch(1).TxTCS, 39);
    EXPECT_EQ(Ch(1).TxTCSOn, 1);
    EXPECT_EQ(Ch(1).RxTCS, 1);
    EXPECT_EQ(Ch(3).TxTCS, 0);
    EXPECT_EQ(Ch(3).TxTCSOn, 0);
    EXPECT_EQ(Ch(3).RxTCS, 50);
}

TEST_F(ChannelPage, ClearingAFrequencyTakesTheRowsDependentSettings) {
    ChannelRecord& k = Ch(4);
    k.TxFreq = k.RxFreq = 100;
    k.TxTCS = k.RxTCS = 1;
    k.TxTCSOn = k.Hprf = k.TotVar = k.ANIVar = 1;
    params->Clone.Scan[3] = 1;
    params->Clone.Tot = 4;
    auto page = Open(1);
    ASSERT_TRUE(B(*page, TChannel::kScan, 4)->isChecked());

    Leave(E(*page, TChannel::kRxFreq, 4), "0");
    EXPECT_FALSE(B(*page, TChannel::kScan, 4)->isChecked());
    EXPECT_EQ(E(*page, TChannel::kRxTone, 4)->text(), "");
    EXPECT_TRUE(B(*page, TChannel::kHprf, 4)->isChecked());

    Leave(E(*page, TChannel::kTxFreq, 4), "");
    EXPECT_FALSE(B(*page, TChannel::kHprf, 4)->isChecked());
    EXPECT_FALSE(B(*page, TChannel::kTot, 4)->isChecked());
    EXPECT_FALSE(B(*page, TChannel::kAni, 4)->isChecked());
    EXPECT_EQ(E(*page, TChannel::kTxTone, 4)->text(), "");

    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(k.RxFreq, 16383);
    EXPECT_EQ(k.TxFreq, 16383);
    EXPECT_EQ(k.RxTCS, 0);
    EXPECT_EQ(k.TxTCSOn, 0);
    EXPECT_EQ(params->Clone.Scan[3], 0);
    EXPECT_EQ(k.Hprf + k.TotVar + k.ANIVar, 0);
    EXPECT_TRUE(messages.records.empty());
}

TEST_F(ChannelPage, PassingThroughAnEmptyFrequencyChangesNothing) {
    params->Clone.Scan[5] = 1;  // a new file's channels scan even without frequencies
    auto page = Open(1);
    Q_EMIT E(*page, TChannel::kRxFreq, 6)->editingFinished();
    EXPECT_TRUE(B(*page, TChannel::kScan, 6)->isChecked());
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(params->Clone.Scan[5], 1);
}

TEST_F(ChannelPage, ClearedFrequencyIsNoticedOnLeavingThePageToo) {
    Ch(5).RxFreq = 100;
    Ch(5).RxTCS = 1;
    params->Clone.Scan[4] = 1;
    auto page = Open(1);
    Type(E(*page, TChannel::kRxFreq, 5), "0");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(Ch(5).RxTCS, 0);
    EXPECT_EQ(params->Clone.Scan[4], 0);
}

TEST_F(ChannelPage, NamesAreStoredUpperCaseAndPadded) {
    std::memcpy(Ch(1).KanalAdi, "KN 1    ", 8);
    auto page = Open(1);
    EXPECT_EQ(E(*page, TChannel::kName, 1)->text(), "KN 1    ");
    EXPECT_EQ(E(*page, TChannel::kName, 1)->maxLength(), 8);
    Type(E(*page, TChannel::kName, 1), "abc");
    Type(E(*page, TChannel::kName, 2), "mi-x_2/b");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(std::string(Ch(1).KanalAdi, 8), "ABC     ");
    // Plain ASCII capitals: a dotted capital I does not exist in the radio's seven bits.
    EXPECT_EQ(std::string(Ch(2).KanalAdi, 8), "MI-X_2/B");
}

TEST_F(ChannelPage, TurkishLettersAreRefusedInNames) {
    std::memcpy(Ch(1).KanalAdi, "KN 1    ", 8);
    auto page = Open(1);
    QLineEdit* name = E(*page, TChannel::kName, 1);
    name->clear();
    Keys(name, "kaş1");
    EXPECT_EQ(name->text(), "KA1");

    Type(name, "ŞEHİR");
    EXPECT_FALSE(page->CanLeave());
    ASSERT_EQ(messages.records.size(), 1u);
    EXPECT_EQ(messages.LastText(), "Girilen değerde geçersiz karakter var !");
    EXPECT_EQ(messages.records[0].caption, "HATA");
    EXPECT_EQ(std::string(Ch(1).KanalAdi, 8), "KN 1    ");
}

TEST_F(ChannelPage, AnInvalidValueBlocksLeavingAndChangesNothing) {
    Ch(1).TxFreq = 100;
    Ch(2).RxTCS = 0;
    auto page = Open(1);
    Type(E(*page, TChannel::kTxFreq, 1), "146.0063");  // off the 10 / 12.5 kHz raster
    Type(E(*page, TChannel::kName, 1), "changed");
    EXPECT_FALSE(page->CanLeave());
    EXPECT_EQ(messages.LastText(),
              "Değer 146 ile 174 arasında olmalıdır.\nBasamak = 10KHz veya 12.5KHz");
    EXPECT_EQ(Ch(1).TxFreq, 100);
    EXPECT_EQ(Ch(1).KanalAdi[0], '\0');

    Type(E(*page, TChannel::kTxFreq, 1), "175");
    EXPECT_FALSE(page->CanLeave());
    Type(E(*page, TChannel::kTxFreq, 1), "146.0125");
    // A tone needs the frequency of its direction.
    Type(E(*page, TChannel::kRxTone, 2), "67");
    EXPECT_FALSE(page->CanLeave());
    EXPECT_EQ(messages.LastText(), "Alma frekansı girilmedi !");
    Type(E(*page, TChannel::kRxTone, 2), "68");
    Type(E(*page, TChannel::kRxFreq, 2), "146.0125");
    EXPECT_FALSE(page->CanLeave());
    EXPECT_EQ(messages.LastText().rfind("Değer aşağıdakilerden biri olmalıdır :\n 0,67,69", 0), 0u);
    Type(E(*page, TChannel::kRxTone, 2), "71");
    EXPECT_TRUE(page->CanLeave());
    EXPECT_EQ(Ch(2).RxTCS, 2);
}

TEST_F(ChannelPage, TypingFiltersKeepFieldsToTheirCharacters) {
    auto page = Open(1);
    QLineEdit* f = E(*page, TChannel::kTxFreq, 1);
    f->clear();
    Keys(f, "14a6.-0125");
    EXPECT_EQ(f->text(), "146.0125");
    QLineEdit* t = E(*page, TChannel::kTxTone, 1);
    t->clear();
    Keys(t, "5");  // no tone starts with 5
    EXPECT_EQ(t->text(), "");
    Keys(t, "1234");
    EXPECT_EQ(t->text(), "123");
}

TEST_F(ChannelPage, SwitchesNeedTheirFrequencies) {
    Ch(1).TxFreq = Ch(1).RxFreq = 100;
    params->Clone.Tot = 0;
    auto page = Open(1);

    B(*page, TChannel::kTot, 1)->click();
    EXPECT_EQ(messages.LastText(), "TOT değeri girilmedi !");
    EXPECT_FALSE(B(*page, TChannel::kTot, 1)->isChecked());

    params->Clone.Tot = 4;
    messages.records.clear();
    B(*page, TChannel::kTot, 1)->click();
    B(*page, TChannel::kHprf, 1)->click();
    B(*page, TChannel::kAni, 1)->click();
    B(*page, TChannel::kScan, 1)->click();
    EXPECT_TRUE(messages.records.empty());
    EXPECT_TRUE(B(*page, TChannel::kTot, 1)->isChecked());
    EXPECT_TRUE(B(*page, TChannel::kScan, 1)->isChecked());

    struct Case {
        int column;
        const char* text;
    };
    for (const Case c : {Case{TChannel::kTot, "Gönderme frekansı girilmedi !"},
                         Case{TChannel::kAni, "Gönderme frekansı girilmedi !"},
                         Case{TChannel::kHprf, "Alma frekansı girilmedi !"},
                         Case{TChannel::kScan, "Alma frekansı girilmedi !"}}) {
        messages.records.clear();
        B(*page, c.column, 2)->click();
        EXPECT_EQ(messages.LastText(), c.text) << c.column;
        EXPECT_FALSE(B(*page, c.column, 2)->isChecked()) << c.column;
    }
}

TEST_F(ChannelPage, LastPageHasNineRowsAndAHiddenTenth) {
    std::memcpy(Ch(99).KanalAdi, "KN 99   ", 8);
    auto page = Open(91);
    EXPECT_EQ(page->Rows(), 9);
    EXPECT_EQ(page->Item<QLabel>(TChannel::kNumber + 1)->text(), "91");
    EXPECT_EQ(page->Item<QLabel>(TChannel::kNumber + 9)->text(), "99");
    EXPECT_EQ(E(*page, TChannel::kName, 9)->text(), "KN 99   ");
    for (int column = TChannel::kNumber; column <= TChannel::kScan; column += 10) {
        QWidget* w = page->Control(column + 10);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->isVisible()) << column;
        EXPECT_FALSE(w->isEnabled()) << column;
    }
    EXPECT_EQ(page->Item<QLabel>(TChannel::kNumber + 10)->text(), "");
    EXPECT_EQ(E(*page, TChannel::kTxFreq, 10)->text(), "");
    Type(E(*page, TChannel::kName, 9), "last");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(std::string(Ch(99).KanalAdi, 8), "LAST    ");
}

TEST_F(ChannelPage, DispatcherCreatesTheDataPagesOfEachNumber) {
    TPageDispatcher pages(&client);
    pages.SetModule(module.get());
    RegisterRadioDataPages(pages, Env());
    pages.OpenPage(8);
    auto* channels = dynamic_cast<TChannel*>(pages.Current());
    ASSERT_NE(channels, nullptr);
    EXPECT_EQ(channels->FirstChannel(), 41);
    pages.ClosePage();
    pages.OpenPage(9);
    channels = dynamic_cast<TChannel*>(pages.Current());
    ASSERT_NE(channels, nullptr);
    EXPECT_EQ(channels->FirstChannel(), 51);

    // A wrong value keeps the page.
    channels->Item<QLineEdit>(TChannel::kTxFreq + 1)->setText("200");
    EXPECT_FALSE(pages.CanLeavePage());
    channels->Item<QLineEdit>(TChannel::kTxFreq + 1)->setText("150");
    EXPECT_TRUE(pages.CanLeavePage());
    EXPECT_EQ(params->Clone.Kanal[50].TxFreq, 4 * 400);
    pages.ClosePage();

    pages.OpenPage(14);
    EXPECT_NE(dynamic_cast<TKsys*>(pages.Current()), nullptr);
    pages.ClosePage();
    pages.OpenPage(15);
    EXPECT_NE(dynamic_cast<TAData*>(pages.Current()), nullptr);
    pages.ClosePage();
}

}  // namespace
}  // namespace norda::ombra
