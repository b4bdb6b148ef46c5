#include <gtest/gtest.h>

#include "ombra/ops/AutoProgLogic.h"

namespace norda::ombra {
namespace {

using namespace autoprog;

TEST(AutoProg, NextRadioCountsTheNumbersUp) {
    AutoProgFields f;
    f.serialNo = "65535";
    f.ani = "0099";
    f.ack = "12A4";
    f.selectiveCall = "";
    PrepareNextRadio(f, false);
    EXPECT_EQ(f.serialNo, "1");
    EXPECT_EQ(f.ani, "100");
    EXPECT_EQ(f.ack, "12A4") << "a number with a letter is left";
    EXPECT_EQ(f.selectiveCall, "");

    f.serialNo = "";
    f.ani = "999999";
    PrepareNextRadio(f, false);
    EXPECT_EQ(f.serialNo, "") << "an empty serial number stays empty";
    EXPECT_EQ(f.ani, "1000000");

    f.serialNo = "41";
    PrepareNextRadio(f, false);
    EXPECT_EQ(f.serialNo, "42");
}

TEST(AutoProg, NextRadioInTestModeEmptiesTheNumbers) {
    AutoProgFields f;
    f.serialNo = "7";
    f.ani = f.ack = f.selectiveCall = "123";
    f.cloneKey = "9";
    PrepareNextRadio(f, true);
    EXPECT_TRUE(f.serialNo.empty());
    EXPECT_TRUE(f.ani.empty());
    EXPECT_TRUE(f.ack.empty());
    EXPECT_TRUE(f.selectiveCall.empty());
    EXPECT_EQ(f.cloneKey, "9");
}

TEST(AutoProg, SetUpWithoutDataGivesTheFirstRadiosValues) {
    RadioParameters p;
    p.Master.SeriNo = 500;
    const AutoProgFields f = TransferToDialog(p, false);
    EXPECT_EQ(f.serialNo, "1");
    EXPECT_FALSE(f.fixedCentre || f.compander || f.tdm);
    EXPECT_TRUE(f.keyPad && f.scEnc);
    EXPECT_EQ(f.ani, "1");
    EXPECT_EQ(f.ack, "1");
    EXPECT_EQ(f.selectiveCall, "1");
    EXPECT_EQ(f.lowPower, "3");
    EXPECT_EQ(f.highPower, "7");
    const AutoProgEnables e = ControlStates(true);
    EXPECT_FALSE(e.fixedCentreVisible || e.checkBoxes || e.cloneKey || e.powerLevels);
    EXPECT_TRUE(e.numbers);
}

TEST(AutoProg, DialogAndParametersRoundTrip) {
    RadioParameters p;
    p.Master.SeriNo = static_cast<int16_t>(60000);
    p.Master.Compander = 1;
    p.Service.MonitorDisabled = 1;
    p.Service.KeyPad = 1;
    p.Service.CloneKey = 0;
    const int16_t ani[kDigitPlaces] = {1, 2, 10, 15, 15, 15};
    std::copy(std::begin(ani), std::end(ani), p.Service.ANINo);
    std::fill(std::begin(p.Service.ACKNo), std::end(p.Service.ACKNo), kEmptyDigit);
    const int16_t sc[kDigitPlaces] = {4, 5, 6, 15, 15, 15};
    std::copy(std::begin(sc), std::end(sc), p.Service.SecmeliCagriNo);
    p.Service.LPIndex = 2;
    p.Service.HPIndex = 8;
    AutoProgFields f = TransferToDialog(p, true);
    EXPECT_EQ(f.serialNo, "60000");
    EXPECT_FALSE(f.monitor);
    EXPECT_EQ(f.cloneKey, "");
    EXPECT_EQ(f.ani, "12A");
    EXPECT_EQ(f.ack, "");
    EXPECT_EQ(f.selectiveCall, "456");

    RadioParameters q = p;
    f.lowPower.clear();
    f.selectiveCall = "12X4";
    TransferFromDialog(f, q);
    EXPECT_EQ(static_cast<uint16_t>(q.Master.SeriNo), 60000);
    EXPECT_EQ(q.Service.MonitorDisabled, 1);
    EXPECT_EQ(q.Service.LPIndex, 7);
    EXPECT_EQ(f.lowPower, "7");
    EXPECT_EQ(q.Clone.TonLength, 4) << "the digit count is the text length";
    const int16_t expected[kDigitPlaces] = {1, 2, 15, 15, 15, 15};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), q.Service.SecmeliCagriNo));
    EXPECT_TRUE(std::equal(std::begin(ani), std::end(ani), q.Service.ANINo));
}

TEST(AutoProg, FieldRules) {
    AutoProgFields f;
    f.keyPad = false;
    f.scEnc = true;
    KeyPadChanged(f);
    EXPECT_FALSE(f.scEnc);
    f.ack = "55";
    f.selectiveCall = "";
    SelectiveCallLeft(f);
    EXPECT_TRUE(f.ack.empty());
}

}  // namespace
}  // namespace norda::ombra
