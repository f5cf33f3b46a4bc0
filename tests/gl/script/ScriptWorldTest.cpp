// Scripts acting on a real world scene in the window: the two drawing passes and their
// times, the player and the camera, editor mode, point collision, objects created and
// removed, the current object, drawing positions and the save game names.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <string>

#include "AssetWriter.h"
#include "AudioFixture.h"
#include "GLTestWindow.h"
#include "ScriptTestSupport.h"
#include "../world/WorldTestFolder.h"
#include "gl/DeviceManager.h"
#include "gl/Scene3D.h"
#include "player/Player.h"
#include "script/LuaFuncs.h"
#include "sound/SoundManager.h"
#include "world/CustomObject.h"
#include "world/World.h"

namespace {

std::string whitePng()
{
    return AssetWriter::encodePng(2, 2, 3, std::vector<unsigned char>(12, 255));
}

class ScriptWorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"whiteTexture.png", "loading.png"})
            folder.write(name, whitePng());
        for (const char* face : {"bottom", "top", "left", "right", "front", "back"})
            folder.write(std::string("sky/") + face + ".png", whitePng());
        for (int frame = 1; frame <= 5; frame++)
            folder.write("obj_player/player_frame" + std::to_string(frame) + ".obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
        for (const char* name : {"sound/walk.wav", "sound/jump.wav"})
            folder.write(name, makeSquareWav(22050, 100, 1000));
        folder.write("world.xml", "<config><string><skybox_directory>sky</skybox_directory></string>"
                                  "<double><size_one_cube>1</size_one_cube></double>"
                                  "<int><size_one_region>10</size_one_region></int>"
                                  "<bool><enable_water>false</enable_water></bool></config>\n");
        deviceManager->config.load(folder.path("world.xml"));
        soundManager = new SoundManager("gl_tests");
        world = new World("empty.dat", "world.lua", nullptr, soundManager);
        run.manager.world = world;
        run.manager.soundManager = soundManager;
        currentObject = nullptr;
    }
    void TearDown() override
    {
        run.manager.stopScript();
        LuaFuncs::world = nullptr;
        currentObject = nullptr;
        delete world;
        delete soundManager;
    }
    // Runs a function the script defines.
    void call(const char* name) { LuaFuncs::callScriptFunction(run.lua(), name); }
    float var(const char* name) { return (float)LuaFuncs::getGlobalVar(name); }

    WorldTestFolder folder;
    SoundManager* soundManager = nullptr;
    World* world = nullptr;
    ScriptRun run;
};

void expectModelviewIs(const float expected[16])
{
    float matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(matrix[i], expected[i], 1e-4f) << i;
}

}  // namespace

TEST_F(ScriptWorldTest, DrawingPassesReturnTheirTime)
{
    run.start(std::string(emptyEntryFunctions) +
              "function lua_getNbObjects() addToGlobalVar('asked', 1) return 3 end\n"
              "function lua_loop()\n"
              "  clearBackground()\n"
              "  setGlobalVar('t3', draw3DWorld())\n"
              "  setGlobalVar('t2', draw2DWorld())\n"
              "end\n");
    world->update(run.manager.luaStateCell);
    LuaFuncs::fullscreenPictureDrawn = true;
    call("lua_loop");
    EXPECT_GT(var("t3"), 0.f);
    EXPECT_GT(var("t2"), 0.f);
    EXPECT_EQ(var("asked"), 1.f);  // draw2DWorld hands the world the script's object type count
    EXPECT_FALSE(LuaFuncs::fullscreenPictureDrawn);
    EXPECT_TRUE(world->hidden);  // the picture drawn before hides the next 3D pass
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLint cullFace = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    EXPECT_EQ(cullFace, GL_FRONT);
}

TEST_F(ScriptWorldTest, PlayerAndCamera)
{
    run.start(std::string(emptyEntryFunctions) +
              "function lua_loop()\n"
              "  setPlayerPosition(1.5, 2, -3)\n"
              "  local x, y, z = getPlayerPosition()\n"
              "  setGlobalVar('x', x * 10) setGlobalVar('y', y) setGlobalVar('z', z)\n"
              "  setPlayerMovementFly()\n"
              "  setPlayerSpeed(100, -50, 7)\n"
              "  local f, v, s = getPlayerSpeed()\n"
              "  setGlobalVar('f', f * 1000) setGlobalVar('v', v * 1000) setGlobalVar('s', s * 1000)\n"
              "  setGlobalVar('type', getPlayerMovementType())\n"
              "  setCameraAngleAndDistance(20, 45, 12)\n"
              "  local ax, ay, d = getCameraAngleAndDistance()\n"
              "  setGlobalVar('ax', ax) setGlobalVar('ay', ay) setGlobalVar('d', d)\n"
              "end\n"
              "function stop() setPlayerMovementNone() end\n");
    call("lua_loop");
    EXPECT_EQ(var("x"), 15.f);
    EXPECT_EQ(var("y"), 2.f);
    EXPECT_EQ(var("z"), -3.f);
    EXPECT_EQ(world->player->position(), Float3(1.5f, 2.f, -3.f));
    // 100 x 0.01f x 100 comes back up to float rounding.
    EXPECT_NEAR(var("f"), 100000.f, 2.f);
    EXPECT_NEAR(var("v"), -50000.f, 2.f);
    EXPECT_NEAR(var("s"), 7000.f, 2.f);
    EXPECT_FLOAT_EQ(world->player->forwardSpeed, 100.f * 0.01f);
    EXPECT_EQ(var("type"), (float)MVT_TYPE_FLY);
    EXPECT_EQ(var("ax"), 20.f);
    EXPECT_EQ(var("ay"), 45.f);
    EXPECT_EQ(var("d"), 12.f);
    EXPECT_FLOAT_EQ(world->player->cameraDistance, 12.f);
    call("stop");
    EXPECT_EQ(world->player->mvtType, MVT_TYPE_NONE);
    EXPECT_EQ(world->player->forwardSpeed, 0.f);
    EXPECT_EQ(world->player->verticalSpeed, 0.f);
}

TEST_F(ScriptWorldTest, EditorModeCollisionObjectsAndRemoval)
{
    int type = world->indexedWorld.addCubeType(WorldTestFolder::type("a.png"));
    ASSERT_TRUE(world->indexedWorld.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(5.f, 5.f, 5.f), type));
    run.start(std::string(emptyEntryFunctions) +
              "function lua_loop()\n"
              "  setGlobalVar('editor', isEditorMode())\n"
              "  setGlobalVar('inside', isCollidingPoint(5, 5.5, 4.5))\n"
              "  setGlobalVar('outside', isCollidingPoint(5, 7, 5))\n"
              "  createObject(3, 4, 5, 2.5)\n"
              "  createCube(0, 0, 0, 0, 4, 4, 0)\n"
              "end\n"
              "function removeCube() removeElement(5, 5, 5) end\n"
              "function removeObject() removeElement(3, 4, 5) end\n"
              "function saveDefault() saveGame() loadGame() end\n");
    world->editorMode = true;
    call("lua_loop");
    EXPECT_EQ(var("editor"), 1.f);
    EXPECT_EQ(var("inside"), 1.f);
    EXPECT_EQ(var("outside"), 0.f);
    WorldIndexator& index = world->indexedWorld.worldIndexator;
    WorldRegion* region = index.getRegion(index.regionIndexOfPoint(Float3(3.f, 4.f, 5.f)));
    ASSERT_NE(region, nullptr);
    ASSERT_EQ(region->objects.size(), 1u);
    EXPECT_EQ(region->objects[0].position, Float3(3.f, 4.f, 5.f));
    EXPECT_EQ(region->objects[0].type, 2);  // 2.5 rounds to the even neighbour
    EXPECT_EQ(region->objects[0].localVariable1, 0.f);
    ASSERT_EQ(region->cubeZones.size(), 1u);

    call("removeCube");
    EXPECT_TRUE(region->cubeZones.empty());
    EXPECT_EQ(region->objects.size(), 1u);
    call("removeObject");
    EXPECT_TRUE(region->objects.empty());

    call("saveDefault");
    EXPECT_EQ(LuaFuncs::pendingSaveFile, "empty.dat.savegame");
    EXPECT_EQ(LuaFuncs::pendingLoadFile, "empty.dat.savegame");
}

TEST_F(ScriptWorldTest, CurrentObjectAndDrawingPositions)
{
    run.start(std::string(emptyEntryFunctions) +
              "function manage()\n"
              "  local x, y, z = getCurrentObjectPosition()\n"
              "  setGlobalVar('x', x) setGlobalVar('y', y) setGlobalVar('z', z)\n"
              "  setObjectLocalVariable1(getObjectLocalVariable1() + 1)\n"
              "  setObjectLocalVariable2(2.5)\n"
              "  setGlobalVar('distance', getDistanceToPlayer() * 10)\n"
              "  setCurrentObjectPosition(x + 1, y, z)\n"
              "end\n"
              "function place() setCurrentPosition(1, 2, 3) rotatePosition(90, 90, 0) end\n");
    CustomObject object;
    object.position = Float3(4.f, 5.f, 6.f);
    object.localVariable1 = 41.f;
    currentObject = &object;
    LuaFuncs::distanceToPlayer = 1.25f;
    GLManager::scene3D->placeCamera(Float3(0.f, 0.f, 0.f), 10.f);
    call("manage");
    EXPECT_EQ(var("x"), 4.f);
    EXPECT_EQ(var("y"), 5.f);
    EXPECT_EQ(var("z"), 6.f);
    EXPECT_EQ(object.localVariable1, 42.f);
    EXPECT_EQ(object.localVariable2, 2.5f);
    EXPECT_EQ(var("distance"), 12.f);
    EXPECT_EQ(object.position, Float3(5.f, 5.f, 6.f));
    // The drawing position follows: the view matrix, translated to the new position.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(5.f, 5.f, 6.f);
    float expected[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, expected);
    glPopMatrix();
    expectModelviewIs(expected);

    // X first, then Y: the order is fixed.
    call("place");
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(1.f, 2.f, 3.f);
    glRotatef(90.f, 1.f, 0.f, 0.f);
    glRotatef(90.f, 0.f, 1.f, 0.f);
    glGetFloatv(GL_MODELVIEW_MATRIX, expected);
    call("place");
    expectModelviewIs(expected);
}

TEST_F(ScriptWorldTest, SoundsAreSharedByName)
{
    run.start(std::string(emptyEntryFunctions) +
              "function lua_onInitGame()\n"
              "  walk = loadSound('sound/walk.wav')\n"
              "  again = loadSound('sound/walk.wav')\n"
              "  jump = loadSound('sound/jump.wav')\n"
              "  if walk == again then setGlobalVar('same', 1) end\n"
              "  if walk ~= jump then setGlobalVar('different', 1) end\n"
              "  setGlobalVar('before', isPlayingSound(walk))\n"
              "  playSound(walk)\n"
              "end\n");
    EXPECT_EQ(var("same"), 1.f);
    EXPECT_EQ(var("different"), 1.f);
    EXPECT_EQ(var("before"), 0.f);
    // The player's own sound of that file is the very same object.
    lua_getfield(run.lua(), LUA_GLOBALSINDEX, "walk");
    EXPECT_EQ(lua_touserdata(run.lua(), -1), soundManager->getSound("sound/walk.wav"));
    lua_pop(run.lua(), 1);
}
