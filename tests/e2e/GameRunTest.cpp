// The real game: the start-up checks and log, one frame step for a script that quits at
// once, and the engine's menus driven by real keys and clicks (xdotool) on a private X
// display, watched on screen (the menus are plain-coloured pictures) and in the log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameFolder.h"
#include "ProgramRun.h"
#include "WindowPixels.h"

namespace {

// The script clears to this blue while the game is played.
const Rgb playingBlue = {0, 0, 200};
const Rgb mainMenuRed = {GameFolderColours::mainMenu[0], GameFolderColours::mainMenu[1], GameFolderColours::mainMenu[2]};
const Rgb optionsGreen = {GameFolderColours::optionsMenu[0], GameFolderColours::optionsMenu[1],
                          GameFolderColours::optionsMenu[2]};

const char* const menuGame =
    "function lua_onInitGame() setFogColor(0, 0, 200) end\n"
    "function lua_loop() clearBackground() end\n"
    "function lua_onUninitGame() print('script stopped') end\n"
    "function lua_getNbObjects() return 0 end\n";

// Waits until the window shows the colour at (20, 20), a corner no pointer covers here.
::testing::AssertionResult shows(const VirtualDisplay& display, unsigned long window, Rgb colour, const char* step)
{
    return windowShows(display.name(), window, 20, 20, colour, step);
}

// Finds the lines in this order in the log; the first one missing is reported.
::testing::AssertionResult inOrder(const std::string& log, const std::vector<std::string>& lines)
{
    size_t at = 0;
    for (const std::string& line : lines) {
        size_t found = log.find(line, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "missing or out of order: \"" << line << "\" in\n" << log;
        at = found + line.size();
    }
    return ::testing::AssertionSuccess();
}

size_t count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        n++;
    return n;
}

}  // namespace

TEST(GameStart, AMissingFileIsReportedBeforeAnyWindow)
{
    struct Case {
        const char* file;
        const char* condition;
    };
    const Case cases[] = {
        {"world.dat", "FileManager::fileExists(worldDataFile)"},
        {"world.lua", "FileManager::fileExists(worldLuaFile)"},
        {"world.xml", "FileManager::fileExists(worldConfigFile)"},
    };
    for (const Case& c : cases) {
        GameFolder folder(menuGame);
        folder.remove(c.file);
        // No display at all: reaching the window would end in another report.
        ProgramResult result = runProgram({"--unattended"}, folder.path(), 20000);
        EXPECT_EQ(result.exitCode, 1) << c.file;
        EXPECT_NE(result.err.find(std::string("\nCondition: ") + c.condition + "\n"), std::string::npos)
            << c.file << ": " << result.err;
        EXPECT_EQ(result.out.find("Initializing"), std::string::npos) << result.out;
    }
}

TEST(GameStart, QuittingInTheInitFunctionRunsOneFrameWithTheStartUpLogInOrder)
{
    GameFolder folder(
        "function lua_onInitGame() print('init') quitGame() end\n"
        "function lua_loop() print('frame') end\n"
        "function lua_onUninitGame() print('uninit') end\n"
        "function lua_getNbObjects() return 0 end\n");
    VirtualDisplay display;
    ProgramRun run({"--unattended"}, folder.path(), display.name());
    ProgramResult result = run.wait(30000);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(inOrder(result.out, {"================ Initializing: Engine made by Quenwick, version 0.27\n",
                                     "==== Loading world from file 'world.dat'\n", "==== Loading player\n",
                                     "==== Loading skybox\n", "==== Reload script file\n",
                                     "Loading script 'world.lua' ... done.\n", "lua print: init\n",
                                     "==== Script file reloaded\n", "================ Initialized, first draw ...\n",
                                     "lua print: frame\n", "lua print: uninit\n"}));
    EXPECT_EQ(count(result.out, "lua print: frame\n"), 1u);
}

TEST(GameMenus, RealKeysAndClicksOpenTheMenusChangeOptionsResumeAndQuit)
{
    GameFolder folder(menuGame);
    VirtualDisplay display;
    ProgramRun run({"--unattended"}, folder.path(), display.name());
    unsigned long window = display.waitForWindow(20000);
    ASSERT_NE(window, 0ul);
    std::string id = std::to_string(window);
    auto click = [&](int x, int y) {
        return display.xdotool("mousemove --window " + id + " " + std::to_string(x) + " " + std::to_string(y) +
                               " click 1");
    };
    auto key = [&](const std::string& name) { return display.xdotool("windowfocus --sync " + id + " key " + name); };

    ASSERT_TRUE(shows(display, window, playingBlue, "start"));
    ASSERT_EQ(key("Escape"), 0);
    ASSERT_TRUE(shows(display, window, mainMenuRed, "Escape"));
    ASSERT_EQ(click(100, 280), 0);
    ASSERT_TRUE(shows(display, window, optionsGreen, "options button"));
    ASSERT_EQ(click(235, 30), 0);
    ASSERT_TRUE(shows(display, window, mainMenuRed, "back button"));
    ASSERT_EQ(click(150, 280), 0);  // on the options button's border: nothing
    ASSERT_EQ(click(100, 280), 0);
    ASSERT_TRUE(shows(display, window, optionsGreen, "options button again"));

    ASSERT_EQ(click(350, 260), 0);  // view distance, right: 1500 -> 1720
    ASSERT_EQ(click(300, 260), 0);  // left: back to 1500
    ASSERT_EQ(click(300, 260), 0);  // left: 1316.67
    ASSERT_EQ(click(350, 360), 0);  // reversed mouse on
    ASSERT_EQ(click(300, 410), 0);  // progressive loading off
    ASSERT_EQ(key("x"), 0);         // any key: back to the main menu
    ASSERT_TRUE(shows(display, window, mainMenuRed, "a key in the options"));
    ASSERT_EQ(click(100, 180), 0);
    ASSERT_TRUE(shows(display, window, playingBlue, "resume button"));
    ASSERT_EQ(key("Escape"), 0);
    ASSERT_TRUE(shows(display, window, mainMenuRed, "Escape again"));
    ASSERT_EQ(click(100, 380), 0);

    ProgramResult result = run.wait(20000);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(inOrder(result.out, {"================ Initialized, first draw ...\n", "View distance: 1720\n",
                                     "View distance: 1500\n", "View distance: 1316.67\n",
                                     "isReverseMouseYCamera: 1\n", "Set optimizsation world load progressive: 0\n",
                                     "lua print: script stopped\n"}));
    EXPECT_EQ(count(result.out, "View distance: "), 3u);
}
