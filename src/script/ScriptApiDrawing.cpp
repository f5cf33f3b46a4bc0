#include "script/ScriptApiDrawing.h"

#include <GL/gl.h>
#include <lua.hpp>
#include <string>

#include "core/FatalError.h"
#include "script/LuaFuncs.h"
#include "script/ScriptHandles.h"

int ScriptApiDrawing::draw2DSprite(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SPRITE, "draw2DSprite");
    int x = LuaFuncs::toInt(lua, 2);
    int y = LuaFuncs::toInt(lua, 3);
    (void)x, (void)y;
    LuaFuncs::unavailable("draw2DSprite", "the sprite");
}

int ScriptApiDrawing::drawSpriteFullscreen(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SPRITE, "drawSpriteFullscreen");
    LuaFuncs::unavailable("drawSpriteFullscreen", "the sprite");
}

int ScriptApiDrawing::drawSpriteFullscreenStretched(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SPRITE, "drawSpriteFullscreenStretched");
    LuaFuncs::unavailable("drawSpriteFullscreenStretched", "the sprite");
}

int ScriptApiDrawing::drawText(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    std::string text = LuaFuncs::checkString(lua, 1, "drawText");
    int x = LuaFuncs::toInt(lua, 2);
    int y = LuaFuncs::toInt(lua, 3);
    (void)x, (void)y;
    LuaFuncs::unavailable("drawText", "the font");
}

int ScriptApiDrawing::drawTextCenter(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string text = LuaFuncs::checkString(lua, 1, "drawTextCenter");
    LuaFuncs::unavailable("drawTextCenter", "the font");
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
    LuaFuncs::unavailable("clearBackground", "the window manager");
}
