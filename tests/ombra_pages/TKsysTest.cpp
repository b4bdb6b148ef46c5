#include <gtest/gtest.h>

#include "ombra/pages/TKsys.h"
#include "tests/ombra_pages/DataPageHarness.h"

namespace norda::ombra {
namespace {

using test::PageFixture;

class KsysPage : public ::testing::Test, public PageFixture {
  protected:
    std::unique_ptr<TKsys> Open() {
        auto page = std::make_unique<TKsys>(&client, *module, Env());
        page->Create();
        return page;
    }
    static QLineEdit* E(TKsys& p, int id) { return p.Item<QLineEdit>(id); }
    KsysParameters& K() { return params->KSYS; }
};

TEST_F(KsysPage, ShowsUnsetValuesAsEmptyFields) {
    K().SYSID = -1;  // 65535 in the radio's 16 bits
    K().RxFreq = 100;
    K().RxTCS = 39;
    K().GrupNo[9] = 98;
    auto page = Open();
    EXPECT_EQ(E(*page, TKsys::kSysId)->text(), "65535");
    EXPECT_EQ(E(*page, TKsys::kSmtIdent)->text(), "");
    // Where the channel page shows "0.0000".
    EXPECT_EQ(E(*page, TKsys::kTxFreq)->text(), "");
    EXPECT_EQ(E(*page, TKsys::kRxFreq)->text(), "146.2500");
    EXPECT_EQ(E(*page, TKsys::kRxTone)->text(), "69");
    EXPECT_EQ(E(*page, TKsys::kFirstGroup)->text(), "");
    EXPECT_EQ(E(*page, TKsys::kFirstGroup + 9)->text(), "98");

    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(K().SYSID, -1);
    EXPECT_EQ(K().TxFreq, 16383);
    EXPECT_EQ(K().RxFreq, 100);
    EXPECT_EQ(K().RxTCS, 39);
    EXPECT_EQ(K().GrupNo[0], 0);
    EXPECT_EQ(K().GrupNo[9], 98);
}

TEST_F(KsysPage, StoresFrequenciesTonesAndIdentities) {
    auto page = Open();
    Type(E(*page, TKsys::kSysId), "40000");
    Type(E(*page, TKsys::kSmtIdent), "255");
    Type(E(*page, TKsys::kTxFreq), "146.2625");
    Type(E(*page, TKsys::kTxTone), "67");
    page->Item<QCheckBox>(TKsys::kHighPower)->setChecked(true);
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(static_cast<uint16_t>(K().SYSID), 40000);
    EXPECT_EQ(K().SMTIDENT, 255);
    EXPECT_EQ(K().TxFreq, 105);
    EXPECT_EQ(K().TxTCS, 1);
    EXPECT_EQ(K().YuksekGuc, 1);
    EXPECT_EQ(K().RxFreq, 16383);
}

TEST_F(KsysPage, ClearingTheTransmitFrequencyTakesToneAndHighPower) {
    K().TxFreq = K().RxFreq = 100;
    K().TxTCS = K().RxTCS = 1;
    K().YuksekGuc = 1;
    auto page = Open();
    Leave(E(*page, TKsys::kTxFreq), "0");
    EXPECT_EQ(E(*page, TKsys::kTxTone)->text(), "");
    EXPECT_FALSE(page->Item<QCheckBox>(TKsys::kHighPower)->isChecked());
    EXPECT_EQ(E(*page, TKsys::kRxTone)->text(), "67");
    Leave(E(*page, TKsys::kRxFreq), "");
    EXPECT_EQ(E(*page, TKsys::kRxTone)->text(), "");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(K().TxFreq, 16383);
    EXPECT_EQ(K().TxTCS, 0);
    EXPECT_EQ(K().YuksekGuc, 0);
    EXPECT_EQ(K().RxTCS, 0);
}

TEST_F(KsysPage, RefusesWhatTheRadioCannotTake) {
    K().GrupNo[0] = 5;
    auto page = Open();
    QLineEdit* group = E(*page, TKsys::kFirstGroup);
    for (const char* bad : {"99", "0"}) {
        Type(group, bad);
        EXPECT_FALSE(page->CanLeave()) << bad;
        EXPECT_EQ(messages.LastText(), "Değer 1 ile 98 arasında olmalıdır.");
        EXPECT_EQ(K().GrupNo[0], 5);
    }
    Type(group, "98");
    Type(E(*page, TKsys::kTxTone), "67");  // no transmit frequency
    EXPECT_FALSE(page->CanLeave());
    EXPECT_EQ(messages.LastText(), "Gönderme frekansı girilmedi !");
    Type(E(*page, TKsys::kTxTone), "");
    Type(E(*page, TKsys::kSmtIdent), "256");
    EXPECT_FALSE(page->CanLeave());
    Type(E(*page, TKsys::kSmtIdent), "");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(K().GrupNo[0], 98);
}

}  // namespace
}  // namespace norda::ombra
