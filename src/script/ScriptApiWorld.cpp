#include "script/ScriptApiWorld.h"

#include <GL/gl.h>
#include <lua.hpp>

#include "core/BasicVector.h"
#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "draw/BoxGeometry.h"
#include "platform/Clock.h"
#include "script/LuaFuncs.h"
#include "script/ScriptApiArgs.h"
#include "world/CustomObject.h"
#include "world/World.h"

static void pushElapsedSince(lua_State* lua, int64_t start)
{
    lua_pushnumber(lua, (lua_Number)(Clock::microseconds() - start));
}

int ScriptApiWorld::draw3DWorld(lua_State* lua)
{
    int64_t start = Clock::microseconds();
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    World* world = LuaFuncs::requireWorld("draw3DWorld");
    world->placeCameraForFrame();
    world->draw();
    pushElapsedSince(lua, start);
    return 1;
}

int ScriptApiWorld::draw2DWorld(lua_State* lua)
{
    int64_t start = Clock::microseconds();
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    World* world = LuaFuncs::requireWorld("draw2DWorld");
    GLManager::begin2DPass();
    GLManager::scene3D->lightingEnabled = false;
    world->draw2D(LuaFuncs::getNbObjects(lua));
    LuaFuncs::fullscreenPictureDrawn = false;
    pushElapsedSince(lua, start);
    return 1;
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
    Float3 d = readFloat3(lua);
    glTranslatef(d.x(), d.y(), d.z());
    return 0;
}

int ScriptApiWorld::setCurrentPosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 position = readFloat3(lua);
    LuaFuncs::placeDrawingAt(&position[0]);
    return 0;
}

int ScriptApiWorld::rotatePosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 angles = readFloat3(lua);
    rotateXYZ(angles.x(), angles.y(), angles.z());
    return 0;
}

int ScriptApiWorld::isCollidingPoint(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 point = readFloat3(lua);
    lua_pushnumber(lua, LuaFuncs::requireWorld("isCollidingPoint")->isInside(point) ? 1 : 0);
    return 1;
}

int ScriptApiWorld::startCubeCreation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 position = readFloat3(lua);
    (void)position;
    // Script-driven creation acts only while editor mode is off.
    if (LuaFuncs::requireWorld("startCubeCreation")->editorMode)
        return 0;
    LuaFuncs::unavailable("startCubeCreation", "the editor's script-driven cube creation");
}

int ScriptApiWorld::manageCubeCreation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    World* world = LuaFuncs::requireWorld("manageCubeCreation");
    if (!world->editorMode)
        LuaFuncs::unavailable("manageCubeCreation", "the editor's script-driven cube creation");
    // In editor mode nothing is confirmed; the corners are whatever the editor holds.
    const Int3& fixed = world->editor.scriptCreationStart;
    const Int3& moving = world->editor.scriptCreationEnd;
    lua_pushnumber(lua, 0);
    for (const Int3* corner : {&fixed, &moving})
        for (int axis = 0; axis < 3; axis++)
            lua_pushnumber(lua, (*corner)[axis]);
    return 7;
}

int ScriptApiWorld::createCube(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 7, nullptr);
    Int3 corner1(LuaFuncs::toRoundedInt(lua, 1), LuaFuncs::toRoundedInt(lua, 2), LuaFuncs::toRoundedInt(lua, 3));
    Int3 corner2(LuaFuncs::toRoundedInt(lua, 4), LuaFuncs::toRoundedInt(lua, 5), LuaFuncs::toRoundedInt(lua, 6));
    int cubeType = LuaFuncs::toRoundedInt(lua, 7);
    (void)cubeType;
    // Nothing in editor mode, nor for corners that share an x, y or z (no volume).
    bool differOnAllAxes = corner1.x() != corner2.x() && corner1.y() != corner2.y() && corner1.z() != corner2.z();
    if (LuaFuncs::requireWorld("createCube")->editorMode || !differOnAllAxes)
        return 0;
    LuaFuncs::unavailable("createCube", "the editor's cube aggregate creation");
}

int ScriptApiWorld::createObject(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 4, nullptr);
    Float3 position = readFloat3(lua);
    int objectType = LuaFuncs::toRoundedInt(lua, 4);
    // Type numbers index the object type table (world/CustomObject): checked here, so a
    // type the table cannot hold is reported at the call rather than when the object runs.
    ASSERT(objectType >= 0 && objectType <= CustomObject::maxType,
           "createObject: the object type must be from 0 to 1048576.");
    LuaFuncs::requireWorld("createObject")->indexedWorld.addObject(position, objectType);
    return 0;
}

int ScriptApiWorld::removeElement(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 point = readFloat3(lua);
    LuaFuncs::requireWorld("removeElement")->indexedWorld.worldIndexator.deleteAt(point);
    return 0;
}
