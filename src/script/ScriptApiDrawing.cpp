#include "script/ScriptApiDrawing.h"

#include <GL/gl.h>
#include <algorithm>
#include <lua.hpp>
#include <string>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "gl/Scene2D.h"
#include "image/Font.h"
#include "image/Image.h"
#include "image/Sprite.h"
#include "script/LuaFuncs.h"
#include "script/ScriptHandles.h"

static Sprite* checkSprite(lua_State* lua, const char* functionName)
{
    return static_cast<Sprite*>(ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SPRITE, functionName));
}

static Font* requireFont(const char* functionName)
{
    if (LuaFuncs::font == nullptr) {
        std::string message = std::string(functionName) + " needs the font, which this run does not have.";
        fatalError(__DATE__, __FILE__, "LuaFuncs::font != NULL", __LINE__, __TIME__, message.c_str());
    }
    return LuaFuncs::font;
}

static Int2 screenSize2D()
{
    ASSERT(GLManager::scene2D != NULL, "Drawing needs the window.");
    return GLManager::scene2D->size2D;
}

static void drawSpriteAt(Sprite* sprite, Int2 position)
{
    sprite->position = position;
    sprite->cornersOutdated = true;
    sprite->draw();
}

// Black background, the sprite centred on the screen; the world's 3D pass skips the next frame.
static void drawCentredOnBlack(Sprite* sprite, bool stretched)
{
    GLManager::clearScreen(0, 0, 0, 255);
    Int2 screen = screenSize2D();
    if (stretched) {
        const Image* image = sprite->images[0];
        float factor = std::min((float)screen.x() / image->width, (float)screen.y() / image->height);
        sprite->scale = Float2(factor, factor);
    }
    Int2 size = sprite->getSize();
    drawSpriteAt(sprite, Int2(screen.x() / 2 - size.x() / 2, screen.y() / 2 - size.y() / 2));
    if (stretched)
        sprite->scale = Float2(1.f, 1.f);
    LuaFuncs::fullscreenPictureDrawn = true;
}

int ScriptApiDrawing::draw2DSprite(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Sprite* sprite = checkSprite(lua, "draw2DSprite");
    drawSpriteAt(sprite, Int2(LuaFuncs::toInt(lua, 2), LuaFuncs::toInt(lua, 3)));
    return 0;
}

int ScriptApiDrawing::drawSpriteFullscreen(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    drawCentredOnBlack(checkSprite(lua, "drawSpriteFullscreen"), false);
    return 0;
}

int ScriptApiDrawing::drawSpriteFullscreenStretched(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    drawCentredOnBlack(checkSprite(lua, "drawSpriteFullscreenStretched"), true);
    return 0;
}

int ScriptApiDrawing::drawText(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    std::string text = LuaFuncs::checkString(lua, 1, "drawText");
    int x = LuaFuncs::toInt(lua, 2);
    int y = LuaFuncs::toInt(lua, 3);
    requireFont("drawText")->drawText(1.f, 1.f, text.c_str(), x, y);
    return 0;
}

int ScriptApiDrawing::drawTextCenter(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string text = LuaFuncs::checkString(lua, 1, "drawTextCenter");
    Font* font = requireFont("drawTextCenter");
    Int2 screen = screenSize2D();
    int x = (screen.x() - font->getTextWidth(text.c_str(), -1, 1.f)) / 2;
    int y = (screen.y() - font->getHeight()) / 2;
    font->drawText(1.f, 1.f, text.c_str(), x, y);
    return 0;
}

int ScriptApiDrawing::setColor(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 4, nullptr);
    int r = LuaFuncs::toRoundedInt(lua, 1);
    int g = LuaFuncs::toRoundedInt(lua, 2);
    int b = LuaFuncs::toRoundedInt(lua, 3);
    int a = LuaFuncs::toRoundedInt(lua, 4);
    ASSERT(r < 256 && g < 256 && b < 256 && a < 256, nullptr);
    ASSERT(r >= 0 && g >= 0 && b >= 0 && a >= 0, nullptr);
    glColor4ub((GLubyte)r, (GLubyte)g, (GLubyte)b, (GLubyte)a);
    return 0;
}

int ScriptApiDrawing::setFogColor(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    int r = LuaFuncs::toRoundedInt(lua, 1);
    int g = LuaFuncs::toRoundedInt(lua, 2);
    int b = LuaFuncs::toRoundedInt(lua, 3);
    ASSERT(r < 256 && g < 256 && b < 256, nullptr);
    ASSERT(r >= 0 && g >= 0 && b >= 0, nullptr);
    LuaFuncs::fogColor[0] = (unsigned char)r;
    LuaFuncs::fogColor[1] = (unsigned char)g;
    LuaFuncs::fogColor[2] = (unsigned char)b;
    LuaFuncs::fogColor[3] = 255;
    return 0;
}

int ScriptApiDrawing::clearBackground(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    const unsigned char* c = LuaFuncs::fogColor;
    GLManager::clearScreen(c[0], c[1], c[2], c[3]);
    return 0;
}
