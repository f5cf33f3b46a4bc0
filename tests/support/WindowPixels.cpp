#include "WindowPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "ProgramRun.h"

Rgb windowPixel(const std::string& displayName, unsigned long window, int x, int y)
{
    ignoreXErrors();
    Rgb pixel = {-1, -1, -1};
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr)
        return pixel;
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image != nullptr) {
        unsigned long value = XGetPixel(image, 0, 0);
        pixel = {(int)(value >> 16 & 0xff), (int)(value >> 8 & 0xff), (int)(value & 0xff)};
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return pixel;
}

::testing::AssertionResult windowShows(const std::string& displayName, unsigned long window, int x, int y,
                                       Rgb colour, const std::string& step, int timeoutMs)
{
    Rgb seen = {-1, -1, -1};
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        seen = windowPixel(displayName, window, x, y);
        // An unreadable pixel (-1 components) would otherwise pass for black.
        bool read = seen.r >= 0;
        if (read && std::abs(seen.r - colour.r) <= 8 && std::abs(seen.g - colour.g) <= 8 && std::abs(seen.b - colour.b) <= 8)
            return ::testing::AssertionSuccess();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ::testing::AssertionFailure() << step << ": the window shows (" << seen.r << ", " << seen.g << ", "
                                         << seen.b << ") at (" << x << ", " << y << ")";
}
