#include "script/ScriptApiAssets.h"

#include <lua.hpp>
#include <string>
#include <vector>

#include "core/FatalError.h"
#include "script/LuaFuncs.h"
#include "script/ScriptHandles.h"

int ScriptApiAssets::load3DModel(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string fileName = LuaFuncs::checkString(lua, 1, "load3DModel");
    LuaFuncs::unavailable("load3DModel", "the animated model");
}

int ScriptApiAssets::load3DModelAnimated(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc >= 2, nullptr);
    int frameDuration = LuaFuncs::toInt(lua, 1);
    std::vector<std::string> frames;
    for (int i = 2; i <= argc; i++)
        frames.push_back(LuaFuncs::checkString(lua, i, "load3DModelAnimated"));
    (void)frameDuration;
    LuaFuncs::unavailable("load3DModelAnimated", "the animated model");
}

int ScriptApiAssets::draw3DModel(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_MODEL, "draw3DModel");
    LuaFuncs::unavailable("draw3DModel", "the animated model");
}

int ScriptApiAssets::unload3DModel(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_MODEL, "unload3DModel");
    LuaFuncs::unavailable("unload3DModel", "the animated model");
}

int ScriptApiAssets::setModelAnimationSpeed(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 2, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_MODEL, "setModelAnimationSpeed");
    float speed = LuaFuncs::toFloat(lua, 2);
    // 100000 / speed: a speed of 0 has no frame duration.
    ASSERT(speed != 0, "setModelAnimationSpeed: the speed must not be 0.");
    LuaFuncs::unavailable("setModelAnimationSpeed", "the animated model");
}

int ScriptApiAssets::stopModelAnimation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_MODEL, "stopModelAnimation");
    LuaFuncs::unavailable("stopModelAnimation", "the animated model");
}

int ScriptApiAssets::startModelAnimation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_MODEL, "startModelAnimation");
    LuaFuncs::unavailable("startModelAnimation", "the animated model");
}

int ScriptApiAssets::load2DSprite(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string fileName = LuaFuncs::checkString(lua, 1, "load2DSprite");
    LuaFuncs::unavailable("load2DSprite", "the sprite manager");
}

int ScriptApiAssets::unload2DSprite(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SPRITE, "unload2DSprite");
    LuaFuncs::unavailable("unload2DSprite", "the sprite manager");
}

int ScriptApiAssets::loadSound(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string fileName = LuaFuncs::checkString(lua, 1, "loadSound");
    LuaFuncs::unavailable("loadSound", "the sound manager");
}

int ScriptApiAssets::playSound(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SOUND, "playSound");
    LuaFuncs::unavailable("playSound", "the sound manager");
}

int ScriptApiAssets::isPlayingSound(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SOUND, "isPlayingSound");
    LuaFuncs::unavailable("isPlayingSound", "the sound manager");
}
