#include <gtest/gtest.h>

#include <cstring>

#include "ombra/pages/TAData.h"
#include "tests/ombra_pages/DataPageHarness.h"

namespace norda::ombra {
namespace {

using test::PageFixture;

class ADataPage : public ::testing::Test, public PageFixture {
  protected:
    std::unique_ptr<TAData> Open() {
        auto page = std::make_unique<TAData>(&client, *module, Env());
        page->Create();
        return page;
    }
    static QLineEdit* E(TAData& p, int id) { return p.Item<QLineEdit>(id); }
    AdataParameters& A() { return params->ADATA; }
};

TEST_F(ADataPage, ShowsAndStoresNumbersAndStatusTexts) {
    A().FLEETID = 4095;
    A().GRUP[4] = 4000;
    std::memcpy(A().STATUS[23], "ACIL    ", 8);
    auto page = Open();
    EXPECT_EQ(E(*page, TAData::kSysId)->text(), "");
    EXPECT_EQ(E(*page, TAData::kFleetId)->text(), "4095");
    EXPECT_EQ(E(*page, TAData::kFirstGroup + 4)->text(), "4000");
    EXPECT_EQ(E(*page, TAData::kFirstStatus + 23)->text(), "ACIL    ");

    Type(E(*page, TAData::kSysId), "64");
    Type(E(*page, TAData::kRxId), "0");
    Type(E(*page, TAData::kPreamble), "255");
    Type(E(*page, TAData::kFirstGroup), "3001");
    Type(E(*page, TAData::kFirstGroup + 4), "");
    Type(E(*page, TAData::kFirstStatus), "abcd");
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(A().SYSID, 64);
    EXPECT_EQ(A().FLEETID, 4095);
    EXPECT_EQ(A().RXID, 0);
    EXPECT_EQ(A().PREAMBLE, 255);
    EXPECT_EQ(A().GRUP[0], 3001);
    EXPECT_EQ(A().GRUP[4], 0);
    EXPECT_EQ(std::string(A().STATUS[0], 8), "ABCD    ");
    EXPECT_EQ(std::string(A().STATUS[23], 8), "ACIL    ");
}

TEST_F(ADataPage, RefusesValuesOutsideTheirRanges) {
    A().GRUP[0] = 3500;
    auto page = Open();
    struct Case {
        int id;
        const char* text;
        const char* message;
    };
    for (const Case c :
         {Case{TAData::kFirstGroup, "3000", "Değer 3001 ile 4000 arasında olmalıdır."},
          Case{TAData::kFirstGroup, "4001", "Değer 3001 ile 4000 arasında olmalıdır."},
          Case{TAData::kFirstGroup, "0", "Değer 3001 ile 4000 arasında olmalıdır."},
          Case{TAData::kSysId, "65", "Değer 1 ile 64 arasında olmalıdır."},
          Case{TAData::kRadioId, "4095", "Değer 1 ile 4094 arasında olmalıdır."},
          Case{TAData::kFirstStatus + 5, "GÜL", "Girilen değerde geçersiz karakter var !"}}) {
        const QString before = E(*page, c.id)->text();
        Type(E(*page, c.id), c.text);
        EXPECT_FALSE(page->CanLeave()) << c.text;
        EXPECT_EQ(messages.LastText(), c.message) << c.text;
        Type(E(*page, c.id), before.toUtf8().constData());
    }
    EXPECT_EQ(A().GRUP[0], 3500);
    ASSERT_TRUE(page->CanLeave());
    EXPECT_EQ(A().GRUP[0], 3500);
}

}  // namespace
}  // namespace norda::ombra
