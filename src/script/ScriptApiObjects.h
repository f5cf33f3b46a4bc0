// ScriptApiObjects: the current script object for scripts.
//
// "getCurrentObjectPosition", "setCurrentObjectPosition", "getDistanceToPlayer",
// "setObjectLocalVariable1", "setObjectLocalVariable2", "getObjectLocalVariable1",
// "getObjectLocalVariable2". The current object is the one whose manage function runs,
// or ran last (currentObject); before any object ran there is none and these functions
// end in the report "currentObject != NULL" ("setCurrentObjectPosition" then only
// places the drawing position, and "getDistanceToPlayer" gives the last distance).
//
// Depends on: script/LuaFuncs, world/CustomObject, gl/GLManager, gl/Scene3D, OpenGL.
#pragma once

struct lua_State;

class ScriptApiObjects {
public:
    static int getCurrentObjectPosition(lua_State* lua);
    static int setCurrentObjectPosition(lua_State* lua);
    static int getDistanceToPlayer(lua_State* lua);
    static int setObjectLocalVariable1(lua_State* lua);
    static int setObjectLocalVariable2(lua_State* lua);
    static int getObjectLocalVariable1(lua_State* lua);
    static int getObjectLocalVariable2(lua_State* lua);
};
