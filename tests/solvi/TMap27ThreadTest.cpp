#include "solvi/core/TMap27Thread.h"

#include <gtest/gtest.h>

#include <mutex>
#include <vector>

namespace norda::solvi {
namespace {

// Records each sleep and lets the thread run freely.
class RecordingClock final : public Clock {
  public:
    uint32_t TickCount() override { return 0; }
    void Sleep(uint32_t ms) override {
        std::lock_guard lock(mutex_);
        sleeps_.push_back(ms);
    }
    std::vector<uint32_t> Sleeps() {
        std::lock_guard lock(mutex_);
        return sleeps_;
    }

  private:
    std::mutex mutex_;
    std::vector<uint32_t> sleeps_;
};

TEST(TMap27Thread, SleepsBeforeEveryTickAndStopsWhenTold) {
    RecordingClock clock;
    std::atomic<int> ticks{0};
    TMap27Thread worker([&] { ticks++; }, clock);
    EXPECT_FALSE(worker.Running());
    worker.Start();
    while (ticks.load() < 50) {
        std::this_thread::yield();
    }
    worker.RequestStop();
    worker.Join();
    EXPECT_FALSE(worker.Running());
    auto sleeps = clock.Sleeps();
    int done = ticks.load();
    // One sleep before each tick; at most one more that found the stop request.
    EXPECT_GE(static_cast<int>(sleeps.size()), done);
    EXPECT_LE(static_cast<int>(sleeps.size()), done + 1);
    for (uint32_t ms : sleeps) {
        EXPECT_EQ(ms, TMap27Thread::kTickMs);
    }
}

// The port belongs to the panel, so the worker must be gone before the panel is.
TEST(TMap27Thread, DestructionWaitsForTheTickUnderWay) {
    RecordingClock clock;
    std::atomic<bool> inTick{false};
    std::atomic<int> ticks{0};
    {
        TMap27Thread worker(
            [&] {
                inTick = true;
                ticks++;
                for (int i = 0; i < 1000; ++i) {
                    std::this_thread::yield();
                }
                inTick = false;
            },
            clock);
        worker.Start();
        while (ticks.load() == 0) {
            std::this_thread::yield();
        }
    }
    EXPECT_FALSE(inTick.load());
}

}  // namespace
}  // namespace norda::solvi
