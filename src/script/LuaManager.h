// LuaManager: the game manager. This file holds its script side: starting the world
// script (its top-level code, then "lua_onInitGame") and stopping it
// ("lua_onUninitGame", the global variables emptied, the script state closed).
//
// The game manager owns the script state through its state cell, which is null while no
// script runs. The start-up of the engine, the frame step and the menus join this class
// with the game manager itself.
//
// Depends on: script/LuaFuncs, script/LuaStateCell.
#pragma once

#include <string>

class Font;
class LuaStateCell;
class SoundManager;
class World;

class LuaManager {
public:
    LuaManager() = default;
    ~LuaManager();
    LuaManager(const LuaManager&) = delete;
    LuaManager& operator=(const LuaManager&) = delete;

    // Logs "==== Reload script file", stops a running script, loads the file into a new
    // state cell, hands the world to the API, calls "lua_onInitGame" and logs
    // "==== Script file reloaded".
    void startScript(const std::string& parFilename);
    // Calls "lua_onUninitGame", empties the global variables and frees the state cell
    // (closing the state). Nothing when no script runs.
    void stopScript();

    World* world = nullptr;
    Font* font = nullptr;
    SoundManager* soundManager = nullptr;
    LuaStateCell* luaStateCell = nullptr;
};
