// The engine's window under the (virtual) display: size, frame period and pacing,
// resizes, windowed mode.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <GL/freeglut.h>
#include <GL/glx.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GLTestWindow.h"
#include "gl/DeviceManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "platform/Clock.h"

TEST(WindowTest, OpensAt800By600WithItsConfigurationAndScenes)
{
    openGLTestWindow();
    ASSERT_NE(deviceManager, nullptr);
    EXPECT_EQ(GLManager::windowSize, Int2(800, 600));
    ASSERT_NE(GLManager::scene2D, nullptr);
    EXPECT_EQ(GLManager::scene2D->size2D, Int2(800, 600));
    EXPECT_NE(GLManager::scene3D, nullptr);
    EXPECT_NE(GLManager::keyboardManager, nullptr);
    EXPECT_EQ(GLManager::whiteTexturePath, "whiteTexture.png");
}

TEST(WindowTest, ClearedScreenReadsBackInTheClearColour)
{
    openGLTestWindow();
    GLManager::clearScreen(255, 0, 128, 255);
    ColorBytes pixel = readBackBufferPixel(400, 300);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.g, 0);
    EXPECT_NEAR(pixel.b, 128, 1);
}

TEST(WindowTest, TheFirstFrameReportsTheLongestPeriod)
{
    openGLTestWindow();
    GLManager::lastFrameTime = 0;  // the state before any frame ended
    GLManager::nextFrame();
    EXPECT_EQ(GLManager::periodDuration, 200000);
    GLManager::nextFrame();
    EXPECT_LT(GLManager::periodDuration, 200000);
}

TEST(WindowTest, FramesAreNeverShorterThanTenMilliseconds)
{
    openGLTestWindow();
    GLManager::nextFrame();
    int64_t shortest = INT64_MAX;
    int64_t previous = Clock::microseconds();
    for (int frame = 0; frame < 300; frame++) {
        GLManager::clearScreen(0, 0, 0, 255);
        GLManager::nextFrame();
        int64_t now = Clock::microseconds();
        shortest = std::min(shortest, now - previous);
        previous = now;
        EXPECT_GE(GLManager::periodDuration, 9900);
        EXPECT_LE(GLManager::periodDuration, 200000);
    }
    // The loop sleeps to 10 ms; a millisecond sleep may end up to a tick early.
    EXPECT_GE(shortest, 9900);
}

TEST(WindowTest, AResizeGivesOneRescalingLine)
{
    openGLTestWindow();
    std::string window = std::to_string((unsigned long)glXGetCurrentDrawable());
    testing::internal::CaptureStdout();
    ASSERT_EQ(std::system(("xdotool windowsize --sync " + window + " 640 480").c_str()), 0);
    for (int frame = 0; frame < 100 && GLManager::windowSize != Int2(640, 480); frame++)
        GLManager::nextFrame();
    for (int frame = 0; frame < 5; frame++)
        GLManager::nextFrame();
    std::fflush(stdout);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "Rescaling to (640,480)\n");
    EXPECT_EQ(GLManager::scene2D->size2D, Int2(640, 480));
    EXPECT_FLOAT_EQ(GLManager::scene3D->aspectRatio, 640.f / 480.f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);

    ASSERT_EQ(std::system(("xdotool windowsize --sync " + window + " 800 600").c_str()), 0);
    for (int frame = 0; frame < 100 && GLManager::windowSize != Int2(800, 600); frame++)
        GLManager::nextFrame();
    EXPECT_EQ(GLManager::windowSize, Int2(800, 600));
}

TEST(WindowTest, WindowedModeLeavesTheWindowAtTenTen)
{
    openGLTestWindow();
    testing::internal::CaptureStdout();
    GLManager::setWindowedMode(800, 600);
    for (int frame = 0; frame < 50 && glutGet(GLUT_WINDOW_X) != 10; frame++)
        GLManager::nextFrame();
    std::fflush(stdout);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "Set to windowed mode 800x600\nFound window handle\n");
    EXPECT_EQ(glutGet(GLUT_WINDOW_X), 10);
    EXPECT_EQ(glutGet(GLUT_WINDOW_Y), 10);
    EXPECT_EQ(GLManager::windowSize, Int2(800, 600));
    EXPECT_FALSE(GLManager::isFullscreen);
}
