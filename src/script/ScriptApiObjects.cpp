#include "script/ScriptApiObjects.h"

#include <lua.hpp>

#include "core/FatalError.h"
#include "script/LuaFuncs.h"
#include "script/ScriptApiArgs.h"
#include "world/CustomObject.h"

int ScriptApiObjects::getCurrentObjectPosition(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    const Float3& p = currentObject->position;
    return pushFloat3(lua, p.x(), p.y(), p.z());
}

int ScriptApiObjects::setCurrentObjectPosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 position = readFloat3(lua);
    // The region index moves the object to its new region after the frame's update.
    if (currentObject != NULL)
        currentObject->position = position;
    LuaFuncs::placeDrawingAt(&position[0]);
    return 0;
}

// The two local variables share one pattern: the count check, then the current object.
static int setLocalVariable(lua_State* lua, float CustomObject::*variable)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    currentObject->*variable = LuaFuncs::toFloat(lua, 1);
    return 0;
}

static int getLocalVariable(lua_State* lua, float CustomObject::*variable)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    ASSERT(currentObject != NULL, nullptr);
    lua_pushnumber(lua, currentObject->*variable);
    return 1;
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
    return setLocalVariable(lua, &CustomObject::localVariable1);
}

int ScriptApiObjects::setObjectLocalVariable2(lua_State* lua)
{
    return setLocalVariable(lua, &CustomObject::localVariable2);
}

int ScriptApiObjects::getObjectLocalVariable1(lua_State* lua)
{
    return getLocalVariable(lua, &CustomObject::localVariable1);
}

int ScriptApiObjects::getObjectLocalVariable2(lua_State* lua)
{
    return getLocalVariable(lua, &CustomObject::localVariable2);
}
