#include "script/LuaFuncs.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <GL/gl.h>
#include <lua.hpp>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "gl/Scene3D.h"
#include "script/LuaStateCell.h"
#include "script/ScriptApi.h"
#include "script/ScriptHandles.h"

World* LuaFuncs::world = nullptr;
SoundManager* LuaFuncs::soundManager = nullptr;
Font* LuaFuncs::font = nullptr;
LuaStateCell* LuaFuncs::luaStateCell = nullptr;
float LuaFuncs::distanceToPlayer = 0.f;
bool LuaFuncs::quitRequested = false;
bool LuaFuncs::fullscreenPictureDrawn = false;
std::string LuaFuncs::pendingLoadFile;
std::string LuaFuncs::pendingSaveFile;
unsigned char LuaFuncs::fogColor[4] = {128, 128, 128, 255};
std::map<std::string, int32_t> LuaFuncs::globalVars;
CustomObject* currentObject = nullptr;

// First byte of a precompiled chunk, the same for Lua 5.1 and LuaJIT.
static const char precompiledChunkMark = '\033';

void LuaFuncs::init(SoundManager* parSoundManager, Font* parFont, LuaStateCell* parCell,
                    const std::string& parFilename)
{
    soundManager = parSoundManager;
    font = parFont;
    globalVars.clear();
    quitRequested = false;
    loadScript(parFilename, parCell);
}

// Loads the file as a text chunk named "@<file>", so Lua's messages read "<file>:<line>:".
// A first line starting with '#' is skipped (its end of line kept, so line numbers stay
// right). A precompiled chunk is refused: the binary loader trusts its input. On failure
// the error message is left on the stack and false returned.
static bool loadTextChunk(lua_State* lua, const std::string& filename)
{
    std::ifstream in(filename, std::ios::binary);
    if (!in) {
        lua_pushfstring(lua, "cannot open %s: %s", filename.c_str(), std::strerror(errno));
        return false;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        lua_pushfstring(lua, "cannot read %s", filename.c_str());
        return false;
    }
    size_t start = 0;
    if (!text.empty() && text[0] == '#') {
        start = text.find('\n');
        if (start == std::string::npos)
            start = text.size();
    }
    size_t firstByte = start < text.size() && text[start] == '\n' ? start + 1 : start;
    if (firstByte < text.size() && text[firstByte] == precompiledChunkMark) {
        lua_pushfstring(lua, "%s: precompiled chunks are refused, the script must be Lua source text",
                        filename.c_str());
        return false;
    }
    std::string chunkName = "@" + filename;
    return luaL_loadbuffer(lua, text.data() + start, text.size() - start, chunkName.c_str()) == 0;
}

void LuaFuncs::loadScript(const std::string& parFilename, LuaStateCell* parCell)
{
    std::printf("Loading script '%s' ... ", parFilename.c_str());
    std::fflush(stdout);
    lua_State* lua = luaL_newstate();
    ASSERT(lua != NULL, "Cannot create the script state.");
    parCell->lua = lua;
    ScriptHandles::clear();
    ScriptApi::registerAll(lua);
    if (!loadTextChunk(lua, parFilename) || lua_pcall(lua, 0, LUA_MULTRET, 0) != 0)
        reportScriptError(lua, parFilename.c_str(), true);
    lua_settop(lua, 0);
    std::printf("done.\n");
}

std::string LuaFuncs::takePendingLoad()
{
    std::string name;
    name.swap(pendingLoadFile);
    return name;
}

std::string LuaFuncs::takePendingSave()
{
    std::string name;
    name.swap(pendingSaveFile);
    return name;
}

void LuaFuncs::callScriptFunction(lua_State* lua, const char* functionName)
{
    int top = lua_gettop(lua);
    lua_getfield(lua, LUA_GLOBALSINDEX, functionName);
    if (lua_pcall(lua, 0, 1, 0) != 0)
        reportScriptError(lua, functionName, false);
    // The result is not used; dropping it keeps the stack from growing frame after frame.
    lua_settop(lua, top);
}

int LuaFuncs::getNbObjects(lua_State* lua)
{
    int top = lua_gettop(lua);
    lua_getfield(lua, LUA_GLOBALSINDEX, "lua_getNbObjects");
    if (lua_pcall(lua, 0, 1, 0) != 0)
        reportScriptError(lua, "lua_getNbObjects", false);
    ASSERT(lua_isnumber(lua, -1), nullptr);
    int count = toRoundedInt(lua, -1);
    lua_settop(lua, top);
    return count;
}

void LuaFuncs::reportScriptError(lua_State* lua, const char* functionName, bool isFile)
{
    ASSERT(functionName != NULL, nullptr);
    std::string message = "lua ('";
    message += isFile ? "in file " : "calling function ";
    message += functionName;
    message += "'): ";
    // An error value with no text form (a table) leaves the Lua text empty.
    const char* luaText = lua_tostring(lua, -1);
    if (luaText != nullptr)
        message += luaText;
    FATAL(message.c_str());
}

void LuaFuncs::setGlobalVar(const std::string& name, int32_t value)
{
    globalVars[name] = value;
}

int32_t LuaFuncs::getGlobalVar(const std::string& name)
{
    auto found = globalVars.find(name);
    return found == globalVars.end() ? 0 : found->second;
}

int32_t LuaFuncs::addToGlobalVar(const std::string& name, int32_t amount)
{
    auto found = globalVars.find(name);
    if (found == globalVars.end())
        return globalVars[name] = amount;
    // Two's complement wrap-around, done on unsigned values to stay defined.
    found->second = (int32_t)((uint32_t)found->second + (uint32_t)amount);
    return found->second;
}

static int saturateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    if (value <= -2147483648.0)
        return -2147483647 - 1;
    return (int)value;
}

int LuaFuncs::roundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which the engine never changes from
    // round-to-nearest-even.
    return saturateToInt(std::nearbyint(value));
}

int LuaFuncs::truncateToInt(double value)
{
    return saturateToInt(std::trunc(value));
}

float LuaFuncs::toFloat(lua_State* lua, int index)
{
    return (float)lua_tonumber(lua, index);
}

int LuaFuncs::toInt(lua_State* lua, int index)
{
    return truncateToInt(lua_tonumber(lua, index));
}

int LuaFuncs::toRoundedInt(lua_State* lua, int index)
{
    return roundHalfEven(lua_tonumber(lua, index));
}

const char* LuaFuncs::checkString(lua_State* lua, int index, const char* functionName)
{
    if (!lua_isstring(lua, index)) {
        std::string condition = "lua_isstring(lua, " + std::to_string(index) + ")";
        std::string message = std::string("Argument ") + std::to_string(index) + " of " + functionName +
                              " must be a string, not " + luaL_typename(lua, index) + ".";
        fatalError(__DATE__, __FILE__, condition.c_str(), __LINE__, __TIME__, message.c_str());
    }
    return lua_tostring(lua, index);
}

World* LuaFuncs::requireWorld(const char* functionName)
{
    if (world == nullptr) {
        std::string message = std::string(functionName) +
                              " acts on the world, which does not exist yet while the script file's "
                              "top-level code runs: call it from lua_onInitGame or later.";
        fatalError(__DATE__, __FILE__, "LuaFuncs::world != NULL", __LINE__, __TIME__, message.c_str());
    }
    return world;
}

void LuaFuncs::unavailable(const char* functionName, const char* missingPart)
{
    std::string message = std::string(functionName) + " is not available in this build: " + missingPart +
                          " is missing.";
    FATAL(message.c_str());
}

void LuaFuncs::placeDrawingAt(const float* position)
{
    ASSERT(GLManager::scene3D != NULL, "Placing a drawing needs the 3D scene.");
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(position[0], position[1], position[2]);
}
