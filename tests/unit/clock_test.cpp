#include <gtest/gtest.h>

#include "platform/clock.h"

namespace tarvoline {

TEST(SystemClockTest, NowIsAPlausibleCalendarTime) {
    SystemClock clock;
    const LocalTime now = clock.Now();
    EXPECT_GE(now.year, 2020);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.day, 1);
    EXPECT_LE(now.day, 31);
    EXPECT_LT(now.hour, 24);
    EXPECT_LT(now.millisecond, 1000);
}

TEST(SystemClockTest, TickCounterDoesNotRunBackwards) {
    SystemClock clock;
    const auto before = clock.TickMilliseconds();
    clock.Sleep(2);
    EXPECT_GE(clock.TickMilliseconds(), before + 1);
}

} // namespace tarvoline
