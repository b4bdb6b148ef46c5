// The session against the simulated radio, which frames, sequences, erases and restarts on
// its own code, on a virtual clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "../SRecordTestUtil.h"
#include "solvi/core/FlashSession.h"
#include "solvi/core/ProgrammingWatch.h"
#include "solvi/core/TMap27Thread.h"
#include "tests/support/MemoryLine.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::solvi {
namespace {

struct View : FlashSessionView {
    void ShowStatus(int id) override { statuses.push_back(id); }
    void RunEnded(const ProgrammingOutcome& run) override { runs.push_back(run); }
    void SetGauge(GaugeState s, int v) override { gauge = {s, v}; }
    void EnableProgramButton(bool on) override { button = on; }
    void ShowRadioVersion(const std::string& text, const std::string&) override {
        radioText = text;
    }
    void PostResult(RunResult r) override { results.push_back(r); }
    int Status() const { return statuses.empty() ? -1 : statuses.back(); }
    bool Seen(int id) const { return std::count(statuses.begin(), statuses.end(), id) > 0; }

    std::vector<int> statuses;
    std::pair<GaugeState, int> gauge{GaugeState::Idle, -1};
    bool button = false;
    std::string radioText;
    std::vector<RunResult> results;
    std::vector<ProgrammingOutcome> runs;
};

class SessionAgainstRadio : public ::testing::Test {
  protected:
    void SetUp() override { flags_.singlePortLayout = true; }

    // Software that differs from what the simulated radio ships with: code in a few blocks
    // and a header of its own.
    void LoadFile(int codeBlocks) {
        std::string text = test::Header() + "\r\n";
        text += test::Record('2', 0x10000, {'Z', 9, 9, 0, 0, 1, 2, 0xE9, 0x07, 'X', 'Y'}) + "\r\n";
        for (int i = 0; i < codeBlocks; ++i) {
            uint32_t a = 0x2000 + static_cast<uint32_t>(i) * 0x80;
            text += test::Record('2', a, {static_cast<uint8_t>(i), 0x10, 0x16, 0x03}) + "\r\n";
        }
        text += test::Record('9', 0, {}) + "\r\n";
        ASSERT_EQ(image_.LoadSoftwareFile(dir_.Write("x.hex", text)), Status::Ok);
    }

    void Create(sim::RadioConfig config = {}, uint32_t baud = 115200) {
        config.baud = baud;
        radio_ = std::make_unique<sim::SimRadio>(clock_, config);
        line_.SetWriteListener([this](std::span<const uint8_t> bytes) {
            radio_->Receive(bytes.data(), bytes.size());
        });
        session_ = std::make_unique<FlashSession>(2, static_cast<int32_t>(baud), image_, flags_,
                                                  view_, clock_, line_.MakeStream());
        ASSERT_EQ(session_->Start(), Status::Ok);
    }
    void TearDown() override { line_.SetWriteListener(nullptr); }

    bool RunUntil(const std::function<bool()>& done, int maxTicks = 30000) {
        for (int i = 0; i < maxTicks; ++i) {
            clock_.Advance(TMap27Thread::kTickMs);
            line_.Send(radio_->TakeOutput());
            session_->Tick();
            if (done()) {
                return true;
            }
        }
        return false;
    }
    bool RadioHoldsFile() const {
        const auto& sw = image_.Current()->Bytes();
        return std::equal(radio_->Flash().begin(), radio_->Flash().end(), sw.begin());
    }

    test::TempDir dir_;
    VirtualClock clock_{5000};
    MemoryLine line_;
    SoftwareImage image_;
    ProgramFlags flags_;
    View view_;
    std::unique_ptr<sim::SimRadio> radio_;
    std::unique_ptr<FlashSession> session_;
};

TEST_F(SessionAgainstRadio, IdentifiesTheRadiosOwnSoftwareAsEqual) {
    Create();
    // The file is exactly what the radio holds.
    std::string text = test::Header() + "\r\n";
    const auto& flash = radio_->Flash();
    for (uint32_t a = 0; a < sim::kFlashSize; a += 32) {
        if (a == 0x10000 || std::any_of(flash.begin() + a, flash.begin() + a + 32,
                                        [](uint8_t b) { return b != 0xFF; })) {
            text += test::Record('2', a, {flash.begin() + a, flash.begin() + a + 32}) + "\r\n";
        }
    }
    text += test::Record('8', 0, {}) + "\r\n";
    ASSERT_EQ(image_.LoadSoftwareFile(dir_.Write("same.hex", text)), Status::Ok);
    flags_.autoMode = true;
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
    EXPECT_EQ(view_.Status(), FlashSession::kTextSameSoftware);
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
    EXPECT_EQ(view_.gauge, (std::pair{GaugeState::Green, 100}));
    EXPECT_EQ(view_.radioText, image_.VersionText());
    EXPECT_EQ(radio_->Stats().loopCommands, 0u);
    EXPECT_EQ(radio_->Stats().memoryWrites, 0u);
}

// A 128-byte half of the header is 2.4 s on the line at 600 Bd: counted from the LA, the
// wait for it ran out before it could arrive, and no radio was ever identified.
TEST_F(SessionAgainstRadio, IdentifiesARadioAtSixHundredBaud) {
    LoadFile(1);
    Create({}, 600);
    ASSERT_TRUE(RunUntil([&] { return view_.Status() == FlashSession::kTextDifferentSoftware; }))
        << "last status " << view_.Status();
    EXPECT_FALSE(view_.Seen(FlashSession::kTextNoReadReply));
}

TEST_F(SessionAgainstRadio, ProgramsDifferentSoftwareAndConfirmsItAfterTheRestart) {
    LoadFile(5);
    flags_.autoProg = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return view_.Status() == FlashSession::kTextDifferentSoftware; }));
    ASSERT_TRUE(RunUntil([&] { return view_.Status() == FlashSession::kTextSameSoftware; }));
    EXPECT_TRUE(view_.Seen(FlashSession::kTextErasing));
    EXPECT_TRUE(view_.Seen(FlashSession::kTextWriting));
    EXPECT_TRUE(view_.Seen(FlashSession::kTextRestarting));
    auto programmed =
        std::find(view_.statuses.begin(), view_.statuses.end(), FlashSession::kTextProgrammed);
    ASSERT_NE(programmed, view_.statuses.end());
    EXPECT_EQ(view_.gauge, (std::pair{GaugeState::Green, 100}));
    EXPECT_TRUE(RadioHoldsFile());
    EXPECT_EQ(radio_->Stats().loopCommands, 1u);
    EXPECT_EQ(radio_->Stats().memoryWrites, 7u);
    EXPECT_EQ(radio_->Stats().resets, 1u);
    EXPECT_EQ(radio_->Stats().protocolErrors, 0u);
    EXPECT_FALSE(session_->Busy());
}

TEST_F(SessionAgainstRadio, ProgramButtonOnEqualSoftwareReprograms) {
    LoadFile(2);
    flags_.autoProg = true;
    Create();
    ASSERT_TRUE(RunUntil([&] { return view_.Status() == FlashSession::kTextSameSoftware; }));
    flags_.autoProg = false;
    session_->RequestProgramming();
    ASSERT_TRUE(RunUntil([&] { return radio_->Stats().loopCommands == 2; }));
    ASSERT_TRUE(RunUntil([&] { return view_.Status() == FlashSession::kTextSameSoftware; }));
    EXPECT_EQ(radio_->Stats().memoryWrites, 8u);
    EXPECT_TRUE(RadioHoldsFile());
}

// A report of success must mean the flash holds the file, whatever the radio held before
// and however its flash behaves while it erases. A flash that keeps reading its old
// contents passes the erase check at once where those contents read FF at the first block
// (a new radio, or one an earlier run left blank there), and wipes what is written until
// its erase ends.
TEST_F(SessionAgainstRadio, EveryRadioHoldsTheFileWhenReportedProgrammed) {
    enum Before { Ordinary, New, Interrupted };
    using Reads = sim::RadioConfig::EraseReads;
    for (Reads reads : {Reads::Busy, Reads::Old, Reads::Erased}) {
        for (Before before : {Ordinary, New, Interrupted}) {
            SCOPED_TRACE(std::string(reads == Reads::Busy  ? "reads busy, "
                                     : reads == Reads::Old ? "reads old, "
                                                           : "reads erased, ") +
                         (before == Ordinary ? "ordinary"
                          : before == New    ? "new"
                                             : "interrupted"));
            view_ = View();
            LoadFile(40);
            flags_.autoMode = true;
            sim::RadioConfig config;
            config.eraseMs = 300;
            config.eraseReads = reads;
            Create(config);
            auto sw = image_.Current();
            if (before == New) {
                std::fill(radio_->Flash().begin(), radio_->Flash().end(), 0xFF);
            } else if (before == Interrupted) {
                // Cut off after a run whose first blocks were wiped, before its header.
                std::copy(sw->Bytes().begin(), sw->Bytes().begin() + sim::kFlashSize,
                          radio_->Flash().begin());
                for (int i = 0; i < 8; ++i) {
                    std::fill_n(radio_->Flash().begin() + sw->BlockAddress(i), 128, 0xFF);
                }
                std::fill_n(radio_->Flash().begin() + 0x10000, 256, 0xFF);
            }
            ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
            EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
            EXPECT_EQ(view_.Status(), FlashSession::kTextProgrammed);
            EXPECT_TRUE(RadioHoldsFile());
            if (reads == Reads::Busy) {
                // A flash that answers busy is written once; only the read-back is new.
                EXPECT_EQ(radio_->Stats().memoryWrites, static_cast<uint32_t>(sw->BlockCount()));
            }
            flags_.autoMode = false;
        }
    }
}

// A flash that reads erased as soon as its erase begins, takes what is written and is
// wiped when the erase ends: a small file is in before the end. One lost LA then holds the
// run up for as long as the erase has left: of the read-back (the radio's reply still
// comes) or of the first header block (a write, repeated under its number after a second).
// The wipe falls between the code and the header, and the radio must not restart with the
// file's header over an empty flash while the panel says "programmed".
TEST_F(SessionAgainstRadio, ALateEraseCannotHideBehindTheHeader) {
    for (uint32_t lostLa : {8u, 9u}) {
        SCOPED_TRACE(lostLa == 8 ? "LA of the read-back lost" : "LA of the header lost");
        view_ = View();
        LoadFile(3);
        flags_.autoMode = true;
        sim::RadioConfig config;
        config.eraseMs = 600;
        config.eraseReads = sim::RadioConfig::EraseReads::Erased;
        config.faults.dropLaEvery = lostLa;
        Create(config);
        ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
        if (view_.results.front() == RunResult::Programmed) {
            EXPECT_TRUE(RadioHoldsFile())
                << "reported programmed over a flash that does not hold the file";
        }
        EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
        flags_.autoMode = false;
    }
}

// The radio restarts the link in the middle of a run. That run goes on, and its record is
// one: a success, with the software the radio held before the run began. It was a failure
// "Cihaz yazılımı farklı" from the identification the restart led to, and then a second
// run whose "before" was the header read half erased.
TEST_F(SessionAgainstRadio, ALinkRestartInTheRunCarriesThatRunOn) {
    LoadFile(40);
    flags_.autoMode = true;
    sim::RadioConfig config;
    config.faults.relinkAfter = 20;
    Create(config);
    ASSERT_TRUE(RunUntil([&] { return !view_.results.empty(); }));
    EXPECT_EQ(view_.results, (std::vector<RunResult>{RunResult::Programmed}));
    EXPECT_TRUE(RadioHoldsFile());
    ASSERT_EQ(view_.runs.size(), 1u);
    EXPECT_TRUE(view_.runs[0].ok);
    EXPECT_EQ(view_.runs[0].statusId, FlashSession::kTextProgrammed);
    EXPECT_EQ(view_.runs[0].softwareBefore,
              SoftwareVersion::FromHeader(
                  std::span<const uint8_t, SoftwareVersion::kHeaderSize>(
                      sim::GenerateFlashImage().data() + 0x10000, SoftwareVersion::kHeaderSize))
                  .DisplayText());
}

TEST_F(SessionAgainstRadio, FaultsEndInTheirReports) {
    struct Case {
        const char* name;
        std::function<void(sim::Faults&)> fault;
        int status;
    };
    std::vector<Case> cases = {
        {"silent", [](sim::Faults& f) { f.silent = true; }, FlashSession::kTextSearching},
        {"no-data-reply", [](sim::Faults& f) { f.noDataReply = true; },
         FlashSession::kTextNoReadReply},
        {"ignore-reset", [](sim::Faults& f) { f.ignoreReset = true; }, FlashSession::kTextNoAnswer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        view_ = View();
        LoadFile(1);
        flags_.autoProg = true;
        sim::RadioConfig config;
        c.fault(config.faults);
        Create(config);
        ASSERT_TRUE(RunUntil([&] { return view_.Status() == c.status; }));
    }
    // The 808 of the reset came after 16 sends of it.
    EXPECT_EQ(radio_->Stats().resetsIgnored, 16u);
}

TEST_F(SessionAgainstRadio, FlashThatNeverErasesHoldsTheSessionInTheCheck) {
    LoadFile(1);
    flags_.autoProg = true;
    sim::RadioConfig config;
    config.faults.neverErased = true;
    Create(config);
    ASSERT_TRUE(
        RunUntil([&] { return session_->CurrentPhase() == FlashSession::Phase::FlashCheck; }));
    ASSERT_FALSE(RunUntil(
        [&] { return session_->CurrentPhase() != FlashSession::Phase::FlashCheck; }, 3000));
    EXPECT_TRUE(session_->Busy());
    EXPECT_EQ(radio_->Stats().memoryWrites, 0u);
}

}  // namespace
}  // namespace norda::solvi
