// The engine's window under the (virtual) display: size, frame period, texture upload.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "GLTestWindow.h"
#include "gl/DeviceManager.h"
#include "gl/Scene2D.h"

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
