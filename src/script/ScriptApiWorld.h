// ScriptApiWorld: drawing the world, transforms and world editing for scripts.
//
// "draw3DWorld", "draw2DWorld", "isEditorMode", "move3DPosition", "setCurrentPosition",
// "rotatePosition", "isCollidingPoint", "startCubeCreation", "manageCubeCreation",
// "createCube", "createObject", "removeElement". The two drawing functions return how
// long they took, in microseconds, measured from before their argument check. The
// transforms act on the current modelview matrix, so following draws happen there.
//
// Depends on: script/LuaFuncs, world/World, world/IndexedWorld, editor/Editor3D,
// gl/GLManager, gl/Scene2D, gl/Scene3D, platform/Clock, OpenGL.
#pragma once

struct lua_State;

class ScriptApiWorld {
public:
    static int draw3DWorld(lua_State* lua);
    static int draw2DWorld(lua_State* lua);
    static int isEditorMode(lua_State* lua);
    static int move3DPosition(lua_State* lua);
    static int setCurrentPosition(lua_State* lua);
    static int rotatePosition(lua_State* lua);
    static int isCollidingPoint(lua_State* lua);
    static int startCubeCreation(lua_State* lua);
    static int manageCubeCreation(lua_State* lua);
    static int createCube(lua_State* lua);
    static int createObject(lua_State* lua);
    static int removeElement(lua_State* lua);
};
