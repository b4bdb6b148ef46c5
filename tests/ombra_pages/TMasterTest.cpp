#include "ombra/pages/TMaster.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>

#include "ParamPagesTestSupport.h"
#include "ombra/pages/ParamPages.h"
#include "ombra/pages/TPageDispatcher.h"

namespace norda {
namespace {

using testing::Messages;
using testing::TextOf;
using testing::Turkish;
using testing::Type;

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
    EXPECT_EQ(TextOf(*s.page, 104), "1234");
    EXPECT_EQ(Static(*s.page, 105), "05, 03, 2007");
    EXPECT_EQ(Static(*s.page, 107), "120459");
    EXPECT_EQ(Static(*s.page, 106), "");
    EXPECT_EQ(Static(*s.page, 108), "SABİT MERKEZ");
    EXPECT_EQ(Static(*s.page, 109), "SAYISAL KRİPTO");
    EXPECT_EQ(Static(*s.page, 110), "UHF 406 - 430");
    EXPECT_TRUE(s.page->Item<QCheckBox>(103)->isChecked());
    EXPECT_FALSE(s.page->Item<QCheckBox>(102)->isChecked());
    EXPECT_TRUE(s.page->Item<QCheckBox>(101)->isHidden());
}

TEST(TMaster, RadioTypeAndBandTexts) {
    Shown s;
    s.p.TestAyar.HalfBaseChan = 6000;
    s.Open();
    EXPECT_EQ(Static(*s.page, 108), "EL");
    EXPECT_EQ(Static(*s.page, 109), "STANDART");
    EXPECT_EQ(Static(*s.page, 110), "150 - 180");
}

TEST(TMaster, SerialNumberRoundTripsOverTheSignedVariable) {
    Shown s;
    s.p.Master.SeriNo = static_cast<int16_t>(uint16_t{65535});
    s.Open();
    EXPECT_EQ(TextOf(*s.page, 104), "65535");
    Type(*s.page, 104, "40000");
    s.page->Item<QCheckBox>(102)->setChecked(true);
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
    EXPECT_EQ(TextOf(*pages.Current(), 104), "");

    Messages messages;
    EXPECT_FALSE(pages.CanLeavePage());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Değer 1 ile 65535 arasında olmalıdır.");
    EXPECT_EQ(messages.shown[0].caption, "HATA");

    Type(*pages.Current(), 104, "7");
    EXPECT_TRUE(pages.CanLeavePage());
    EXPECT_EQ(p.Master.SeriNo, 7);
}

}  // namespace
}  // namespace norda
