// ScriptApiPlayer: the player and the camera for scripts.
//
// "getPlayerPosition", "setPlayerPosition", "getPlayerSpeed", "setPlayerSpeed",
// "getCameraAngleAndDistance", "setCameraAngleAndDistance", "setPlayerMovementWalk",
// "setPlayerMovementCar", "setPlayerMovementFly", "setPlayerMovementNone",
// "getPlayerMovementType". The player belongs to the world; the camera is Scene3D's.
// Speeds are shown to scripts 100 times larger than the player keeps them.
//
// Depends on: script/LuaFuncs, world/World, player/Player, gl/GLManager, gl/Scene3D.
#pragma once

struct lua_State;

class ScriptApiPlayer {
public:
    static int getPlayerPosition(lua_State* lua);
    static int setPlayerPosition(lua_State* lua);
    static int getPlayerSpeed(lua_State* lua);
    static int setPlayerSpeed(lua_State* lua);
    static int getCameraAngleAndDistance(lua_State* lua);
    static int setCameraAngleAndDistance(lua_State* lua);
    static int setPlayerMovementWalk(lua_State* lua);
    static int setPlayerMovementCar(lua_State* lua);
    static int setPlayerMovementFly(lua_State* lua);
    static int setPlayerMovementNone(lua_State* lua);
    static int getPlayerMovementType(lua_State* lua);
};
