// Fullscreen and windowed display modes on the real X server (Xvfb offers only its own
// screen size: asking for that size is a real mode switch, any other size falls back
// to fullscreen at the current mode).
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <string>

#include "GLTestWindow.h"
#include "platform/DisplayModes.h"

namespace {

// Runs frames until the window has the size (at most about 2 s).
void waitForWindowSize(int width, int height)
{
    for (int frame = 0; frame < 200 && GLManager::windowSize != Int2(width, height); frame++)
        GLManager::nextFrame();
}

void backToWindowed()
{
    GLManager::setWindowedMode(800, 600);
    waitForWindowSize(800, 600);
    for (int frame = 0; frame < 5; frame++)
        GLManager::nextFrame();
}

}  // namespace

TEST(DisplayModeTest, ASizeTheScreenOffersIsSwitchedToAndRestored)
{
    openGLTestWindow();
    int screenWidth, screenHeight;
    DisplayModes::currentScreenSize(screenWidth, screenHeight);
    ASSERT_GT(screenWidth, 800);

    testing::internal::CaptureStdout();
    GLManager::setFullscreenMode(screenWidth, screenHeight);
    EXPECT_TRUE(DisplayModes::isSwitched());
    waitForWindowSize(screenWidth, screenHeight);
    std::fflush(stdout);
    std::string size = std::to_string(screenWidth) + "x" + std::to_string(screenHeight);
    std::string sizeComma = std::to_string(screenWidth) + "," + std::to_string(screenHeight);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Set to fullscreen mode " + size + "\nFound window handle\nRescaling to (" + sizeComma + ")\n");
    EXPECT_EQ(glutGet(GLUT_WINDOW_X), 0);
    EXPECT_EQ(glutGet(GLUT_WINDOW_Y), 0);
    EXPECT_FALSE(GLManager::isFullscreen);  // the options menu sets it, not the switch

    backToWindowed();
    EXPECT_FALSE(DisplayModes::isSwitched());
    EXPECT_EQ(GLManager::windowSize, Int2(800, 600));
}

TEST(DisplayModeTest, ASizeTheScreenLacksGoesFullscreenAtTheCurrentMode)
{
    openGLTestWindow();
    int screenWidth, screenHeight;
    DisplayModes::currentScreenSize(screenWidth, screenHeight);

    testing::internal::CaptureStdout();
    GLManager::setFullscreenMode(640, 480);
    waitForWindowSize(screenWidth, screenHeight);
    std::fflush(stdout);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(DisplayModes::isSwitched());
    EXPECT_EQ(log.find("Set to fullscreen mode 640x480\nFullscreen at the current mode "), 0u) << log;
    EXPECT_NE(log.find("offers no 640x480 mode"), std::string::npos) << log;
    EXPECT_EQ(GLManager::windowSize, Int2(screenWidth, screenHeight));

    backToWindowed();
    EXPECT_EQ(GLManager::windowSize, Int2(800, 600));
    EXPECT_EQ(glutGet(GLUT_WINDOW_X), 10);
}
