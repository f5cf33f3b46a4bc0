// ScriptApiInput: keys, mouse, window size and time for scripts.
//
// "getKey", "getMouseInfos", "getWindowSize", "getTime", "getPeriodDuration". The key
// and mouse states are those the last event pump recorded (KeyboardManager, GLManager).
//
// Depends on: script/LuaFuncs, gl/GLManager, gl/KeyboardManager, gl/Scene2D, platform/Clock.
#pragma once

struct lua_State;

class ScriptApiInput {
public:
    static int getKey(lua_State* lua);
    static int getMouseInfos(lua_State* lua);
    static int getWindowSize(lua_State* lua);
    static int getTime(lua_State* lua);
    static int getPeriodDuration(lua_State* lua);
};
