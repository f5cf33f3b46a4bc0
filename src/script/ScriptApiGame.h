// ScriptApiGame: output, checks, the global variables and game control for scripts.
//
// "print", "assert", "setGlobalVar", "getGlobalVar", "addToGlobalVar", "quitGame",
// "loadGame", "saveGame". Quitting, loading and saving are requests that the game
// manager carries out (LuaFuncs::quitRequested, pendingLoadFile, pendingSaveFile).
//
// Depends on: script/LuaFuncs, world/World (the world file name of a default save).
#pragma once

struct lua_State;

class ScriptApiGame {
public:
    static int scriptPrint(lua_State* lua);
    static int scriptAssert(lua_State* lua);
    static int setGlobalVar(lua_State* lua);
    static int getGlobalVar(lua_State* lua);
    static int addToGlobalVar(lua_State* lua);
    static int quitGame(lua_State* lua);
    static int loadGame(lua_State* lua);
    static int saveGame(lua_State* lua);
};
