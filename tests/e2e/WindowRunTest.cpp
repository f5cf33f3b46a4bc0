// The real program: its window opens and closes cleanly, also while the game loads; bad
// arguments end in the report.
#include <gtest/gtest.h>

#include "AssetWriter.h"
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

// Closing the window while the game still loads: the GL context is gone, and the loading
// must not go on drawing into nothing. A large loading picture keeps the program busy
// between the window's appearance and the loading screen's first frame end, so a close sent
// as soon as the window shows lands during the loading; a run whose close came after the
// start-up (a very fast machine) is repeated.
TEST(ProgramStart, ClosingTheWindowDuringTheLoadingEndsTheRunCleanly)
{
    const int largePictureEdge = 4096;
    const std::string largeLoadingPicture = AssetWriter::encodePng(
        largePictureEdge, largePictureEdge, 3, std::vector<unsigned char>(largePictureEdge * largePictureEdge * 3, 60));
    const std::vector<std::string> startOptions[] = {{"--unattended"}, {"--fullscreen", "--unattended"}};
    for (const std::vector<std::string>& options : startOptions) {
        SCOPED_TRACE(options.size() == 1 ? "windowed" : "fullscreen");
        bool closedDuringLoading = false;
        for (int attempt = 0; attempt < 3 && !closedDuringLoading; attempt++) {
            GameFolder dir(idleGame);
            dir.write("loading.png", largeLoadingPicture);
            VirtualDisplay display;
            ProgramRun run(options, dir.path(), display.name());
            unsigned long window = display.waitForWindow(20000);
            ASSERT_NE(window, 0ul);
            display.closeWindow(window);
            ProgramResult result = run.wait(60000);
            EXPECT_FALSE(result.timedOut);
            EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
            EXPECT_EQ(result.err.find("ERROR"), std::string::npos) << result.err;
            closedDuringLoading = result.out.find("================ Initialized, first draw ...") == std::string::npos;
            if (closedDuringLoading) {
                EXPECT_NE(result.out.find("The window was closed: the program ends\n"), std::string::npos)
                    << result.out;
            }
        }
        EXPECT_TRUE(closedDuringLoading) << "every close came after the start-up";
    }
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
