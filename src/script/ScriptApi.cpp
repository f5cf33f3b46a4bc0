#include "script/ScriptApi.h"

#include <lua.hpp>

#include "script/ScriptApiAssets.h"
#include "script/ScriptApiDrawing.h"
#include "script/ScriptApiGame.h"
#include "script/ScriptApiInput.h"
#include "script/ScriptApiObjects.h"
#include "script/ScriptApiPlayer.h"
#include "script/ScriptApiWorld.h"

const ScriptApiEntry ScriptApi::functions[ScriptApi::nbFunctions] = {
    {"load3DModel", ScriptApiAssets::load3DModel},
    {"load3DModelAnimated", ScriptApiAssets::load3DModelAnimated},
    {"draw3DModel", ScriptApiAssets::draw3DModel},
    {"unload3DModel", ScriptApiAssets::unload3DModel},
    {"load2DSprite", ScriptApiAssets::load2DSprite},
    {"draw2DSprite", ScriptApiDrawing::draw2DSprite},
    {"unload2DSprite", ScriptApiAssets::unload2DSprite},
    {"drawText", ScriptApiDrawing::drawText},
    {"drawTextCenter", ScriptApiDrawing::drawTextCenter},
    {"print", ScriptApiGame::scriptPrint},
    {"assert", ScriptApiGame::scriptAssert},
    {"isEditorMode", ScriptApiWorld::isEditorMode},
    {"getKey", ScriptApiInput::getKey},
    {"getMouseInfos", ScriptApiInput::getMouseInfos},
    {"getDistanceToPlayer", ScriptApiObjects::getDistanceToPlayer},
    {"move3DPosition", ScriptApiWorld::move3DPosition},
    {"getPeriodDuration", ScriptApiInput::getPeriodDuration},
    {"setGlobalVar", ScriptApiGame::setGlobalVar},
    {"getGlobalVar", ScriptApiGame::getGlobalVar},
    {"addToGlobalVar", ScriptApiGame::addToGlobalVar},
    {"getTime", ScriptApiInput::getTime},
    {"getWindowSize", ScriptApiInput::getWindowSize},
    {"quitGame", ScriptApiGame::quitGame},
    {"loadGame", ScriptApiGame::loadGame},
    {"saveGame", ScriptApiGame::saveGame},
    {"setPlayerPosition", ScriptApiPlayer::setPlayerPosition},
    {"getPlayerPosition", ScriptApiPlayer::getPlayerPosition},
    {"setPlayerSpeed", ScriptApiPlayer::setPlayerSpeed},
    {"getPlayerSpeed", ScriptApiPlayer::getPlayerSpeed},
    {"setCameraAngleAndDistance", ScriptApiPlayer::setCameraAngleAndDistance},
    {"getCameraAngleAndDistance", ScriptApiPlayer::getCameraAngleAndDistance},
    {"setCurrentPosition", ScriptApiWorld::setCurrentPosition},
    {"rotatePosition", ScriptApiWorld::rotatePosition},
    {"getCurrentObjectPosition", ScriptApiObjects::getCurrentObjectPosition},
    {"setCurrentObjectPosition", ScriptApiObjects::setCurrentObjectPosition},
    {"setModelAnimationSpeed", ScriptApiAssets::setModelAnimationSpeed},
    {"stopModelAnimation", ScriptApiAssets::stopModelAnimation},
    {"startModelAnimation", ScriptApiAssets::startModelAnimation},
    {"setPlayerMovementWalk", ScriptApiPlayer::setPlayerMovementWalk},
    {"setPlayerMovementCar", ScriptApiPlayer::setPlayerMovementCar},
    {"setPlayerMovementFly", ScriptApiPlayer::setPlayerMovementFly},
    {"setPlayerMovementNone", ScriptApiPlayer::setPlayerMovementNone},
    {"getPlayerMovementType", ScriptApiPlayer::getPlayerMovementType},
    {"setObjectLocalVariable1", ScriptApiObjects::setObjectLocalVariable1},
    {"setObjectLocalVariable2", ScriptApiObjects::setObjectLocalVariable2},
    {"getObjectLocalVariable1", ScriptApiObjects::getObjectLocalVariable1},
    {"getObjectLocalVariable2", ScriptApiObjects::getObjectLocalVariable2},
    {"loadSound", ScriptApiAssets::loadSound},
    {"playSound", ScriptApiAssets::playSound},
    {"isPlayingSound", ScriptApiAssets::isPlayingSound},
    {"setColor", ScriptApiDrawing::setColor},
    {"setFogColor", ScriptApiDrawing::setFogColor},
    {"drawSpriteFullscreen", ScriptApiDrawing::drawSpriteFullscreen},
    {"drawSpriteFullscreenStretched", ScriptApiDrawing::drawSpriteFullscreenStretched},
    {"clearBackground", ScriptApiDrawing::clearBackground},
    {"draw2DWorld", ScriptApiWorld::draw2DWorld},
    {"draw3DWorld", ScriptApiWorld::draw3DWorld},
    {"startCubeCreation", ScriptApiWorld::startCubeCreation},
    {"manageCubeCreation", ScriptApiWorld::manageCubeCreation},
    {"createCube", ScriptApiWorld::createCube},
    {"isCollidingPoint", ScriptApiWorld::isCollidingPoint},
    {"createObject", ScriptApiWorld::createObject},
    {"removeElement", ScriptApiWorld::removeElement},
};

void ScriptApi::registerAll(lua_State* lua)
{
    for (const ScriptApiEntry& entry : functions) {
        lua_pushcfunction(lua, entry.function);
        lua_setfield(lua, LUA_GLOBALSINDEX, entry.name);
    }
}
