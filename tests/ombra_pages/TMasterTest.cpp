#include "ombra/pages/TMaster.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>

#include "ParamPagesTestSupport.h"
#include "ombra/pages/ParamPages.h"
#include "ombra/pages/TPageDispatcher.h"

namespace norda::ombra {
namespace {

using testing::Messages;
using testing::TextOf;
using testing::Turkish;
using testing::Type;
using enum MasterIds::Control;

std::string Static(TDataDlg& page, int id) {
    return page.Item<QLabel>(id)->text().toStdString();
}

struct Shown {
    RadioParameters p;
    std::unique_ptr<TMaster> page;
    void Open() {
        page = std::make_unique<TMaster>(nullptr, Turkish(), p);
        page->Create();
    }
};

TEST(TMaster, ShowsTheRadiosIdentity) {
    Shown s;
    s.p.Master.SeriNo = 1234;
    s.p.Master.ProgTarihi = 10637;
    const int16_t production[] = {1, 2, 0, 4, 5, 9};
    std::copy(std::begin(production), std::end(production), s.p.TestAyar.UretimSiraNo);
    s.p.TestAyar.HalfBaseChan = 16240;
    s.p.TestAyar.HwNotHandheld = 1;
    s.p.TestAyar.HwCrypto = 1;
    s.p.TestAyar.HwTDM = 1;
    s.p.Master.SabitMerkez = 1;
    s.p.Master.TDM = 1;
    s.Open();
    EXPECT_EQ(TextOf(*s.page, kSerialNo), "1234");
    EXPECT_EQ(Static(*s.page, kDate), "05, 03, 2007");
    EXPECT_EQ(Static(*s.page, kProductionNo), "120459");
    EXPECT_EQ(Static(*s.page, kVersion), "");
    EXPECT_EQ(Static(*s.page, kRadioType), "SABİT MERKEZ");
    EXPECT_EQ(Static(*s.page, kHardware), "SAYISAL KRİPTO");
    EXPECT_EQ(Static(*s.page, kBand), "UHF 406 - 430");
    EXPECT_TRUE(s.page->Item<QCheckBox>(kTdm)->isChecked());
    EXPECT_FALSE(s.page->Item<QCheckBox>(kCompander)->isChecked());
    EXPECT_TRUE(s.page->Item<QCheckBox>(kFixedBase)->isHidden());
}

TEST(TMaster, RadioTypeAndBandTexts) {
    Shown s;
    s.p.TestAyar.HalfBaseChan = 6000;
    s.Open();
    EXPECT_EQ(Static(*s.page, kRadioType), "EL");
    EXPECT_EQ(Static(*s.page, kHardware), "STANDART");
    EXPECT_EQ(Static(*s.page, kBand), "150 - 180");
}

TEST(TMaster, SerialNumberRoundTripsOverTheSignedVariable) {
    Shown s;
    s.p.Master.SeriNo = static_cast<int16_t>(uint16_t{65535});
    s.Open();
    EXPECT_EQ(TextOf(*s.page, kSerialNo), "65535");
    testing::Keys(*s.page, kSerialNo, "400001");  // a sixth digit is no keystroke
    EXPECT_EQ(TextOf(*s.page, kSerialNo), "40000");
    s.page->Item<QCheckBox>(kCompander)->setChecked(true);
    ASSERT_TRUE(s.page->CanLeave());
    EXPECT_EQ(static_cast<uint16_t>(s.p.Master.SeriNo), 40000);
    EXPECT_EQ(s.p.Master.Compander, 1);
}

TEST(TMaster, APageWithoutSerialNumberCannotBeLeft) {
    RadioParameters p;
    QWidget client;
    TPageDispatcher pages(&client);
    pages.SetModule(&Turkish());
    RegisterParamPages(pages, p);
    pages.OpenPage(1);
    ASSERT_NE(dynamic_cast<TMaster*>(pages.Current()), nullptr);
    EXPECT_EQ(TextOf(*pages.Current(), kSerialNo), "");

    Messages messages;
    EXPECT_FALSE(pages.CanLeavePage());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Değer 1 ile 65535 arasında olmalıdır.");
    EXPECT_EQ(messages.shown[0].caption, "HATA");

    Type(*pages.Current(), kSerialNo, "7");
    EXPECT_TRUE(pages.CanLeavePage());
    EXPECT_EQ(p.Master.SeriNo, 7);
}

}  // namespace
}  // namespace norda::ombra
