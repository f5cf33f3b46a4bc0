#include "script/LuaManager.h"

#include <cstdio>

#include "script/LuaFuncs.h"
#include "script/LuaStateCell.h"
#include "script/ScriptHandles.h"

LuaManager::~LuaManager()
{
    // A script still running when the manager goes away loses its state without its stop
    // function (the game manager's shutdown stops it first).
    delete luaStateCell;
    if (LuaFuncs::luaStateCell == luaStateCell)
        LuaFuncs::luaStateCell = nullptr;
}

void LuaManager::startScript(const std::string& parFilename)
{
    std::printf("==== Reload script file\n");
    stopScript();
    LuaStateCell* cell = new LuaStateCell();
    LuaFuncs::init(soundManager, font, cell, parFilename);
    luaStateCell = cell;
    LuaFuncs::luaStateCell = cell;
    LuaFuncs::world = world;
    LuaFuncs::callScriptFunction(cell->lua, "lua_onInitGame");
    std::printf("==== Script file reloaded\n");
}

void LuaManager::stopScript()
{
    if (luaStateCell == nullptr)
        return;
    LuaFuncs::callScriptFunction(luaStateCell->lua, "lua_onUninitGame");
    LuaFuncs::globalVars.clear();
    if (LuaFuncs::luaStateCell == luaStateCell)
        LuaFuncs::luaStateCell = nullptr;
    ScriptHandles::clear();
    delete luaStateCell;
    luaStateCell = nullptr;
}
