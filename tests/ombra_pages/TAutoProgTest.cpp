#include "ombra/pages/TAutoProg.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "ParamPagesTestSupport.h"
#include "ombra/ops/SeriesStation.h"
#include "production/ProductionSpool.h"
#include "tests/support/PgSuite.h"
#include "tests/support/QuietHost.h"

namespace norda::ombra {
namespace {

using testing::Messages;
using testing::TextOf;
using testing::Turkish;
using testing::Type;

using enum AutoProgIds::Control;

// Records what the dialog posts; everything else is of no concern to it.
class PostRecorder final : public test::QuietHost {
  public:
    std::vector<std::pair<PostTarget, Posted>> posted;
    std::string Text(int) override { return {}; }
    void PostMessage(PostTarget target, Posted msg) override { posted.emplace_back(target, msg); }
    int CurrentPage() override { return 0; }
    bool FileOpened() override { return true; }
};

struct Dialog {
    RadioParameters p;
    PostRecorder host;
    std::unique_ptr<TAutoProg> dlg;
    void Open(bool testMode, bool dataValid, SeriesStation* series = nullptr,
              std::function<void(const std::string&)> refused = {}) {
        dlg = std::make_unique<TAutoProg>(nullptr, Turkish(), p, host, testMode, dataValid);
        dlg->TakeNumbersFrom(series, std::move(refused));
        TDataDlg::SetExecuteHook([](TDataDlg&) { return 2; });
        dlg->Execute();
        TDataDlg::SetExecuteHook({});
    }
    bool Enabled(int id) { return dlg->Control(id)->isEnabled(); }
};

TEST(TAutoProg, FirstRadioStartsFromFixedValuesWithoutReadData) {
    Dialog d;
    d.Open(false, false);
    EXPECT_EQ(TextOf(*d.dlg, kSerialNo), "1");
    EXPECT_EQ(TextOf(*d.dlg, kAni), "1");
    EXPECT_EQ(TextOf(*d.dlg, kLowPower), "3");
    EXPECT_EQ(TextOf(*d.dlg, kHighPower), "7");
    EXPECT_TRUE(d.dlg->Item<QCheckBox>(kKeyPad)->isChecked());
    EXPECT_TRUE(d.dlg->Item<QCheckBox>(kScEnc)->isChecked());
    EXPECT_TRUE(d.dlg->Control(kFixedBase)->isHidden());
    EXPECT_EQ(TAutoProg::Active(), d.dlg.get());
    d.dlg.reset();
    EXPECT_EQ(TAutoProg::Active(), nullptr);
}

TEST(TAutoProg, NumbersAdvanceAfterEachRadio) {
    Dialog d;
    d.Open(false, false);
    Type(*d.dlg, kSerialNo, "65535");
    Type(*d.dlg, kAni, "0099");
    Type(*d.dlg, kAck, "12A");
    Type(*d.dlg, kSelectiveCall, "999");
    d.dlg->NextRadio();
    EXPECT_EQ(TextOf(*d.dlg, kSerialNo), "1");
    EXPECT_EQ(TextOf(*d.dlg, kAni), "100");
    EXPECT_EQ(TextOf(*d.dlg, kAck), "12A");
    EXPECT_EQ(TextOf(*d.dlg, kSelectiveCall), "1000");

    Type(*d.dlg, kSerialNo, "");
    d.dlg->NextRadio();
    EXPECT_EQ(TextOf(*d.dlg, kSerialNo), "");
}

TEST(TAutoProg, NumbersGoOnWhereTheyStoppedAfterTheDialogIsClosed) {
    const std::string ini = ::testing::TempDir() + "autoprog_ombra.INI";
    std::ofstream(ini, std::ios::binary) << "[Communication]\r\nSerial Port=2\r\n";
    auto open = [&](Dialog& d) {
        d.dlg = std::make_unique<TAutoProg>(nullptr, Turkish(), d.p, d.host, false, false);
        d.dlg->KeepNumbersIn(ini);
        TDataDlg::SetExecuteHook([](TDataDlg&) { return 2; });
        d.dlg->Execute();
        TDataDlg::SetExecuteHook({});
    };
    {
        Dialog d;
        open(d);
        Type(*d.dlg, kSerialNo, "502");
        Type(*d.dlg, kAni, "999998");
        d.dlg->NextRadio();
        d.dlg->NextRadio();  // the ANI has no seventh digit: it stays at the last that fits
        EXPECT_EQ(TextOf(*d.dlg, kAni), "1000000");
    }
    Dialog d;
    open(d);
    EXPECT_EQ(TextOf(*d.dlg, kSerialNo), "504");
    EXPECT_EQ(TextOf(*d.dlg, kAni), "999999");
    std::ifstream in(ini, std::ios::binary);
    const std::string kept((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(kept.find("Serial Port=2\r\n"), std::string::npos) << "the other settings stay";
    std::remove(ini.c_str());
}

TEST(TAutoProg, TestModeEmptiesTheNumbersAndLocksTheSwitches) {
    Dialog d;
    d.Open(true, false);
    EXPECT_FALSE(d.Enabled(kKeyPad));
    EXPECT_FALSE(d.Enabled(kCloneKey));
    EXPECT_FALSE(d.Enabled(kLowPower));
    EXPECT_FALSE(d.Enabled(kHighPower));
    for (int id : {kSerialNo, kAni, kAck, kSelectiveCall})
        EXPECT_TRUE(d.Enabled(id)) << id;
    d.dlg->NextRadio();
    for (int id : {kSerialNo, kAni, kAck, kSelectiveCall})
        EXPECT_EQ(TextOf(*d.dlg, id), "") << id;
}

TEST(TAutoProg, ProgramlaStoresTheFieldsAndStartsTheRadio) {
    Dialog d;
    d.Open(false, false);
    Type(*d.dlg, kSerialNo, "4711");
    Type(*d.dlg, kAni, "12d");
    Type(*d.dlg, kSelectiveCall, "345");
    Type(*d.dlg, kLowPower, "");
    Type(*d.dlg, kHighPower, "9");
    d.dlg->Command(kProgram);
    ASSERT_EQ(d.host.posted.size(), 1u);
    EXPECT_EQ(d.host.posted[0].first, PostTarget::ClientWindow);
    EXPECT_EQ(d.host.posted[0].second, Posted::StartPreRead);
    EXPECT_EQ(d.p.Master.SeriNo, 4711);
    EXPECT_EQ(d.p.Service.ANINo[2], 13);
    EXPECT_EQ(d.p.Clone.TonLength, 3);
    EXPECT_EQ(d.p.Service.LPIndex, 7);
    EXPECT_EQ(TextOf(*d.dlg, kLowPower), "7");
    EXPECT_EQ(d.p.Service.HPIndex, 9);

    // The same radio again: the numbers only advance with 0x504.
    d.dlg->Command(kProgram);
    EXPECT_EQ(d.host.posted.size(), 2u);
    EXPECT_EQ(d.p.Master.SeriNo, 4711);
}

TEST(TAutoProg, ProgramlaRefusesAMissingSerialNumber) {
    Dialog d;
    d.Open(true, false);
    d.dlg->NextRadio();
    Messages messages;
    d.dlg->Command(kProgram);
    EXPECT_TRUE(d.host.posted.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Değer 1 ile 65535 arasında olmalıdır.");
}

TEST(TAutoProg, KeypadAndSelectiveCallRules) {
    Dialog d;
    d.Open(false, false);
    d.dlg->Item<QCheckBox>(kKeyPad)->click();
    EXPECT_FALSE(d.dlg->Item<QCheckBox>(kScEnc)->isChecked());
    Type(*d.dlg, kAck, "77");
    Type(*d.dlg, kSelectiveCall, "");
    d.dlg->SelectiveCallLeft();
    EXPECT_EQ(TextOf(*d.dlg, kAck), "");
}

TEST(TAutoProg, ShowsReadDataAndCancelCloses) {
    Dialog d;
    d.p.Master.SeriNo = 0;
    d.p.Service.CloneKey = 0;
    d.p.Service.LPIndex = 2;
    d.p.Service.HPIndex = 8;
    const int16_t ani[] = {4, 5, 15, 15, 15, 15};
    std::copy(std::begin(ani), std::end(ani), d.p.Service.ANINo);
    d.Open(false, true);
    EXPECT_EQ(TextOf(*d.dlg, kSerialNo), "");
    EXPECT_EQ(TextOf(*d.dlg, kCloneKey), "");
    EXPECT_EQ(TextOf(*d.dlg, kAni), "45");
    EXPECT_EQ(TextOf(*d.dlg, kLowPower), "2");
    EXPECT_EQ(TextOf(*d.dlg, kHighPower), "8");
    EXPECT_TRUE(d.dlg->CancelCloses());
    EXPECT_FALSE(d.dlg->OkCloses());
}

class TAutoProgSeries : public ::testing::Test, protected norda::test::PgSuite {
  protected:
    static void SetUpTestSuite() { StartCluster(); }
    static void TearDownTestSuite() { StopCluster(); }
    void SetUp() override { NewDatabase(); }
};

TEST_F(TAutoProgSeries, EachRadioGetsReservedNumbersAndNoneWithoutTheServer) {
    std::string error;
    auto db = ProductionDb::Connect(conninfo_, error);
    ASSERT_TRUE(db) << error;
    int before = 0;
    ASSERT_TRUE(db->Init(before)) << db->Error();
    ASSERT_TRUE(db->SetSeries({"L", 500, "0099", {}, {}, {}})) << db->Error();
    const std::string spool = ::testing::TempDir() + "autoprog-series-spool.tsv";
    std::remove(spool.c_str());
    SeriesStation station(*db, "L", "bench", spool);
    ASSERT_EQ(station.Open(), "");
    Dialog d;
    std::vector<std::string> refused;
    d.Open(false, false, &station, [&](const std::string& why) { refused.push_back(why); });
    for (int id : {kSerialNo, kAni, kAck, kSelectiveCall}) {
        EXPECT_FALSE(d.Enabled(id)) << id;
        EXPECT_EQ(TextOf(*d.dlg, id), "") << id;
    }

    using Shown = std::pair<std::string, std::string>;  // serial number and ANI
    ProductionRecord record;
    record.program = "ombra";
    auto press = [&] {
        d.dlg->Command(kProgram);
        return std::pair{TextOf(*d.dlg, kSerialNo), TextOf(*d.dlg, kAni)};
    };
    EXPECT_EQ(press(), Shown("500", "0099"));
    EXPECT_EQ(d.p.Master.SeriNo, 500);
    // A radio that failed gives its numbers to the next one.
    ASSERT_EQ(station.Finish(record, false), "");
    EXPECT_EQ(press(), Shown("500", "0099"));
    ASSERT_EQ(station.Finish(record, true), "");
    // The count-up after message 821 is the series', not the dialog's.
    d.dlg->NextRadio();
    EXPECT_EQ(TextOf(*d.dlg, kSerialNo), "500");
    EXPECT_EQ(press(), Shown("501", "100"));
    EXPECT_EQ(d.host.posted.size(), 3u);
    EXPECT_TRUE(refused.empty());

    // The server goes away while radio 501 is written: its record waits in the spool, and
    // no further radio starts.
    ASSERT_TRUE(cluster_->Stop());
    EXPECT_NE(station.Finish(record, true).find("waits in " + spool), std::string::npos);
    EXPECT_EQ(press(), Shown("501", "100"));
    EXPECT_EQ(d.host.posted.size(), 3u);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_NE(refused[0].find("no radio is written"), std::string::npos) << refused[0];

    // Back again: the spooled record goes in before the station takes new numbers.
    ASSERT_TRUE(cluster_->Start());
    EXPECT_EQ(press(), Shown("502", "101"));
    EXPECT_EQ(station.SentFromSpool(), 1);
    EXPECT_EQ(d.host.posted.size(), 4u);
    auto again = ProductionDb::Connect(conninfo_, error);
    ASSERT_TRUE(again) << error;
    const auto records = again->Records(0, "L", "");
    ASSERT_TRUE(records) << again->Error();
    std::vector<std::string> outcomes;
    for (const StoredRecord& r : *records)
        outcomes.push_back(r.outcome);
    EXPECT_EQ(outcomes, (std::vector<std::string>{"failed", "programmed", "programmed"}));
}

}  // namespace
}  // namespace norda::ombra
