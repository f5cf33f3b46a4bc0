// The game manager without a window: menu states under keys and clicks, the button bounds,
// the view distance steps, the frame rate line, the global variables of save games (bytes
// written, damaged and hostile files read) and a script object type the script lacks.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "ScriptTestSupport.h"
#include "TempDir.h"
#include "gl/GLManager.h"
#include "script/LuaFuncs.h"
#include "script/LuaManager.h"
#include "world/CustomObject.h"

namespace {

enum MenuState { PLAYING, MAIN_MENU, OPTIONS_MENU };

void enter(LuaManager& manager, MenuState state)
{
    manager.inMainMenu = state == MAIN_MENU;
    manager.inOptionsMenu = state == OPTIONS_MENU;
    manager.isRunning = true;
}

MenuState stateOf(const LuaManager& manager)
{
    EXPECT_FALSE(manager.inMainMenu && manager.inOptionsMenu);
    return manager.inMainMenu ? MAIN_MENU : manager.inOptionsMenu ? OPTIONS_MENU : PLAYING;
}

std::string le32(uint32_t v)
{
    std::string bytes;
    for (int i = 0; i < 4; i++)
        bytes.push_back((char)(v >> (8 * i) & 0xff));
    return bytes;
}

std::string record(const std::string& name, int32_t value)
{
    return le32((uint32_t)name.size()) + name + le32((uint32_t)value);
}

// Reads the global variables from the bytes as a save game's tail.
std::map<std::string, int32_t> readVars(const std::string& bytes)
{
    LuaFuncs::globalVars = {{"set before", 9}};
    FILE* file = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::rewind(file);
    LuaManager::readGlobalVars(file);
    std::fclose(file);
    return LuaFuncs::globalVars;
}

}  // namespace

TEST(GameManagerKeys, EscapeAndQuitInEachState)
{
    struct Case {
        MenuState before;
        int key;
        MenuState after;
        bool running;
    };
    const Case cases[] = {
        {PLAYING, 27, MAIN_MENU, true},        {PLAYING, 'q', PLAYING, true},
        {MAIN_MENU, 27, PLAYING, true},        {MAIN_MENU, 'q', MAIN_MENU, false},
        {MAIN_MENU, 'Q', MAIN_MENU, false},    {MAIN_MENU, 'x', MAIN_MENU, true},
        {OPTIONS_MENU, 'q', MAIN_MENU, true},  {OPTIONS_MENU, 'Q', MAIN_MENU, true},
        {OPTIONS_MENU, 27, MAIN_MENU, true},   {OPTIONS_MENU, 'x', MAIN_MENU, true},
    };
    LuaManager manager;
    for (const Case& c : cases) {
        enter(manager, c.before);
        manager.keyTyped(c.key);
        EXPECT_EQ(stateOf(manager), c.after) << "state " << c.before << ", key " << c.key;
        EXPECT_EQ(manager.isRunning, c.running) << "state " << c.before << ", key " << c.key;
    }
}

TEST(GameManagerClicks, MainMenuButtonsHaveExclusiveBounds)
{
    struct Case {
        int x, y;
        MenuState after;
        bool running;
    };
    const Case cases[] = {
        {100, 180, PLAYING, true},     {100, 280, OPTIONS_MENU, true}, {100, 380, MAIN_MENU, false},
        {51, 151, PLAYING, true},      {149, 214, PLAYING, true},
        {150, 180, MAIN_MENU, true},   {50, 180, MAIN_MENU, true},     {100, 150, MAIN_MENU, true},
        {100, 215, MAIN_MENU, true},   {150, 380, MAIN_MENU, true},    {100, 230, MAIN_MENU, true},
    };
    LuaManager manager;
    for (const Case& c : cases) {
        enter(manager, MAIN_MENU);
        manager.clickMainMenu(c.x, c.y);
        EXPECT_EQ(stateOf(manager), c.after) << c.x << ", " << c.y;
        EXPECT_EQ(manager.isRunning, c.running) << c.x << ", " << c.y;
    }
}

TEST(GameManagerClicks, OptionsBackButtonAndReleasesIgnored)
{
    LuaManager manager;
    for (int x : {200, 270}) {
        enter(manager, OPTIONS_MENU);
        manager.clickOptionsMenu(x, 30);
        EXPECT_EQ(stateOf(manager), OPTIONS_MENU) << x;
    }
    manager.clickOptionsMenu(235, 30);
    EXPECT_EQ(stateOf(manager), MAIN_MENU);

    // Only presses count in the menus; two presses of one frame act in order.
    enter(manager, MAIN_MENU);
    manager.mouseEvent(MouseEvent{100, 280, MOUSE_BUTTON_LEFT, MOUSE_EVENT_RELEASED});
    EXPECT_EQ(stateOf(manager), MAIN_MENU);
    manager.mouseEvent(MouseEvent{100, 280, MOUSE_BUTTON_LEFT, MOUSE_EVENT_PRESSED});
    manager.mouseEvent(MouseEvent{235, 30, MOUSE_BUTTON_LEFT, MOUSE_EVENT_PRESSED});
    EXPECT_EQ(stateOf(manager), MAIN_MENU);
}

TEST(GameManagerOptions, ViewDistanceSteps)
{
    EXPECT_NEAR(LuaManager::nextViewDistance(1500.f, false), 1316.67f, 0.01f);
    EXPECT_FLOAT_EQ(LuaManager::nextViewDistance(1500.f, true), 1720.f);
    EXPECT_FLOAT_EQ(LuaManager::nextViewDistance(1500.f, true), 400.f + 1100.f * 1.2f);

    // Presses stop changing v once v - 400 is 10 or less, so v stays above 400 + 10 / 1.2.
    float v = 1500.f;
    for (int press = 0; press < 100; press++)
        v = LuaManager::nextViewDistance(v, false);
    EXPECT_GT(v, 408.33f);
    EXPECT_LE(v, 410.f);
    EXPECT_EQ(LuaManager::nextViewDistance(410.f, false), 410.f);
    EXPECT_NEAR(LuaManager::nextViewDistance(410.001f, false), 408.33f, 0.01f);
    EXPECT_EQ(LuaManager::nextViewDistance(v, false), v);  // no further change
}

TEST(GameManagerMenus, FrameRateLine)
{
    EXPECT_EQ(LuaManager::fpsText(200000), "FPS: 5\n");  // the longest period, as in the first frame
    EXPECT_EQ(LuaManager::fpsText(16000), "FPS: 62.5\n");
    EXPECT_EQ(LuaManager::fpsText(30000), "FPS: 33.3333\n");
}

TEST(SaveGameVariables, WrittenInNameOrderWithLengthsAndValues)
{
    LuaFuncs::globalVars.clear();
    std::string bytes;
    LuaManager::writeGlobalVars(bytes);
    EXPECT_EQ(bytes, le32(0));

    LuaFuncs::globalVars = {{"score", 12}};
    bytes.clear();
    LuaManager::writeGlobalVars(bytes);
    EXPECT_EQ(bytes.size(), 4u + 13u);
    EXPECT_EQ(bytes, le32(1) + le32(5) + "score" + le32(12));

    LuaFuncs::globalVars = {{"b", -1}, {"B", 2}, {"a", 2147483647}};
    bytes.clear();
    LuaManager::writeGlobalVars(bytes);
    EXPECT_EQ(bytes, le32(3) + record("B", 2) + record("a", 2147483647) + record("b", -1));
    EXPECT_EQ(readVars(bytes), (std::map<std::string, int32_t>{{"B", 2}, {"a", 2147483647}, {"b", -1}}));
    LuaFuncs::globalVars.clear();
}

TEST(SaveGameVariables, DamagedAndHostileFilesGiveWhatTheyHold)
{
    using Vars = std::map<std::string, int32_t>;
    struct Case {
        const char* what;
        std::string bytes;
        Vars expected;
    };
    const Case cases[] = {
        {"empty", "", Vars{}},
        {"count cut", std::string("\x02\x00", 2), Vars{}},
        {"count without records", le32(3), Vars{}},
        {"count near 4 billion", le32(0xffffffffu) + record("a", 1), Vars{{"a", 1}}},
        {"value missing", le32(1) + le32(1) + "x", Vars{{"x", -1}}},
        {"value cut", le32(1) + le32(1) + "x" + std::string("\x05\x00", 2), Vars{{"x", -1}}},
        {"name longer than the file", le32(2) + record("a", 1) + le32(0x7fffffffu) + "abc", Vars{{"a", 1}}},
        {"name length near 4 billion", le32(1) + le32(0xfffffff0u) + "abcdefgh", Vars{}},
        {"zero byte inside a name", le32(1) + record(std::string("ab\0cd", 5), 4), Vars{{"ab", 4}}},
        {"duplicate names", le32(2) + record("n", 1) + record("n", 2), Vars{{"n", 2}}},
        {"fewer records than counted", le32(5) + record("a", 1) + record("b", 2), Vars{{"a", 1}, {"b", 2}}},
        {"empty name", le32(1) + record("", 7), Vars{{"", 7}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readVars(c.bytes), c.expected) << c.what;
    LuaFuncs::globalVars.clear();
}

TEST(SaveGameRequests, TakingARequestClearsIt)
{
    LuaFuncs::pendingLoadFile = "a.savegame";
    LuaFuncs::pendingSaveFile = "b.savegame";
    EXPECT_EQ(LuaFuncs::takePendingLoad(), "a.savegame");
    EXPECT_EQ(LuaFuncs::takePendingLoad(), "");
    EXPECT_EQ(LuaFuncs::takePendingSave(), "b.savegame");
    EXPECT_EQ(LuaFuncs::pendingSaveFile, "");

    // Nothing pending: the frame's load and save steps do nothing.
    LuaManager manager;
    testing::internal::CaptureStdout();
    manager.carryOutPendingRequests();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(ScriptObjectsDeathTest, ATypeTheScriptLacksEndsInTheCallingReport)
{
    EXPECT_EXIT(
        {
            ScriptRun run;
            run.start(emptyEntryFunctions);
            CustomObject::customObjectIsUsed.clear();
            CustomObject object;
            object.type = 5;
            CustomObject::manage(object);
        },
        ::testing::ExitedWithCode(1), messageOnly("lua \\('calling function lua_load_5'\\): .*"));
}

TEST(ScriptObjectsDeathTest, ATypeBeyondTheTableLimitIsAReport)
{
    EXPECT_EXIT(CustomObject::ensureType(CustomObject::maxType + 1), ::testing::ExitedWithCode(1),
                "CustomObject::ensureType : the object type is out of range");
}
