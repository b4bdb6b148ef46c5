// A session on its own worker thread while the user-interface thread polls it, presses
// "Programla" and loads files. Meant to run under ThreadSanitizer too (see CMakeLists).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "FakeRadio.h"
#include "SRecordTestUtil.h"
#include "solvi/core/FlashSession.h"
#include "solvi/core/TMap27Thread.h"

namespace norda::solvi {
namespace {

struct AtomicView : FlashSessionView {
    void ShowStatus(int id) override {
        status = id;
        if (id == FlashSession::kTextProgrammed) {
            programmed = true;
        }
    }
    void SetGauge(GaugeState, int) override {}
    void EnableProgramButton(bool) override {}
    void ShowRadioVersion(const std::string&, const std::string&) override {}
    void PostResult(RunResult) override {}
    void RunEnded(const ProgrammingOutcome&) override {}
    std::atomic<int> status{0};
    std::atomic<bool> programmed{false};
};

// Software with three bytes of code in every block from 0x2000 up to `end`.
std::string CodeFile(const test::TempDir& dir, uint32_t end) {
    std::string text = test::Header() + "\r\n";
    for (uint32_t a = 0x2000; a < end; a += 0x80) {
        text += test::Record('2', a, {1, 2, 3}) + "\r\n";
    }
    text += test::Record('9', 0, {}) + "\r\n";
    return dir.Write("code.hex", text);
}

TEST(FlashSessionThread, ProgramsOnItsWorkerWhileTheUserInterfaceLooksOn) {
    test::TempDir dir;
    std::string file = CodeFile(dir, 0x2400);

    VirtualClock clock;
    MemoryLine line;
    test::FakeRadio radio(line);
    SoftwareImage image;
    ProgramFlags flags;
    AtomicView view;
    ASSERT_EQ(image.LoadSoftwareFile(file), Status::Ok);
    FlashSession session(1, 115200, image, flags, view, clock, line.MakeStream());
    ASSERT_EQ(session.Start(), Status::Ok);
    {
        TMap27Thread worker(session);
        worker.Start();
        session.RequestProgramming();
        int loads = 0;
        while (!(view.programmed && view.status == FlashSession::kTextSameSoftware)) {
            // The frame's rule: no load while a panel is busy.
            if (!session.Busy() && loads < 50) {
                ASSERT_EQ(image.LoadSoftwareFile(file), Status::Ok);
                ++loads;
            }
            (void)session.StatusId();
            std::this_thread::yield();
        }
        worker.RequestStop();
    }
    EXPECT_EQ(radio.writes, image.Current()->Blocks());
}

// Notes when the gauge moved, on the session's clock.
struct TimedGaugeView : AtomicView {
    explicit TimedGaugeView(Clock& c) : clock(c) {}
    void SetGauge(GaugeState state, int value) override {
        if (state == GaugeState::Red) {
            red.push_back({value, clock.TickCount()});
        }
    }
    Clock& clock;
    std::vector<std::pair<int, uint32_t>> red;  // worker thread only until it has stopped
};

// A radio that answers at once gets its next block, and its next read-back, at once: the
// worker waits on the port, not for its next 20 ms tick. Time is virtual and passes only
// while the worker waits for nothing, so the write takes no time and each read-back only the
// pause that follows every acknowledgement the programmer sends.
TEST(FlashSessionThread, EachStepFollowsTheRadiosAnswerWithoutWaitingForATick) {
    test::TempDir dir;

    VirtualClock clock;
    MemoryLine line;
    test::FakeRadio radio(line);
    SoftwareImage image;
    ProgramFlags flags;
    flags.autoProg = true;
    flags.verify = true;
    TimedGaugeView view(clock);
    ASSERT_EQ(image.LoadSoftwareFile(CodeFile(dir, 0x4000)), Status::Ok);
    ASSERT_EQ(image.Current()->BlockCount(), 66);
    FlashSession session(1, 115200, image, flags, view, clock, line.MakeStream());
    ASSERT_EQ(session.Start(), Status::Ok);
    {
        TMap27Thread worker(session);
        worker.Start();
        while (!view.programmed) {
            std::this_thread::yield();
        }
        worker.RequestStop();
    }
    // Written 1..100, then verified from 0 to 100 again.
    auto verifyStart =
        std::find_if(view.red.begin(), view.red.end(), [](const auto& r) { return r.first == 0; });
    ASSERT_NE(verifyStart, view.red.end());
    ASSERT_EQ(view.red.back().first, 100);
    EXPECT_LT((verifyStart - 1)->second - view.red.front().second, TMap27Thread::kTickMs)
        << "blocks waited for ticks";
    const uint32_t pauseAfterAck = 160000 / 115200 + 5;
    const auto reads = static_cast<uint32_t>(view.red.end() - verifyStart - 1);
    EXPECT_LE(view.red.back().second - verifyStart->second, reads * pauseAfterAck)
        << "read-backs waited for ticks";
}

}  // namespace
}  // namespace norda::solvi
