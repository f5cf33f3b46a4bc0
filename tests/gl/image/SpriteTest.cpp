// Sprites and the sprite manager with real textures: shared images and their release, hot
// spots, fitting, animation, the shutdown check, and a sprite drawn and read back.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "AssetWriter.h"
#include "GLTestWindow.h"
#include "TempDir.h"
#include "gl/DeviceManager.h"
#include "gl/Scene2D.h"
#include "image/Image.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"
#include "platform/Clock.h"

namespace {

std::vector<unsigned char> solid(int width, int height, std::vector<unsigned char> colour)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; i++)
        pixels.insert(pixels.end(), colour.begin(), colour.end());
    return pixels;
}

std::string writePng(const TempDir& dir, const std::string& name, int width, int height,
                     std::vector<unsigned char> colour)
{
    return dir.write(name, AssetWriter::encodePng(width, height, (int)colour.size(), solid(width, height, colour)));
}

// The render state of the 2D pass over a cleared window.
void begin2D()
{
    GLManager::scene2D->setupProjection2D();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glCullFace(GL_FRONT);
    glColor4ub(255, 255, 255, 255);
    GLManager::clearScreen(0, 0, 0, 255);
}

void expectColour(int x, int y, int r, int g, int b)
{
    ColorBytes pixel = readBackBufferPixel(x, y);
    EXPECT_NEAR(pixel.r, r, 2) << "at " << x << "," << y;
    EXPECT_NEAR(pixel.g, g, 2) << "at " << x << "," << y;
    EXPECT_NEAR(pixel.b, b, 2) << "at " << x << "," << y;
}

}  // namespace

TEST(SpriteManager, SpritesOfOneFileShareOneImageUntilTheLastIsReleased)
{
    openGLTestWindow();
    TempDir dir;
    std::string path = writePng(dir, "shared.png", 16, 16, {1, 2, 3});
    int spritesBefore = SpriteManager::getNbSprites();

    testing::internal::CaptureStdout();
    Sprite* first = SpriteManager::getSprite(path, GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
    Sprite* second = SpriteManager::getSprite(path.c_str(), GLManager::whiteTexturePath, SPRITE_HOTSPOT_CENTRE);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading image '" + path + "'\n");
    ASSERT_NE(first, second);
    ASSERT_EQ(first->images[0], second->images[0]);
    EXPECT_EQ(SpriteManager::getNbUsers(path), 2);
    EXPECT_EQ(SpriteManager::getNbSprites(), spritesBefore + 2);
    GLuint texture = first->images[0]->textureId;

    testing::internal::CaptureStdout();
    SpriteManager::removeSprite(first);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(SpriteManager::getNbUsers(path), 1);
    EXPECT_TRUE(glIsTexture(texture));

    testing::internal::CaptureStdout();
    SpriteManager::removeSprite(second);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Freeing image '" + path + "'\n");
    EXPECT_EQ(SpriteManager::getNbUsers(path), 0);
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(SpriteManager::getNbSprites(), spritesBefore);
}

TEST(SpriteManager, NoNameGivesTheDefaultPicture)
{
    openGLTestWindow();
    TempDir dir;
    std::string fallback = writePng(dir, "white.png", 4, 4, {255, 255, 255});
    Sprite* sprite = SpriteManager::getSprite(nullptr, fallback, SPRITE_HOTSPOT_TOP_LEFT);
    EXPECT_EQ(sprite->images[0]->fileName, fallback);
    EXPECT_EQ(SpriteManager::getNbUsers(fallback), 1);
    SpriteManager::removeSprite(sprite);
}

TEST(Sprite, HotSpotsFollowTheStoredPowerOfTwoSize)
{
    openGLTestWindow();
    TempDir dir;
    std::string path = writePng(dir, "wide.png", 100, 50, {9, 9, 9});  // stored as 128 x 64
    const Int2 expected[] = {Int2(0, 0), Int2(64, 32), Int2(128, 64), Int2(0, 32), Int2(128, 32)};
    for (int alignment = 1; alignment <= 5; alignment++) {
        Sprite* sprite = SpriteManager::getSprite(path, GLManager::whiteTexturePath, alignment);
        EXPECT_EQ(sprite->hotSpot, expected[alignment - 1]) << "alignment " << alignment;
        EXPECT_EQ(sprite->getSize(), Int2(128, 64));
        SpriteManager::removeSprite(sprite);
    }
}

TEST(Sprite, CornersFitAndScale)
{
    openGLTestWindow();
    TempDir dir;
    Sprite* sprite = SpriteManager::getSprite(writePng(dir, "square.png", 64, 64, {1, 1, 1}),
                                              GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
    sprite->position = Int2(10, 20);
    sprite->computeCorners();
    EXPECT_EQ(sprite->corners[0], Int2(74, 84));
    EXPECT_EQ(sprite->corners[1], Int2(10, 84));
    EXPECT_EQ(sprite->corners[2], Int2(10, 20));
    EXPECT_EQ(sprite->corners[3], Int2(74, 20));

    // A quarter turn about the hot spot: the picture now hangs down-left of it.
    sprite->angle = 90.f;
    sprite->computeCorners();
    EXPECT_NEAR(sprite->corners[0].x(), 10 - 64, 1);
    EXPECT_NEAR(sprite->corners[0].y(), 20 + 64, 1);

    sprite->fitInto(800, 600);
    EXPECT_FLOAT_EQ(sprite->scale.x(), 600.f / 64);
    EXPECT_FLOAT_EQ(sprite->scale.y(), 600.f / 64);
    sprite->scale = Float2(1.5f, 0.5f);
    EXPECT_EQ(sprite->getSize(), Int2(96, 32));
    SpriteManager::removeSprite(sprite);

    Sprite* big = SpriteManager::getSprite(writePng(dir, "big.png", 256, 256, {1, 1, 1}), GLManager::whiteTexturePath,
                                           SPRITE_HOTSPOT_CENTRE);
    big->fitInto(800, 600);
    EXPECT_FLOAT_EQ(big->scale.x(), 2.34375f);
    EXPECT_FLOAT_EQ(big->scale.y(), 2.34375f);
    SpriteManager::removeSprite(big);
}

TEST(Sprite, AnimationStepsAfterTheImageDurationAndLoops)
{
    openGLTestWindow();
    TempDir dir;
    Image red(writePng(dir, "red.png", 4, 4, {255, 0, 0}), false);
    Image blue(writePng(dir, "blue.png", 4, 4, {0, 0, 255}), false);
    Sprite sprite({&red, &blue}, SPRITE_HOTSPOT_TOP_LEFT);
    ASSERT_TRUE(sprite.animated);
    begin2D();

    sprite.lastImageTime = getTimeMs();
    sprite.draw();
    EXPECT_EQ(sprite.currentImage, 0) << "shown for less than 100 ms";
    sprite.lastImageTime = getTimeMs() - 150;
    sprite.draw();
    EXPECT_EQ(sprite.currentImage, 1);
    EXPECT_GE(sprite.lastImageTime, getTimeMs() - 50);
    sprite.lastImageTime -= 150;
    sprite.draw();
    EXPECT_EQ(sprite.currentImage, 0) << "back to the loop start";
}

TEST(Sprite, DrawnWhereItsHotSpotIsInItsOwnColours)
{
    openGLTestWindow();
    TempDir dir;
    // 64 x 32: left half red, right half green, stored as is (powers of two).
    std::vector<unsigned char> pixels;
    for (int y = 0; y < 32; y++)
        for (int x = 0; x < 64; x++) {
            const unsigned char colour[4] = {(unsigned char)(x < 32 ? 255 : 0), (unsigned char)(x < 32 ? 0 : 255), 0, 255};
            pixels.insert(pixels.end(), colour, colour + 4);
        }
    Sprite* sprite = SpriteManager::getSprite(dir.write("halves.png", AssetWriter::encodePng(64, 32, 4, pixels)),
                                              GLManager::whiteTexturePath, SPRITE_HOTSPOT_CENTRE);
    begin2D();
    sprite->position = Int2(300, 200);  // covers x 268..332, y 184..216
    sprite->draw();
    expectColour(275, 200, 255, 0, 0);
    expectColour(325, 190, 0, 255, 0);
    expectColour(265, 200, 0, 0, 0);
    expectColour(300, 220, 0, 0, 0);

    sprite->flipX = true;
    sprite->position = Int2(500, 200);
    sprite->cornersOutdated = true;
    sprite->draw();
    expectColour(475, 200, 0, 255, 0);
    expectColour(525, 200, 255, 0, 0);
    SpriteManager::removeSprite(sprite);
}

TEST(SpriteDeathTest, BadSpritesAndSpritesLeftAtShutdownAreFatal)
{
    TempDir dir;
    std::string path = dir.write("s.png", AssetWriter::encodePng(4, 4, 3, solid(4, 4, {1, 2, 3})));
    EXPECT_EXIT(
        {
            openGLTestWindow();
            SpriteManager::getSprite(path, GLManager::whiteTexturePath, 6);
        },
        ::testing::ExitedWithCode(1), "Message: Sprite::Sprite : unknown value of hotSpotAlignment\n");
    EXPECT_EXIT(Sprite(std::vector<Image*>(), 1), ::testing::ExitedWithCode(1), "Condition: images.size\\(\\) >= 1\n");
    EXPECT_EXIT(
        {
            openGLTestWindow();
            Image image(path, false);
            Sprite sprite({&image, nullptr}, 1);
            sprite.currentImage = 1;
            sprite.draw();
        },
        ::testing::ExitedWithCode(1), "Condition: images\\[currentImage\\]!= NULL\n");
    EXPECT_EXIT(
        {
            openGLTestWindow();
            SpriteManager::getSprite(path, GLManager::whiteTexturePath, 1);
            DeviceManager::destroy();
        },
        ::testing::ExitedWithCode(1), "Condition: sprites.size\\(\\) == 0\n");
}
