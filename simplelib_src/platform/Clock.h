// Clock: the engine's clocks and sleep, on the monotonic and real-time clocks.
//
// getTimeOfDay and getTimeMs follow the system time (the millisecond clock of
// animations, sprites, water and the script); Clock::microseconds is the
// high-resolution counter of frame pacing, physics and progress bars.
#pragma once

#include <cstdint>

class Clock {
public:
    // Monotonic microseconds since an arbitrary start.
    static int64_t microseconds();
    // System time as 100-nanosecond units since 1601-01-01.
    static int64_t systemTime100ns();
    static void sleepMs(int milliseconds);
    static void sleepUs(int64_t microseconds);
};

// Whole seconds and microseconds (0..999999) since 1970; returns 0.
int getTimeOfDay(int* seconds, int* microseconds);

// Milliseconds since the whole second of the first call (32-bit, follows the system time).
int getTimeMs();
