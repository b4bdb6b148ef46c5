#include <gtest/gtest.h>

#include "codeplug/MemoryAreas.h"
#include "tests/ombra_ops/SimRig.h"

namespace norda::test {
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
}

TEST(Write, WriteAfterReadSendsSixAreasInBlocksThenTheResetCommand) {
    SimRig rig;
    ReadFirst(rig);
    rig.client->CmWrite();
    EXPECT_EQ(rig.progressTexts.back(), "Port 1|Cihazdan ön bilgiler okunuyor ...");
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kProgrammed});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionInfo);
    EXPECT_EQ(rig.messages[0].style, 64);
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
    EXPECT_TRUE(rig.client->DataValid);
    EXPECT_EQ(rig.client->AreasToWrite, -1);
    EXPECT_EQ(rig.sounds.size(), 2u);
    EXPECT_EQ(rig.parameters.Clone.TUNETIM, 10) << "clone constants go into every write";
}

TEST(Write, ClosingTheMessageLateDelaysTheResetCommand) {
    SimRig rig;
    ReadFirst(rig);
    uint32_t closed = 0;
    rig.answer = [&](const Shown&) {
        rig.Wait(7000);
        closed = rig.clock.TickCount();
        return kIdOk;
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
    EXPECT_EQ(rig.messages[0].style, 48);
    EXPECT_EQ(rig.radio->Stats().memoryWrites, 0u);
}

TEST(Write, PreconditionsOfWriteAndCopy) {
    SimRig rig;
    EXPECT_FALSE(rig.client->CanWrite());
    rig.client->CmWrite();
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kWriteNeedsRead});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionUsageError);
    EXPECT_FALSE(rig.client->Reading);

    rig.client->CmCopy();
    ASSERT_EQ(rig.MessageIds(), (std::vector<int>{msg::kWriteNeedsRead, msg::kCopyNeedsData}));
    EXPECT_FALSE(rig.client->Reading);

    // An opened file is enough for a copy, not for a write.
    rig.fileOpened = true;
    EXPECT_FALSE(rig.client->CanWrite());
    rig.client->CmCopy();
    EXPECT_TRUE(rig.client->Reading);
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
    EXPECT_FALSE(rig.client->Writing);
    EXPECT_EQ(ResetCommands(rig), 0);
    EXPECT_EQ(rig.client->AreasToWrite, -1);
}

}  // namespace
}  // namespace norda::test
