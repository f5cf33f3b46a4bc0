// The engine's clocks against the system's own, and sleeps that last at least as asked.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/Clock.h"

TEST(Clock, TimeOfDayAndSystemTimeFollowTheSystemClock)
{
    int seconds = 0, microseconds = -1;
    std::time_t before = std::time(nullptr);
    EXPECT_EQ(getTimeOfDay(&seconds, &microseconds), 0);
    std::time_t after = std::time(nullptr);
    EXPECT_GE(seconds, (int)before);
    EXPECT_LE(seconds, (int)after);
    EXPECT_GE(microseconds, 0);
    EXPECT_LT(microseconds, 1000000);

    // 1601-01-01 lies 11644473600 seconds before 1970-01-01.
    int64_t sinceEpoch = Clock::systemTime100ns() / 10000000 - 11644473600LL;
    EXPECT_GE(sinceEpoch, (int64_t)before);
    EXPECT_LE(sinceEpoch, (int64_t)std::time(nullptr));
}

TEST(Clock, SleepsLastAtLeastTheirTimeOnEveryClock)
{
    int64_t start = Clock::microseconds();
    int startMs = getTimeMs();
    EXPECT_GE(startMs, 0) << "counted from the whole second of the first call";
    Clock::sleepMs(30);
    EXPECT_GE(Clock::microseconds() - start, 30000);
    EXPECT_GE(getTimeMs() - startMs, 30);

    start = Clock::microseconds();
    Clock::sleepUs(2500);
    EXPECT_GE(Clock::microseconds() - start, 2500);

    // Nothing to wait for: no sleep, and no endless wait either.
    Clock::sleepUs(0);
    Clock::sleepUs(-5);
    Clock::sleepMs(-1);
    EXPECT_GE(Clock::microseconds(), start);
}
