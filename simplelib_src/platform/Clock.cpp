#include "platform/Clock.h"

#include <ctime>

int64_t Clock::microseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (int64_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

int64_t Clock::systemTime100ns()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    // 116444736000000000 is 1970-01-01 counted in 100 ns units since 1601-01-01.
    return (int64_t)now.tv_sec * 10000000 + now.tv_nsec / 100 + 116444736000000000LL;
}

void Clock::sleepUs(int64_t microseconds)
{
    if (microseconds <= 0)
        return;
    timespec duration{(time_t)(microseconds / 1000000), (long)(microseconds % 1000000) * 1000};
    while (nanosleep(&duration, &duration) != 0) {
    }
}

void Clock::sleepMs(int milliseconds) { sleepUs((int64_t)milliseconds * 1000); }

int getTimeOfDay(int* seconds, int* microseconds)
{
    int64_t sinceEpoch = (Clock::systemTime100ns() - 116444736000000000LL) / 10;
    *seconds = (int)(sinceEpoch / 1000000);
    *microseconds = (int)(sinceEpoch % 1000000);
    return 0;
}

int getTimeMs()
{
    static bool baseSet = false;
    static int baseSeconds = 0;
    int seconds, microseconds;
    getTimeOfDay(&seconds, &microseconds);
    if (!baseSet) {
        baseSeconds = seconds;
        baseSet = true;
    }
    // 32-bit arithmetic, wrapping like the counter it mirrors.
    return (int)((unsigned)(seconds - baseSeconds) * 1000u + (unsigned)(microseconds / 1000));
}
