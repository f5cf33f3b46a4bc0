// The argument checks of the 63 script functions: registration order, wrong argument
// counts, null handles, string arguments without text, colour bounds, one-character keys.
// Every check comes before the function touches the engine, so no window is needed.
#include <gtest/gtest.h>

#include <string>

#include "script/LuaFuncs.h"
#include "script/ScriptApi.h"
#include "ScriptTestSupport.h"

using ::testing::ExitedWithCode;

namespace {

const int anyCount = 1000;

struct ApiFunction {
    const char* name;
    int minArgs;
    int maxArgs;  // anyCount: no upper bound
    const char* condition;
};

// In registration order, with the counts each function accepts.
const ApiFunction apiFunctions[] = {
    {"load3DModel", 1, 1, "argc == 1"},
    {"load3DModelAnimated", 2, anyCount, "argc >= 2"},
    {"draw3DModel", 1, 1, "argc == 1"},
    {"unload3DModel", 1, 1, "argc == 1"},
    {"load2DSprite", 1, 1, "argc == 1"},
    {"draw2DSprite", 3, 3, "argc == 3"},
    {"unload2DSprite", 1, 1, "argc == 1"},
    {"drawText", 3, 3, "argc == 3"},
    {"drawTextCenter", 1, 1, "argc == 1"},
    {"print", 1, 1, "argc == 1"},
    {"assert", 1, 1, "argc == 1"},
    {"isEditorMode", 0, 0, "argc == 0"},
    {"getKey", 1, 1, "argc == 1"},
    {"getMouseInfos", 0, 0, "argc == 0"},
    {"getDistanceToPlayer", 0, 0, "argc == 0"},
    {"move3DPosition", 3, 3, "argc == 3"},
    {"getPeriodDuration", 0, anyCount, nullptr},
    {"setGlobalVar", 2, 2, "argc == 2"},
    {"getGlobalVar", 1, 1, "argc == 1"},
    {"addToGlobalVar", 2, 2, "argc == 2"},
    {"getTime", 0, 0, "argc == 0"},
    {"getWindowSize", 0, 0, "argc == 0"},
    {"quitGame", 0, 0, "argc == 0"},
    {"loadGame", 0, 1, "argc == 0 || argc == 1"},
    {"saveGame", 0, 1, "argc == 0 || argc == 1"},
    {"setPlayerPosition", 3, 3, "argc == 3"},
    {"getPlayerPosition", 0, 0, "lua_gettop(lua) == 0"},
    {"setPlayerSpeed", 3, 3, "argc == 3"},
    {"getPlayerSpeed", 0, 0, "lua_gettop(lua) == 0"},
    {"setCameraAngleAndDistance", 3, 3, "argc == 3"},
    {"getCameraAngleAndDistance", 0, 0, "lua_gettop(lua) == 0"},
    {"setCurrentPosition", 3, 3, "argc == 3"},
    {"rotatePosition", 3, 3, "argc == 3"},
    {"getCurrentObjectPosition", 0, 0, "lua_gettop(lua) == 0"},
    {"setCurrentObjectPosition", 3, 3, "argc == 3"},
    {"setModelAnimationSpeed", 2, 2, "argc == 2"},
    {"stopModelAnimation", 1, 1, "argc == 1"},
    {"startModelAnimation", 1, 1, "argc == 1"},
    {"setPlayerMovementWalk", 0, 0, "argc == 0"},
    {"setPlayerMovementCar", 0, 0, "argc == 0"},
    {"setPlayerMovementFly", 0, 0, "argc == 0"},
    {"setPlayerMovementNone", 0, 0, "argc == 0"},
    {"getPlayerMovementType", 0, 0, "lua_gettop(lua) == 0"},
    {"setObjectLocalVariable1", 1, 1, "argc == 1"},
    {"setObjectLocalVariable2", 1, 1, "argc == 1"},
    {"getObjectLocalVariable1", 0, 0, "lua_gettop(lua) == 0"},
    {"getObjectLocalVariable2", 0, 0, "lua_gettop(lua) == 0"},
    {"loadSound", 1, 1, "argc == 1"},
    {"playSound", 1, 1, "argc == 1"},
    {"isPlayingSound", 1, 1, "argc == 1"},
    {"setColor", 4, 4, "argc == 4"},
    {"setFogColor", 3, 3, "argc == 3"},
    {"drawSpriteFullscreen", 1, 1, "argc == 1"},
    {"drawSpriteFullscreenStretched", 1, 1, "argc == 1"},
    {"clearBackground", 0, 0, "argc == 0"},
    {"draw2DWorld", 0, 0, "argc == 0"},
    {"draw3DWorld", 0, 0, "argc == 0"},
    {"startCubeCreation", 3, 3, "argc == 3"},
    {"manageCubeCreation", 0, 0, "argc == 0"},
    {"createCube", 7, 7, "argc == 7"},
    {"isCollidingPoint", 3, 3, "argc == 3"},
    {"createObject", 4, 4, "argc == 4"},
    {"removeElement", 3, 3, "argc == 3"},
};

// "name(1, 1, ...)" with that many arguments.
std::string callWith(const char* name, int nbArgs)
{
    std::string call = std::string(name) + "(";
    for (int i = 0; i < nbArgs; i++)
        call += i == 0 ? "1" : ", 1";
    return call + ")\n";
}

// Runs the code as the script file's top-level code (no world exists then).
void runTopLevel(const std::string& code)
{
    ScriptRun run;
    run.start(std::string(emptyEntryFunctions) + code);
}

// A call run as top-level code and the condition its fatal report names.
struct FailingCall {
    const char* call;
    const char* condition;
};

void expectEachFails(const std::vector<FailingCall>& calls)
{
    for (const FailingCall& c : calls)
        EXPECT_EXIT(runTopLevel(std::string(c.call) + "\n"), ExitedWithCode(1), conditionOnly(c.condition))
            << c.call;
}

}  // namespace

TEST(ScriptApi, RegistersTheFunctionsInOrder)
{
    ASSERT_EQ(sizeof(apiFunctions) / sizeof(apiFunctions[0]), (size_t)ScriptApi::nbFunctions);
    for (int i = 0; i < ScriptApi::nbFunctions; i++)
        EXPECT_STREQ(ScriptApi::functions[i].name, apiFunctions[i].name) << i;

    ScriptRun run;
    run.start(emptyEntryFunctions);
    for (const ApiFunction& function : apiFunctions) {
        lua_getfield(run.lua(), LUA_GLOBALSINDEX, function.name);
        EXPECT_TRUE(lua_iscfunction(run.lua(), -1)) << function.name;
        lua_pop(run.lua(), 1);
    }
}

TEST(ScriptApiDeathTest, WrongArgumentCountsReportTheFunctionsCondition)
{
    for (const ApiFunction& function : apiFunctions) {
        if (function.condition == nullptr)
            continue;
        std::vector<int> wrongCounts;
        if (function.maxArgs != anyCount)
            wrongCounts.push_back(function.maxArgs + 1);
        if (function.minArgs > 0)
            wrongCounts.push_back(function.minArgs - 1);
        for (int count : wrongCounts)
            EXPECT_EXIT(runTopLevel(callWith(function.name, count)), ExitedWithCode(1),
                        conditionOnly(function.condition))
                << function.name << " with " << count << " arguments";
    }
}

TEST(ScriptApiDeathTest, NullHandlesReportTheirCondition)
{
    expectEachFails({
        {"draw3DModel(nil)", "modelp != 0"},
        {"unload3DModel(nil)", "modelp != 0"},
        {"setModelAnimationSpeed(nil, 100)", "modelp != 0"},
        {"stopModelAnimation(nil)", "modelp != 0"},
        {"startModelAnimation(nil)", "modelp != 0"},
        {"draw2DSprite(nil, 0, 0)", "spritep != 0"},
        {"unload2DSprite(nil)", "spritep != 0"},
        {"drawSpriteFullscreen(nil)", "spritep != 0"},
        {"drawSpriteFullscreenStretched(nil)", "spritep != 0"},
        {"playSound(nil)", "soundp != 0"},
        {"isPlayingSound(nil)", "soundp != 0"},
        // A number is no handle either.
        {"draw3DModel(5)", "modelp != 0"},
    });
}

TEST(ScriptApiDeathTest, StringArgumentsWithoutTextNameTheFunction)
{
    const struct {
        const char* call;
        const char* condition;
        const char* message;
    } cases[] = {
        {"load3DModel(nil)", "lua_isstring(lua, 1)", "Argument 1 of load3DModel must be a string, not nil\\."},
        {"load3DModelAnimated(100, 'a.obj', {})", "lua_isstring(lua, 3)",
         "Argument 3 of load3DModelAnimated must be a string, not table\\."},
        {"load2DSprite(1 == 1)", "lua_isstring(lua, 1)", "Argument 1 of load2DSprite must be a string, not boolean\\."},
        {"loadSound({})", "lua_isstring(lua, 1)", "Argument 1 of loadSound must be a string, not table\\."},
        {"drawText(nil, 0, 0)", "lua_isstring(lua, 1)", "Argument 1 of drawText must be a string, not nil\\."},
        {"drawTextCenter(nil)", "lua_isstring(lua, 1)", "Argument 1 of drawTextCenter must be a string, not nil\\."},
        {"getKey(nil)", "lua_isstring(lua, 1)", "Argument 1 of getKey must be a string, not nil\\."},
        {"setGlobalVar(nil, 1)", "lua_isstring(lua, 1)", "Argument 1 of setGlobalVar must be a string, not nil\\."},
        {"getGlobalVar({})", "lua_isstring(lua, 1)", "Argument 1 of getGlobalVar must be a string, not table\\."},
        {"addToGlobalVar(nil, 1)", "lua_isstring(lua, 1)", "Argument 1 of addToGlobalVar must be a string, not nil\\."},
        {"saveGame(nil)", "lua_isstring(lua, 1)", "Argument 1 of saveGame must be a string, not nil\\."},
        {"loadGame(1 == 2)", "lua_isstring(lua, 1)", "Argument 1 of loadGame must be a string, not boolean\\."},
    };
    for (const auto& c : cases)
        EXPECT_EXIT(runTopLevel(std::string(c.call) + "\n"), ExitedWithCode(1),
                    "\nCondition: " + regexQuote(c.condition) + "\nMessage: " + c.message + "\n\n$")
            << c.call;
}

TEST(ScriptApiDeathTest, ValueChecks)
{
    expectEachFails({
        {"setColor(256, 0, 0, 0)", "r < 256 && g < 256 && b < 256 && a < 256"},
        {"setColor(0, 0, 0, 255.5)", "r < 256 && g < 256 && b < 256 && a < 256"},
        {"setColor(0, -1, 0, 0)", "r >= 0 && g >= 0 && b >= 0 && a >= 0"},
        // The upper bound is checked first.
        {"setColor(-1, 300, 0, 0)", "r < 256 && g < 256 && b < 256 && a < 256"},
        {"setFogColor(0, 0, 256)", "r < 256 && g < 256 && b < 256"},
        {"setFogColor(0, -0.6, 0)", "r >= 0 && g >= 0 && b >= 0"},
        {"getKey('ab')", "chars.size() == 1"},
        {"getKey('')", "chars.size() == 1"},
        {"setGlobalVar('a', 'x')", "lua_isnumber(lua, 2)"},
        {"addToGlobalVar('a', nil)", "lua_isnumber(lua, 2)"},
        {"getCurrentObjectPosition()", "currentObject != NULL"},
        {"setObjectLocalVariable1(1)", "currentObject != NULL"},
        {"setObjectLocalVariable2(1)", "currentObject != NULL"},
        {"getObjectLocalVariable1()", "currentObject != NULL"},
        {"getObjectLocalVariable2()", "currentObject != NULL"},
    });
    // An object type the usage table cannot hold is reported at the call.
    for (const char* call : {"createObject(0, 0, 0, -1)\n", "createObject(0, 0, 0, 1048577)\n"})
        EXPECT_EXIT(runTopLevel(call), ExitedWithCode(1),
                    "\nCondition: objectType >= 0 && objectType <= CustomObject::maxType\n"
                    "Message: createObject: the object type must be from 0 to 1048576\\.\n\n$")
            << call;
    // The largest type passes the check (and then needs the world, which the top-level
    // code does not have yet).
    EXPECT_EXIT(runTopLevel("createObject(0, 0, 0, 1048576)\n"), ExitedWithCode(1),
                "\nCondition: LuaFuncs::world != NULL\nMessage: createObject acts on the world");
}

TEST(ScriptApi, ColoursInRangeAndRequests)
{
    ScriptRun run;
    run.start(std::string(emptyEntryFunctions) +
              "setFogColor(10, 254.5, '255')\n"
              "quitGame()\n"
              "saveGame('slot.savegame')\n"
              "saveGame('second.savegame')\n"
              "loadGame(7)\n");
    EXPECT_EQ(LuaFuncs::fogColor[0], 10);
    EXPECT_EQ(LuaFuncs::fogColor[1], 254);  // a half goes to the even neighbour
    EXPECT_EQ(LuaFuncs::fogColor[2], 255);
    EXPECT_EQ(LuaFuncs::fogColor[3], 255);
    EXPECT_TRUE(LuaFuncs::quitRequested);
    EXPECT_EQ(LuaFuncs::pendingSaveFile, "second.savegame");  // the later request wins
    EXPECT_EQ(LuaFuncs::pendingLoadFile, "7");
    run.start(emptyEntryFunctions);
    EXPECT_FALSE(LuaFuncs::quitRequested);
}

TEST(ScriptApiDeathTest, WorldFunctionsNeedTheWorld)
{
    // The file's top-level code runs before the world is handed over.
    EXPECT_EXIT(runTopLevel("saveGame()\n"), ExitedWithCode(1),
                "\nCondition: LuaFuncs::world != NULL\nMessage: saveGame acts on the world");
}
