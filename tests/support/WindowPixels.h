// WindowPixels: what a program's window shows on a private X display, read back with Xlib,
// so an end-to-end test can wait for the screen a user would see.
#pragma once

#include <gtest/gtest.h>

#include <string>

struct Rgb {
    int r, g, b;
};

// The window's pixel in window coordinates; -1 components when it cannot be read.
Rgb windowPixel(const std::string& displayName, unsigned long window, int x, int y);

// Waits (up to timeoutMs) until the pixel at (x, y) is within 8 of the colour on each
// component; the failure names the step and the colour last seen.
::testing::AssertionResult windowShows(const std::string& displayName, unsigned long window, int x, int y,
                                       Rgb colour, const std::string& step, int timeoutMs = 20000);
