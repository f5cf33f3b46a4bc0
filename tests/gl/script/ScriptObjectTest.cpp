// Script objects run by a real script over a real region index: the type usage table, load,
// manage, draw and unload through the "%s_%d" names, the current object and its distance
// to the player, objects that move into another region, and the editor's marker box.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <vector>

#include "GLTestWindow.h"
#include "ScriptTestSupport.h"
#include "../world/WorldTestFolder.h"
#include "gl/Scene3D.h"
#include "script/LuaFuncs.h"
#include "world/CustomObject.h"
#include "world/IndexedWorld.h"

namespace {

// Types 2 and 3 count their calls in global variables; type 2 records, per manage call n,
// the current object's x ("x<n>") and its distance to the player ("d<n>"), and counts its
// runs in the object's first local variable; type 3 moves its object 10 along x once.
const char* const objectScript =
    "function lua_load_2() addToGlobalVar('load2', 1) end\n"
    "function lua_manage_2()\n"
    "  local n = addToGlobalVar('manage2', 1)\n"
    "  local x, y, z = getCurrentObjectPosition()\n"
    "  setGlobalVar('x' .. n, x)\n"
    "  setGlobalVar('d' .. n, getDistanceToPlayer())\n"
    "  setObjectLocalVariable1(getObjectLocalVariable1() + 1)\n"
    "end\n"
    "function lua_draw_2() addToGlobalVar('draw2', 1) end\n"
    "function lua_unload_2() addToGlobalVar('unload2', 1) end\n"
    "function lua_load_3() end\n"
    "function lua_manage_3()\n"
    "  if getObjectLocalVariable2() == 0 then\n"
    "    local x, y, z = getCurrentObjectPosition()\n"
    "    setCurrentObjectPosition(x + 10, y, z)\n"
    "    setObjectLocalVariable2(1)\n"
    "  end\n"
    "end\n"
    "function lua_draw_3() end\n"
    "function lua_unload_3() addToGlobalVar('unload3', 1) end\n"
    "function lua_load_7() addToGlobalVar('load7', 1) end\n"
    "function lua_manage_7() end\n"
    "function lua_draw_7() end\n"
    "function lua_unload_7() addToGlobalVar('unload7', 1) end\n";

class ScriptObjects : public ::testing::Test {
protected:
    ScriptObjects()
    {
        CustomObject::customObjectIsUsed.clear();
        CustomObject::playerPosition = Float3(2.f, 5.f, 9.f);
        CustomObject::showEditorMarker = false;
        currentObject = nullptr;
        regions.setObjectRunner(CustomObject::runner());
        regions.viewDistance = 25.f;
        regions.progressiveLoading = false;
        viewFrom(Float3(5.f, 5.f, 5.f));
        run.start(std::string(emptyEntryFunctions) + objectScript);
    }
    ~ScriptObjects() override
    {
        run.manager.stopScript();
        CustomObject::showEditorMarker = false;
        GLManager::scene3D->camera.setRotation(Float3(0.f, 0.f, 0.f));
    }

    void viewFrom(const Float3& position)
    {
        GLManager::scene3D->camera.position = position;
        GLManager::scene3D->setupProjection3D();
    }
    // The objects' part of the World's update.
    void frame()
    {
        CustomObject::startFrame();
        world.cubeTypeManager.clearCubeTypeUsage();
        regions.update();
        world.cubeTypeManager.freeUnusedCubeTypeTextures();
        CustomObject::unloadUnused();
    }
    void add(const Float3& position, int type) { world.addObject(position, type); }
    int var(const std::string& name) { return LuaFuncs::getGlobalVar(name); }
    WorldRegion& region(int x, int y, int z) { return *regions.getRegion(Int3(x, y, z) - regions.tableMin); }

    WorldTestFolder folder;
    IndexedWorld world{nullptr, nullptr, "empty.dat"};
    WorldIndexator& regions = world.worldIndexator;
    ScriptRun run;
};

// Whether any pixel of the back buffer's middle row is not black.
bool middleRowLit()
{
    std::vector<unsigned char> row(GLManager::windowSize.x() * 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, GLManager::windowSize.y() / 2, GLManager::windowSize.x(), 1, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
    for (size_t i = 0; i < row.size(); i += 4)
        if (row[i] > 0 || row[i + 1] > 0 || row[i + 2] > 0)
            return true;
    return false;
}

}  // namespace

TEST_F(ScriptObjects, TwoObjectsOfOneTypeLoadItOnceAndRunEachFrameAsTheCurrentObject)
{
    add(Float3(2.f, 5.f, 5.f), 2);
    add(Float3(7.f, 5.f, 5.f), 2);

    frame();
    EXPECT_EQ(var("load2"), 1);
    EXPECT_EQ(var("manage2"), 2);
    EXPECT_EQ(var("x1"), 2);
    EXPECT_EQ(var("x2"), 7);
    EXPECT_EQ(var("d1"), 4);  // (2, 5, 5) to the player at (2, 5, 9)
    EXPECT_EQ(var("d2"), 6);  // sqrt(41), truncated by setGlobalVar
    EXPECT_EQ(CustomObject::customObjectIsUsed[2], CUSTOM_OBJECT_RUN);

    frame();
    EXPECT_EQ(var("load2"), 1);
    EXPECT_EQ(var("manage2"), 4);
    // Each object kept its own count in its record.
    ASSERT_EQ(region(0, 0, 0).objects.size(), 2u);
    for (const CustomObject& object : region(0, 0, 0).objects)
        EXPECT_EQ(object.localVariable1, 2.f);

    // Drawing runs the draw function once per object and leaves the current object alone:
    // the one run last, readable after the update.
    regions.draw(false);
    EXPECT_EQ(var("draw2"), 2);
    ASSERT_NE(currentObject, nullptr);
    EXPECT_EQ(currentObject->position, Float3(7.f, 5.f, 5.f));
    EXPECT_EQ(var("unload2"), 0);
}

TEST_F(ScriptObjects, ATypeIsUnloadedAfterAFrameWithoutRunsAndLoadedAgainWhenOneComesBack)
{
    add(Float3(2.f, 5.f, 5.f), 2);
    add(Float3(7.f, 5.f, 5.f), 2);
    frame();

    viewFrom(Float3(5000.f, 5.f, 5.f));  // no object's region is live any more
    frame();
    EXPECT_EQ(var("unload2"), 1);
    EXPECT_EQ(CustomObject::customObjectIsUsed[2], CUSTOM_OBJECT_NOT_LOADED);
    frame();
    EXPECT_EQ(var("unload2"), 1);

    viewFrom(Float3(5.f, 5.f, 5.f));
    frame();
    EXPECT_EQ(var("load2"), 2);
    EXPECT_EQ(var("manage2"), 4);

    // Stopping the script unloads what is loaded.
    run.manager.stopScript();
    EXPECT_EQ(CustomObject::customObjectIsUsed[2], CUSTOM_OBJECT_NOT_LOADED);
}

TEST_F(ScriptObjects, TypeSevenFirstGrowsTheTableToEightAndOnlyItIsEverUnloaded)
{
    add(Float3(2.f, 5.f, 5.f), 7);
    frame();
    ASSERT_EQ(CustomObject::customObjectIsUsed.size(), 8u);
    for (int type = 0; type < 7; type++)
        EXPECT_EQ(CustomObject::customObjectIsUsed[type], CUSTOM_OBJECT_NOT_LOADED) << type;
    EXPECT_EQ(CustomObject::customObjectIsUsed[7], CUSTOM_OBJECT_RUN);
    EXPECT_EQ(var("load7"), 1);

    // The script defines no function for types 0 to 6: calling one would end the test in a
    // fatal report. The stop unloads type 7 alone (after "lua_onUninitGame").
    testing::internal::CaptureStdout();
    run.manager.stopScript();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(CustomObject::customObjectIsUsed[7], CUSTOM_OBJECT_NOT_LOADED);
}

TEST_F(ScriptObjects, AnObjectMovedByItsScriptLandsInItsNewRegionWithItsVariables)
{
    add(Float3(2.f, 5.f, 5.f), 3);
    frame();
    EXPECT_TRUE(region(0, 0, 0).objects.empty());
    ASSERT_EQ(region(1, 0, 0).objects.size(), 1u);
    const CustomObject& moved = region(1, 0, 0).objects[0];
    EXPECT_EQ(moved.position, Float3(12.f, 5.f, 5.f));
    EXPECT_EQ(moved.localVariable2, 1.f);

    frame();  // it moves once only
    ASSERT_EQ(region(1, 0, 0).objects.size(), 1u);
    EXPECT_EQ(region(1, 0, 0).objects[0].position, Float3(12.f, 5.f, 5.f));
}

TEST_F(ScriptObjects, InEditorModeEveryObjectShowsItsMarkerBox)
{
    CustomObject object;
    object.position = Float3(2.f, 5.f, 5.f);
    object.type = 3;  // draws nothing itself
    GLManager::scene3D->placeCamera(object.position, 20.f);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);

    for (bool marker : {false, true}) {
        CustomObject::showEditorMarker = marker;
        GLManager::clearScreen(0, 0, 0, 255);
        glColor4ub(255, 255, 255, 255);
        CustomObject::draw(object);
        EXPECT_EQ(middleRowLit(), marker) << "marker " << marker;
    }
    // Drawing loaded the type but ran nothing: a frame without runs unloads it.
    EXPECT_EQ(CustomObject::customObjectIsUsed[3], CUSTOM_OBJECT_LOADED);
    frame();
    EXPECT_EQ(var("unload3"), 1);
}
