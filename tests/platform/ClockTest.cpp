#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace norda {
namespace {

// A deadline set just before the tick count wraps falls due after it, not at once, and
// the earlier of two is the one nearer now, wherever the wrap lies between them.
TEST(VirtualClock, DeadlinesHoldAcrossTheWrap) {
    VirtualClock clock(0xFFFFFFF0u);
    const Deadline soon = Deadline::In(clock, 0x20);
    const Deadline later = Deadline::In(clock, 0x30);
    EXPECT_FALSE(soon.Passed(clock.TickCount()));
    EXPECT_EQ(Earlier(later, soon, clock.TickCount()), soon);
    clock.Sleep(0x1F);
    EXPECT_EQ(soon.Left(clock.TickCount()), 1);
    EXPECT_FALSE(Due(soon, clock.TickCount()));
    clock.Sleep(1);
    EXPECT_EQ(clock.TickCount(), 0x10u);
    EXPECT_TRUE(Due(soon, clock.TickCount()));
    EXPECT_FALSE(later.Passed(clock.TickCount()));
    EXPECT_FALSE(Due(std::nullopt, clock.TickCount()));
}

}  // namespace
}  // namespace norda
