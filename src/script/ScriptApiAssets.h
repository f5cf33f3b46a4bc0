// ScriptApiAssets: models, sprites and sounds for scripts.
//
// "load3DModel", "load3DModelAnimated", "draw3DModel", "unload3DModel",
// "setModelAnimationSpeed", "stopModelAnimation", "startModelAnimation", "load2DSprite",
// "unload2DSprite", "loadSound", "playSound", "isPlayingSound". Models and sprites are
// the script's: it unloads them itself. Sounds stay with the sound manager, which caches
// them by file name. Handles are checked through ScriptHandles.
//
// Depends on: script/LuaFuncs, script/ScriptHandles, model/Animated3DModel,
// image/SpriteManager, sound/SoundManager, gl/GLManager.
#pragma once

struct lua_State;

class ScriptApiAssets {
public:
    static int load3DModel(lua_State* lua);
    static int load3DModelAnimated(lua_State* lua);
    static int draw3DModel(lua_State* lua);
    static int unload3DModel(lua_State* lua);
    static int setModelAnimationSpeed(lua_State* lua);
    static int stopModelAnimation(lua_State* lua);
    static int startModelAnimation(lua_State* lua);
    static int load2DSprite(lua_State* lua);
    static int unload2DSprite(lua_State* lua);
    static int loadSound(lua_State* lua);
    static int playSound(lua_State* lua);
    static int isPlayingSound(lua_State* lua);
};
