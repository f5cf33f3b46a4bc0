// The region index's frame work with a real window: the walked and drawn cubes around the
// camera, progressive loading, the under-water rule and outlines, the "Loaded" and
// "Removed" lines, texture release, and script objects that move or remove themselves.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <functional>

#include "GLTestWindow.h"
#include "WorldTestFolder.h"
#include "gl/DeviceManager.h"
#include "gl/Scene3D.h"
#include "gl/VBOBatchSet.h"
#include "world/IndexedWorld.h"

namespace {

class RegionFrame : public ::testing::Test {
protected:
    explicit RegionFrame(bool renderUnderWater = true) : folder(renderUnderWater)
    {
        world.addCubeType(WorldTestFolder::type("a.png"));
        world.getCubeType(0)->loadTextures();  // keeps image lines out of the captured output
        regions.viewDistance = 25.f;
        regions.progressiveLoading = false;
        viewFrom(Float3(5.f, 5.f, 5.f));
    }
    ~RegionFrame() override { GLManager::scene3D->camera.setRotation(Float3(0.f, 0.f, 0.f)); }

    void viewFrom(const Float3& position)
    {
        GLManager::scene3D->camera.position = position;
        GLManager::scene3D->setupProjection3D();
    }
    // The world update's region pass.
    void frame()
    {
        world.cubeTypeManager.clearCubeTypeUsage();
        regions.update();
        world.cubeTypeManager.freeUnusedCubeTypeTextures();
    }
    WorldRegion& region(int x, int y, int z) { return *regions.getRegion(Int3(x, y, z) - regions.tableMin); }
    // Regions with batches, and how many of them lie on the surface of the walked cube
    // around region (0, 0, 0) (half-width 3).
    int nbBuilt(int* onBorder = nullptr)
    {
        int n = 0, border = 0;
        for (int x = regions.tableMin.x(); x < regions.tableMin.x() + regions.tableRegionSize.x(); x++)
            for (int y = regions.tableMin.y(); y < regions.tableMin.y() + regions.tableRegionSize.y(); y++)
                for (int z = regions.tableMin.z(); z < regions.tableMin.z() + regions.tableRegionSize.z(); z++)
                    if (region(x, y, z).vbo != nullptr) {
                        n++;
                        border += std::abs(x) == 3 || std::abs(y) == 3 || std::abs(z) == 3;
                    }
        if (onBorder != nullptr)
            *onBorder = border;
        return n;
    }
    std::string drawAndCapture(bool outlines = false)
    {
        testing::internal::CaptureStdout();
        regions.draw(outlines);
        return testing::internal::GetCapturedStdout();
    }
    std::string frameAndCapture()
    {
        testing::internal::CaptureStdout();
        frame();
        return testing::internal::GetCapturedStdout();
    }

    WorldTestFolder folder;
    IndexedWorld world{nullptr, nullptr, "empty.dat"};
    WorldIndexator& regions = world.worldIndexator;
};

class RegionFrameAboveWater : public RegionFrame {
protected:
    RegionFrameAboveWater() : RegionFrame(false) {}
};

// A test double of the script host: runs a function per object type.
class Runner : public ObjectRunner {
public:
    std::function<void(CustomObject&)> onManage;
    std::function<void(const CustomObject&)> onDraw;
    int nbDrawn = 0;
    void manage(CustomObject& object) override { onManage(object); }
    void draw(const CustomObject& object) override
    {
        nbDrawn++;
        if (onDraw)
            onDraw(object);
    }
};

CustomObject object(const Float3& position, int type)
{
    CustomObject o;
    o.position = position;
    o.type = type;
    return o;
}

}  // namespace

TEST_F(RegionFrame, DrawsTheInnerCubeAndPreparesOneBorderRegionPerFrame)
{
    // A table reaching region -4 to 4 on every axis, one aggregate at the camera.
    ASSERT_TRUE(regions.addObject(object(Float3(-40.f, -40.f, -40.f), 0)));
    ASSERT_TRUE(regions.addObject(object(Float3(45.f, 45.f, 45.f), 0)));
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 1.f, 1.f), 0));

    EXPECT_EQ(drawAndCapture(), "Loaded 125 regions (1 VBO, 24 vertices)\n");
    int onBorder = 0;
    EXPECT_EQ(nbBuilt(&onBorder), 125);
    EXPECT_EQ(onBorder, 0);
    EXPECT_EQ(drawAndCapture(), "");  // nothing new

    regions.progressiveLoading = true;
    for (int frame = 1; frame <= 3; frame++) {
        EXPECT_EQ(drawAndCapture(), "");
        EXPECT_EQ(nbBuilt(&onBorder), 125 + frame);
        EXPECT_EQ(onBorder, frame);
    }
}

TEST_F(RegionFrame, UpdateFreesWhatLeftTheCubeAndTheTexturesNobodyUses)
{
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 1.f, 1.f), 0));
    drawAndCapture();
    EXPECT_EQ(frameAndCapture(), "");
    EXPECT_TRUE(world.getCubeType(0)->texturesLoaded());

    // The camera goes far away: the region loses its batches, the type its textures.
    viewFrom(Float3(5000.f, 5.f, 5.f));
    std::string out = frameAndCapture();
    EXPECT_NE(out.find("Removed 1 regions\n"), std::string::npos);  // the empty ones are not counted
    EXPECT_NE(out.find("Free unused texture for CubeType ...\n"), std::string::npos);
    EXPECT_NE(out.find(" ... free unused texture done\n"), std::string::npos);
    EXPECT_EQ(nbBuilt(), 0);
    EXPECT_EQ(frameAndCapture(), "");
    EXPECT_EQ(frameAndCapture(), "");
    EXPECT_FALSE(world.getCubeType(0)->texturesLoaded());
}

TEST_F(RegionFrameAboveWater, RegionsBelowZeroAreNotDrawnButOutlined)
{
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(5.f, -5.f, 5.f), 0));
    GLManager::scene3D->camera.setRotation(Float3(-90.f, 0.f, 0.f));  // looking down
    viewFrom(Float3(5.f, 5.f, 5.f));
    auto litPixels = [this](bool outlines) {
        GLManager::clearScreen(0, 0, 0, 255);
        glColor4ub(255, 255, 255, 255);
        drawAndCapture(outlines);
        int n = 0;
        for (int y = 0; y < 600; y += 4)
            for (int x = 0; x < 800; x += 4) {
                ColorBytes c = readBackBufferPixel(x, y);
                n += c.r > 40 || c.g > 40 || c.b > 40;
            }
        return n;
    };
    EXPECT_EQ(litPixels(false), 0);
    EXPECT_EQ(region(0, -1, 0).vbo, nullptr);
    EXPECT_GT(litPixels(true), 0);
    EXPECT_EQ(region(0, -1, 0).vbo, nullptr);
    EXPECT_NE(region(0, 0, 0).vbo, nullptr);

    // With rendering under water the aggregate shows.
    regions.freeAllVBOs();
    folder.write("world.xml", "<c><bool><render_under_water>true</render_under_water></bool></c>");
    deviceManager->config.load(folder.path("world.xml"));
    EXPECT_GT(litPixels(false), 0);
    EXPECT_NE(region(0, -1, 0).vbo, nullptr);
}

TEST_F(RegionFrame, AnObjectMovedByItsScriptChangesRegionAndBothRebuild)
{
    Runner runner;
    runner.onManage = [](CustomObject& o) {
        if (o.type == 1)
            o.position = Float3(5.f, 5.f, 15.f);
    };
    regions.setObjectRunner(&runner);
    ASSERT_TRUE(regions.addObject(object(Float3(5.f, 5.f, 5.f), 1)));
    ASSERT_TRUE(regions.addObject(object(Float3(6.f, 5.f, 5.f), 0)));
    ASSERT_TRUE(regions.addObject(object(Float3(5.f, 5.f, 25.f), 0)));  // the table reaches region z = 2
    drawAndCapture();
    EXPECT_EQ(runner.nbDrawn, 3);
    ASSERT_NE(region(0, 0, 1).vbo, nullptr);

    frame();
    ASSERT_EQ(region(0, 0, 0).objects.size(), 1u);
    EXPECT_EQ(region(0, 0, 0).objects[0].type, 0);
    ASSERT_EQ(region(0, 0, 1).objects.size(), 1u);
    EXPECT_EQ(region(0, 0, 1).objects[0].type, 1);
    EXPECT_EQ(region(0, 0, 0).vbo, nullptr);
    EXPECT_EQ(region(0, 0, 1).vbo, nullptr);
    EXPECT_NE(region(-1, 0, 0).vbo, nullptr);
    EXPECT_NE(region(0, 0, 2).vbo, nullptr);
    EXPECT_EQ(drawAndCapture(), "Loaded 2 regions (0 VBO, 0 vertices)\n");
    regions.setObjectRunner(nullptr);
}

TEST_F(RegionFrame, ObjectsMayRemoveThemselvesAndAddOthersWhileTheyRun)
{
    Runner runner;
    int nbRuns = 0;
    runner.onManage = [&](CustomObject& o) {
        nbRuns++;
        if (o.type == 2) {  // a coin picked up: removes itself and drops a marker
            EXPECT_TRUE(regions.deleteAt(o.position));
            regions.addObject(object(Float3(3.f, 3.f, 3.f), 3));
            o.localVariable1 = 99.f;  // the record it runs on stays valid
        }
    };
    regions.setObjectRunner(&runner);
    ASSERT_TRUE(regions.addObject(object(Float3(1.f, 1.f, 1.f), 0)));
    ASSERT_TRUE(regions.addObject(object(Float3(2.f, 2.f, 2.f), 2)));
    ASSERT_TRUE(regions.addObject(object(Float3(4.f, 4.f, 4.f), 1)));

    frame();
    EXPECT_EQ(nbRuns, 3);
    std::vector<CustomObject>& objects = region(0, 0, 0).objects;
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].type, 0);
    EXPECT_EQ(objects[1].type, 1);
    EXPECT_EQ(objects[2].type, 3);
    regions.setObjectRunner(nullptr);
}

// A draw function that places an object far below the table's minimum grows the table in the
// middle of the drawing walk: the rest of the walk still covers the regions around the camera,
// not the ones that took their table indexes.
TEST_F(RegionFrame, ADrawFunctionThatGrowsTheTableLeavesTheWalkInPlace)
{
    Runner runner;
    runner.onDraw = [&](const CustomObject& o) {
        if (o.type == 5 && regions.tableMin.x() > -6)
            EXPECT_TRUE(regions.addObject(object(Float3(-55.f, 5.f, 5.f), 6)));
    };
    regions.setObjectRunner(&runner);
    ASSERT_TRUE(regions.addObject(object(Float3(5.f, 5.f, 5.f), 5)));
    drawAndCapture();
    ASSERT_EQ(regions.tableMin.x(), -6);
    EXPECT_EQ(runner.nbDrawn, 1);
    for (int x = -6; x <= -3; x++)
        for (int y = -1; y <= 0; y++)
            for (int z = -1; z <= 0; z++)
                EXPECT_EQ(region(x, y, z).vbo, nullptr) << "region " << x << ", " << y << ", " << z;
    regions.setObjectRunner(nullptr);
}
