#include "script/ScriptApiAssets.h"

#include <lua.hpp>
#include <string>
#include <vector>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"
#include "model/Animated3DModel.h"
#include "script/LuaFuncs.h"
#include "script/ScriptHandles.h"
#include "sound/SoundManager.h"

// Scripts' models keep the size of their OBJ files.
static const float scriptModelScale = 1.f;

static Animated3DModel* checkModel(lua_State* lua, const char* functionName)
{
    return static_cast<Animated3DModel*>(ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_MODEL, functionName));
}

static Sound_Abstract* checkSound(lua_State* lua, const char* functionName)
{
    return static_cast<Sound_Abstract*>(ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SOUND, functionName));
}

static int pushModel(lua_State* lua, Animated3DModel* model)
{
    ScriptHandles::add(ScriptHandles::HANDLE_MODEL, model);
    lua_pushlightuserdata(lua, model);
    return 1;
}

static SoundManager* requireSoundManager(const char* functionName)
{
    if (LuaFuncs::soundManager == nullptr) {
        std::string message = std::string(functionName) + " needs the sound manager, which this run does not have.";
        fatalError(__DATE__, __FILE__, "LuaFuncs::soundManager != NULL", __LINE__, __TIME__, message.c_str());
    }
    return LuaFuncs::soundManager;
}

int ScriptApiAssets::load3DModel(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string fileName = LuaFuncs::checkString(lua, 1, "load3DModel");
    return pushModel(lua, new Animated3DModel({fileName}, scriptModelScale));
}

int ScriptApiAssets::load3DModelAnimated(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc >= 2, nullptr);
    int frameDuration = LuaFuncs::toInt(lua, 1);
    std::vector<std::string> frames;
    for (int i = 2; i <= argc; i++)
        frames.push_back(LuaFuncs::checkString(lua, i, "load3DModelAnimated"));
    Animated3DModel* model = new Animated3DModel(frames, scriptModelScale);
    model->frameDuration = frameDuration;
    return pushModel(lua, model);
}

int ScriptApiAssets::draw3DModel(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    checkModel(lua, "draw3DModel")->draw();
    return 0;
}

int ScriptApiAssets::unload3DModel(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    Animated3DModel* model = checkModel(lua, "unload3DModel");
    ScriptHandles::remove(ScriptHandles::HANDLE_MODEL, model);
    delete model;
    return 0;
}

int ScriptApiAssets::setModelAnimationSpeed(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 2, nullptr);
    Animated3DModel* model = checkModel(lua, "setModelAnimationSpeed");
    float speed = LuaFuncs::toFloat(lua, 2);
    // 100000 / speed: a speed of 0 has no frame duration.
    ASSERT(speed != 0, "setModelAnimationSpeed: the speed must not be 0.");
    model->frameDuration = LuaFuncs::truncateToInt(100000.f / speed);
    return 0;
}

int ScriptApiAssets::stopModelAnimation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    checkModel(lua, "stopModelAnimation")->isPlaying = false;
    return 0;
}

int ScriptApiAssets::startModelAnimation(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    checkModel(lua, "startModelAnimation")->isPlaying = true;
    return 0;
}

int ScriptApiAssets::load2DSprite(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string fileName = LuaFuncs::checkString(lua, 1, "load2DSprite");
    Sprite* sprite = SpriteManager::getSprite(fileName, GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
    ScriptHandles::add(ScriptHandles::HANDLE_SPRITE, sprite);
    lua_pushlightuserdata(lua, sprite);
    return 1;
}

int ScriptApiAssets::unload2DSprite(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    Sprite* sprite = static_cast<Sprite*>(ScriptHandles::check(lua, 1, ScriptHandles::HANDLE_SPRITE, "unload2DSprite"));
    ScriptHandles::remove(ScriptHandles::HANDLE_SPRITE, sprite);
    SpriteManager::removeSprite(sprite);
    return 0;
}

int ScriptApiAssets::loadSound(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    std::string fileName = LuaFuncs::checkString(lua, 1, "loadSound");
    Sound_Abstract* sound = requireSoundManager("loadSound")->getSound(fileName);
    ScriptHandles::add(ScriptHandles::HANDLE_SOUND, sound);
    lua_pushlightuserdata(lua, sound);
    return 1;
}

int ScriptApiAssets::playSound(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    checkSound(lua, "playSound")->play(false);
    return 0;
}

int ScriptApiAssets::isPlayingSound(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    lua_pushnumber(lua, checkSound(lua, "isPlayingSound")->isPlaying() ? 1 : 0);
    return 1;
}
