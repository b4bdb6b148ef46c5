// The fault matrix: OMBRA (ombra-cli read and copy) and SOLVI (solvi -auto:
// identify and program) against a simulated radio on a pseudo-terminal, with every
// fault the radio can show, the radio vanishing mid-transfer, line noise and a port
// held by another program. Every cell checks the outcome the user is told (exit
// status and text) and that nothing was silently wrong: after a success the radio
// holds exactly what was sent, after a failure no file was touched.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "fault_Rig.h"
#include "platform/ProfileFile.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/ParamImage.h"
#include "tools/radiosim/SimFaults.h"

#ifdef SOLVI_PROGRAM
#include "solvi/core/SoftwareImage.h"
#endif

namespace norda::test {
using namespace norda::solvi;
namespace {

constexpr const char* kBaud = "115200";

struct Cell {
    const char* name;
    std::vector<const char*> faults;  // as given to radiosim --fault
    enum Setup { Plain, Vanish, Held, Missing, BadFile, SameSoftware } setup = Plain;
    int exitCode = 0;
    // The failure text the program must show; any one of them where a fault may
    // surface in more than one specified way.
    std::vector<const char*> texts = {};
    // A fault whose effect depends on where in the run it strikes: success (checked
    // like any other) or a reported failure with this exit status are both right.
    int orExitCode = -1;
    // Only for a program that is specified to keep trying without end: it is
    // stopped after this long and must not have reported anything.
    int limitSeconds = 180;
};

constexpr int kKilled = -9;

std::string Show(const Cell& c) {
    return c.name;
}
void PrintTo(const Cell& c, std::ostream* os) {
    *os << c.name;
}

sim::RadioConfig ConfigFor(const Cell& cell) {
    sim::RadioConfig config;
    config.baud = 115200;
    config.eraseMs = 300;
    config.resetQuietMs = 200;
    for (const char* f : cell.faults) {
        EXPECT_EQ(sim::ApplyFault(f, config.faults), 0) << f;
    }
    return config;
}

// Reads a whole report: program output and what the test saw.
std::string Report(const RunResult& r) {
    return "exit " + std::to_string(r.exitCode) + "\n--- stdout\n" + r.out + "\n--- stderr\n" +
           r.err;
}

void ExpectOutcome(const Cell& cell, const RunResult& r) {
    ::testing::Test::RecordProperty("exit", r.exitCode);
    if (cell.orExitCode >= 0 && r.exitCode == cell.orExitCode) {
        return;
    }
    EXPECT_EQ(r.exitCode, cell.exitCode) << Report(r);
    if (!cell.texts.empty() && r.exitCode == cell.exitCode) {
        const std::string all = r.out + r.err;
        const bool shown = std::any_of(cell.texts.begin(), cell.texts.end(), [&](const char* t) {
            return all.find(t) != std::string::npos;
        });
        EXPECT_TRUE(shown) << "expected one of: " << ::testing::PrintToString(cell.texts) << "\n"
                           << Report(r);
    }
}

// A rig per cell: scratch folder, ports folder, the radio (unless missing).
struct Bench {
    explicit Bench(const Cell& cell, const sim::ParamMemory& params,
                   std::vector<uint8_t> flash = sim::GenerateFlashImage(),
                   PtyRadio::Condition vanish = nullptr) {
        ports = dir.Path() / "ports";
        fs::create_directories(ports);
        if (cell.setup == Cell::Missing) {
            fs::create_symlink(dir.Path() / "no-such-device", ports / "com1");
            return;
        }
        const sim::RadioConfig config = ConfigFor(cell);
        radio = std::make_unique<PtyRadio>(
            ports, config,
            std::make_unique<sim::SimRadio>(SteadyClock::Instance(), config, params,
                                            std::move(flash)),
            cell.setup == Cell::Vanish ? std::move(vanish) : nullptr);
        EXPECT_TRUE(radio->Ok()) << radio->Error();
        if (cell.setup == Cell::Held) {
            holder = std::make_unique<PortHolder>(radio->Device());
            EXPECT_TRUE(holder->Held());
        }
    }
    ScratchDir dir;
    fs::path ports;
    std::unique_ptr<PtyRadio> radio;
    std::unique_ptr<PortHolder> holder;
};

#ifdef OMBRA_CLI_PROGRAM

constexpr const char* kOmbra = OMBRA_CLI_PROGRAM;
constexpr const char* kNoLink = "Cihaz ile bilgisayar bağlantısı kurulamadı !";
constexpr const char* kNoReply = "Cihazı okuma isteğine beklenen sürede yanıt alınamadı.";
constexpr const char* kNoAnswer = "Cihazdan yanıt alınamadı.";
constexpr const char* kReadBroken = "Cihazı okuma işlemi yarıda kesildi.";
constexpr const char* kWriteBroken = "Cihaza yazma işlemi yarıda kesildi.";
constexpr const char* kReadError = "Okuma hatası!";
constexpr const char* kWriteCutOff = "Yazma yarıda kesildi: seri çıkış gitti.";
constexpr const char* kBadPort = "Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin.";

void WriteImage(const std::string& path, const sim::ParamMemory& memory) {
    WriteAll(path, std::string(memory.begin(), memory.end()));
}

// The codeplug that `ombra-cli decode` makes of a memory image: what a read of a
// radio holding that memory must save.
std::string Decoded(const ScratchDir& dir, const sim::ParamMemory& memory, const char* name) {
    const std::string image = dir / (std::string(name) + ".bin");
    const std::string omb = dir / (std::string(name) + ".omb");
    WriteImage(image, memory);
    const RunResult r = RunProgram({kOmbra, "decode", image, omb}, dir.Path());
    EXPECT_EQ(r.exitCode, 0) << Report(r);
    return ReadAll(omb);
}

// Keys of the given sections whose values differ between two codeplugs (keys of
// `expected` that `actual` lacks count too).
std::vector<std::string> Differences(const std::string& expected, const std::string& actual,
                                     std::initializer_list<const char*> sections) {
    const ProfileFile a = ProfileFile::Parse(expected), b = ProfileFile::Parse(actual);
    std::vector<std::string> differ;
    for (const char* section : sections) {
        for (const auto& key : a.KeyNames(section, 1 << 20)) {
            if (a.GetString(section, key, "", 4096) != b.GetString(section, key, "?", 4096)) {
                differ.push_back(std::string(section) + "/" + key);
            }
        }
    }
    return differ;
}

// Everything a codeplug file holds; a copy transfers the last five.
#define ALL_SECTIONS "TestAyar", "Master", "Service", "Kanal", "Clone", "User", "KSYS", "ADATA"
#define TRANSFERRED_SECTIONS "Kanal", "Clone", "User", "KSYS", "ADATA"

// Another radio's parameters of the same band: other channel names and frequencies.
sim::ParamMemory OtherRadio() {
    sim::ParamMemory m = sim::GenerateParamMemory();
    for (int i = 46; i < 46 + 99 * 13; i += 13) {
        for (int c = 5; c < 13; ++c) {
            m[i + c] = static_cast<uint8_t>('A' + (i + c) % 26);
        }
    }
    sim::WriteAreaChecksums(m);
    return m;
}

bool VanishMidRead(const sim::SimRadio& r) {
    return r.Stats().memoryReads >= 6;
}
bool VanishMidWrite(const sim::SimRadio& r) {
    return r.Stats().memoryWrites >= 6;
}

class OmbraRead : public ::testing::TestWithParam<Cell> {};

TEST_P(OmbraRead, OutcomeAndNothingSilentlyWrong) {
    const Cell& cell = GetParam();
    const sim::ParamMemory memory = sim::GenerateParamMemory();
    Bench bench(cell, memory, sim::GenerateFlashImage(), VanishMidRead);
    const std::string out = bench.dir / "OUT.omb";
    const std::string old = "[Kanal]\r\nTxFreq[1]=1\r\n";
    WriteAll(out, old);

    const RunResult r = RunProgram({kOmbra, "read", "--port", "1", "--baud", kBaud, out},
                                   bench.ports, cell.limitSeconds);
    if (bench.radio) {
        bench.radio->Stop();
    }
    ExpectOutcome(cell, r);
    if (r.exitCode == 0) {
        // The save keeps what the old file had beyond the key table, so compare values.
        EXPECT_EQ(Differences(Decoded(bench.dir, bench.radio->ParamsAtEnd(), "radio"), ReadAll(out),
                              {ALL_SECTIONS}),
                  std::vector<std::string>{})
            << "the saved codeplug is not what the radio holds";
        EXPECT_EQ(bench.radio->ParamsAtEnd(), memory) << "a read changed the radio";
    } else {
        EXPECT_EQ(ReadAll(out), old) << "a failed read touched the codeplug file";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OmbraRead,
    ::testing::Values(
        Cell{"none", {}}, Cell{"silent", {"silent"}, Cell::Plain, 1, {kNoLink}},
        Cell{"no_data_reply", {"no-data-reply"}, Cell::Plain, 1, {kNoReply}},
        Cell{"drop_la_every_3", {"drop-la-every=3"}, Cell::Plain, 0, {}, 1},
        Cell{"relink_after_5", {"relink-after=5"}, Cell::Plain, 1, {kReadBroken}},
        Cell{"garbage", {"garbage"}}, Cell{"never_erased", {"never-erased"}},
        Cell{"ignore_reset", {"ignore-reset"}}, Cell{"bad_fcs", {"bad-fcs=1"}},
        Cell{"vanish", {}, Cell::Vanish, 1, {kReadError, kNoReply, kNoAnswer, kNoLink}},
        Cell{"held", {}, Cell::Held, 1, {kBadPort}},
        Cell{"missing", {}, Cell::Missing, 1, {kBadPort}}),
    [](const auto& info) { return Show(info.param); });

class OmbraCopy : public ::testing::TestWithParam<Cell> {};

TEST_P(OmbraCopy, OutcomeAndNothingSilentlyWrong) {
    const Cell& cell = GetParam();
    const sim::ParamMemory before = sim::GenerateParamMemory();
    Bench bench(cell, before, sim::GenerateFlashImage(), VanishMidWrite);
    const std::string sent = Decoded(bench.dir, OtherRadio(), "other");
    ASSERT_FALSE(sent.empty());
    const std::string in = bench.dir / "IN.omb";
    WriteAll(in, sent);

    const RunResult r = RunProgram({kOmbra, "copy", "--port", "1", "--baud", kBaud, in},
                                   bench.ports, cell.limitSeconds);
    if (bench.radio) {
        bench.radio->Stop();
    }
    ExpectOutcome(cell, r);
    EXPECT_EQ(ReadAll(in), sent) << "a copy touched its codeplug file";
    if (r.exitCode == 0) {
        const sim::ParamMemory& after = bench.radio->ParamsAtEnd();
        for (const auto& range : sim::kChecksumRanges) {
            EXPECT_TRUE(sim::AreaChecksumOk(after, range)) << range.area << " left inconsistent";
        }
        const std::string held = Decoded(bench.dir, after, "held");
        EXPECT_EQ(Differences(sent, held, {TRANSFERRED_SECTIONS}), std::vector<std::string>{})
            << "the radio does not hold what was copied";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, OmbraCopy,
    ::testing::Values(
        Cell{"none", {}}, Cell{"silent", {"silent"}, Cell::Plain, 1, {kNoLink}},
        Cell{"no_data_reply", {"no-data-reply"}, Cell::Plain, 1, {kNoReply}},
        Cell{"drop_la_every_3", {"drop-la-every=3"}, Cell::Plain, 0, {}, 1},
        Cell{"relink_after_8", {"relink-after=8"}, Cell::Plain, 1, {kWriteBroken, kReadBroken}},
        Cell{"garbage", {"garbage"}}, Cell{"never_erased", {"never-erased"}},
        Cell{"ignore_reset", {"ignore-reset"}, Cell::Plain, 1, {kNoAnswer}},
        Cell{"bad_fcs", {"bad-fcs=1"}},
        Cell{"vanish", {}, Cell::Vanish, 1, {kWriteCutOff, kNoReply, kNoAnswer, kNoLink}},
        Cell{"held", {}, Cell::Held, 1, {kBadPort}},
        Cell{"missing", {}, Cell::Missing, 1, {kBadPort}}),
    [](const auto& info) { return Show(info.param); });

#endif  // OMBRA_CLI_PROGRAM

#ifdef SOLVI_PROGRAM

constexpr const char* kSolvi = SOLVI_PROGRAM;

// Exit statuses of automatic mode: 0, -1, -2, -3 as the process sees them.
constexpr int kAutoOk = 0, kAutoPort = 255, kAutoFile = 254, kAutoFailed = 253;

// Other software than the radio's: a newer version and different code.
std::vector<uint8_t> NewerSoftware() {
    std::vector<uint8_t> flash = sim::GenerateFlashImage();
    flash[0x10000 + 5] = static_cast<uint8_t>(flash[0x10000 + 5] + 1);
    for (uint32_t a = 0x3000; a < 0x3400; ++a) {
        flash[a] = static_cast<uint8_t>(a * 7);
    }
    return flash;
}

bool VanishMidFlash(const sim::SimRadio& r) {
    return r.Stats().memoryWrites >= 40;
}

// The number of addresses where the radio's flash is not the file's image.
size_t FlashDifferences(const std::string& hex, const std::vector<uint8_t>& flash) {
    SoftwareImage image;
    EXPECT_EQ(image.LoadSoftwareFile(hex), Status::Ok);
    if (!image.Current() || flash.size() < size_t{LoadedSoftware::kFlashSize}) {
        return SIZE_MAX;
    }
    const auto& bytes = image.Current()->Bytes();
    size_t differ = 0;
    for (uint32_t a = 0; a < LoadedSoftware::kFlashSize; ++a) {
        differ += flash[a] != bytes[a];
    }
    return differ;
}

class SolviAuto : public ::testing::TestWithParam<Cell> {};

TEST_P(SolviAuto, OutcomeAndNothingSilentlyWrong) {
    const Cell& cell = GetParam();
    const std::vector<uint8_t> radioFlash = sim::GenerateFlashImage();
    Bench bench(cell, sim::GenerateParamMemory(), radioFlash, VanishMidFlash);
    const std::string hex = bench.dir / "software.hex";
    const std::string text = cell.setup == Cell::BadFile        ? "S0 not a record\r\n"
                             : cell.setup == Cell::SameSoftware ? HexOf(radioFlash)
                                                                : HexOf(NewerSoftware());
    WriteAll(hex, text);

    const RunResult r =
        RunProgram({kSolvi, "-auto", "1", kBaud, hex}, bench.ports, cell.limitSeconds);
    if (bench.radio) {
        bench.radio->Stop();
    }
    ExpectOutcome(cell, r);
    if (cell.setup == Cell::Held) {
        // Not a wrong number: the device and the system's reason say what is wrong.
        EXPECT_NE(r.out.find("Seri çıkış numarası hatalı. Lütfen başka bir çıkış seçin. (" +
                             (bench.ports / "com1").string() + ": "),
                  std::string::npos)
            << Report(r);
    }
    EXPECT_EQ(ReadAll(hex), text) << "the software file was touched";
    if (r.exitCode == kKilled && bench.radio) {
        EXPECT_EQ(bench.radio->StatsAtEnd().memoryWrites, 0u) << "written into flash never erased";
    }
    if (r.exitCode == kAutoOk && bench.radio) {
        EXPECT_EQ(FlashDifferences(hex, bench.radio->FlashAtEnd()), 0u)
            << "the radio's flash is not the image that was sent";
        if (cell.setup == Cell::SameSoftware) {
            EXPECT_EQ(bench.radio->StatsAtEnd().memoryWrites, 0u) << "same software was written";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SolviAuto,
    ::testing::Values(
        Cell{"none", {}}, Cell{"same_software", {}, Cell::SameSoftware},
        Cell{"silent", {"silent"}, Cell::Plain, kAutoFailed},
        Cell{"no_data_reply", {"no-data-reply"}, Cell::Plain, kAutoFailed},
        // A lost LA or a frame with a wrong check costs a repeat, never the run.
        Cell{"drop_la_every_5", {"drop-la-every=5"}}, Cell{"drop_la_every_7", {"drop-la-every=7"}},
        Cell{"drop_la_every_13_garbage", {"drop-la-every=13", "garbage"}},
        Cell{"relink_after_20", {"relink-after=20"}}, Cell{"garbage", {"garbage"}},
        Cell{"never_erased", {"never-erased"}, Cell::Plain, kAutoFailed, {}, -1, 120},
        Cell{"ignore_reset", {"ignore-reset"}, Cell::Plain, kAutoFailed},
        Cell{"bad_fcs_all", {"bad-fcs=1"}, Cell::Plain, kAutoFailed},
        Cell{"bad_fcs_7", {"bad-fcs=7"}}, Cell{"bad_fcs_9", {"bad-fcs=9"}},
        Cell{"bad_fcs_25", {"bad-fcs=25"}}, Cell{"vanish", {}, Cell::Vanish, kAutoFailed},
        Cell{"held", {}, Cell::Held, kAutoPort}, Cell{"missing", {}, Cell::Missing, kAutoPort},
        Cell{"bad_file", {}, Cell::BadFile, kAutoFile}),
    [](const auto& info) { return Show(info.param); });

// Radios as a production line meets them, under both ways a flash may answer while it
// erases (busy, or its old contents), with and without reading every block back.
using Reads = sim::RadioConfig::EraseReads;
struct FlashCell {
    const char* name;
    Reads reads = Reads::Busy;
    enum Radio { Ordinary, New, Interrupted } radio = Ordinary;
    bool verify = false;
    int exitCode = kAutoOk;
    // Flash address with a bit that will not clear: that block never holds the file.
    int32_t weakAt = -1;
    // A file of a few blocks, written before a slow erase ends; and LAs the radio loses.
    bool smallFile = false;
    uint32_t eraseMs = 300;
    uint32_t dropLaEvery = 0;
};

void PrintTo(const FlashCell& c, std::ostream* os) {
    *os << c.name;
}

class SolviAutoFlash : public ::testing::TestWithParam<FlashCell> {};

TEST_P(SolviAutoFlash, SuccessMeansTheRadioHoldsTheFile) {
    const FlashCell& cell = GetParam();
    std::vector<uint8_t> file = NewerSoftware();
    if (cell.smallFile) {
        // Three code blocks and the header.
        std::fill(file.begin(), file.begin() + 0x10000, 0xFF);
        std::fill(file.begin() + 0x10100, file.end(), 0xFF);
        for (uint32_t a = 0x3000; a < 0x3180; ++a) {
            file[a] = static_cast<uint8_t>(a * 7);
        }
    }
    std::vector<uint8_t> flash = sim::GenerateFlashImage();
    if (cell.radio == FlashCell::New) {
        flash.assign(flash.size(), 0xFF);
    } else if (cell.radio == FlashCell::Interrupted) {
        // An earlier run that lost its first blocks to the erase and was cut off before the
        // header: blank where the check looks, the file's code further on.
        flash = file;
        std::fill(flash.begin(), flash.begin() + 0x2400, 0xFF);
        std::fill(flash.begin() + 0x10000, flash.begin() + 0x10100, 0xFF);
    }
    ScratchDir dir;
    const fs::path ports = dir.Path() / "ports";
    fs::create_directories(ports);
    sim::RadioConfig config = ConfigFor(Cell{cell.name, {}});
    config.eraseReads = cell.reads;
    config.eraseMs = cell.eraseMs;
    config.faults.dropLaEvery = cell.dropLaEvery;
    PtyRadio::Tamper tamper;
    if (cell.weakAt >= 0) {
        tamper = [at = static_cast<size_t>(cell.weakAt)](sim::SimRadio& r) {
            r.Flash()[at] |= 0x01;
        };
    }
    PtyRadio radio(ports, config,
                   std::make_unique<sim::SimRadio>(SteadyClock::Instance(), config,
                                                   sim::GenerateParamMemory(), flash),
                   nullptr, tamper);
    ASSERT_TRUE(radio.Ok()) << radio.Error();
    const std::string hex = dir / "software.hex";
    WriteAll(hex, HexOf(file));

    std::vector<std::string> argv = {kSolvi, "-auto", "1", kBaud, hex};
    if (cell.verify) {
        argv.push_back("-verify");
    }
    const RunResult r = RunProgram(argv, ports);
    radio.Stop();
    ::testing::Test::RecordProperty("exit", r.exitCode);
    EXPECT_EQ(r.exitCode, cell.exitCode) << Report(r);
    if (r.exitCode == kAutoOk) {
        EXPECT_EQ(FlashDifferences(hex, radio.FlashAtEnd()), 0u)
            << "reported programmed over a flash that does not hold the file";
    } else {
        // Nor may the radio look programmed to the next identification.
        const auto& flash = radio.FlashAtEnd();
        EXPECT_FALSE(
            std::equal(file.begin() + 0x10000, file.begin() + 0x10100, flash.begin() + 0x10000))
            << "the file's header over a flash that failed";
    }
}

INSTANTIATE_TEST_SUITE_P(
    EraseAndVerify, SolviAutoFlash,
    ::testing::Values(
        FlashCell{"busy_ordinary"}, FlashCell{"busy_new", Reads::Busy, FlashCell::New},
        FlashCell{"busy_interrupted", Reads::Busy, FlashCell::Interrupted},
        FlashCell{"old_ordinary", Reads::Old}, FlashCell{"old_new", Reads::Old, FlashCell::New},
        FlashCell{"old_interrupted", Reads::Old, FlashCell::Interrupted},
        FlashCell{"erased_ordinary", Reads::Erased},
        // The erase still runs when the file is in; one lost LA of the read-back, or of the
        // first header block, lets it end before the header goes in.
        FlashCell{"erased_small_file_read_back_la_lost", Reads::Erased, FlashCell::Ordinary, false,
                  kAutoOk, -1, true, 800, 8},
        FlashCell{"erased_small_file_header_la_lost", Reads::Erased, FlashCell::Ordinary, false,
                  kAutoOk, -1, true, 800, 9},
        FlashCell{"verify_busy_ordinary", Reads::Busy, FlashCell::Ordinary, true},
        FlashCell{"verify_old_new", Reads::Old, FlashCell::New, true},
        FlashCell{"verify_weak_cell", Reads::Busy, FlashCell::Ordinary, true, kAutoFailed, 0x3000}),
    [](const auto& info) { return std::string(info.param.name); });

#endif  // SOLVI_PROGRAM

}  // namespace
}  // namespace norda::test
