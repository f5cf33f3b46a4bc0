#include "script/LuaStateCell.h"

#include <lua.hpp>

LuaStateCell::~LuaStateCell()
{
    if (lua != nullptr)
        lua_close(lua);
}
