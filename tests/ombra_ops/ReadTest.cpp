#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "codeplug/MemoryAreas.h"
#include "tests/ombra_ops/SimRig.h"

namespace norda::ombra::test {
namespace {

RadioParameters Decoded(const sim::ParamMemory& memory) {
    RadioImage image;
    std::copy(memory.begin(), memory.end(), image.bytes.begin());
    RadioParameters parameters;
    FieldList list;
    BuildFieldList(list, parameters, image);
    EXPECT_EQ(list.Decode(), kLayoutOk);
    return parameters;
}

// Breaks the stored checksum of the area whose sum ends at `checksumAt`.
void Unprogram(SimRig& rig, int checksumAt) {
    rig.radio->Params()[checksumAt] ^= 0x01;
}

TEST(Read, FullReadGivesTheRadioImageAndItsParameters) {
    SimRig rig;
    rig.page = 5;
    rig.client->CmRead();
    // A page was open: the discard question comes first.
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kConfirmDiscard});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionWarning);
    EXPECT_TRUE(rig.messages[0].question);
    EXPECT_EQ(rig.progressTexts.back(), "Port 1|Cihaz okunuyor ...");
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }));

    EXPECT_EQ(rig.messages.size(), 1u) << "a programmed radio gives no warning";
    const sim::ParamMemory& radio = rig.radio->Params();
    for (const MemoryArea& area : kMemoryAreas) {
        for (int a = area.address; a < area.address + area.readLength; ++a) {
            ASSERT_EQ(rig.image[a], radio[static_cast<size_t>(a)]) << area.name << " byte " << a;
        }
    }
    EXPECT_EQ(rig.parameters, Decoded(radio));
    EXPECT_TRUE(rig.client->DataValid());
    EXPECT_EQ(rig.document, DocumentState::RadioData);
    EXPECT_FALSE(rig.restrictedPages);
    EXPECT_TRUE(rig.fileName.empty());
    EXPECT_EQ(rig.page, 1);
    EXPECT_FALSE(rig.progressOpen);
    EXPECT_EQ(rig.sounds, std::vector<std::string>{"ding.wav"});
    EXPECT_EQ(rig.progressReports.size(), 25u);
    EXPECT_EQ(rig.progressReports.back().done, 24);
}

// At 300 Bd an 80-byte reply alone is on the line for 3.2 s, longer than the whole wait for
// a reply: counted from the LA, the first Clone block always ended in 807.
TEST(Read, AWholeReadAtThreeHundredBaud) {
    sim::RadioConfig config;
    config.baud = 300;
    SimRig rig(config);
    ASSERT_TRUE(rig.ReadRadio()) << "still reading";
    EXPECT_TRUE(rig.messages.empty()) << rig.messages[0].text;
    EXPECT_EQ(rig.parameters, Decoded(rig.radio->Params()));
    EXPECT_TRUE(rig.client->DataValid());
}

TEST(Read, RequestsEveryAreaInEightyByteBlocksInReadListOrder) {
    SimRig rig;
    ASSERT_TRUE(rig.ReadRadio());
    std::vector<std::pair<uint32_t, int>> plan;
    for (const Request& r : rig.Requests()) {
        ASSERT_EQ(r.code, 3);
        ASSERT_EQ(r.operation, 1);
        plan.push_back({r.address, r.length});
    }
    std::vector<std::pair<uint32_t, int>> expected = {{0, 7}, {8, 16}};
    for (int i = 0; i < 16; ++i)
        expected.push_back({24u + 80u * i, 80});
    expected.push_back({24 + 1280, 46});
    expected.push_back({1352, 12});
    expected.push_back({1400, 71});
    expected.push_back({2016, 22});
    expected.push_back({1536, 80});
    expected.push_back({1616, 80});
    expected.push_back({1696, 52});
    EXPECT_EQ(plan, expected);
}

TEST(Read, SilentRadioGetsThreeLinkRequestsOneSecondApartThen812) {
    sim::RadioConfig config;
    config.faults.silent = true;
    SimRig rig(config);
    rig.client->CmRead();
    ASSERT_TRUE(rig.RunUntil([&] { return !rig.messages.empty(); }, 10000));
    std::vector<uint32_t> lr;
    for (const WireFrame& f : rig.Frames()) {
        if (f.IsLr())
            lr.push_back(f.at);
    }
    ASSERT_EQ(lr.size(), 3u);
    // A second apart, counted from the moment an LA could have come back over the line
    // (22 ms at 9600 Bd), then the next poll.
    EXPECT_EQ(lr[0], 100u);
    EXPECT_GE(lr[1], 1122u);
    EXPECT_LE(lr[1], 1142u);
    EXPECT_GE(lr[2], 2144u);
    EXPECT_LE(lr[2], 2184u);
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kNoLink});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionCommError);
    EXPECT_EQ(rig.messages[0].severity, Severity::Failure);
    EXPECT_GE(rig.messages[0].at, lr[2] + 1000);
    EXPECT_FALSE(rig.progressOpen);
    rig.Run(5000);
    EXPECT_FALSE(rig.client->NextDeadline()) << "the poll is not re-armed after 812";
    EXPECT_EQ(rig.page, -1);
    EXPECT_FALSE(rig.client->DataValid());
}

TEST(Read, AcknowledgedRequestWithoutReplyGives807AfterThreeSeconds) {
    sim::RadioConfig config;
    config.faults.noDataReply = true;
    SimRig rig(config);
    rig.client->CmRead();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }, 20000));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kNoTimelyReply});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionCommError);
    const std::vector<Request> requests = rig.Requests();
    ASSERT_EQ(requests.size(), 1u) << "the link was up, so the request is not repeated";
    const uint32_t sent = rig.Frames().back().at;
    EXPECT_GE(rig.messages[0].at, sent + 3000);
    EXPECT_LE(rig.messages[0].at, sent + 3100);
    EXPECT_FALSE(rig.client->DataValid());
}

TEST(Read, RequestsNeverAcknowledgedNorAnsweredGive808AfterFourSends) {
    sim::RadioConfig config;
    config.faults.dropLaEvery = 1;
    config.faults.noDataReply = true;
    SimRig rig(config);
    rig.client->CmRead();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Finished(); }, 20000));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kNoAnswer});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionError);
    EXPECT_EQ(rig.Requests().size(), 4u);
    EXPECT_FALSE(rig.client->DataValid());
}

TEST(Read, ALineErrorOrAnUnpluggedDeviceGives634OnceAndTheNextReadOpensItAgain) {
    for (bool unplugged : {false, true}) {
        SCOPED_TRACE(unplugged);
        SimRig rig;
        rig.client->CmRead();
        rig.Run(300);
        if (unplugged)
            rig.line.Unplug();
        else
            rig.line.InjectLineError();
        rig.Run(2000);
        ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kReadError});
        EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionSerialPort);
        EXPECT_FALSE(rig.client->Reading());
        EXPECT_FALSE(rig.client->Polling());
        EXPECT_TRUE(rig.client->CanRead());
        // Still away: the next read says the port cannot be used.
        rig.messages.clear();
        if (unplugged) {
            rig.client->CmRead();
            rig.Run(100);
            ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kBadPort});
            rig.messages.clear();
            rig.line.SetPresent(true);
        }
        // Back, the next read opens the device afresh and completes.
        ASSERT_TRUE(rig.ReadRadio());
        EXPECT_TRUE(rig.messages.empty()) << rig.messages[0].text;
        EXPECT_TRUE(rig.client->DataValid());
    }
}

// Pulled out between operations: nothing polls the port, so nothing is said until the
// operator reads again; then once, and the device is opened afresh when it is back.
TEST(Read, ADeviceUnpluggedWhileIdleIsLeftAloneUntilTheNextRead) {
    SimRig rig;
    ASSERT_TRUE(rig.ReadRadio());
    rig.line.Unplug();
    rig.Run(2000);
    EXPECT_TRUE(rig.messages.empty()) << rig.messages[0].text;
    EXPECT_FALSE(rig.client->Polling());
    rig.client->CmRead();
    rig.Run(2000);
    ASSERT_EQ(rig.MessageIds(), (std::vector<int>{msg::kConfirmDiscard, msg::kReadError}));
    EXPECT_FALSE(rig.client->Polling());
    rig.messages.clear();
    rig.line.SetPresent(true);
    ASSERT_TRUE(rig.ReadRadio());
    EXPECT_TRUE(rig.messages.empty()) << rig.messages[0].text;
}

TEST(Read, RadioRelinkingMidReadGives806ButTheFirstLinkIsQuiet) {
    sim::RadioConfig config;
    config.faults.relinkAfter = 5;
    SimRig rig(config);
    rig.client->CmRead();
    ASSERT_TRUE(rig.RunUntil([&] { return !rig.messages.empty(); }, 20000));
    ASSERT_EQ(rig.MessageIds(), std::vector<int>{msg::kReadInterrupted});
    EXPECT_EQ(rig.messages[0].captionId, msg::kCaptionError);
    EXPECT_FALSE(rig.client->Reading());
    EXPECT_EQ(rig.page, -1) << "nothing is decoded or opened";
    EXPECT_FALSE(rig.client->DataValid());
}

TEST(Read, UnprogrammedAreasWarnInOrderAndTheReadStillCompletes) {
    SimRig rig;
    Unprogram(rig, 1333);  // Clone
    Unprogram(rig, 5);     // Master
    ASSERT_TRUE(rig.ReadRadio());
    ASSERT_EQ(rig.MessageIds(),
              (std::vector<int>{msg::kMasterUnprogrammed, msg::kCloneUnprogrammed}));
    for (const Shown& shown : rig.messages) {
        EXPECT_EQ(shown.captionId, msg::kCaptionWarning);
        EXPECT_EQ(shown.severity, Severity::Info);
    }
    EXPECT_EQ(rig.page, 1);
    EXPECT_TRUE(rig.client->DataValid());
}

TEST(Read, UnprogrammedKsysIsEmptiedAndWarnsOnlyWithTheKsysOption) {
    for (bool option : {false, true}) {
        SimRig rig;
        sim::ParamMemory& memory = rig.radio->Params();
        memory[1419] = static_cast<uint8_t>(option ? memory[1419] | 0x10 : memory[1419] & ~0x10);
        sim::WriteAreaChecksums(memory);
        memory[2036] ^= 0x01;
        memory[2016] = 0x12;
        ASSERT_TRUE(rig.ReadRadio());
        EXPECT_EQ(rig.MessageIds(),
                  option ? std::vector<int>{msg::kKsysUnprogrammed} : std::vector<int>{});
        const KsysParameters& ksys = rig.parameters.KSYS;
        EXPECT_EQ(ksys.SYSID, 0);
        EXPECT_EQ(ksys.RxFreq, 0x3FFF);
        EXPECT_EQ(ksys.TxFreq, 0x3FFF);
        for (int16_t group : ksys.GrupNo)
            EXPECT_EQ(group, 0);
        EXPECT_EQ(rig.page, 1);
    }
}

TEST(Read, UnprogrammedAdataClearsItsFirstFiveParametersOnly) {
    SimRig rig;
    sim::ParamMemory& memory = rig.radio->Params();
    for (int a = 1536; a < 1546; ++a)
        memory[static_cast<size_t>(a)] = 0x21;
    sim::WriteAreaChecksums(memory);
    memory[1746] ^= 0x01;
    ASSERT_TRUE(rig.ReadRadio());
    EXPECT_TRUE(rig.messages.empty()) << "ADATA has no warning";
    const AdataParameters& adata = rig.parameters.ADATA;
    EXPECT_EQ(adata.SYSID, 0);
    EXPECT_EQ(adata.FLEETID, 0);
    EXPECT_EQ(adata.RADIOID, 0);
    EXPECT_EQ(adata.RXID, 0);
    EXPECT_EQ(adata.PREAMBLE, 0);
    EXPECT_EQ(adata.GRUP[0], 0x2121);
}

TEST(Read, CommandRulesAndTheDiscardQuestion) {
    SimRig rig;
    EXPECT_TRUE(rig.client->CanRead());
    rig.client->SetTestMode(true);
    EXPECT_FALSE(rig.client->CanRead());
    EXPECT_FALSE(rig.client->CanCopy());
    EXPECT_TRUE(rig.client->CanSequential());
    rig.client->SetTestMode(false);

    rig.page = 3;
    rig.answer = [](const Shown&) { return false; };
    rig.client->CmRead();
    EXPECT_EQ(rig.MessageIds(), std::vector<int>{msg::kConfirmDiscard});
    EXPECT_FALSE(rig.client->Reading());
    EXPECT_EQ(rig.page, 3);

    rig.pageMayBeLeft = false;
    rig.client->CmRead();
    EXPECT_EQ(rig.messages.size(), 1u);
    EXPECT_FALSE(rig.client->Reading());

    rig.pageMayBeLeft = true;
    rig.page = -1;
    rig.client->CmRead();
    EXPECT_EQ(rig.messages.size(), 1u) << "no page, no question";
    EXPECT_TRUE(rig.client->Reading());
    EXPECT_FALSE(rig.client->CanRead());
    EXPECT_FALSE(rig.client->CanSequential());
}

TEST(Read, DebugSwitchDumpsTheImage) {
    const auto dir = std::filesystem::temp_directory_path() / "ombra_ops_dump";
    std::filesystem::create_directories(dir);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    std::filesystem::remove("eprom.dbg");
    ProgWinSettings settings;
    settings.dumpImage = true;
    {
        SimRig rig({}, settings);
        ASSERT_TRUE(rig.ReadRadio());
        std::ifstream file("eprom.dbg", std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(file)), {});
        ASSERT_EQ(bytes.size(), 2048u);
        for (size_t i = 0; i < bytes.size(); ++i) {
            ASSERT_EQ(static_cast<uint8_t>(bytes[i]), rig.image.bytes[i]);
        }
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
}

TEST(Read, ReplyBeyondTheImageStoresNothing) {
    SimRig rig;
    const RadioImage before = rig.image;
    std::vector<uint8_t> data(200, 0xAB);
    rig.client->OnMemoryArea(2000, data.data(), 80);
    rig.client->OnMemoryArea(0x0107F0, data.data(), 16);  // 0x07F0 + 16 = 2048: fits
    rig.client->OnMemoryArea(0x0007F8, data.data(), 16);
    rig.client->OnMemoryArea(0xFFFFFF, data.data(), 2);
    for (int a = 0; a < 2032; ++a)
        ASSERT_EQ(rig.image[a], before[a]) << a;
    for (int a = 2032; a < 2048; ++a)
        ASSERT_EQ(rig.image[a], 0xAB) << a;
}

}  // namespace
}  // namespace norda::ombra::test
