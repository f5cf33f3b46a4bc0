// Scripts drawing into the real window: sprites, text, the background and colour, the
// fullscreen pictures, keys, the window size; models loaded and animated by scripts.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <string>

#include "GLTestWindow.h"
#include "ScriptTestSupport.h"
#include "gl/KeyboardManager.h"
#include "gl/Scene2D.h"
#include "image/Font.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"
#include "model/Animated3DModel.h"
#include "script/LuaFuncs.h"

using ::testing::ExitedWithCode;

namespace {

// An uncompressed 32-bit TGA, top row first, every pixel from the function.
template <typename PixelOf>
std::string makeTga(int width, int height, PixelOf pixelOf)
{
    std::string bytes(18, '\0');
    bytes[2] = 2;  // true colour
    bytes[12] = (char)(width & 255);
    bytes[13] = (char)(width >> 8);
    bytes[14] = (char)(height & 255);
    bytes[15] = (char)(height >> 8);
    bytes[16] = 32;
    bytes[17] = 0x28;  // 8 alpha bits, top-left origin
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            ColorBytes c = pixelOf(x, y);
            bytes += (char)c.b;
            bytes += (char)c.g;
            bytes += (char)c.r;
            bytes += (char)c.a;
        }
    return bytes;
}

// A font picture: each of the 94 glyphs is two opaque white columns between one transparent
// column before and three after, so each glyph's rectangle (one column before its ink to
// two after) is six pixels wide with its ink in the second and third.
std::string makeFontPicture()
{
    return makeTga(1024, 16, [](int x, int) {
        bool glyph = x < 94 * 6 && (x % 6 == 1 || x % 6 == 2);
        return glyph ? ColorBytes{255, 255, 255, 255} : ColorBytes{0, 0, 0, 0};
    });
}

bool near(ColorBytes pixel, int r, int g, int b)
{
    const int tolerance = 8;
    return std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance &&
           std::abs(pixel.b - b) <= tolerance;
}

::testing::AssertionResult pixelIs(int x, int y, int r, int g, int b)
{
    ColorBytes pixel = readBackBufferPixel(x, y);
    if (near(pixel, r, g, b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << (int)pixel.r << ", "
                                         << (int)pixel.g << ", " << (int)pixel.b << "), expected (" << r << ", "
                                         << g << ", " << b << ")";
}

class ScriptDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        openGLTestWindow();
        GLManager::scene2D->setupProjection2D();
        font = new Font(run.dir.write("font.tga", makeFontPicture()));
        run.manager.font = font;
        run.dir.write("red.tga", makeTga(32, 16, [](int, int) { return ColorBytes{255, 0, 0, 255}; }));
    }
    void TearDown() override
    {
        if (run.manager.luaStateCell != nullptr)
            run.manager.stopScript();
        delete font;
        LuaFuncs::font = nullptr;
    }
    void loop() { LuaFuncs::callScriptFunction(run.lua(), "lua_loop"); }

    ScriptRun run;
    Font* font = nullptr;
};

}  // namespace

TEST_F(ScriptDrawingTest, SpriteAndTextLandOnScreen)
{
    run.start("function lua_onInitGame() sprite = load2DSprite('" + run.dir.file("red.tga") + "') end\n"
              "function lua_loop()\n"
              "  setFogColor(0, 0, 64)\n"
              "  clearBackground()\n"
              "  setColor(255, 255, 255, 255)\n"
              "  draw2DSprite(sprite, 100.9, 50)\n"
              "  setColor(0, 255, 0, 255)\n"
              "  drawText('!!', 300, 200)\n"
              "  setColor(255, 255, 255, 255)\n"
              "end\n"
              "function lua_onUninitGame() unload2DSprite(sprite) end\n");
    int spritesBefore = SpriteManager::getNbSprites();
    loop();
    // The sprite's top-left corner at (100, 50) (100.9 truncates), 32 x 16 pixels.
    EXPECT_TRUE(pixelIs(100, 50, 255, 0, 0));
    EXPECT_TRUE(pixelIs(131, 65, 255, 0, 0));
    EXPECT_TRUE(pixelIs(99, 50, 0, 0, 64));
    EXPECT_TRUE(pixelIs(132, 58, 0, 0, 64));
    EXPECT_TRUE(pixelIs(110, 66, 0, 0, 64));
    // Two glyphs six pixels wide, tinted by the current colour, top-left at (300, 200): ink
    // in columns 301, 302, 307 and 308.
    for (int x : {301, 302, 307, 308}) {
        EXPECT_TRUE(pixelIs(x, 200, 0, 255, 0)) << x;
        EXPECT_TRUE(pixelIs(x, 215, 0, 255, 0)) << x;
        EXPECT_TRUE(pixelIs(x, 216, 0, 0, 64)) << x;
    }
    for (int x : {300, 303, 306, 309})
        EXPECT_TRUE(pixelIs(x, 205, 0, 0, 64)) << x;
    run.manager.stopScript();
    EXPECT_EQ(SpriteManager::getNbSprites(), spritesBefore - 1);
}

TEST_F(ScriptDrawingTest, CentredTextAndFullscreenPictures)
{
    run.start(std::string(emptyEntryFunctions) +
              "function lua_onInitGame() sprite = load2DSprite('" + run.dir.file("red.tga") + "') end\n"
              "function lua_onUninitGame() unload2DSprite(sprite) end\n"
              "function centred() setFogColor(0, 0, 0) clearBackground() drawTextCenter('!') end\n"
              "function fullscreen() setFogColor(0, 0, 255) clearBackground() drawSpriteFullscreen(sprite) end\n"
              "function stretched() drawSpriteFullscreenStretched(sprite) end\n");
    LuaFuncs::callScriptFunction(run.lua(), "centred");
    // One glyph 6 x 16 on 800 x 600: at ((800 - 6) / 2, (600 - 16) / 2) = (397, 292), its
    // ink in columns 398 and 399.
    EXPECT_TRUE(pixelIs(398, 292, 255, 255, 255));
    EXPECT_TRUE(pixelIs(399, 307, 255, 255, 255));
    EXPECT_TRUE(pixelIs(397, 300, 0, 0, 0));
    EXPECT_TRUE(pixelIs(400, 300, 0, 0, 0));
    EXPECT_TRUE(pixelIs(398, 308, 0, 0, 0));
    EXPECT_TRUE(pixelIs(398, 291, 0, 0, 0));

    LuaFuncs::fullscreenPictureDrawn = false;
    LuaFuncs::callScriptFunction(run.lua(), "fullscreen");
    EXPECT_TRUE(LuaFuncs::fullscreenPictureDrawn);
    // On black (not the background colour), centred: (400 - 16, 300 - 8) to (415, 307).
    EXPECT_TRUE(pixelIs(384, 292, 255, 0, 0));
    EXPECT_TRUE(pixelIs(415, 307, 255, 0, 0));
    EXPECT_TRUE(pixelIs(383, 292, 0, 0, 0));
    EXPECT_TRUE(pixelIs(10, 10, 0, 0, 0));

    LuaFuncs::callScriptFunction(run.lua(), "stretched");
    // min(800 / 32, 600 / 16) = 25: 800 x 400, centred vertically from y = 100 (the edge
    // rows are left to the rasteriser).
    EXPECT_TRUE(pixelIs(0, 101, 255, 0, 0));
    EXPECT_TRUE(pixelIs(799, 498, 255, 0, 0));
    EXPECT_TRUE(pixelIs(400, 98, 0, 0, 0));
    EXPECT_TRUE(pixelIs(400, 502, 0, 0, 0));
    lua_getfield(run.lua(), LUA_GLOBALSINDEX, "sprite");
    Sprite* sprite = static_cast<Sprite*>(lua_touserdata(run.lua(), -1));
    lua_pop(run.lua(), 1);
    EXPECT_EQ(sprite->scale, Float2(1.f, 1.f));  // put back after drawing

    // A sprite is no model.
    EXPECT_EXIT(
        {
            luaL_loadstring(run.lua(), "draw3DModel(sprite)");
            lua_call(run.lua(), 0, 0);
        },
        ExitedWithCode(1), "\nMessage: Argument 1 of draw3DModel is not a loaded model");
}

TEST_F(ScriptDrawingTest, KeysWindowSizeAndPeriod)
{
    run.start(std::string(emptyEntryFunctions) +
              "function lua_loop()\n"
              "  setGlobalVar('A', getKey('A'))\n"
              "  setGlobalVar('a', getKey('a'))\n"
              "  local w, h = getWindowSize()\n"
              "  setGlobalVar('w', w) setGlobalVar('h', h)\n"
              "  setGlobalVar('period', getPeriodDuration(1, 2))\n"
              "  local left, middle, right, x, y = getMouseInfos()\n"
              "  setGlobalVar('right', right) setGlobalVar('x', x) setGlobalVar('y', y)\n"
              "end\n");
    GLManager::keyboardManager->keyStates['A'] = 1;
    GLManager::keyboardManager->keyStates['a'] = 0;
    GLManager::mouseButtons[2] = 1;
    GLManager::scenePointerPosition = Int2(12, 34);
    loop();
    GLManager::keyboardManager->keyStates['A'] = 0;
    GLManager::mouseButtons[2] = 0;
    EXPECT_EQ(LuaFuncs::getGlobalVar("A"), 1);
    EXPECT_EQ(LuaFuncs::getGlobalVar("a"), 0);
    EXPECT_EQ(LuaFuncs::getGlobalVar("w"), 800);
    EXPECT_EQ(LuaFuncs::getGlobalVar("h"), 600);
    EXPECT_EQ(LuaFuncs::getGlobalVar("period"), (int)GLManager::periodDuration);
    EXPECT_EQ(LuaFuncs::getGlobalVar("right"), 1);
    EXPECT_EQ(LuaFuncs::getGlobalVar("x"), 12);
    EXPECT_EQ(LuaFuncs::getGlobalVar("y"), 34);
}

TEST_F(ScriptDrawingTest, ModelsLoadAnimateAndUnload)
{
    const char* triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    std::string a = run.dir.write("a.obj", triangle);
    std::string b = run.dir.write("b.obj", triangle);
    run.start(std::string(emptyEntryFunctions) +
              "single = load3DModel('" + a + "')\n"
              "animated = load3DModelAnimated(250.9, '" + a + "', '" + b + "')\n"
              "fast = load3DModelAnimated(100, '" + a + "', '" + b + "')\n"
              "setModelAnimationSpeed(fast, 300)\n"
              "stopModelAnimation(single)\n"
              "draw3DModel(animated)\n");
    auto model = [&](const char* name) {
        lua_getfield(run.lua(), LUA_GLOBALSINDEX, name);
        Animated3DModel* m = static_cast<Animated3DModel*>(lua_touserdata(run.lua(), -1));
        lua_pop(run.lua(), 1);
        return m;
    };
    EXPECT_EQ(model("single")->frames.size(), 1u);
    EXPECT_FALSE(model("single")->isPlaying);
    EXPECT_EQ(model("single")->frameDuration, 500);
    EXPECT_EQ(model("animated")->frames.size(), 2u);
    EXPECT_EQ(model("animated")->frameDuration, 250);
    EXPECT_TRUE(model("animated")->isPlaying);
    EXPECT_EQ(model("fast")->frameDuration, 333);  // trunc(100000 / 300)

    // An unloaded model, or a sprite given as a model, is reported, never touched.
    EXPECT_EXIT(
        {
            luaL_loadstring(run.lua(), "unload3DModel(single) draw3DModel(single)");
            lua_call(run.lua(), 0, 0);
        },
        ExitedWithCode(1), "\nCondition: ScriptHandles::isLive\\(kind, handle\\)\nMessage: Argument 1 of draw3DModel "
                           "is not a loaded model");
    EXPECT_EXIT(
        {
            luaL_loadstring(run.lua(), "setModelAnimationSpeed(single, 0)");
            lua_call(run.lua(), 0, 0);
        },
        ExitedWithCode(1), "\nCondition: speed != 0\n");
    luaL_loadstring(run.lua(), "unload3DModel(single) unload3DModel(animated) unload3DModel(fast)");
    lua_call(run.lua(), 0, 0);
}
