// Helpers of the script tests: a world script written into a temporary folder and run
// through the game manager's script side.
#pragma once

#include <lua.hpp>
#include <string>

#include "TempDir.h"
#include "script/LuaManager.h"
#include "script/LuaStateCell.h"

// The four entry functions, empty; tests add their own code after (or instead of) them.
const char* const emptyEntryFunctions =
    "function lua_onInitGame() end\n"
    "function lua_loop() end\n"
    "function lua_onUninitGame() end\n"
    "function lua_getNbObjects() return 0 end\n";

class ScriptRun {
public:
    // Writes the script as "world.lua" and starts it (top-level code, then lua_onInitGame).
    void start(const std::string& text)
    {
        path = dir.write("world.lua", text);
        manager.startScript(path);
    }
    lua_State* lua() const { return manager.luaStateCell->lua; }

    TempDir dir;
    std::string path;
    LuaManager manager;
};

// Escapes a text for gtest's death-test regular expressions.
inline std::string regexQuote(const std::string& text)
{
    std::string quoted;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos)
            quoted += '\\';
        quoted += c;
    }
    return quoted;
}

// The end of a fatal report with that condition and no message.
inline std::string conditionOnly(const std::string& condition)
{
    return "\nCondition: " + regexQuote(condition) + "\n\n$";
}

// The end of a fatal report with no condition and that message (a regular expression).
inline std::string messageOnly(const std::string& messagePattern)
{
    return "\nProgram version: [^\n]*\nMessage: " + messagePattern + "\n\n$";
}
