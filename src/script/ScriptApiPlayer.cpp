#include "script/ScriptApiPlayer.h"

#include <lua.hpp>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "gl/Scene3D.h"
#include "player/Player.h"
#include "script/LuaFuncs.h"
#include "script/ScriptApiArgs.h"
#include "world/World.h"

// Scripts see the speeds 100 times larger than the player keeps them.
static const float scriptSpeedFactor = 100.f;
static const float playerSpeedFactor = 0.01f;

static Player* requirePlayer(const char* functionName)
{
    World* world = LuaFuncs::requireWorld(functionName);
    ASSERT(world->player != NULL, "The world has no player.");
    return world->player;
}

static Camera& camera()
{
    ASSERT(GLManager::scene3D != NULL, "The camera needs the 3D scene.");
    return GLManager::scene3D->camera;
}

static int setMovement(lua_State* lua, int type, const char* functionName)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    requirePlayer(functionName)->setMovementType(type);
    return 0;
}

int ScriptApiPlayer::getPlayerPosition(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    const Float3& p = requirePlayer("getPlayerPosition")->position();
    return pushFloat3(lua, p.x(), p.y(), p.z());
}

int ScriptApiPlayer::setPlayerPosition(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 p = readFloat3(lua);
    requirePlayer("setPlayerPosition")->position() = p;
    return 0;
}

int ScriptApiPlayer::getPlayerSpeed(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    Player* player = requirePlayer("getPlayerSpeed");
    return pushFloat3(lua, player->forwardSpeed * scriptSpeedFactor, player->verticalSpeed * scriptSpeedFactor,
                      player->strafeSpeed * scriptSpeedFactor);
}

int ScriptApiPlayer::setPlayerSpeed(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 speeds = readFloat3(lua);
    Player* player = requirePlayer("setPlayerSpeed");
    player->forwardSpeed = speeds.x() * playerSpeedFactor;
    player->verticalSpeed = speeds.y() * playerSpeedFactor;
    player->strafeSpeed = speeds.z() * playerSpeedFactor;
    return 0;
}

int ScriptApiPlayer::getCameraAngleAndDistance(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    Player* player = requirePlayer("getCameraAngleAndDistance");
    return pushFloat3(lua, camera().angleX, camera().angleY, player->cameraDistance);
}

int ScriptApiPlayer::setCameraAngleAndDistance(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 3, nullptr);
    Float3 values = readFloat3(lua);
    Player* player = requirePlayer("setCameraAngleAndDistance");
    camera().setAngleX(values.x());
    camera().setAngleY(values.y());
    player->cameraDistance = values.z();
    return 0;
}

int ScriptApiPlayer::setPlayerMovementWalk(lua_State* lua)
{
    return setMovement(lua, MVT_TYPE_WALK, "setPlayerMovementWalk");
}

int ScriptApiPlayer::setPlayerMovementCar(lua_State* lua)
{
    return setMovement(lua, MVT_TYPE_CAR, "setPlayerMovementCar");
}

int ScriptApiPlayer::setPlayerMovementFly(lua_State* lua)
{
    return setMovement(lua, MVT_TYPE_FLY, "setPlayerMovementFly");
}

int ScriptApiPlayer::setPlayerMovementNone(lua_State* lua)
{
    return setMovement(lua, MVT_TYPE_NONE, "setPlayerMovementNone");
}

int ScriptApiPlayer::getPlayerMovementType(lua_State* lua)
{
    ASSERT(lua_gettop(lua) == 0, nullptr);
    lua_pushnumber(lua, requirePlayer("getPlayerMovementType")->mvtType);
    return 1;
}
