// LuaStateCell: the small heap cell through which the game manager owns the script state.
//
// The cell holds the lua_State of the running script (null before the state exists).
// Deleting the cell closes the state, so a stopped script leaves nothing behind.
//
// Depends on: Lua 5.1 C API (Debian's Lua 5.1 or LuaJIT).
#pragma once

struct lua_State;

class LuaStateCell {
public:
    LuaStateCell() = default;
    ~LuaStateCell();
    LuaStateCell(const LuaStateCell&) = delete;
    LuaStateCell& operator=(const LuaStateCell&) = delete;

    lua_State* lua = nullptr;
};
