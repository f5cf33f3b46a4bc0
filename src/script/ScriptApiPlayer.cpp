#include "script/ScriptApiPlayer.h"

#include <lua.hpp>

#include "core/FatalError.h"
#include "script/LuaFuncs.h"

int ScriptApiPlayer::getPlayerPosition(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    LuaFuncs::unavailable("getPlayerPosition", "the player");
}

int ScriptApiPlayer::setPlayerPosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    LuaFuncs::unavailable("setPlayerPosition", "the player");
}

int ScriptApiPlayer::getPlayerSpeed(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    LuaFuncs::unavailable("getPlayerSpeed", "the player");
}

int ScriptApiPlayer::setPlayerSpeed(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    LuaFuncs::unavailable("setPlayerSpeed", "the player");
}

int ScriptApiPlayer::getCameraAngleAndDistance(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    LuaFuncs::unavailable("getCameraAngleAndDistance", "the player");
}

int ScriptApiPlayer::setCameraAngleAndDistance(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    LuaFuncs::unavailable("setCameraAngleAndDistance", "the player");
}

int ScriptApiPlayer::setPlayerMovementWalk(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::unavailable("setPlayerMovementWalk", "the player");
}

int ScriptApiPlayer::setPlayerMovementCar(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::unavailable("setPlayerMovementCar", "the player");
}

int ScriptApiPlayer::setPlayerMovementFly(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::unavailable("setPlayerMovementFly", "the player");
}

int ScriptApiPlayer::setPlayerMovementNone(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    LuaFuncs::unavailable("setPlayerMovementNone", "the player");
}

int ScriptApiPlayer::getPlayerMovementType(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    LuaFuncs::unavailable("getPlayerMovementType", "the player");
}
