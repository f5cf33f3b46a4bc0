// The X helpers of the end-to-end tests when the program's window is gone (the program
// ended or crashed meanwhile): the reads fail, and the test program goes on to report it.
#include <gtest/gtest.h>

#include "ProgramRun.h"
#include "WindowPixels.h"

TEST(XHelpers, AWindowThatIsGoneReadsAsNoPixel)
{
    VirtualDisplay display;
    const unsigned long gone = 0x1fffff;  // an id no client of this fresh server holds
    Rgb pixel = windowPixel(display.name(), gone, 0, 0);
    EXPECT_EQ(pixel.r, -1);
    EXPECT_EQ(pixel.g, -1);
    EXPECT_EQ(pixel.b, -1);
    display.closeWindow(gone);
    EXPECT_FALSE(windowShows(display.name(), gone, 0, 0, Rgb{0, 0, 0}, "gone", 100));
    EXPECT_EQ(display.waitForWindow(100), 0ul);  // nothing mapped on the fresh server
}
