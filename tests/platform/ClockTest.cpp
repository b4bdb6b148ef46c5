#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace norda {
namespace {

TEST(VirtualClock, SleepAdvancesAndTickCountWraps) {
    VirtualClock clock(0xFFFFFFF0u);
    clock.Sleep(0x20);
    EXPECT_EQ(clock.TickCount(), 0x10u);
    // Deadlines are compared by difference, so a wrap in between still measures 32 ms.
    EXPECT_EQ(clock.TickCount() - 0xFFFFFFF0u, 0x20u);
}

}  // namespace
}  // namespace norda
