#include "script/ScriptApiInput.h"

#include <lua.hpp>
#include <string>

#include "core/FatalError.h"
#include "platform/Clock.h"
#include "script/LuaFuncs.h"

int ScriptApiInput::getKey(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    LuaFuncs::checkString(lua, 1, "getKey");
    size_t length = 0;
    const char* text = lua_tolstring(lua, 1, &length);
    std::string chars(text, length);
    ASSERT(chars.size() == 1, nullptr);
    LuaFuncs::unavailable("getKey", "the keyboard manager");
}

int ScriptApiInput::getMouseInfos(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::unavailable("getMouseInfos", "the window manager");
}

int ScriptApiInput::getWindowSize(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::unavailable("getWindowSize", "the window manager");
}

int ScriptApiInput::getTime(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    lua_pushnumber(lua, getTimeMs());
    return 1;
}

int ScriptApiInput::getPeriodDuration(lua_State* lua)
{
    LuaFuncs::unavailable("getPeriodDuration", "the window manager");
}
