#include "ombra/pages/TAutoProg.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "ParamPagesTestSupport.h"
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
    void Open(bool testMode, bool dataValid) {
        dlg = std::make_unique<TAutoProg>(nullptr, Turkish(), p, host, testMode, dataValid);
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

}  // namespace
}  // namespace norda::ombra
