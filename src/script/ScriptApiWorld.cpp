#include "script/ScriptApiWorld.h"

#include <GL/gl.h>
#include <lua.hpp>

#include "core/BasicVector.h"
#include "core/FatalError.h"
#include "draw/BoxGeometry.h"
#include "platform/Clock.h"
#include "script/LuaFuncs.h"
#include "world/World.h"

static Float3 readPoint(lua_State* lua)
{
    return Float3(LuaFuncs::toFloat(lua, 1), LuaFuncs::toFloat(lua, 2), LuaFuncs::toFloat(lua, 3));
}

int ScriptApiWorld::draw3DWorld(lua_State* lua)
{
    int64_t start = Clock::microseconds();
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    (void)start;
    LuaFuncs::unavailable("draw3DWorld", "the world scene");
}

int ScriptApiWorld::draw2DWorld(lua_State* lua)
{
    int64_t start = Clock::microseconds();
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    (void)start;
    LuaFuncs::unavailable("draw2DWorld", "the world scene");
}

int ScriptApiWorld::isEditorMode(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    lua_pushnumber(lua, LuaFuncs::requireWorld("isEditorMode")->editorMode ? 1 : 0);
    return 1;
}

int ScriptApiWorld::move3DPosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 d = readPoint(lua);
    glTranslatef(d.x(), d.y(), d.z());
    return 0;
}

int ScriptApiWorld::setCurrentPosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 position = readPoint(lua);
    LuaFuncs::placeDrawingAt(&position[0]);
    return 0;
}

int ScriptApiWorld::rotatePosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 angles = readPoint(lua);
    rotateXYZ(angles.x(), angles.y(), angles.z());
    return 0;
}

int ScriptApiWorld::isCollidingPoint(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 point = readPoint(lua);
    lua_pushnumber(lua, LuaFuncs::requireWorld("isCollidingPoint")->isInside(point) ? 1 : 0);
    return 1;
}

int ScriptApiWorld::startCubeCreation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    LuaFuncs::unavailable("startCubeCreation", "the editor's script-driven cube creation");
}

int ScriptApiWorld::manageCubeCreation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::unavailable("manageCubeCreation", "the editor's script-driven cube creation");
}

int ScriptApiWorld::createCube(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 7, nullptr);
    LuaFuncs::unavailable("createCube", "the editor's cube aggregate creation");
}

int ScriptApiWorld::createObject(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 4, nullptr);
    Float3 position = readPoint(lua);
    int objectType = LuaFuncs::toRoundedInt(lua, 4);
    // Type numbers index the object type table: a negative one has no entry.
    ASSERT(objectType >= 0, "createObject: the object type must be 0 or more.");
    LuaFuncs::requireWorld("createObject")->indexedWorld.addObject(position, objectType);
    return 0;
}

int ScriptApiWorld::removeElement(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 point = readPoint(lua);
    LuaFuncs::requireWorld("removeElement")->indexedWorld.worldIndexator.deleteAt(point);
    return 0;
}
