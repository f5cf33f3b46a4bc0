#include "script/ScriptApiGame.h"

#include <cstdint>
#include <cstdio>
#include <lua.hpp>
#include <string>

#include "core/FatalError.h"
#include "core/FileManager.h"
#include "script/LuaFuncs.h"
#include "world/World.h"

int ScriptApiGame::scriptPrint(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string text;
    if (lua_isuserdata(lua, 1))
        text = std::to_string((uintptr_t)lua_touserdata(lua, 1));
    else if (lua_isnumber(lua, 1))
        text = std::to_string(LuaFuncs::toRoundedInt(lua, 1));
    else if (lua_isstring(lua, 1))
        text = lua_tostring(lua, 1);
    else if (lua_isboolean(lua, 1))
        text = lua_toboolean(lua, 1) ? "true" : "false";
    else
        text = luaL_typename(lua, 1);  // nil, a table or a function: its kind
    std::printf("lua print: %s\n", text.c_str());
    return 0;
}

int ScriptApiGame::scriptAssert(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    if (LuaFuncs::toRoundedInt(lua, 1) == 0)
        fatalError(__DATE__, __FILE__, "lua_tointeger(lua, 1)", __LINE__, __TIME__,
                   "An assert condition into lua script was false.");
    return 0;
}

// "setGlobalVar" and "addToGlobalVar": a name and a number (truncated).
static std::string readNameAndValue(lua_State* lua, const char* functionName, int32_t& value)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 2, nullptr);
    std::string name = LuaFuncs::checkString(lua, 1, functionName);
    ASSERT(lua_isnumber(lua, 2), nullptr);
    value = LuaFuncs::toInt(lua, 2);
    return name;
}

int ScriptApiGame::setGlobalVar(lua_State* lua)
{
    int32_t value = 0;
    std::string name = readNameAndValue(lua, "setGlobalVar", value);
    LuaFuncs::setGlobalVar(name, value);
    return 0;
}

int ScriptApiGame::getGlobalVar(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    const char* name = LuaFuncs::checkString(lua, 1, "getGlobalVar");
    lua_pushnumber(lua, LuaFuncs::getGlobalVar(name));
    return 1;
}

int ScriptApiGame::addToGlobalVar(lua_State* lua)
{
    int32_t amount = 0;
    std::string name = readNameAndValue(lua, "addToGlobalVar", amount);
    lua_pushnumber(lua, LuaFuncs::addToGlobalVar(name, amount));
    return 1;
}

int ScriptApiGame::quitGame(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::quitRequested = true;
    return 0;
}

// "loadGame" and "saveGame": no argument names the save after the world file (its last
// path component + ".savegame", in the working folder); one argument is the file name.
static std::string requestedSaveFile(lua_State* lua, const char* functionName)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0 || argc == 1, nullptr);
    if (argc == 1)
        return LuaFuncs::checkString(lua, 1, functionName);
    return FileManager::getFileName(LuaFuncs::requireWorld(functionName)->worldDataFile) + ".savegame";
}

int ScriptApiGame::loadGame(lua_State* lua)
{
    LuaFuncs::pendingLoadFile = requestedSaveFile(lua, "loadGame");
    return 0;
}

int ScriptApiGame::saveGame(lua_State* lua)
{
    LuaFuncs::pendingSaveFile = requestedSaveFile(lua, "saveGame");
    return 0;
}
