#include <gtest/gtest.h>

#include <functional>

#include "codeplug/MemoryAreas.h"
#include "tests/ombra_ops/SimRig.h"

namespace norda::ombra::test {
namespace {

std::vector<std::pair<uint32_t, int>> WritePlan(const SimRig& rig) {
    std::vector<std::pair<uint32_t, int>> plan;
    for (const Request& r : rig.Requests()) {
        if (r.code == 3 && r.operation == 3)
            plan.push_back({r.address, r.length});
        if (r.code == 4)
            plan.push_back({0xFFFFFFFF, 0});
    }
    return plan;
}

int ResetCommands(const SimRig& rig) {
    int n = 0;
    for (const Request& r : rig.Requests())
        n += r.code == 4;
    return n;
}

// Reads the rig's radio, then forgets what was sent so far.
void ReadFirst(SimRig& rig) {
    ASSERT_TRUE(rig.ReadRadio());
    ASSERT_TRUE(rig.messages.empty());
    rig.written.clear();
    rig.ends.clear();
}

TEST(Write, WriteAfterReadSendsSixAreasInBlocksThenTheResetCommand) {
    SimRig rig;
    ReadFirst(rig);
    rig.client->CmWrite();
    EXPECT_EQ(rig.progressTexts.back(), "Port 1|Cihazdan ön bilgiler okunuyor ...");
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kProgrammed});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionInfo);
    EXPECT_EQ(rig.messages[0].severity, Severity::Info);
    EXPECT_EQ(rig.messages[0].radioResets, 0u) << "811 comes before the reset command";
    EXPECT_EQ(rig.radio->Stats().resets, 1u);

    std::vector<std::pair<uint32_t, int>> expected = {{0, 7}, {8, 16}};
    for (int i = 0; i < 10; ++i)
        expected.push_back({24u + 128u * i, 128});
    expected.push_back({24 + 1280, 46});
    expected.push_back({1352, 24});
    expected.push_back({2016, 22});
    expected.push_back({1536, 128});
    expected.push_back({1664, 84});
    expected.push_back({0xFFFFFFFF, 0});
    EXPECT_EQ(WritePlan(rig), expected);

    // The pre-read went first: TestAyar, Master, Service.
    std::vector<uint32_t> reads;
    for (const Request& r : rig.Requests()) {
        if (r.code == 3 && r.operation == 1)
            reads.push_back(r.address);
    }
    EXPECT_EQ(reads, (std::vector<uint32_t>{1400, 0, 8}));

    const sim::ParamMemory& radio = rig.radio->Params();
    EXPECT_EQ(radio[8], 0) << "minor version";
    EXPECT_EQ(radio[9], 4) << "major version";
    EXPECT_EQ(radio[3] | radio[4] << 8, 10637) << "programming date 5 March 2007";
    for (const MemoryArea& area : kMemoryAreas) {
        if (area.writeLength == 0)
            continue;
        for (int a = area.address; a < area.address + area.writeLength; ++a) {
            ASSERT_EQ(radio[static_cast<size_t>(a)], rig.image[a]) << area.name << " " << a;
        }
        EXPECT_TRUE(AreaChecksumMatches(rig.image, area)) << area.name;
    }
    EXPECT_EQ(rig.page, 1);
    EXPECT_TRUE(rig.client->DataValid());
    EXPECT_EQ(rig.client->CurrentPhase(), TProgWin::Phase::Idle);
    EXPECT_EQ(rig.sounds.size(), 2u);
    EXPECT_EQ(rig.parameters.Clone.TUNETIM, 10) << "clone constants go into every write";
}

// An adapter pulled out under a write: the operator hears once that the write was cut off
// (not that a read failed), nothing polls the dead port afterwards, and the end names the
// write, which is what its production record is made from.
TEST(Write, APortGoneMidWriteSaysTheWriteWasCutOffOnce) {
    SimRig rig;
    ReadFirst(rig);
    rig.client->CmWrite();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.client->Writing(); }, 20000));
    rig.Run(200);
    rig.line.Unplug();
    rig.Run(2000);
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{3950});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionSerialPort);
    EXPECT_EQ(rig.messages[0].severity, Severity::Failure);
    ASSERT_EQ(rig.ends.size(), 1u);
    EXPECT_EQ(rig.ends[0].outcome, OperationEnd::Outcome::Failed);
    EXPECT_EQ(rig.ends[0].operation, Operation::Write);
    EXPECT_FALSE(rig.client->Polling());
    EXPECT_EQ(rig.client->NextDeadline(), std::nullopt);
    EXPECT_FALSE(rig.progressOpen);
}

TEST(Write, ClosingTheMessageLateDelaysTheResetCommand) {
    SimRig rig;
    ReadFirst(rig);
    uint32_t closed = 0;
    rig.answer = [&](const Shown&) {
        rig.Wait(7000);
        closed = rig.clock.TickCount();
        return true;
    };
    rig.client->CmWrite();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kProgrammed});
    const std::vector<WireFrame> frames = rig.Frames();
    const WireFrame& last = frames.back();
    ASSERT_TRUE(last.IsLt());
    EXPECT_EQ(last.Message()[0], 0x04);
    EXPECT_GE(last.at, closed);
    EXPECT_EQ(rig.radio->Stats().resets, 1u);
}

TEST(Write, CopyKeepsTheTargetRadiosServiceArea) {
    SimRig rig;
    ReadFirst(rig);
    // Another radio of the same band with a Service area of its own that fits
    // its hardware options (so the option rules leave it alone).
    sim::ParamMemory& target = rig.radio->Params();
    target[1419] |= 0x03;
    for (int a = 8; a < 20; ++a)
        target[static_cast<size_t>(a)] = static_cast<uint8_t>(0x31 + a);
    target[20] = 0x08 | 0x20;  // KeyPad, OptionAtStart; SCEnc off
    target[21] = 0x52;
    sim::WriteAreaChecksums(target);
    std::array<uint8_t, 16> service;
    std::copy(target.begin() + 8, target.begin() + 24, service.begin());

    rig.client->CmCopy();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kProgrammed});
    for (int a = 8; a < 24; ++a) {
        EXPECT_EQ(target[static_cast<size_t>(a)], service[static_cast<size_t>(a - 8)]) << a;
    }
    EXPECT_EQ(static_cast<uint8_t>(rig.parameters.Service.ProgVersionMajor), service[1]);
}

TEST(Write, RadioOfAnotherBandStopsAfterThePreRead) {
    SimRig rig;
    ReadFirst(rig);
    sim::ParamMemory& radio = rig.radio->Params();
    radio[1420] = 16240 >> 8;
    radio[1421] = 16240 & 0xFF;
    sim::WriteAreaChecksums(radio);
    rig.client->CmCopy();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kBandMismatch});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionError);
    EXPECT_TRUE(WritePlan(rig).empty());
    EXPECT_EQ(rig.radio->Stats().memoryWrites, 0u);
}

TEST(Write, UnprogrammedTestAyarStopsAfterThePreRead) {
    SimRig rig;
    ReadFirst(rig);
    rig.radio->Params()[1469] ^= 0x01;
    rig.client->CmWrite();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kTestAyarUnprogrammed});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionError);
    EXPECT_EQ(rig.messages[0].severity, Severity::Failure);
    EXPECT_EQ(rig.radio->Stats().memoryWrites, 0u);
}

TEST(Write, PreconditionsOfWriteAndCopy) {
    SimRig rig;
    EXPECT_FALSE(rig.client->CanWrite());
    rig.client->CmWrite();
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kWriteNeedsRead});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionUsageError);
    EXPECT_FALSE(rig.client->Reading());

    rig.client->CmCopy();
    ASSERT_EQ(rig.MessageIds(), (std::vector<int>{msg::kWriteNeedsRead, msg::kCopyNeedsData}));
    EXPECT_FALSE(rig.client->Reading());

    // An opened file is enough for a copy, not for a write.
    rig.fileOpened = true;
    EXPECT_FALSE(rig.client->CanWrite());
    rig.client->CmCopy();
    EXPECT_TRUE(rig.client->Reading());
    EXPECT_EQ(rig.messages.size(), 2u);
}

TEST(Write, UnacknowledgedResetCommandGives808AfterFourTries) {
    sim::RadioConfig config;
    config.faults.ignoreReset = true;
    SimRig rig(config);
    ReadFirst(rig);
    rig.client->CmWrite();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), (std::vector<int>{msg::kProgrammed, msg::kNoAnswer}));
    EXPECT_EQ(rig.messages[1].captionId, msg::kCaptionError);
    EXPECT_EQ(ResetCommands(rig), 4);
    EXPECT_EQ(rig.radio->Stats().memoryWrites, 17u) << "the areas stay written";
}

TEST(Write, RadioRelinkingMidWriteGives810) {
    sim::RadioConfig config;
    config.faults.relinkAfter = 30 + 6;  // the read's 25 and the pre-read's 3, then 8 blocks
    SimRig rig(config);
    ReadFirst(rig);
    rig.client->CmWrite();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kWriteInterrupted});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionError);
    EXPECT_FALSE(rig.client->Writing());
    EXPECT_EQ(ResetCommands(rig), 0);
    EXPECT_EQ(rig.client->CurrentPhase(), TProgWin::Phase::Idle);
}

// ---- what the write phase sets, on the bytes the radio receives --------------------

// Writes the rig's radio after it has been given `setup` and read.
void ReadThenWrite(SimRig& rig, const std::function<void(sim::ParamMemory&)>& setup) {
    sim::ParamMemory& radio = rig.radio->Params();
    setup(radio);
    sim::WriteAreaChecksums(radio);
    ReadFirst(rig);
    rig.client->CmWrite();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kProgrammed});
}

TEST(WritePhase, CloneConstantsAndTheToneStandardsSelectiveCallConstants) {
    ProgWinSettings settings;
    CloneConstants& k = settings.cloneConstants;
    uint8_t* all[] = {&k.TUNETIM,   &k.AKDUR,     &k.LPRF,      &k.HPRF,      &k.RSSITreshhold,
                      &k.PLLSETT,   &k.PLLUNL,    &k.PRTIM0,    &k.SQTDEL,    &k.TCSSCN,
                      &k.PRITCS0,   &k.ZCC_CCIR,  &k.GZCC_CCIR, &k.BZCC_CCIR, &k.ZCC_ZVEI,
                      &k.GZCC_ZVEI, &k.BZCC_ZVEI, &k.ZCC_EEA,   &k.GZCC_EEA,  &k.BZCC_EEA,
                      &k.StdDev,    &k.PSMTIM};
    uint8_t v = 101;
    for (uint8_t* c : all)
        *c = v++;
    k.SQTDEL = 5;  // three bits
    const std::array<std::array<uint8_t, 3>, 4> expected = {{
        {k.ZCC_CCIR, k.GZCC_CCIR, k.BZCC_CCIR},  // DSC takes CCIR's
        {k.ZCC_CCIR, k.GZCC_CCIR, k.BZCC_CCIR},
        {k.ZCC_ZVEI, k.GZCC_ZVEI, k.BZCC_ZVEI},
        {k.ZCC_EEA, k.GZCC_EEA, k.BZCC_EEA},
    }};
    for (uint8_t standard = 0; standard < 4; ++standard) {
        SCOPED_TRACE(standard);
        SimRig rig({}, settings);
        ReadThenWrite(rig, [&](sim::ParamMemory& radio) {
            radio[24] = static_cast<uint8_t>((radio[24] & ~0x03) | standard);
        });
        const sim::ParamMemory& radio = rig.radio->Params();
        EXPECT_EQ(radio[24] & 0x03, standard);
        EXPECT_EQ(radio[41], expected[standard][0]) << "ZCC";
        EXPECT_EQ(radio[42], expected[standard][1]) << "GZCC";
        EXPECT_EQ(radio[43], expected[standard][2]) << "BZCC";
        if (standard != 0)
            continue;
        const std::array<uint8_t, 8> first = {k.TUNETIM,       k.AKDUR,   k.LPRF,   k.HPRF,
                                              k.RSSITreshhold, k.PLLSETT, k.PLLUNL, k.PRTIM0};
        for (size_t i = 0; i < first.size(); ++i)
            EXPECT_EQ(radio[30 + i], first[i]) << 30 + i;
        EXPECT_EQ(radio[38] & 0x07, k.SQTDEL);
        EXPECT_EQ(radio[39], k.TCSSCN);
        EXPECT_EQ(radio[40], k.PRITCS0);
        EXPECT_EQ(radio[44], k.StdDev);
        EXPECT_EQ(radio[45], k.PSMTIM);
    }
}

TEST(WritePhase, UserCountersAndMasterFlagsAreCleared) {
    SimRig rig;
    ReadThenWrite(rig, [](sim::ParamMemory& radio) {
        radio[0] = 0xFF;
        for (int a = 1352; a <= 1361; ++a)
            radio[static_cast<size_t>(a)] = 0xFF;
    });
    const sim::ParamMemory& radio = rig.radio->Params();
    for (int a : {1352, 1353, 1354, 1357, 1358, 1359, 1360, 1361})
        EXPECT_EQ(radio[static_cast<size_t>(a)], 0) << a;
    EXPECT_EQ(radio[1355], 0xFF & ~0x1C) << "bits 4, 3 and 2 cleared, the user's switches kept";
    EXPECT_EQ(radio[0] & 0xD2, 0) << "Master byte 0 bits 7, 6, 4 and 1";
    EXPECT_EQ(radio[0] & 0x08, 0x08) << "the compander stays";
}

TEST(WritePhase, HardwareOptionsDecideKeypadTdmAndTheFixedBaseBit) {
    struct Case {
        bool keypadHardware;
        bool tdmHardware;
        uint8_t service20;  // written Service byte 20
        uint8_t master0;    // written Master byte 0 (bit 0 is no parameter's and goes out 0)
    };
    // The radio holds every switch on but the keypad and selective-call sending
    // (whose own rule would touch other bytes).
    const Case cases[] = {
        // No keypad hardware: no fixed-base microphone, so Master bit 5 clear too.
        // No TDM hardware: TDM and VOX off.
        {false, false, 0xF0, 0x08},
        // Keypad hardware: keypad on, marine and cloner off; the microphone sets bit 5.
        {true, false, 0x6A, 0x28},
        {false, true, 0xF1, 0x0C},
        {true, true, 0x6B, 0x2C},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "keypad " << c.keypadHardware << ", TDM " << c.tdmHardware);
        SimRig rig;
        ReadThenWrite(rig, [&](sim::ParamMemory& radio) {
            radio[0] = 0xFF;
            radio[20] = 0xF3;
            radio[1419] = static_cast<uint8_t>((radio[1419] & ~0x03) | (c.keypadHardware ? 2 : 0) |
                                               (c.tdmHardware ? 1 : 0));
        });
        EXPECT_EQ(rig.radio->Params()[20], c.service20);
        EXPECT_EQ(rig.radio->Params()[0], c.master0);
    }
}

}  // namespace
}  // namespace norda::ombra::test
