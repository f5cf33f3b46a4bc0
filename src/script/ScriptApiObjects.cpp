#include "script/ScriptApiObjects.h"

#include <lua.hpp>

#include "core/FatalError.h"
#include "script/LuaFuncs.h"
#include "world/CustomObject.h"

int ScriptApiObjects::getCurrentObjectPosition(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    lua_pushnumber(lua, currentObject->position.x());
    lua_pushnumber(lua, currentObject->position.y());
    lua_pushnumber(lua, currentObject->position.z());
    return 3;
}

int ScriptApiObjects::setCurrentObjectPosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 position(LuaFuncs::toFloat(lua, 1), LuaFuncs::toFloat(lua, 2), LuaFuncs::toFloat(lua, 3));
    // The region index moves the object to its new region after the frame's update.
    if (currentObject != NULL)
        currentObject->position = position;
    LuaFuncs::placeDrawingAt(&position[0]);
    return 0;
}

int ScriptApiObjects::getDistanceToPlayer(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    lua_pushnumber(lua, LuaFuncs::distanceToPlayer);
    return 1;
}

int ScriptApiObjects::setObjectLocalVariable1(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    currentObject->localVariable1 = LuaFuncs::toFloat(lua, 1);
    return 0;
}

int ScriptApiObjects::setObjectLocalVariable2(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    currentObject->localVariable2 = LuaFuncs::toFloat(lua, 1);
    return 0;
}

int ScriptApiObjects::getObjectLocalVariable1(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    lua_pushnumber(lua, currentObject->localVariable1);
    return 1;
}

int ScriptApiObjects::getObjectLocalVariable2(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    lua_pushnumber(lua, currentObject->localVariable2);
    return 1;
}
