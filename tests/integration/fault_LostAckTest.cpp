// A lost acknowledgement must never cost a block. The radio executes an LT, its LA
// is lost on the line; the programmer meanwhile has what it asked for (the reply)
// and moves on. Whatever it sends next must reach the radio as a new message, not
// as a repeat of the old one that the radio acknowledges and throws away, or the
// radio ends up without a block of its software while the programmer reports
// success. Runs on a virtual clock and an in-memory line, so every step is exact.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "fault_Rig.h"
#include "solvi/core/FlashSession.h"
#include "solvi/core/FlashSessionView.h"
#include "solvi/core/SoftwareImage.h"
#include "tests/support/MemoryLine.h"
#include "tools/radiosim/FlashImage.h"
#include "tools/radiosim/SimRadio.h"

namespace norda::test {
using namespace norda::solvi;
namespace {

struct View : FlashSessionView {
    void ShowStatus(int id) override { statuses.push_back(id); }
    void SetGauge(GaugeState, int) override {}
    void EnableProgramButton(bool) override {}
    void ShowRadioVersion(const std::string&, const std::string&) override {}
    void PostResult(solvi::RunResult r) override { results.push_back(r); }
    void RunEnded(const ProgrammingOutcome&) override {}
    bool Seen(int id) const { return std::count(statuses.begin(), statuses.end(), id) > 0; }
    std::vector<int> statuses;
    std::vector<solvi::RunResult> results;
};

class LostAck : public ::testing::Test {
  protected:
    void Load() {
        std::vector<uint8_t> flash = sim::GenerateFlashImage();
        flash[0x10000 + 5] = static_cast<uint8_t>(flash[0x10000 + 5] + 1);
        for (uint32_t a = 0x2000; a < 0x2400; ++a) {
            flash[a] = static_cast<uint8_t>(a * 13 + 1);
        }
        const std::string hex = dir_ / "newer.hex";
        WriteAll(hex, HexOf(flash));
        ASSERT_EQ(image_.LoadSoftwareFile(hex), Status::Ok);
    }

    void Run(const sim::Faults& faults, uint32_t eraseMs = 1) {
        sim::RadioConfig config;
        config.baud = 115200;
        config.eraseMs = eraseMs;
        config.resetQuietMs = 50;
        config.faults = faults;
        radio_ = std::make_unique<sim::SimRadio>(clock_, config);
        line_.SetWriteListener([this](std::span<const uint8_t> bytes) {
            radio_->Receive(bytes.data(), bytes.size());
        });
        flags_.autoProg = true;
        flags_.autoMode = true;
        session_ = std::make_unique<FlashSession>(1, 115200, image_, flags_, view_, clock_,
                                                  line_.MakeStream());
        ASSERT_EQ(session_->Start(), Status::Ok);
        for (int i = 0; i < 200000 && view_.results.empty(); ++i) {
            clock_.Advance(20);
            line_.Send(radio_->TakeOutput());
            session_->Tick();
        }
        line_.SetWriteListener(nullptr);
    }

    // Blocks of the image the radio does not hold.
    std::vector<uint32_t> MissingBlocks() const {
        const auto software = image_.Current();
        std::vector<uint32_t> missing;
        for (uint32_t a = 0; a < LoadedSoftware::kFlashSize; a += LoadedSoftware::kBlockSize) {
            if (!std::equal(software->Bytes().begin() + a,
                            software->Bytes().begin() + a + LoadedSoftware::kBlockSize,
                            radio_->Flash().begin() + a)) {
                missing.push_back(a);
            }
        }
        return missing;
    }

    ScratchDir dir_;
    VirtualClock clock_{1000};
    MemoryLine line_;
    SoftwareImage image_;
    ProgramFlags flags_;
    View view_;
    std::unique_ptr<sim::SimRadio> radio_;
    std::unique_ptr<FlashSession> session_;
};

// The fourth LT of a run is the check that the flash is erased; its LA is lost while
// its reply ("erased") arrives. The first block is sent next, and must not go out
// under the unacknowledged N(S), where the radio would drop it as a repeat.
TEST_F(LostAck, OfTheEraseCheckDoesNotLoseTheFirstBlock) {
    Load();
    sim::Faults faults;
    faults.dropLaEvery = 4;
    Run(faults);
    ASSERT_FALSE(view_.results.empty()) << "the session never reported";
    // A fresh link carries the run on: the lost LA costs nothing.
    EXPECT_EQ(view_.results.front(), solvi::RunResult::Programmed);
    EXPECT_EQ(MissingBlocks(), std::vector<uint32_t>{})
        << "success was reported with blocks missing from the radio";
}

// A flash that takes a while to erase is checked again and again; one of those checks loses
// its LA while its reply ("not yet") arrives. The next check must go out as a new request:
// repeated under the old number it was acknowledged as a repeat and never answered, and the
// run ended with 807 after two seconds. A periodic fault on the line hit the erase check of
// every run, so such a port never programmed a radio.
TEST_F(LostAck, OfAnEraseCheckWhileTheFlashIsBusyDoesNotEndTheRun) {
    Load();
    for (uint32_t every : {7u, 13u}) {
        SCOPED_TRACE(every);
        view_ = View{};
        sim::Faults faults;
        faults.dropLaEvery = every;
        faults.garbage = every == 13;
        Run(faults, 2500);
        ASSERT_FALSE(view_.results.empty()) << "the session never reported";
        EXPECT_EQ(view_.results.front(), solvi::RunResult::Programmed);
        EXPECT_EQ(MissingBlocks(), std::vector<uint32_t>{});
        EXPECT_GT(radio_->Stats().laDropped, 0u);
    }
}

// The same loss anywhere in a run: whichever LA goes missing, the outcome is the
// file in the radio or a reported failure, never a success with holes.
TEST_F(LostAck, AnywhereEndsInTheFileOrAReportedFailure) {
    Load();
    for (uint32_t every : {2u, 3u, 5u, 6u, 7u}) {
        SCOPED_TRACE(every);
        view_ = View{};
        sim::Faults faults;
        faults.dropLaEvery = every;
        Run(faults);
        ASSERT_FALSE(view_.results.empty()) << "the session never reported";
        if (view_.results.front() == solvi::RunResult::Programmed) {
            EXPECT_EQ(MissingBlocks(), std::vector<uint32_t>{})
                << "success was reported with blocks missing from the radio";
        }
    }
}

}  // namespace
}  // namespace norda::test
