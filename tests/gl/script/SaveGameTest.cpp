// The game manager with a real World and script. Save games: the file's bytes, a save then
// a load in the next frame, a load and a save of one frame, a missing file, a save that
// fails on a full disk, a cut file and an unknown movement type; the frame step's order;
// Escape while an editor dialogue is open; and the options menu's display mode buttons on
// the real window.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <lua.hpp>
#include <vector>

#include "GLTestWindow.h"
#include "GameFolder.h"
#include "WorldSceneFixture.h"
#include "gl/DeviceManager.h"
#include "gl/Scene3D.h"
#include "player/Player.h"
#include "script/LuaFuncs.h"
#include "script/LuaManager.h"
#include "script/LuaStateCell.h"
#include "sound/SoundManager.h"
#include "world/World.h"

namespace {

std::string le32(uint32_t v)
{
    std::string bytes;
    for (int i = 0; i < 4; i++)
        bytes.push_back((char)(v >> (8 * i) & 0xff));
    return bytes;
}

float floatAt(const std::string& bytes, size_t offset)
{
    float value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

class GameWithWorld : public WorldSceneFixture {
protected:
    void SetUp() override
    {
        enterFolder(folder.path());
        deviceManager->config.load("world.xml");
        testing::internal::CaptureStdout();
        world = new World("world.dat", "world.lua", nullptr, soundManager);
        manager.world = world;
        manager.startScript("world.lua");
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override
    {
        testing::internal::CaptureStdout();
        manager.stopScript();
        delete world;
        testing::internal::GetCapturedStdout();
        LuaFuncs::world = nullptr;
        // The World turned lighting on: later tests of the window start from plain drawing.
        GLManager::scene3D->lightingEnabled = false;
        glDisable(GL_LIGHTING);
        glDisable(GL_FOG);
        glColor4ub(255, 255, 255, 255);
        GLManager::scene3D->camera.setRotation(Float3(0.f, 0.f, 0.f));
    }

    // Runs script code as the script's frame would.
    void lua(const std::string& code)
    {
        lua_State* state = manager.luaStateCell->lua;
        ASSERT_EQ(luaL_loadstring(state, code.c_str()), 0) << lua_tostring(state, -1);
        ASSERT_EQ(lua_pcall(state, 0, 0, 0), 0) << lua_tostring(state, -1);
    }
    // The frame's load and save step; returns its log.
    std::string requests()
    {
        testing::internal::CaptureStdout();
        manager.carryOutPendingRequests();
        return testing::internal::GetCapturedStdout();
    }
    Float3 playerPosition() const { return world->player->position(); }

    GameFolder folder{"function lua_onInitGame() end\nfunction lua_loop() end\n"
                      "function lua_onUninitGame() end\nfunction lua_getNbObjects() return 0 end\n"};
    World* world = nullptr;
    LuaManager manager;
};

}  // namespace

TEST_F(GameWithWorld, TheFileHoldsThePlayerRecordThenTheVariables)
{
    lua("setPlayerPosition(1.5, 2, -3) setPlayerMovementFly() saveGame('a.savegame')");
    EXPECT_EQ(requests(), "Saving game into file a.savegame\n");
    std::string bytes = folder.read("a.savegame");
    ASSERT_EQ(bytes.size(), 28u);
    EXPECT_EQ(floatAt(bytes, 0), 1.5f);
    EXPECT_EQ(floatAt(bytes, 4), 2.f);
    EXPECT_EQ(floatAt(bytes, 8), -3.f);
    EXPECT_EQ(bytes.substr(20), le32(2) + le32(0));

    lua("setGlobalVar('score', 12) saveGame('b.savegame')");
    requests();
    std::string withVariable = folder.read("b.savegame");
    ASSERT_EQ(withVariable.size(), 28u + 13u);
    EXPECT_EQ(withVariable.substr(24), le32(1) + le32(5) + "score" + le32(12));

    // No name: the world file's name followed by ".savegame", in the working folder.
    lua("saveGame()");
    EXPECT_EQ(requests(), "Saving game into file world.dat.savegame\n");
    EXPECT_EQ(folder.read("world.dat.savegame"), withVariable);
}

TEST_F(GameWithWorld, ALoadInTheNextFrameBringsBackThePlayerAndEveryVariable)
{
    lua("setGlobalVar('a', 1) setGlobalVar('b', -7) setPlayerPosition(10, 20, 30) setPlayerMovementCar()"
        "setCameraAngleAndDistance(15, 40, 30) saveGame('s.savegame')");
    requests();
    lua("setGlobalVar('c', 3) setGlobalVar('a', 99) setPlayerPosition(0, 0, 0) setPlayerMovementWalk()"
        "setCameraAngleAndDistance(0, 0, 30) loadGame('s.savegame')");
    EXPECT_EQ(requests(), "Loading game from file s.savegame\n");

    EXPECT_EQ(LuaFuncs::globalVars, (std::map<std::string, int32_t>{{"a", 1}, {"b", -7}}));
    EXPECT_EQ(playerPosition(), Float3(10.f, 20.f, 30.f));
    EXPECT_EQ(world->player->mvtType, MVT_TYPE_CAR);
    EXPECT_FLOAT_EQ(GLManager::scene3D->camera.angleX, 15.f);
    EXPECT_FLOAT_EQ(GLManager::scene3D->camera.angleY, 40.f);
    lua("assert(getGlobalVar('c') == 0 and 1 or 0)");
}

TEST_F(GameWithWorld, ALoadAndASaveOfOneFrameSaveWhatWasLoaded)
{
    lua("setGlobalVar('kept', 5) setPlayerPosition(4, 5, 6) saveGame('first.savegame')");
    requests();
    lua("setGlobalVar('other', 1) setPlayerPosition(7, 8, 9) loadGame('first.savegame') saveGame('second.savegame')");
    EXPECT_EQ(requests(), "Loading game from file first.savegame\nSaving game into file second.savegame\n");
    EXPECT_EQ(folder.read("second.savegame"), folder.read("first.savegame"));
}

TEST_F(GameWithWorld, LoadingAMissingFileOrAFolderChangesNothing)
{
    ASSERT_EQ(mkdir("saves", 0755), 0);
    for (const char* name : {"nothing.savegame", "saves"}) {
        lua("setGlobalVar('a', 1) setPlayerPosition(1, 2, 3) loadGame('" + std::string(name) + "')");
        EXPECT_EQ(requests(), "") << name;
        EXPECT_EQ(LuaFuncs::globalVars, (std::map<std::string, int32_t>{{"a", 1}})) << name;
        EXPECT_EQ(playerPosition(), Float3(1.f, 2.f, 3.f)) << name;
    }
}

TEST_F(GameWithWorld, AFailedSaveKeepsThePreviousOneAndTheGameGoesOn)
{
    lua("saveGame('kept.savegame')");
    requests();
    std::string before = folder.read("kept.savegame");
    lua("for i = 1, 200 do setGlobalVar('variable number ' .. i, i) end saveGame('kept.savegame')");

    // The disk fills up: no file may grow beyond 1000 bytes (the new save needs about 5000;
    // the captured log stays below the limit).
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    void (*previousHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    std::string log = requests();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(log.find("Saving game into file kept.savegame\nThe game could not be saved into file kept.savegame ("),
              0u)
        << log;
    EXPECT_EQ(folder.read("kept.savegame"), before);
    DIR* dir = opendir(".");
    for (struct dirent* entry = readdir(dir); entry != nullptr; entry = readdir(dir))
        EXPECT_EQ(std::string(entry->d_name).find(".tmp-"), std::string::npos) << entry->d_name;
    closedir(dir);

    // A folder that does not exist: logged the same way.
    lua("saveGame('no such folder/x.savegame')");
    EXPECT_NE(requests().find("The game could not be saved into file no such folder/x.savegame"), std::string::npos);
}

TEST_F(GameWithWorld, ACutFileKeepsThePlayerAndEmptiesTheVariables)
{
    lua("setGlobalVar('a', 1) setPlayerPosition(1, 2, 3)");
    folder.write("cut.savegame", std::string(10, '\x7f'));
    lua("loadGame('cut.savegame')");
    EXPECT_EQ(requests(), "Loading game from file cut.savegame\n"
                          "The player record of cut.savegame is damaged; the player is unchanged\n");
    EXPECT_EQ(playerPosition(), Float3(1.f, 2.f, 3.f));
    EXPECT_TRUE(LuaFuncs::globalVars.empty());
}

TEST_F(GameWithWorld, AnUnknownMovementTypeKeepsThePlayerAndTheGameGoesOn)
{
    lua("setGlobalVar('a', 1) setPlayerPosition(1, 2, 3) setPlayerMovementFly() saveGame('fly.savegame')");
    requests();
    std::string bytes = folder.read("fly.savegame");
    ASSERT_EQ(bytes.substr(20, 4), le32(MVT_TYPE_FLY));
    folder.write("hostile.savegame", bytes.substr(0, 20) + le32(4) + bytes.substr(24));

    lua("setGlobalVar('a', 5) setPlayerPosition(4, 5, 6) setPlayerMovementWalk() loadGame('hostile.savegame')");
    EXPECT_EQ(requests(), "Loading game from file hostile.savegame\n"
                          "The player record of hostile.savegame is damaged; the player is unchanged\n");
    EXPECT_EQ(playerPosition(), Float3(4.f, 5.f, 6.f));
    EXPECT_EQ(world->player->mvtType, MVT_TYPE_WALK);
    // The variables after the record are read as usual.
    EXPECT_EQ(LuaFuncs::globalVars, (std::map<std::string, int32_t>{{"a", 1}}));
    world->update(manager.luaStateCell);  // moves the player: a saved type 4 would end here
    EXPECT_EQ(world->player->mvtType, MVT_TYPE_WALK);
}

TEST_F(GameWithWorld, AFrameStepLoadsBeforeTheLoopHandsTheFogColourToTheWorldAndEndsOnQuit)
{
    folder.write("frame.lua",
                 "function lua_onInitGame() end\n"
                 "function lua_loop() setGlobalVar('seen', getGlobalVar('a')) end\n"
                 "function lua_onUninitGame() end\nfunction lua_getNbObjects() return 0 end\n");
    testing::internal::CaptureStdout();
    manager.startScript("frame.lua");
    lua("setGlobalVar('a', 5) saveGame('frame.savegame')");
    manager.carryOutPendingRequests();
    lua("setGlobalVar('a', 1) loadGame('frame.savegame') setFogColor(10, 20, 30)");
    manager.step();
    bool runningAfterOneFrame = manager.isRunning;
    lua("quitGame()");
    manager.step();
    std::string log = testing::internal::GetCapturedStdout();

    EXPECT_NE(log.find("Loading game from file frame.savegame\n"), std::string::npos) << log;
    EXPECT_EQ(LuaFuncs::getGlobalVar("seen"), 5);  // the loop ran after the load
    EXPECT_EQ(std::vector<int>(world->fogColour, world->fogColour + 4), (std::vector<int>{10, 20, 30, 255}));
    EXPECT_TRUE(runningAfterOneFrame);
    EXPECT_FALSE(manager.isRunning);  // "quitGame" ends the game after that frame
    LuaFuncs::quitRequested = false;
    const unsigned char defaultFog[4] = {128, 128, 128, 255};
    std::copy(defaultFog, defaultFog + 4, LuaFuncs::fogColor);
}

TEST(OptionsMenuDisplayModes, WindowedAfterFullscreenAndWindowedWhileWindowedDoesNothing)
{
    openGLTestWindow();
    LuaManager manager;
    auto waitForSize = [](Int2 size) {
        for (int frame = 0; frame < 200 && GLManager::windowSize != size; frame++)
            GLManager::nextFrame();
    };
    testing::internal::CaptureStdout();
    manager.inOptionsMenu = true;
    manager.clickOptionsMenu(60, 120);  // windowed while windowed
    EXPECT_FALSE(GLManager::isFullscreen);
    manager.clickOptionsMenu(60, 170);  // fullscreen 1024 x 768
    EXPECT_TRUE(GLManager::isFullscreen);
    waitForSize(Int2(1024, 768));
    EXPECT_NE(GLManager::windowSize, Int2(800, 600));
    manager.clickOptionsMenu(60, 150);  // on the border between the rows: nothing
    EXPECT_TRUE(GLManager::isFullscreen);
    manager.clickOptionsMenu(60, 120);  // windowed
    EXPECT_FALSE(GLManager::isFullscreen);
    waitForSize(Int2(800, 600));
    EXPECT_EQ(GLManager::windowSize, Int2(800, 600));
    for (int frame = 0; frame < 5; frame++)
        GLManager::nextFrame();
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(manager.inOptionsMenu);
}

TEST_F(GameWithWorld, EscapeWithTheEditorDialogueOpenStaysWithTheEditor)
{
    world->editor.typeDialogStep = 1;
    manager.keyTyped(27);
    EXPECT_FALSE(manager.inMainMenu);
    manager.inMainMenu = true;
    manager.keyTyped(27);  // the main menu stays too
    EXPECT_TRUE(manager.inMainMenu);
    world->editor.typeDialogStep = 0;
    manager.keyTyped(27);
    EXPECT_FALSE(manager.inMainMenu);
    manager.keyTyped('a');  // reaches the world: editor mode
    EXPECT_TRUE(world->editorMode);
    manager.keyTyped(27);
    EXPECT_TRUE(manager.inMainMenu);
    manager.keyTyped('a');  // in the menu: kept from the world
    EXPECT_TRUE(world->editorMode);
}
