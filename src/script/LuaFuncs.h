// LuaFuncs: the script host. Creates the Lua state, registers the script API, runs the
// world script and calls its entry functions by name.
//
// Every failure inside the script is fatal: the report quotes the script's own error
// text after "lua ('in file <name>'): " (loading) or "lua ('calling function <name>'): "
// (calling). The state opens no standard library: the globals hold only the engine's
// functions and what the script defines. Scripts are accepted as source text only.
//
// The static values below are what the API functions share: the world and managers
// they act on, requests left for the game manager, and the script's global variables.
// The number conversions of the API live here too, so Lua 5.1 and LuaJIT agree.
//
// Depends on: Lua 5.1 C API, core/FatalError, script/LuaStateCell, script/ScriptApi.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct lua_State;
struct CustomObject;
class Font;
class LuaStateCell;
class SoundManager;
class World;

class LuaFuncs {
public:
    static World* world;
    static SoundManager* soundManager;
    static Font* font;
    static LuaStateCell* luaStateCell;
    static float distanceToPlayer;
    static bool quitRequested;
    static bool fullscreenPictureDrawn;
    static std::string pendingLoadFile;
    static std::string pendingSaveFile;
    static unsigned char fogColor[4];
    static std::map<std::string, int32_t> globalVars;

    // Remembers the managers, empties the global variables, clears the quit request and
    // loads the script into the cell.
    static void init(SoundManager* parSoundManager, Font* parFont, LuaStateCell* parCell,
                     const std::string& parFilename);
    // Logs "Loading script '<name>' ... ", creates the state in the cell, registers the
    // API, runs the file's top-level code, logs "done.".
    static void loadScript(const std::string& parFilename, LuaStateCell* parCell);
    // Calls the global function of that name with no arguments; the result is dropped.
    static void callScriptFunction(lua_State* lua, const char* functionName);
    // Calls "lua_getNbObjects" and returns its result as a rounded int.
    static int getNbObjects(lua_State* lua);
    // The fatal "lua ('" report with the error text on top of the stack. Never returns.
    [[noreturn]] static void reportScriptError(lua_State* lua, const char* functionName, bool isFile);

    // The save and load requests: the file name asked for ("" when none); a request
    // taken is cleared.
    static std::string takePendingLoad();
    static std::string takePendingSave();

    // The global variables: get gives 0 for an absent name; add inserts an absent name
    // with the amount and wraps around on 32 bits; both add and set return the new value.
    static void setGlobalVar(const std::string& name, int32_t value);
    static int32_t getGlobalVar(const std::string& name);
    static int32_t addToGlobalVar(const std::string& name, int32_t amount);

    // Number conversions of the API arguments (a value that is no number nor numeric
    // string reads as 0). float: narrowed to single precision. int: truncated toward
    // zero. rounded int: to the nearest integer, a half to the even neighbour. Both int
    // conversions saturate at the 32-bit range; NaN reads as 0.
    static float toFloat(lua_State* lua, int index);
    static int toInt(lua_State* lua, int index);
    static int toRoundedInt(lua_State* lua, int index);
    static int roundHalfEven(double value);
    static int truncateToInt(double value);

    // The text of a string argument (a number gives its text). Any other value (nil, a
    // boolean, a table, a handle) is a fatal report naming the function and the argument.
    static const char* checkString(lua_State* lua, int index, const char* functionName);
    // The world for a function that acts on it: a fatal report naming the function while
    // there is none (the file's top-level code runs before the world is handed over).
    static World* requireWorld(const char* functionName);
    // Loads the view matrix of the last camera placement into the modelview matrix and
    // translates by the position: following draws happen at that world position.
    static void placeDrawingAt(const float* position);
    // The fatal report of an API function whose engine side this build does not have.
    [[noreturn]] static void unavailable(const char* functionName, const char* missingPart);
};

// The script object whose type function runs, or ran last; null until the first one.
extern CustomObject* currentObject;
