// The world scene and the sea in a real window: construction and its log, the figures that
// follow from the view distance, collisions, the hidden flag, editor mode, the tide and the
// tint, and what a known camera sees of sky, cubes and water.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "AssetWriter.h"
#include "AudioFixture.h"
#include "GLTestWindow.h"
#include "TempDir.h"
#include "WorldSceneFixture.h"
#include "draw/Skybox.h"
#include "gl/DeviceManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "image/SpriteManager.h"
#include "model/Animated3DModel.h"
#include "player/Player.h"
#include "script/LuaFuncs.h"
#include "sound/SoundManager.h"
#include "world/World.h"

namespace {

struct Rgb {
    unsigned char r, g, b;
};

// The colours of the fixture pictures.
const Rgb skyColours[Skybox::nbSlots] = {
    {60, 40, 20}, {20, 200, 220}, {250, 250, 0}, {250, 0, 250}, {0, 250, 250}, {120, 120, 250},
};
const char* const skyNames[Skybox::nbSlots] = {"bottom", "top", "left", "right", "front", "back"};
const Rgb loadingOrange = {240, 140, 20};
const Rgb red = {220, 10, 10}, green = {10, 220, 10}, waterBlue = {10, 10, 160}, waterSubGrey = {90, 90, 90};

std::string solidPng(Rgb colour, int edge = 8)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < edge * edge; i++) {
        pixels.push_back(colour.r);
        pixels.push_back(colour.g);
        pixels.push_back(colour.b);
    }
    return AssetWriter::encodePng(edge, edge, 3, pixels);
}

// A world file with no cube types and the initial empty 2 x 2 x 2 table.
std::string emptyWorldFile()
{
    std::string bytes = "WORLD";
    auto int32 = [&bytes](int32_t v) {
        for (int i = 0; i < 4; i++)
            bytes.push_back((char)((uint32_t)v >> (8 * i) & 0xff));
    };
    int32(1);
    int32(0);
    for (int v : {-1, -1, -1, 2, 2, 2})
        int32(v);
    for (int region = 0; region < 8; region++)
        for (int field = 0; field < 4; field++)
            int32(0);
    return bytes;
}

const char* const triangleObj = "v 0 0 0\nv 3 0 0\nv 0 3 0\nf 1 2 3\n";

struct WaterSettings {
    bool enabled = true;
    bool waves = false;
    bool layers = false;
};

bool near(ColorBytes pixel, Rgb expected, int tolerance = 12)
{
    return std::abs(pixel.r - expected.r) <= tolerance && std::abs(pixel.g - expected.g) <= tolerance &&
           std::abs(pixel.b - expected.b) <= tolerance;
}

std::string show(ColorBytes pixel)
{
    return "(" + std::to_string(pixel.r) + ", " + std::to_string(pixel.g) + ", " + std::to_string(pixel.b) + ")";
}

class WorldSceneTest : public WorldSceneFixture {
protected:
    void SetUp() override
    {
        writeAssets();
        enterFolder(folder.path());
        writeConfig(WaterSettings());
        GLManager::scene3D->camera.setRotation(Float3(0.f, 0.f, 0.f));
        LuaFuncs::fullscreenPictureDrawn = false;
    }
    void TearDown() override
    {
        delete world;
        world = nullptr;
        LuaFuncs::fullscreenPictureDrawn = false;
    }

    void writeAssets()
    {
        folder.write("world.dat", emptyWorldFile());
        folder.write("whiteTexture.png", solidPng({255, 255, 255}));
        folder.write("loading.png", solidPng(loadingOrange, 64));
        folder.write("black_semi_transparent.png",
                     AssetWriter::encodePng(1, 1, 4, std::vector<unsigned char>{0, 0, 0, 128}));  // shadows
        folder.write("water.png", solidPng(waterBlue));
        folder.write("water_sub.png", solidPng(waterSubGrey));
        for (int i = 0; i < Skybox::nbSlots; i++)
            folder.write(std::string("sky/") + skyNames[i] + ".png", solidPng(skyColours[i]));
        for (const char* sub : {"cube_textures/", "cube_shadowed_textures/"}) {
            folder.write(std::string(sub) + "red.png", solidPng(red));
            folder.write(std::string(sub) + "green.png", solidPng(green));
        }
        for (int frame = 1; frame <= 5; frame++)
            folder.write("obj_player/player_frame" + std::to_string(frame) + ".obj", triangleObj);
        for (const char* name : {"sound/walk.wav", "sound/jump.wav"})
            folder.write(name, makeSquareWav(22050, 200, 4000));
    }

    // Region edge 8 cubes of 10 units; the water follows the settings.
    void writeConfig(const WaterSettings& water)
    {
        auto flag = [](bool b) { return std::string(b ? "true" : "false"); };
        std::string xml = "<world><string><skybox_directory>sky</skybox_directory></string>"
                          "<double><size_one_cube>10</size_one_cube><water_deep_amplitude>10</water_deep_amplitude>"
                          "<water_waves_amplitude>4</water_waves_amplitude></double>"
                          "<int><size_one_region>8</size_one_region></int><bool>"
                          "<enable_water>" + flag(water.enabled) + "</enable_water>"
                          "<enable_water_waves>" + flag(water.waves) + "</enable_water_waves>"
                          "<enable_multi_layered_water>" + flag(water.layers) + "</enable_multi_layered_water>"
                          "<render_under_water>false</render_under_water></bool></world>";
        deviceManager->config.load(folder.write("world.xml", xml));
    }

    void makeWorld()
    {
        world = new World("world.dat", "world.lua", nullptr, soundManager);
    }

    // Two solid aggregates 40 units on a side in front of the origin: red at x 0..40 and
    // green at x -80..-40, both at y 0..40 and z -60..-20.
    void addAggregates()
    {
        CubeTypeDescription type;
        for (std::string& name : type.textureNames)
            name = "red.png";
        int redType = world->indexedWorld.addCubeType(type);
        for (std::string& name : type.textureNames)
            name = "green.png";
        int greenType = world->indexedWorld.addCubeType(type);
        ASSERT_TRUE(world->indexedWorld.addCubeZone(Float3(40.f, 40.f, 40.f), Float3(20.f, 20.f, -40.f), redType));
        ASSERT_TRUE(world->indexedWorld.addCubeZone(Float3(40.f, 40.f, 40.f), Float3(-60.f, 20.f, -40.f), greenType));
    }

    // A first-person camera at the eye point, looking along -Z.
    void lookFrom(Float3 eye)
    {
        world->player->setMovementType(MVT_TYPE_NONE);
        world->player->cameraDistance = 0.f;
        world->player->model->position = eye - Float3(0.f, World::CAMERA_TARGET_RAISE, 0.f);
        GLManager::scene3D->camera.setRotation(Float3(0.f, 0.f, 0.f));
    }

    // The 3D pass as "draw3DWorld" runs it, then the 2D pass as "draw2DWorld" prepares it.
    void drawFrame(bool with2D)
    {
        GLManager::clearScreen(0, 0, 0, 255);
        world->update(nullptr);
        world->placeCameraForFrame();
        world->draw();
        if (with2D)
            draw2DPass();
    }
    void draw2DPass()
    {
        GLManager::begin2DPass();
        world->draw2D(0);
    }

    TempDir folder;
    World* world = nullptr;
};

}  // namespace

TEST_F(WorldSceneTest, ConstructionLoadsWorldThenPlayerThenSkyboxWithItsLog)
{
    const int nbSpritesBefore = SpriteManager::getNbSprites();
    testing::internal::CaptureStdout();
    makeWorld();
    std::string log = testing::internal::GetCapturedStdout();

    // The loading picture was drawn centred and presented; nothing is drawn after it while
    // the player and the skybox load (this GL's buffer swap keeps the back buffer).
    ColorBytes centre = readBackBufferPixel(400, 300), corner = readBackBufferPixel(5, 5);
    EXPECT_TRUE(near(centre, loadingOrange, 2)) << show(centre);
    EXPECT_TRUE(near(corner, {0, 0, 0}, 0)) << show(corner);
    EXPECT_EQ(SpriteManager::getNbUsers("loading.png"), 0);

    const char* lines[] = {"==== Loading world from file 'world.dat'\n", "==== Loading world done\n",
                           "==== Loading player\n",  "==== Player loaded\n",
                           "==== Loading skybox\n",  "==== Skybox loaded\n"};
    size_t at = 0;
    for (const char* line : lines) {
        size_t found = log.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "in:\n" << log;
        at = found + 1;
    }
    EXPECT_FALSE(world->editorMode);
    EXPECT_FALSE(world->hidden);
    EXPECT_EQ(world->worldDataFile, "world.dat");
    EXPECT_FLOAT_EQ(GLManager::scene3D->fieldOfView, 90.f);
    ASSERT_NE(world->indexedWorld.water, nullptr);
    EXPECT_EQ(SpriteManager::getNbUsers("water.png"), 1);
    EXPECT_EQ(SpriteManager::getNbUsers("sky/top.png"), 1);

    // Everything the World took from the sprite manager goes back with it.
    delete world;
    world = nullptr;
    EXPECT_EQ(SpriteManager::getNbSprites(), nbSpritesBefore);
}

TEST_F(WorldSceneTest, DefaultViewDistanceGivesTheSceneFigures)
{
    makeWorld();
    lookFrom(Float3(0.f, 30.f, 60.f));
    drawFrame(false);
    EXPECT_FLOAT_EQ(world->viewDistance, 1500.f);
    EXPECT_FLOAT_EQ(GLManager::scene3D->farPlane, 3000.f);
    EXPECT_FLOAT_EQ(world->skybox->getSize(), 2999.f);
    EXPECT_FLOAT_EQ(GLManager::scene3D->fogDistance, 1100.f);
    EXPECT_FLOAT_EQ(world->indexedWorld.worldIndexator.viewDistance, 1500.f);
    EXPECT_FLOAT_EQ(world->indexedWorld.water->getSize(), 6000.f);
    EXPECT_FLOAT_EQ(world->indexedWorld.water->getTextureRepeat(), 120.f);
    // Light 0 sits far above and behind the player, without distance attenuation.
    const float* light = GLManager::scene3D->lightPositions[0];
    EXPECT_FLOAT_EQ(light[0], -3000.f);
    EXPECT_FLOAT_EQ(light[1], 20.f + 20.f + 10000.f);
    EXPECT_FLOAT_EQ(light[2], 60.f - 3000.f);
    EXPECT_TRUE(GLManager::scene3D->lightEnabled[0]);
    EXPECT_LE(GLManager::scene3D->lightRanges[0], 0.f);

    // The options screen's shorter view distance moves them all.
    world->viewDistance = 400.f + 1100.f / 1.2f;
    drawFrame(false);
    EXPECT_FLOAT_EQ(GLManager::scene3D->farPlane, world->viewDistance * 2.f);
    EXPECT_FLOAT_EQ(world->skybox->getSize(), world->viewDistance * 2.f - 1.f);
    EXPECT_FLOAT_EQ(GLManager::scene3D->fogDistance, world->viewDistance - 400.f);
}

TEST_F(WorldSceneTest, CollisionQueriesGoThroughTheRegions)
{
    makeWorld();
    addAggregates();
    struct Case {
        Float3 point;
        bool inside;
    };
    const Case cases[] = {
        {Float3(20.f, 20.f, -40.f), true},    // red, region (0, 0, -1)
        {Float3(-60.f, 5.f, -25.f), true},    // green, region (-1, 0, -1)
        {Float3(20.f, 45.f, -40.f), false},   // above red
        {Float3(-20.f, 20.f, -40.f), false},  // between them
        {Float3(500.f, 20.f, 500.f), false},  // outside the table
    };
    for (const Case& c : cases) {
        EXPECT_EQ(world->isInside(c.point), c.inside) << c.point;
        const Float3 sentinel(7.f, 7.f, 7.f);
        Float3 out = sentinel;
        Float3 start(20.f, 60.f, 0.f);
        EXPECT_EQ(world->collide(start, c.point, out), c.inside) << c.point;
        EXPECT_EQ(out, c.inside ? start : sentinel) << c.point;
    }

    // intersect walks from its second point toward its first.
    world->indexedWorld.worldIndexator.viewDistance = 1500.f;
    GLManager::scene3D->camera.position = Float3(20.f, 30.f, 60.f);
    Float3 hit(0.f, 0.f, 0.f);
    ASSERT_TRUE(world->intersect(Float3(60.f, 20.f, -40.f), Float3(-10.f, 20.f, -40.f), hit));
    EXPECT_NEAR(hit.x(), 0.f, 1.f);
    EXPECT_FLOAT_EQ(hit.z(), -40.f);
}

TEST_F(WorldSceneTest, FullScreenPictureHidesTheNextFrameAndStopsThePlayer)
{
    makeWorld();
    lookFrom(Float3(0.f, 500.f, 60.f));  // high above anything: the player falls when it moves
    world->player->setMovementType(MVT_TYPE_WALK);
    drawFrame(false);

    // The script shows a full-screen picture in this frame's 2D pass...
    LuaFuncs::fullscreenPictureDrawn = true;
    EXPECT_FALSE(world->hidden);
    draw2DPass();
    EXPECT_TRUE(world->hidden);
    LuaFuncs::fullscreenPictureDrawn = false;  // "draw2DWorld" clears it afterwards

    // ...so the next frame neither moves the player nor draws the world.
    GLManager::nextFrame();
    Float3 before = world->player->model->position;
    GLManager::clearScreen(1, 2, 3, 255);
    world->update(nullptr);
    world->placeCameraForFrame();
    world->draw();
    EXPECT_EQ(world->player->model->position, before);
    EXPECT_TRUE(near(readBackBufferPixel(400, 100), {1, 2, 3}, 0)) << show(readBackBufferPixel(400, 100));
    draw2DPass();
    EXPECT_FALSE(world->hidden);

    // A frame without the picture: the player falls again.
    GLManager::nextFrame();
    world->update(nullptr);
    EXPECT_LT(world->player->model->position.y(), before.y());
}

TEST_F(WorldSceneTest, KeyAToggleEditorModeWhichStopsThePlayer)
{
    makeWorld();
    lookFrom(Float3(0.f, 500.f, 60.f));
    world->player->setMovementType(MVT_TYPE_WALK);
    world->keyPressed('a', 0);
    EXPECT_TRUE(world->editorMode);
    GLManager::nextFrame();
    Float3 before = world->player->model->position;
    world->update(nullptr);
    EXPECT_EQ(world->player->model->position, before);
    // In editor mode the light follows the editor's cursor and the camera is the editor's.
    EXPECT_FLOAT_EQ(GLManager::scene3D->lightPositions[0][1], 10000.f);
    world->placeCameraForFrame();
    EXPECT_NEAR(GLManager::scene3D->camera.position.y(), 30.f * std::sin(30.f * 3.14159265f / 180.f), 1e-3);

    // Keys go to the editor now, not to the player's zoom.
    world->keyPressed('o', 0);
    EXPECT_FLOAT_EQ(world->player->cameraDistance, 0.f);

    world->keyPressed('A', 0);
    EXPECT_FALSE(world->editorMode);
    world->player->cameraDistance = 30.f;
    world->keyPressed('o', 0);
    EXPECT_FLOAT_EQ(world->player->cameraDistance, 25.f);
    world->keyPressed('b', 0);
    EXPECT_FALSE(world->editorMode);
    // While the editor's cube type dialogue runs, 'a' is text, not the mode key.
    world->editor.typeDialogStep = 1;
    world->keyPressed('a', 0);
    EXPECT_FALSE(world->editorMode);
}

TEST_F(WorldSceneTest, OptionSettersLogAndApply)
{
    makeWorld();
    testing::internal::CaptureStdout();
    world->setReverseMouseYCamera(true);
    world->setProgressiveLoading(false);
    world->setReverseMouseYCamera(false);
    std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(log, "isReverseMouseYCamera: 1\nSet optimizsation world load progressive: 0\nisReverseMouseYCamera: 0\n");
    EXPECT_FALSE(world->player->isReverseMouseYCamera);
    EXPECT_FALSE(world->indexedWorld.worldIndexator.progressiveLoading);
}

TEST_F(WorldSceneTest, TideFollowsTheClockAndTheSeaFollowsTheCamera)
{
    makeWorld();
    Water& water = *world->indexedWorld.water;
    GLManager::scene3D->camera.position = Float3(-75.f, 30.f, 149.9f);
    GLManager::scene3D->setupProjection3D();
    const std::pair<int, float> tide[] = {{0, -1.f}, {1000, 0.f}, {2000, 1.f}, {3000, 0.f}};
    for (const auto& t : tide) {
        water.updateAndDrawAt(0.f, 3000.f, t.first);
        EXPECT_FLOAT_EQ(water.getHeightCurrent(), t.second) << t.first << " ms";
    }
    EXPECT_FLOAT_EQ(water.getCenterX(), -50.f);
    EXPECT_FLOAT_EQ(water.getCenterZ(), 100.f);
}

TEST_F(WorldSceneTest, NoWaterAtAllWhenDisabled)
{
    WaterSettings off;
    off.enabled = false;
    off.waves = off.layers = true;
    writeConfig(off);
    makeWorld();
    lookFrom(Float3(20.f, -20.f, 60.f));  // below the sea
    for (int frame = 0; frame < 2; frame++)  // the first frame after construction is lit
        drawFrame(true);
    const Water& water = *world->indexedWorld.water;
    EXPECT_FLOAT_EQ(water.getSize(), 30.f);
    EXPECT_FLOAT_EQ(water.getHeightCurrent(), -1.f);
    // Looking up through where the sea would be, and ahead: the sky's -Z picture, neither
    // the water's underside nor the tint.
    for (int y : {10, 300}) {
        ColorBytes pixel = readBackBufferPixel(400, y);
        EXPECT_TRUE(near(pixel, skyColours[2], 0)) << "at 400," << y << ": " << show(pixel);
    }
}

TEST_F(WorldSceneTest, KnownCameraSeesSkyCubesAndWater)
{
    makeWorld();
    addAggregates();
    lookFrom(Float3(20.f, 30.f, 60.f));
    for (int frame = 0; frame < 2; frame++)
        drawFrame(true);

    struct Probe {
        int x, y;
        Rgb colour;
        const char* what;
    };
    const Probe probes[] = {
        {400, 300, red, "red aggregate's front face"},
        {100, 300, green, "green aggregate's front face"},
        {400, 60, skyColours[2], "sky ahead (-Z): the left picture"},
        {400, 590, waterBlue, "water below"},
    };
    for (const Probe& p : probes) {
        ColorBytes pixel = readBackBufferPixel(p.x, p.y);
        EXPECT_TRUE(near(pixel, p.colour)) << p.what << " at " << p.x << "," << p.y << ": " << show(pixel);
    }

    // Under the tide the 2D pass tints the whole window.
    lookFrom(Float3(20.f, -20.f, 60.f));
    drawFrame(false);
    ColorBytes untinted = readBackBufferPixel(400, 300);
    draw2DPass();
    ColorBytes tinted = readBackBufferPixel(400, 300);
    const unsigned char* tint = world->indexedWorld.water->getColour();
    auto blend = [](int dst, int src) { return (dst * 127 + src * 128) / 255; };
    EXPECT_TRUE(near(tinted, {(unsigned char)blend(untinted.r, tint[0]), (unsigned char)blend(untinted.g, tint[1]),
                              (unsigned char)blend(untinted.b, tint[2])},
                     3))
        << show(untinted) << " -> " << show(tinted);
}

TEST_F(WorldSceneTest, TintOnlyWhileTheTideIsAboveTheCamera)
{
    makeWorld();
    Water& water = *world->indexedWorld.water;
    struct Case {
        int timeMs;     // tide phase (timeMs - 1000) / 1000 on the way up
        float cameraY;
        bool tinted;
    };
    const Case cases[] = {{1800, 0.5f, true}, {1200, 0.5f, false}, {1500, 0.5f, false}, {2000, -3.f, true}};
    for (const Case& c : cases) {
        GLManager::scene3D->camera.position = Float3(0.f, c.cameraY, 0.f);
        GLManager::scene3D->setupProjection3D();
        water.updateAndDrawAt(0.f, 3000.f, c.timeMs);
        EXPECT_EQ(water.tintsCameraAt(c.cameraY), c.tinted) << c.timeMs << " ms";
        GLManager::clearScreen(0, 0, 0, 255);
        draw2DPass();
        ColorBytes pixel = readBackBufferPixel(10, 10);
        EXPECT_EQ(pixel.b > 100, c.tinted) << c.timeMs << " ms: " << show(pixel);
    }
}

TEST_F(WorldSceneTest, WavedSeaLeavesNoGapAndLayersShowFromBelow)
{
    WaterSettings waved;
    waved.waves = waved.layers = true;
    writeConfig(waved);
    makeWorld();

    // Straight down from 200 units up: the waved square and the ring fill the whole view.
    lookFrom(Float3(20.f, 200.f, 60.f));
    GLManager::scene3D->camera.setRotation(Float3(-90.f, 0.f, 0.f));
    for (int frame = 0; frame < 2; frame++)
        drawFrame(true);
    for (int x = 10; x < 800; x += 130)
        for (int y = 10; y < 600; y += 97) {
            ColorBytes pixel = readBackBufferPixel(x, y);
            EXPECT_TRUE(near(pixel, waterBlue)) << "at " << x << "," << y << ": " << show(pixel);
        }

    // Straight up from deep below: the lowest layer's underside.
    lookFrom(Float3(20.f, -150.f, 60.f));
    GLManager::scene3D->camera.setRotation(Float3(90.f, 0.f, 0.f));
    drawFrame(false);
    ColorBytes above = readBackBufferPixel(400, 300);
    EXPECT_TRUE(near(above, waterSubGrey)) << show(above);
}
