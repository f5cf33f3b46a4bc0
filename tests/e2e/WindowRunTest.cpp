// The real program: its window opens and closes cleanly; bad arguments end in the report.
#include <gtest/gtest.h>

#include "GameFolder.h"
#include "ProgramRun.h"
#include "TempDir.h"
#include "WindowPixels.h"

namespace {

// What the idle game's frames show: the script clears to the default fog colour. Keys and
// clicks reach the game once its frames run (those of the loading screen are dropped).
const Rgb idleGrey = {128, 128, 128};

// A game that only clears the screen each frame.
const char* const idleGame =
    "function lua_onInitGame() end\n"
    "function lua_loop() clearBackground() end\n"
    "function lua_onUninitGame() end\n"
    "function lua_getNbObjects() return 0 end\n";

}  // namespace

TEST(ProgramStart, ValueOptionAsLastWordEndsInBadArguments)
{
    TempDir dir;
    ProgramResult result = runProgram({"--unattended", "--world_dat"}, dir.path(), 20000);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.find("ERROR : The program aborted unexpectedly."), 0u) << result.err;
    EXPECT_NE(result.err.find("\nCondition: arguments.size() >= i+1\nMessage: Bad arguments!\n"),
              std::string::npos)
        << result.err;
}

TEST(ProgramStart, TheWindowOpensAndEscapeThenQEndsTheRun)
{
    GameFolder dir(idleGame);
    VirtualDisplay display;
    ProgramRun run({"--unattended"}, dir.path(), display.name());
    unsigned long window = display.waitForWindow(20000);
    ASSERT_NE(window, 0ul);
    std::string id = std::to_string(window);
    EXPECT_EQ(display.xdotool("getwindowgeometry " + id + " | grep -q 'Geometry: 800x600'"), 0);
    ASSERT_TRUE(windowShows(display.name(), window, 20, 20, idleGrey, "the game's first frames"));
    ASSERT_EQ(display.xdotool("windowfocus --sync " + id + " key Escape q"), 0);
    ProgramResult result = run.wait(20000);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(dir.read("extensions.txt").find("supported:"), 0u);
}

TEST(ProgramStart, FullscreenCoversTheScreen)
{
    GameFolder dir(idleGame);
    VirtualDisplay display;  // 1024 x 768
    ProgramRun run({"--fullscreen", "--unattended"}, dir.path(), display.name());
    unsigned long window = display.waitForWindow(20000);
    ASSERT_NE(window, 0ul);
    std::string id = std::to_string(window);
    bool covered = false;
    for (int attempt = 0; attempt < 100 && !covered; attempt++)
        covered = display.xdotool("getwindowgeometry " + id + " | grep -q 'Geometry: 1024x768'") == 0;
    EXPECT_TRUE(covered);
    ASSERT_TRUE(windowShows(display.name(), window, 20, 20, idleGrey, "the game's first frames"));
    ASSERT_EQ(display.xdotool("windowfocus --sync " + id + " key Escape q"), 0);
    ProgramResult result = run.wait(20000);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("Rescaling to (1024,768)\n"), std::string::npos) << result.out;
}

TEST(ProgramStart, ClosingTheWindowEndsTheRunNormally)
{
    GameFolder dir(idleGame);
    VirtualDisplay display;
    ProgramRun run({"--unattended"}, dir.path(), display.name());
    unsigned long window = display.waitForWindow(20000);
    ASSERT_NE(window, 0ul);
    ASSERT_TRUE(windowShows(display.name(), window, 20, 20, idleGrey, "the game's first frames"));
    display.closeWindow(window);
    ProgramResult result = run.wait(20000);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_EQ(result.err, "");
}

TEST(ProgramStart, AConfigurationThatIsNotXMLEndsInItsReport)
{
    GameFolder dir(idleGame);
    dir.write("world.xml", "<world><int>");
    VirtualDisplay display;
    ProgramRun run({"--unattended"}, dir.path(), display.name());
    ProgramResult result = run.wait(20000);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("\nCondition: doc != NULL\nMessage: XMLSimple::XMLSimple : could not parse xml file\n"),
              std::string::npos)
        << result.err;
}
