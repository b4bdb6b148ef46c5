#include <gtest/gtest.h>

#include "tests/ombra_ops/SimRig.h"

namespace norda::ombra::test {
namespace {

uint16_t RadioSerial(const SimRig& rig) {
    const sim::ParamMemory& m = rig.radio->Params();
    return static_cast<uint16_t>(m[1] << 8 | m[2]);
}

// ANI number as the radio keeps it: last place first, two places a byte.
std::string RadioAni(const SimRig& rig) {
    const sim::ParamMemory& m = rig.radio->Params();
    const int nibbles[6] = {m[13] & 0x0F, m[13] >> 4,   m[12] & 0x0F,
                            m[12] >> 4,   m[11] & 0x0F, m[11] >> 4};
    std::string text;
    for (int n : nibbles) {
        if (n > 9)
            break;
        text += static_cast<char>('0' + n);
    }
    return text;
}

TEST(Sequential, NeedsReadDataOrAnOpenedFile) {
    SimRig rig;
    bool dialogRan = false;
    rig.sequentialDialog = [&] { dialogRan = true; };
    rig.client->CmSequential();
    EXPECT_FALSE(dialogRan);
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kSequentialNeedsData});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionUsageError);
}

TEST(Sequential, NumbersAdvanceOnlyAfterARadioIsProgrammed) {
    SimRig rig;
    ASSERT_TRUE(rig.ReadRadio());
    std::vector<uint16_t> serials;
    std::vector<std::string> anis;
    int nextRadio = 0;
    rig.sequentialDialog = [&] {
        EXPECT_TRUE(rig.client->SequentialRunning());
        AutoProgFields fields = autoprog::TransferToDialog(rig.parameters, rig.client->DataValid());
        fields.serialNo = "65534";
        fields.ani = "0099";
        rig.dialogMessage = [&](Posted m) {
            if (m == Posted::NextRadio) {
                autoprog::PrepareNextRadio(fields, rig.client->TestMode());
                ++nextRadio;
            }
        };
        for (int radio = 0; radio < 3; ++radio) {
            // The second radio is lost half-way: it is not counted.
            rig.radio->ActiveFaults().silent = radio == 1;
            autoprog::Programla(fields, rig.parameters, rig);
            ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
            serials.push_back(RadioSerial(rig));
            anis.push_back(RadioAni(rig));
        }
    };
    rig.client->CmSequential();
    EXPECT_FALSE(rig.client->SequentialRunning());
    EXPECT_EQ(nextRadio, 2);
    EXPECT_EQ(serials, (std::vector<uint16_t>{65534, 65534, 65535}));
    EXPECT_EQ(anis, (std::vector<std::string>{"0099", "0099", "100"}));
    ASSERT_EQ(rig.MessageIds(), (std::vector<int>{msg::kSequentialProgrammed, msg::kNoLink,
                                                  msg::kSequentialProgrammed}));
    for (const Shown& shown : rig.messages) {
        EXPECT_EQ(shown.owner, MessageOwner::SequentialDialog);
    }
    // No file was open: the editor shows the radio's data.
    EXPECT_EQ(rig.document, DocumentState::RadioData);
    EXPECT_EQ(rig.page, 1);
    EXPECT_TRUE(rig.client->DataValid());
}

TEST(Sequential, OpenedFileInTestModeForgetsTheLastRadiosIdentity) {
    ProgWinSettings settings;
    settings.testMode = true;
    SimRig rig({}, settings);
    rig.fileOpened = true;
    rig.parameters.TestAyar.HalfBaseChan = sim::kDefaultHalfBaseChan;  // as the file gave it
    rig.page = 3;
    rig.sequentialDialog = [&] {
        AutoProgFields fields = autoprog::TransferToDialog(rig.parameters, false);
        autoprog::Programla(fields, rig.parameters, rig);
        ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    };
    rig.client->CmSequential();
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kSequentialProgrammed});
    EXPECT_EQ(RadioSerial(rig), 1);
    EXPECT_EQ(rig.parameters.Master.SeriNo, 0);
    EXPECT_EQ(rig.parameters.Service.ANINo[0], kEmptyDigit);
    EXPECT_EQ(rig.document, DocumentState::OpenedFile);
    EXPECT_EQ(rig.page, -1);
    EXPECT_TRUE(rig.client->DataValid());
}

}  // namespace
}  // namespace norda::ombra::test
