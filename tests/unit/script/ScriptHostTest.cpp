// The script host: loading with its log lines, calls by name, the "lua ('" reports,
// lua_getNbObjects, the global variables and the number conversions.
#include <gtest/gtest.h>

#include <limits>

#include "script/LuaFuncs.h"
#include "ScriptTestSupport.h"

using ::testing::ExitedWithCode;

TEST(ScriptHost, StartAndStopLogTheirLinesAndCloseTheState)
{
    ScriptRun run;
    ::testing::internal::CaptureStdout();
    run.start(std::string(emptyEntryFunctions) + "print(7)\nfunction lua_onInitGame() print(8) end\n");
    std::string log = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "==== Reload script file\nLoading script '" + run.path +
                       "' ... lua print: 7\ndone.\nlua print: 8\n==== Script file reloaded\n");
    ASSERT_NE(run.manager.luaStateCell, nullptr);
    EXPECT_EQ(LuaFuncs::luaStateCell, run.manager.luaStateCell);

    // No standard library: only the engine's functions and the script's own are global.
    lua_State* lua = run.lua();
    for (const char* name : {"pairs", "tostring", "string", "table", "math", "io", "os", "require"}) {
        lua_getfield(lua, LUA_GLOBALSINDEX, name);
        EXPECT_TRUE(lua_isnil(lua, -1)) << name;
        lua_pop(lua, 1);
    }

    run.manager.stopScript();
    EXPECT_EQ(run.manager.luaStateCell, nullptr);
    EXPECT_EQ(LuaFuncs::luaStateCell, nullptr);
    run.manager.stopScript();  // nothing runs: nothing happens
}

TEST(ScriptHost, CallsLeaveTheStackAsTheyFoundIt)
{
    ScriptRun run;
    run.start(std::string(emptyEntryFunctions) + "function lua_loop() return 1, 2, 3 end\n");
    for (int frame = 0; frame < 1000; frame++) {
        LuaFuncs::callScriptFunction(run.lua(), "lua_loop");
        LuaFuncs::getNbObjects(run.lua());
    }
    EXPECT_EQ(lua_gettop(run.lua()), 0);
}

TEST(ScriptHost, NbObjectsAcceptsNumbersAndNumericStrings)
{
    ScriptRun run;
    run.start(std::string(emptyEntryFunctions) + "function lua_getNbObjects() return '4' end\n");
    EXPECT_EQ(LuaFuncs::getNbObjects(run.lua()), 4);
    run.start(std::string(emptyEntryFunctions) + "function lua_getNbObjects() return 2.5 end\n");
    EXPECT_EQ(LuaFuncs::getNbObjects(run.lua()), 2);
    run.start(std::string(emptyEntryFunctions) + "function lua_getNbObjects() return 3.5 end\n");
    EXPECT_EQ(LuaFuncs::getNbObjects(run.lua()), 4);
}

TEST(ScriptHostDeathTest, NbObjectsReturningNilIsFatal)
{
    ScriptRun run;
    run.start(std::string(emptyEntryFunctions) + "function lua_getNbObjects() end\n");
    EXPECT_EXIT(LuaFuncs::getNbObjects(run.lua()), ExitedWithCode(1), conditionOnly("lua_isnumber(lua, -1)"));
}

TEST(ScriptHostDeathTest, ErrorsQuoteTheScriptsOwnText)
{
    // Death tests run again in a child with its own temporary folder: paths are patterns.
    ScriptRun run;
    // A syntax error while loading names the file; Lua's text names file and line.
    EXPECT_EXIT(run.start("function lua_onInitGame()\n  x = = 1\nend\n"), ExitedWithCode(1),
                messageOnly("lua \\('in file /tmp/[^/]*/world\\.lua'\\): /tmp/[^/]*/world\\.lua:2: .*'='.*"));
    EXPECT_EXIT(run.manager.startScript(run.dir.file("none.lua")), ExitedWithCode(1),
                messageOnly("lua \\('in file /tmp/[^/]*/none\\.lua'\\): cannot open /tmp/[^/]*/none\\.lua: "
                            "No such file or directory"));

    run.start(std::string(emptyEntryFunctions) +
              "function lua_loop()\n  local t = nil\n  return t.x\nend\n"
              "function lua_load_3()\n  return 1 + {}\nend\n");
    EXPECT_EXIT(LuaFuncs::callScriptFunction(run.lua(), "lua_loop"), ExitedWithCode(1),
                messageOnly("lua \\('calling function lua_loop'\\): /tmp/[^/]*/world\\.lua:7: "
                            "attempt to index local 't' \\(a nil value\\)"));
    EXPECT_EXIT(LuaFuncs::callScriptFunction(run.lua(), "lua_load_3"), ExitedWithCode(1),
                messageOnly("lua \\('calling function lua_load_3'\\): /tmp/[^/]*/world\\.lua:10: "
                            "attempt to perform arithmetic on a table value"));
    // A function the script never defined.
    EXPECT_EXIT(LuaFuncs::callScriptFunction(run.lua(), "lua_manage_0"), ExitedWithCode(1),
                messageOnly("lua \\('calling function lua_manage_0'\\): attempt to call a nil value"));
    EXPECT_EXIT(LuaFuncs::reportScriptError(run.lua(), nullptr, false), ExitedWithCode(1),
                conditionOnly("functionName != NULL"));
}

TEST(ScriptHostDeathTest, StandardLibraryIsANilGlobal)
{
    ScriptRun run;
    EXPECT_EXIT(run.start(std::string(emptyEntryFunctions) +
                          "function lua_onInitGame()\n  for k, v in pairs({}) do end\nend\n"),
                ExitedWithCode(1),
                messageOnly("lua \\('calling function lua_onInitGame'\\): /tmp/[^/]*/world\\.lua:6: "
                            "attempt to call global 'pairs' \\(a nil value\\)"));
    EXPECT_EXIT(run.start(std::string(emptyEntryFunctions) + "local s = tostring(3)\n"), ExitedWithCode(1),
                messageOnly("lua \\('in file /tmp/[^/]*/world\\.lua'\\): /tmp/[^/]*/world\\.lua:5: "
                            "attempt to call global 'tostring' \\(a nil value\\)"));
}

TEST(ScriptHostDeathTest, MissingStopFunctionFailsOnlyAtShutdown)
{
    ScriptRun run;
    run.start("function lua_onInitGame() end\nfunction lua_loop() end\n");
    LuaFuncs::callScriptFunction(run.lua(), "lua_loop");
    EXPECT_EXIT(run.manager.stopScript(), ExitedWithCode(1),
                messageOnly("lua \\('calling function lua_onUninitGame'\\): attempt to call a nil value"));
}

// A real precompiled chunk of the Lua library in use.
static int appendChunk(lua_State*, const void* data, size_t size, void* out)
{
    static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
    return 0;
}

static std::string precompiledChunk(const std::string& source)
{
    lua_State* lua = luaL_newstate();
    std::string bytes;
    if (luaL_loadstring(lua, source.c_str()) == 0)
        lua_dump(lua, appendChunk, &bytes);
    lua_close(lua);
    return bytes;
}

TEST(ScriptHostDeathTest, PrecompiledChunksAreRefused)
{
    std::string chunk = precompiledChunk(emptyEntryFunctions);
    ASSERT_GT(chunk.size(), 4u);
    ASSERT_EQ(chunk[0], '\033');
    const std::string refused = messageOnly("lua \\('in file /tmp/[^/]*/world\\.lua'\\): /tmp/[^/]*/world\\.lua: "
                                            "precompiled chunks are refused, the script must be Lua source text");
    // A first line starting with '#' does not hide a precompiled chunk behind it.
    for (const std::string& bytes : {chunk, "#!/usr/bin/cubewright\n" + chunk}) {
        ScriptRun run;
        EXPECT_EXIT(run.start(bytes), ExitedWithCode(1), refused);
    }
}

TEST(ScriptHostDeathTest, FirstLineStartingWithHashIsSkippedAndLinesStayRight)
{
    ScriptRun run;
    run.start(std::string("#!/usr/bin/cubewright\n") + emptyEntryFunctions + "function lua_loop() return {} + 1 end\n");
    EXPECT_EXIT(LuaFuncs::callScriptFunction(run.lua(), "lua_loop"), ExitedWithCode(1), "world.lua:6: attempt");
}

TEST(ScriptGlobals, SetGetAddWithWrapAround)
{
    ScriptRun run;
    run.start(std::string(emptyEntryFunctions) +
              "setGlobalVar('a', 2.9)\n"
              "setGlobalVar('b', -2.9)\n"
              "setGlobalVar('max', 2147483647)\n"
              "setGlobalVar('min', -2147483648)\n"
              "addToGlobalVar('max', 1)\n"
              "addToGlobalVar('min', -1)\n"
              "addToGlobalVar('new', 5)\n"
              "addToGlobalVar('new', -7.9)\n"
              "setGlobalVar('absentRead', getGlobalVar('neverSet'))\n"
              "setGlobalVar('sum', getGlobalVar('a') + addToGlobalVar('a', 40))\n");
    EXPECT_EQ(LuaFuncs::getGlobalVar("b"), -2);
    EXPECT_EQ(LuaFuncs::getGlobalVar("max"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(LuaFuncs::getGlobalVar("min"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(LuaFuncs::getGlobalVar("new"), -2);
    EXPECT_EQ(LuaFuncs::getGlobalVar("absentRead"), 0);
    EXPECT_EQ(LuaFuncs::getGlobalVar("a"), 42);
    EXPECT_EQ(LuaFuncs::getGlobalVar("sum"), 44);
    EXPECT_EQ(LuaFuncs::globalVars.count("neverSet"), 0u);  // reading inserts nothing
    // Names compare byte-wise.
    std::string names;
    for (const auto& entry : LuaFuncs::globalVars)
        names += entry.first + " ";
    EXPECT_EQ(names, "a absentRead b max min new sum ");

    run.manager.stopScript();
    EXPECT_TRUE(LuaFuncs::globalVars.empty());
    LuaFuncs::setGlobalVar("left over", 1);
    run.start(emptyEntryFunctions);
    EXPECT_TRUE(LuaFuncs::globalVars.empty());
}

TEST(ScriptConversions, RoundedAndTruncatedInts)
{
    struct Case {
        double value;
        int rounded;
        int truncated;
    } cases[] = {
        {2.5, 2, 2},      {3.5, 4, 3},         {-2.5, -2, -2},       {255.5, 256, 255},   {0.4, 0, 0},
        {2.9, 3, 2},      {-2.9, -3, -2},      {250.9, 251, 250},    {1e12, 2147483647, 2147483647},
        {-1e12, -2147483647 - 1, -2147483647 - 1}, {std::numeric_limits<double>::quiet_NaN(), 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LuaFuncs::roundHalfEven(c.value), c.rounded) << c.value;
        EXPECT_EQ(LuaFuncs::truncateToInt(c.value), c.truncated) << c.value;
    }
}

TEST(ScriptConversions, PrintWritesRoundedNumbersAndTexts)
{
    ScriptRun run;
    ::testing::internal::CaptureStdout();
    run.start(std::string(emptyEntryFunctions) +
              "function lua_loop() print(2.5) print('3.7') print('hello') print(-0.5) print(nil) print(1 == 1) end\n");
    ::testing::internal::GetCapturedStdout();
    ::testing::internal::CaptureStdout();
    LuaFuncs::callScriptFunction(run.lua(), "lua_loop");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "lua print: 2\nlua print: 4\nlua print: hello\nlua print: 0\nlua print: nil\nlua print: true\n");
}

TEST(ScriptConversionsDeathTest, AssertFailsOnRoundedZeroAndOnBooleans)
{
    ScriptRun run;
    run.start(std::string(emptyEntryFunctions) +
              "function passes() assert(1) assert(0.6) assert('2') assert(-1) end\n"
              "function fractionFails() assert(0.4) end\n"
              "function booleanFails() assert(1 == 1) end\n");
    LuaFuncs::callScriptFunction(run.lua(), "passes");
    const std::string report = "\nCondition: lua_tointeger\\(lua, 1\\)\n"
                               "Message: An assert condition into lua script was false\\.\n\n$";
    EXPECT_EXIT(LuaFuncs::callScriptFunction(run.lua(), "fractionFails"), ExitedWithCode(1), report);
    EXPECT_EXIT(LuaFuncs::callScriptFunction(run.lua(), "booleanFails"), ExitedWithCode(1), report);
}
