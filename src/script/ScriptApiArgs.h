// ScriptApiArgs: reading and pushing the three-number values (positions, speeds, angles)
// that many script functions take or give back, with the float conversion of LuaFuncs.
//
// Depends on: script/LuaFuncs, core/BasicVector, Lua 5.1 C API.
#pragma once

#include <lua.hpp>

#include "core/BasicVector.h"
#include "script/LuaFuncs.h"

// Arguments 1, 2 and 3 as floats.
inline Float3 readFloat3(lua_State* lua)
{
    return Float3(LuaFuncs::toFloat(lua, 1), LuaFuncs::toFloat(lua, 2), LuaFuncs::toFloat(lua, 3));
}

// Pushes the three values; returns the count of results.
inline int pushFloat3(lua_State* lua, float a, float b, float c)
{
    lua_pushnumber(lua, a);
    lua_pushnumber(lua, b);
    lua_pushnumber(lua, c);
    return 3;
}
