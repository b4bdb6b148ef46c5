#include "solvi/core/FlashSession.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "FakeRadio.h"
#include "SRecordTestUtil.h"
#include "resources/StringTable.h"
#include "solvi/core/TMap27Thread.h"
#include "tests/support/MemoryLine.h"

namespace norda::solvi {
namespace {

struct RecordingView : FlashSessionView {
    void ShowStatus(int id) override { statuses.push_back(id); }
    void SetGauge(GaugeState s, int v) override { gauges.push_back({s, v}); }
    void EnableProgramButton(bool on) override { buttons.push_back(on); }
    void ShowRadioVersion(const std::string& text, const std::string& description) override {
        radioLines.push_back({text, description});
    }
    void PostResult(RunResult result) override { results.push_back(result); }
    void RunEnded(const ProgrammingOutcome&) override {}

    int Status() const { return statuses.empty() ? -1 : statuses.back(); }
    bool Button() const { return !buttons.empty() && buttons.back(); }
    std::pair<GaugeState, int> Gauge() const {
        return gauges.empty() ? std::pair{GaugeState::Idle, -1} : gauges.back();
    }

    std::vector<int> statuses;
    std::vector<std::pair<GaugeState, int>> gauges;
    std::vector<bool> buttons;
    std::vector<std::pair<std::string, std::string>> radioLines;
    std::vector<RunResult> results;
};

// Writes a software file: a header naming version major.0, and one code byte in each block
// given.
std::string WriteSoftware(const test::TempDir& dir, uint8_t major,
                          const std::vector<uint32_t>& codeBlocks) {
    std::string text = test::Header() + "\r\n";
    std::vector<uint8_t> header = {'C', major, 0, 0, 0, 15, 6, 0xE8, 0x07, 'A', 'B'};
    const char* desc = "Deneme";
    header.insert(header.end(), {0, 0});
    header.insert(header.end(), desc, desc + 7);
    text += test::Record('2', 0x10000, header) + "\r\n";
    for (uint32_t a : codeBlocks) {
        text += test::Record('2', a + 5, {static_cast<uint8_t>(a >> 8 | 1), 0x5A}) + "\r\n";
    }
    text += test::Record('8', 0, {}) + "\r\n";
    return dir.Write("sw" + std::to_string(major) + ".hex", text);
}

class FlashSessionTest : public ::testing::Test {
  protected:
    void SetUp() override { flags_.singlePortLayout = true; }

    void Load(uint8_t major, const std::vector<uint32_t>& codeBlocks = {0x2000, 0x2080, 0x4000}) {
        ASSERT_EQ(image_.LoadSoftwareFile(WriteSoftware(dir_, major, codeBlocks)), Status::Ok);
    }

    // Puts the loaded software, or the same with another major number, into the radio.
    void RadioHolds(bool sameSoftware) {
        auto sw = image_.Current();
        std::copy(sw->Bytes().begin(), sw->Bytes().begin() + test::FakeRadio::kFlashSize,
                  radio_.flash.begin());
        if (!sameSoftware) {
            radio_.flash[0x10001]++;
        }
    }

    void Create() {
        session_ = std::make_unique<FlashSession>(3, 9600, image_, flags_, view_, clock_,
                                                  line_.MakeStream());
        ASSERT_EQ(session_->Start(), Status::Ok);
    }

    // Ticks as the worker would, 20 ms apart, until the condition holds.
    bool RunUntil(const std::function<bool()>& done, int maxTicks = 20000,
                  uint32_t stepMs = TMap27Thread::kTickMs) {
        for (int i = 0; i < maxTicks; ++i) {
            clock_.Advance(stepMs);
            session_->Tick();
            if (done()) {
                return true;
            }
        }
        return false;
    }
    void RunTicks(int n) {
        RunUntil([] { return false; }, n);
    }
    bool RunUntilStatus(int id) {
        return RunUntil([&] { return view_.Status() == id; });
    }
    bool Shown(int id) const {
        return std::find(view_.statuses.begin(), view_.statuses.end(), id) != view_.statuses.end();
    }

    test::TempDir dir_;
    VirtualClock clock_{1000};
    MemoryLine line_;
    test::FakeRadio radio_{line_};
    SoftwareImage image_;
    ProgramFlags flags_;
    RecordingView view_;
    std::unique_ptr<FlashSession> session_;
};

using Phase = FlashSession::Phase;

TEST_F(FlashSessionTest, RadioWithTheFilesSoftwareIsShownProgrammedAndLeftAlone) {
    Load(1);
    RadioHolds(true);
    flags_.autoProg = true;
    Create();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextSameSoftware));
    EXPECT_EQ(view_.Gauge(), (std::pair{GaugeState::Green, 100}));
    EXPECT_TRUE(view_.Button());
    EXPECT_FALSE(session_->Busy());
    EXPECT_EQ(session_->Result(), RunResult::Programmed);
    ASSERT_FALSE(view_.radioLines.empty());
    EXPECT_EQ(view_.radioLines.back().first, "ABC 1.00 N 15.06.2024");
    EXPECT_EQ(view_.radioLines.back().second, "Deneme");
    // Both header halves were read, in order.
    ASSERT_GE(radio_.reads.size(), 2u);
    EXPECT_EQ(radio_.reads[0].address, 0x10000u);
    EXPECT_EQ(radio_.reads[1].address, 0x10080u);
    EXPECT_EQ(radio_.reads[0].length, 128);
    // The panel keeps identifying, and never programs.
    RunTicks(500);
    EXPECT_EQ(radio_.loopCommands, 0);
    EXPECT_TRUE(radio_.writes.empty());
    EXPECT_GT(radio_.reads.size(), 4u);
    EXPECT_TRUE(view_.results.empty());
}

TEST_F(FlashSessionTest, DifferentSoftwareWaitsForTheButtonWithoutAutoProg) {
    Load(1);
    RadioHolds(false);
    Create();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextDifferentSoftware));
    EXPECT_EQ(view_.Gauge(), (std::pair{GaugeState::Yellow, 0}));
    EXPECT_TRUE(view_.Button());
    RunTicks(500);
    EXPECT_EQ(radio_.loopCommands, 0);
    EXPECT_TRUE(radio_.writes.empty());
}

TEST_F(FlashSessionTest, AutoProgFlashesEveryBlockInOrderThenRestartsAndConfirms) {
    Load(2);
    RadioHolds(false);
    flags_.autoProg = true;
    radio_.checksBeforeErased = 3;
    Create();
    bool sawBusy = false;
    ASSERT_TRUE(RunUntil([&] {
        sawBusy = sawBusy || session_->Busy();
        return view_.Status() == FlashSession::kTextSameSoftware && radio_.resetCommands > 0;
    }));
    EXPECT_TRUE(sawBusy);
    EXPECT_FALSE(session_->Busy());
    auto sw = image_.Current();
    EXPECT_EQ(radio_.writes, sw->Blocks());
    EXPECT_EQ(radio_.writes.back(), 0x10000u);
    EXPECT_EQ(radio_.loopCommands, 1);
    EXPECT_EQ(radio_.resetCommands, 1);
    // The erase check reads two bytes of the first block until they read erased.
    int checks = 0;
    for (const auto& r : radio_.reads) {
        if (r.length == 2) {
            EXPECT_EQ(r.address, sw->BlockAddress(0));
            ++checks;
        }
    }
    EXPECT_EQ(checks, 4);
    EXPECT_TRUE(std::equal(radio_.flash.begin(), radio_.flash.end(), sw->Bytes().begin()));

    // Status order of the run, and the report before the confirmation.
    std::vector<int> want = {FlashSession::kTextDifferentSoftware, FlashSession::kTextErasing,
                             FlashSession::kTextWriting,           FlashSession::kTextRestarting,
                             FlashSession::kTextProgrammed,        FlashSession::kTextSameSoftware};
    auto from = std::find(view_.statuses.begin(), view_.statuses.end(), want[0]);
    EXPECT_EQ(std::vector<int>(from, view_.statuses.end()), want);
    EXPECT_EQ(view_.Gauge(), (std::pair{GaugeState::Green, 100}));
    EXPECT_EQ(session_->Result(), RunResult::Programmed);
}

TEST_F(FlashSessionTest, GaugeCountsAcknowledgedBlocks) {
    Load(2, {0x3000});  // one code block and the two header blocks
    RadioHolds(false);
    flags_.autoProg = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return radio_.resetCommands > 0; }));
    std::vector<int> red;
    for (const auto& [state, value] : view_.gauges) {
        if (state == GaugeState::Red) {
            red.push_back(value);
        }
    }
    EXPECT_EQ(red, (std::vector<int>{33, 66, 100}));
}

TEST_F(FlashSessionTest, HeaderOnlyFileWritesTwoBlocksAndChecksTheSecondHalf) {
    Load(2, {});
    RadioHolds(false);
    flags_.autoProg = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return radio_.resetCommands > 0; }));
    EXPECT_EQ(radio_.writes, (std::vector<uint32_t>{0x10080, 0x10000}));
    auto check = std::find_if(radio_.reads.begin(), radio_.reads.end(),
                              [](const auto& r) { return r.length == 2; });
    ASSERT_NE(check, radio_.reads.end());
    EXPECT_EQ(check->address, 0x10080u);
}

TEST_F(FlashSessionTest, ProgramButtonReprogramsEvenTheSameSoftware) {
    Load(1);
    RadioHolds(true);
    Create();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextSameSoftware));
    session_->RequestProgramming();
    ASSERT_TRUE(RunUntil([&] { return radio_.resetCommands > 0 && !session_->Busy(); }));
    EXPECT_EQ(radio_.writes, image_.Current()->Blocks());
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextSameSoftware));
    // Pressed once, programmed once.
    RunTicks(500);
    EXPECT_EQ(radio_.loopCommands, 1);
}

TEST_F(FlashSessionTest, ProgramButtonIsIgnoredInAutomaticMode) {
    Load(1);
    RadioHolds(true);
    flags_.autoMode = true;
    Create();
    session_->RequestProgramming();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextSameSoftware));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
    RunTicks(100);
    EXPECT_EQ(radio_.loopCommands, 0);
}

TEST_F(FlashSessionTest, SearchIsReportedAsTheThirdLinkRequestGoesOut) {
    Load(1);
    radio_.silent = true;
    flags_.autoMode = true;
    Create();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextSearching));
    EXPECT_EQ(radio_.linkRequests, 3);
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Failed}));
    EXPECT_EQ(view_.Gauge(), (std::pair{GaugeState::Idle, 0}));
    EXPECT_EQ(view_.radioLines.back(), (std::pair{std::string(), std::string()}));
    // And again with every third one after it.
    view_.statuses.clear();
    ASSERT_TRUE(RunUntil([&] { return radio_.linkRequests == 6; }));
    EXPECT_EQ(view_.results.size(), 2u);
}

TEST_F(FlashSessionTest, UnacknowledgedReadEndsAfterFourSends) {
    Load(1);
    radio_.unacknowledgedCodes = {0x03};
    Create();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextNoAnswer));
    EXPECT_EQ(radio_.requests, (std::vector<uint8_t>(4, 0x03)));
    EXPECT_EQ(view_.Gauge(), (std::pair{GaugeState::Idle, 0}));
}

TEST_F(FlashSessionTest, UnacknowledgedResetEndsAfterSixteenSends) {
    Load(2, {0x2000});
    RadioHolds(false);
    flags_.autoProg = true;
    flags_.autoMode = true;
    radio_.unacknowledgedCodes = {0x04};
    Create();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextNoAnswer));
    EXPECT_EQ(radio_.resetCommands, 0);
    EXPECT_EQ(std::count(radio_.requests.begin(), radio_.requests.end(), 0x04), 16);
    // The run counts as failed in automatic mode.
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Failed}));
    EXPECT_FALSE(Shown(FlashSession::kTextProgrammed));
    // The next search clears busy.
    ASSERT_TRUE(RunUntil([&] { return !session_->Busy(); }, 20));
}

TEST_F(FlashSessionTest, AcknowledgedButUnansweredReadTimesOut) {
    Load(1);
    radio_.answerReads = false;
    Create();
    uint32_t acknowledgedAt = 0;
    ASSERT_TRUE(RunUntil([&] {
        if (acknowledgedAt == 0 && !radio_.reads.empty()) {
            acknowledgedAt = clock_.TickCount();
        }
        return view_.Status() == FlashSession::kTextNoReadReply;
    }));
    // Not before two seconds after a 128-byte reply could have crossed the line (145 bytes,
    // 151 ms at 9600 Bd), and with the first read not repeated.
    EXPECT_GE(clock_.TickCount() - acknowledgedAt, FlashSession::kReplyTimeoutMs + 151);
    EXPECT_LE(clock_.TickCount() - acknowledgedAt, FlashSession::kReplyTimeoutMs + 251);
    EXPECT_EQ(radio_.reads.size(), 1u);
}

TEST_F(FlashSessionTest, WithoutFileNothingIsSent) {
    Create();
    RunTicks(300);
    EXPECT_EQ(view_.Status(), FlashSession::kTextNoFile);
    EXPECT_EQ(view_.Gauge(), (std::pair{GaugeState::Idle, 0}));
    EXPECT_EQ(radio_.linkRequests, 0);
    EXPECT_TRUE(radio_.requests.empty());
    // Shown once, not at every tick.
    EXPECT_EQ(std::count(view_.statuses.begin(), view_.statuses.end(), FlashSession::kTextNoFile),
              1);
    // A load brings the panel to life.
    Load(1);
    RadioHolds(true);
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextSameSoftware));
}

TEST_F(FlashSessionTest, FlashThatNeverErasesKeepsTheSessionCheckingIt) {
    Load(2);
    RadioHolds(false);
    flags_.autoProg = true;
    radio_.neverErases = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return session_->CurrentPhase() == Phase::FlashCheck; }));
    std::size_t readsBefore = radio_.reads.size();
    // Beyond the minute that ends an unattended run: a technician sees the panel.
    RunTicks(4000);
    EXPECT_EQ(session_->CurrentPhase(), Phase::FlashCheck);
    EXPECT_TRUE(session_->Busy());
    EXPECT_EQ(view_.Status(), FlashSession::kTextErasing);
    EXPECT_GT(radio_.reads.size(), readsBefore + 50);
    EXPECT_TRUE(radio_.writes.empty());
}

// Nobody watches an unattended run, and a production script waits for its exit.
TEST_F(FlashSessionTest, FlashThatNeverErasesEndsTheUnattendedRunAfterAMinute) {
    Load(2);
    RadioHolds(false);
    flags_.autoMode = true;
    radio_.neverErases = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return session_->CurrentPhase() == Phase::FlashCheck; }));
    const uint32_t checking = clock_.TickCount();
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Failed}));
    // The radio answered all along: its flash is at fault, not the cable.
    EXPECT_EQ(view_.Status(), FlashSession::kTextNotErased);
    EXPECT_GE(clock_.TickCount() - checking, FlashSession::kEraseCheckLimitMs);
    EXPECT_LE(clock_.TickCount() - checking, FlashSession::kEraseCheckLimitMs + 1000);
    EXPECT_TRUE(radio_.writes.empty());
}

// The first block goes in with the erase still running on a flash that reads FF early and
// is wiped when the erase ends. A whole image takes minutes at a slow line, so the minute
// for further rounds counts from the failed check: a second round follows even a long one.
TEST_F(FlashSessionTest, FirstBlockReadBackRewritesTheImageUntilTheRadioHoldsIt) {
    std::vector<uint32_t> code;
    for (uint32_t a = 0x2000; code.size() < 800; a += 0x80) {
        code.push_back(a);
    }
    Load(2, code);
    RadioHolds(false);
    flags_.autoMode = true;
    auto sw = image_.Current();
    radio_.loseWritesTo = sw->BlockAddress(0);
    radio_.writesToLose = 1;
    Create();
    const uint32_t start = clock_.TickCount();
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }, 20000, 100));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
    EXPECT_EQ(view_.Status(), FlashSession::kTextProgrammed);
    EXPECT_GT(clock_.TickCount() - start, FlashSession::kReadBackLimitMs);
    // The code twice, the header once: it is written only once the first block is held.
    EXPECT_EQ(radio_.writes.size(), 2 * sw->Blocks().size() - 2);
    EXPECT_EQ(std::count(radio_.writes.begin(), radio_.writes.end(), 0x10000u), 1);
    EXPECT_EQ(radio_.writes.back(), 0x10000u);
    EXPECT_TRUE(std::equal(radio_.flash.begin(), radio_.flash.end(), sw->Bytes().begin()));
    // The check reads the whole first block, once after each round and once more after the
    // header.
    int checks = 0;
    for (const auto& r : radio_.reads) {
        checks += r.address == sw->BlockAddress(0) && r.length == 128;
    }
    EXPECT_EQ(checks, 3);
    EXPECT_EQ(radio_.resetCommands, 1);
}

// The report must also hold for a technician at the panel: without its header the radio
// identifies as differing software afterwards, never as "Cihaz programlı".
TEST_F(FlashSessionTest, FirstBlockThatNeverHoldsEndsTheRunAMinuteAfterTheFirstFailedCheck) {
    Load(2);
    RadioHolds(false);
    flags_.autoMode = true;
    auto sw = image_.Current();
    radio_.loseWritesTo = sw->BlockAddress(0);
    radio_.writesToLose = INT_MAX;
    Create();
    uint32_t firstFailed = 0;
    uint32_t lastRound = 0;
    std::size_t seen = 0;
    ASSERT_TRUE(RunUntil([&] {
        for (; seen < radio_.reads.size(); ++seen) {
            if (radio_.reads[seen].length == 128 &&
                radio_.reads[seen].address == sw->BlockAddress(0) && firstFailed == 0) {
                firstFailed = clock_.TickCount();
            }
        }
        if (!radio_.writes.empty() && radio_.writes.back() == sw->BlockAddress(0)) {
            lastRound = clock_.TickCount();
        }
        return !view_.results.empty();
    }));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Failed}));
    EXPECT_EQ(view_.Status(), FlashSession::kTextNotHeld);
    ASSERT_NE(firstFailed, 0u);
    EXPECT_GT(radio_.writes.size(), 3 * sw->Blocks().size()) << "rounds were given up early";
    // Seen from here when the check goes out; the session judges it when its reply comes.
    EXPECT_LE(lastRound - firstFailed, FlashSession::kReadBackLimitMs + TMap27Thread::kTickMs);
    EXPECT_GE(clock_.TickCount() - firstFailed, FlashSession::kReadBackLimitMs);
    EXPECT_EQ(radio_.resetCommands, 0);
    EXPECT_EQ(std::count(radio_.writes.begin(), radio_.writes.end(), 0x10000u), 0);

    flags_.autoMode = false;
    ASSERT_TRUE(RunUntil([&] {
        return view_.Status() == FlashSession::kTextSameSoftware ||
               view_.Status() == FlashSession::kTextDifferentSoftware;
    }));
    EXPECT_EQ(view_.Status(), FlashSession::kTextDifferentSoftware);
}

// An erase that ends after the first block was read back wipes the code under the header
// that follows. The radio would restart with the file's header over an empty flash and
// identify as programmed; the read-back after the header sees the wipe and writes again.
TEST_F(FlashSessionTest, AnEraseEndingUnderTheHeaderIsCaughtBeforeTheRestart) {
    Load(2);
    RadioHolds(false);
    flags_.autoMode = true;
    radio_.wipeBeforeWriteTo = 0x10080;
    radio_.wipes = 1;
    Create();
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
    auto sw = image_.Current();
    EXPECT_TRUE(std::equal(radio_.flash.begin(), radio_.flash.end(), sw->Bytes().begin()))
        << "reported programmed over a flash that does not hold the file";
    EXPECT_EQ(radio_.writes.size(), 2 * sw->Blocks().size());
    EXPECT_EQ(radio_.resetCommands, 1);
}

// A run that fails after the file's header went in must not leave it there: the next
// identification, by a technician or the next run, would take the radio for programmed.
TEST_F(FlashSessionTest, ARunThatFailsAfterItsHeaderWentInErasesIt) {
    Load(2);
    RadioHolds(false);
    flags_.autoMode = true;
    radio_.wipeBeforeWriteTo = 0x10080;
    radio_.wipes = INT_MAX;
    Create();
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }, 20000, 100));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Failed}));
    EXPECT_EQ(view_.Status(), FlashSession::kTextNotHeld);
    EXPECT_EQ(radio_.loopCommands, 2) << "the failed run's header was not erased";
    EXPECT_EQ(radio_.resetCommands, 0);
    EXPECT_TRUE(std::all_of(radio_.flash.begin() + 0x10000, radio_.flash.begin() + 0x10100,
                            [](uint8_t b) { return b == 0xFF; }));
}

// An LA with N(R) = 1 still on the line when the panel starts (the answer to the LR of a
// program that had the port a moment before) is no link: taken for one, the first request
// went out numbered 0, the radio acknowledged it as a repeat and never answered.
TEST_F(FlashSessionTest, AnOldLinkAckOnTheLineIsNoLink) {
    Load(2);
    RadioHolds(false);
    flags_.autoMode = true;
    Create();
    line_.Send({0x16, 0x10, 0x02, 0x02, 0x01, 0x01, 0x00, 0x10, 0x03, 0x00, 0x00});
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
    EXPECT_EQ(view_.Status(), FlashSession::kTextProgrammed);
}

TEST_F(FlashSessionTest, VerificationReadsEveryBlockBackBeforeTheRestart) {
    Load(2, {0x2000, 0x3000, 0x4000, 0x5000});
    RadioHolds(false);
    flags_.autoProg = true;
    flags_.verify = true;
    Create();
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextProgrammed));
    auto sw = image_.Current();
    std::vector<uint32_t> readBack;
    for (const auto& r : radio_.reads) {
        if (r.length == 128 && r.address != 0x10000 && r.address != 0x10080) {
            readBack.push_back(r.address);
        }
    }
    // The first block once by the check, then every other one, and the first once more
    // after the header; the header blocks were read by the identification as well, so they
    // are not told apart here.
    EXPECT_EQ(readBack, (std::vector<uint32_t>{0x2000, 0x3000, 0x4000, 0x5000, 0x2000}));
    // The code is read back before the header is written, the header after it.
    auto writing =
        std::find(view_.statuses.begin(), view_.statuses.end(), FlashSession::kTextWriting);
    ASSERT_NE(writing, view_.statuses.end());
    EXPECT_EQ(std::vector<int>(writing, writing + 6),
              (std::vector<int>{FlashSession::kTextWriting, FlashSession::kTextVerifying,
                                FlashSession::kTextWriting, FlashSession::kTextVerifying,
                                FlashSession::kTextRestarting, FlashSession::kTextProgrammed}));
    // The gauge runs again while the code is verified, and on with the header.
    std::vector<int> red;
    for (const auto& [state, value] : view_.gauges) {
        if (state == GaugeState::Red) {
            red.push_back(value);
        }
    }
    EXPECT_EQ(red, (std::vector<int>{16, 33, 50, 66, 0, 33, 50, 66, 83, 100}));
    EXPECT_EQ(radio_.resetCommands, 1);
}

TEST_F(FlashSessionTest, VerificationNamesTheFirstAddressThatDiffers) {
    Load(2, {0x2000, 0x3000, 0x4000});
    RadioHolds(false);
    flags_.autoMode = true;
    flags_.verify = true;
    radio_.stuckBitAt = 0x4006;  // the file has 0x5A there
    Create();
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Failed}));
    EXPECT_EQ(view_.Status(), FlashSession::kTextVerifyFailed);
    EXPECT_EQ(session_->StatusAddress(), 0x4006u);
    EXPECT_EQ(radio_.resetCommands, 0);
    EXPECT_EQ(std::count(radio_.writes.begin(), radio_.writes.end(), 0x10000u), 0)
        << "a header over code that does not hold";
    const auto& texts = SolviTurkishStrings();
    EXPECT_NE(StatusLine(texts, 3, FlashSession::kTextVerifyFailed, true, 0x4006).find("0x04006"),
              std::string::npos);
}

TEST_F(FlashSessionTest, ClosingSilencesIdlePanelsButLetsProgrammingFinish) {
    Load(2);
    RadioHolds(false);
    flags_.autoProg = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return !radio_.writes.empty(); }));
    flags_.closing = true;
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextProgrammed));
    EXPECT_EQ(radio_.writes.size(), image_.Current()->Blocks().size());
    // Now idle: nothing more goes out.
    int requests = radio_.linkRequests;
    RunTicks(300);
    EXPECT_EQ(radio_.linkRequests, requests);
}

TEST_F(FlashSessionTest, PortThatCannotBeOpenedIsReportedWithItsResult) {
    Load(1);
    flags_.autoMode = true;
    line_.SetPresent(false);
    session_ =
        std::make_unique<FlashSession>(3, 9600, image_, flags_, view_, clock_, line_.MakeStream());
    EXPECT_EQ(session_->Start(), Status::CannotOpen);
    EXPECT_EQ(view_.Status(), FlashSession::kTextPortFailure);
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::PortFailure}));
    RunTicks(100);
    EXPECT_EQ(radio_.linkRequests, 0);
}

TEST(StatusLine, PrefixesThePortBesideOtherPanels) {
    const auto& texts = SolviTurkishStrings();
    EXPECT_EQ(StatusLine(texts, 4, 1009, false), "Com4 - Cihaz programlı");
    EXPECT_EQ(StatusLine(texts, 4, 1009, true), "Cihaz programlı");
    EXPECT_EQ(StatusLine(texts, 12, 0, false), "Com12");
    EXPECT_EQ(StatusLine(texts, 12, 0, true), "");
}

// An adapter pulled out in the middle of a flash: the panel says so once, the worker does
// not hammer the dead device, and the adapter put back is taken up like a new radio.
TEST_F(FlashSessionTest, APortThatVanishesIsReportedOnceAndTakenUpAgainWhenItComesBack) {
    Load(1);
    flags_.autoProg = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return radio_.writes.size() >= 2; }));
    line_.Unplug();
    RunTicks(500);
    EXPECT_EQ(
        std::count(view_.statuses.begin(), view_.statuses.end(), FlashSession::kTextReadError), 1);
    EXPECT_FALSE(session_->Busy());
    line_.SetPresent(true);
    ASSERT_TRUE(RunUntilStatus(FlashSession::kTextProgrammed));
}

}  // namespace
}  // namespace norda::solvi
