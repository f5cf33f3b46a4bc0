// The indexed world with real cube types and textures: the world file's round trip and its
// special fields, saving, the cube type list and its face textures, aggregate geometry in
// real batches, and the collision questions.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <dirent.h>
#include <sys/resource.h>

#include "WorldTestFolder.h"
#include "gl/VBOBatchSet.h"
#include "image/SpriteManager.h"
#include "world/IndexedWorld.h"
#include "world/WorldFileWriter.h"

namespace {

int countOccurrences(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        n++;
    return n;
}

// Quads of a texture in a batch set (its batch is made empty when missing).
int nbQuads(VBOBatchSet& set, unsigned int texture)
{
    return (int)set.batch(texture).verticesQuadVect.size() / 4;
}

WorldRegion& regionAt(IndexedWorld& world, const Float3& p)
{
    return *world.worldIndexator.getRegion(world.worldIndexator.regionIndexOfPoint(p));
}

// The first aggregate of the region of p.
CubeZone& zoneAt(IndexedWorld& world, const Float3& p)
{
    return regionAt(world, p).cubeZones.at(0);
}

// Builds a region's batches the way drawing does, without uploading.
VBOBatchSet* fill(IndexedWorld& world, const Float3& inRegion)
{
    VBOBatchSet* set = new VBOBatchSet();
    regionAt(world, inRegion).fillBatches(*set, world.cubeTypeManager, 1.f);
    return set;
}

}  // namespace

TEST(IndexedWorld, WrittenLoadedAndSavedAgainIsIdenticalByteForByte)
{
    WorldTestFolder folder;
    std::string first;
    {
        IndexedWorld world(nullptr, nullptr, "empty.dat");
        world.addCubeType(WorldTestFolder::type("a.png"));
        CubeTypeDescription glass = WorldTestFolder::type("b.png", false);
        glass.stretchTexture = 0;
        glass.randomTexCoords = 0;
        world.addCubeType(glass);
        ASSERT_TRUE(world.addCubeZone(Float3(4.f, 1.f, 2.f), Float3(2.f, 0.5f, 1.f), 0));
        ASSERT_TRUE(world.addCubeZone(Float3(1.f, 1.f, 1.f), Float3(-14.5f, 3.5f, 20.5f), 1));
        world.addObject(Float3(7.f, -3.f, 2.f), 4);
        CubeZone& shaded = zoneAt(world, Float3(2.f, 0.5f, 1.f));
        shaded.shadowTriangles[SHADOW_FACE_POS_Y] = {Float3(-2.f, 0.5f, -1.f), Float3(2.f, 0.5f, -1.f), Float3(2.f, 0.5f, 1.f)};
        shaded.faceInShadow[SHADOW_FACE_NEG_X] = true;
        shaded.reserved = 77;
        ASSERT_TRUE(world.saveWorld("first.dat"));
        first = folder.read("first.dat");
    }
    IndexedWorld world(nullptr, nullptr, "first.dat");
    EXPECT_EQ(world.getNbCubeType(), 2);
    EXPECT_EQ(world.worldIndexator.tableMin, Int3(-2, -1, -1));
    ASSERT_TRUE(world.saveWorld("second.dat"));
    EXPECT_EQ(folder.read("second.dat"), first);
}

TEST(IndexedWorld, FaceInShadowIsSavedAsMinusOneAndLosesItsTriangles)
{
    WorldTestFolder folder;
    IndexedWorld world(nullptr, nullptr, "empty.dat");
    world.addCubeType(WorldTestFolder::type("a.png"));
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 1.f, 1.f), 0));
    CubeZone& zone = zoneAt(world, Float3(1.f, 1.f, 1.f));
    zone.faceInShadow[SHADOW_FACE_NEG_Y] = true;
    zone.shadowTriangles[SHADOW_FACE_NEG_Y] = {Float3(0.f, -1.f, 0.f), Float3(1.f, -1.f, 0.f), Float3(0.f, -1.f, 1.f)};
    ASSERT_TRUE(world.saveWorld("shadow.dat"));

    // The six face entries follow position, size, id and reserved: 0, 0, -1, 0, 0, 0.
    std::string bytes = folder.read("shadow.dat");
    int32_t entries[6];
    size_t at = bytes.find(std::string("\0\0\x80\x3f\0\0\x80\x3f\0\0\x80\x3f", 12));  // position (1, 1, 1)
    ASSERT_NE(at, std::string::npos);
    at += 12 + 12 + 8;
    std::memcpy(entries, bytes.data() + at, sizeof entries);
    EXPECT_EQ(entries[SHADOW_FACE_NEG_Y], -1);
    EXPECT_EQ(entries[SHADOW_FACE_POS_X], 0);

    world.loadWorld("shadow.dat");
    const CubeZone& loaded = zoneAt(world, Float3(1.f, 1.f, 1.f));
    EXPECT_TRUE(loaded.faceInShadow[SHADOW_FACE_NEG_Y]);
    EXPECT_TRUE(loaded.shadowTriangles[SHADOW_FACE_NEG_Y].empty());
}

TEST(IndexedWorld, OptionBytesAreReadAsZeroOrOne)
{
    WorldTestFolder folder;
    WorldFileWriter out;
    out.writeBytes("WORLD");
    out.writeInt(1);
    out.writeInt(1);
    for (int face = 0; face < 6; face++) {
        out.writeInt(5);
        out.writeBytes("a.png");
    }
    for (uint8_t option : {5, 0, 7, 2})
        out.writeByte(option);
    std::string empty = folder.read("empty.dat");
    out.writeBytes(empty.substr(13));
    folder.write("options.dat", out.bytes());

    IndexedWorld world(nullptr, nullptr, "options.dat");
    CubeType* type = world.getCubeType(0);
    EXPECT_EQ(type->stretchTexture, 1);
    EXPECT_EQ(type->divideTexCoordsBy8, 0);
    EXPECT_EQ(type->randomTexCoords, 1);
    EXPECT_TRUE(type->collidable);
    ASSERT_TRUE(world.saveWorld("saved.dat"));
    std::string saved = folder.read("saved.dat");
    EXPECT_EQ(saved.substr(13 + 6 * 9, 4), std::string("\x01\x00\x01\x01", 4));
}

TEST(IndexedWorld, FailedSaveIsReportedAndKeepsTheOldFile)
{
    WorldTestFolder folder;
    IndexedWorld world(nullptr, nullptr, "empty.dat");
    ASSERT_TRUE(world.saveWorld("world.dat"));
    std::string before = folder.read("world.dat");
    world.addCubeType(WorldTestFolder::type("a.png"));
    for (int i = 0; i < 100; i++)
        ASSERT_TRUE(world.addCubeZone(Float3(1.f, 1.f, 1.f), Float3(0.5f + (float)(i % 10), 0.5f, 0.5f + (float)(i / 10)), 0));

    // The disk fills up: no file may grow beyond the old one's size.
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = before.size() + 10;
    void (*previousHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    testing::internal::CaptureStderr();
    bool saved1 = world.saveWorld("world.dat");
    std::string errors = testing::internal::GetCapturedStderr();
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved1);
    EXPECT_NE(errors.find("ERROR : The world could not be saved to 'world.dat'"), std::string::npos);
    EXPECT_EQ(folder.read("world.dat"), before);
    DIR* dir = opendir(".");
    for (struct dirent* entry = readdir(dir); entry != nullptr; entry = readdir(dir))
        EXPECT_EQ(std::string(entry->d_name).find(".tmp-"), std::string::npos) << entry->d_name;
    closedir(dir);

    // A folder that does not exist: reported the same way.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(world.saveWorld("no such folder/world.dat"));
    errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("ERROR : The world could not be saved to 'no such folder/world.dat'"), std::string::npos);
}

TEST(IndexedWorld, CubeTypeListLinesAndRefusedRemoval)
{
    WorldTestFolder folder;
    IndexedWorld world(nullptr, nullptr, "empty.dat");
    testing::internal::CaptureStdout();
    EXPECT_EQ(world.addCubeType(WorldTestFolder::type("a.png")), 0);
    EXPECT_EQ(world.addCubeType(WorldTestFolder::type("b.png", false)), 1);
    ASSERT_TRUE(world.addCubeZone(Float3(1.f, 1.f, 1.f), Float3(0.5f, 0.5f, 0.5f), 1));
    EXPECT_FALSE(world.addCubeZone(Float3(1.f, 1.f, 1.f), Float3(0.5f, 0.5f, 0.5f), 2));  // no such type
    EXPECT_FALSE(world.removeLastCubeType());
    EXPECT_EQ(world.getNbCubeType(), 2);
    ASSERT_TRUE(world.worldIndexator.deleteAt(Float3(0.5f, 0.5f, 0.5f)));
    EXPECT_TRUE(world.removeLastCubeType());
    EXPECT_TRUE(world.removeLastCubeType());
    EXPECT_FALSE(world.removeLastCubeType());
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Add cube type with a.png, etc. and collidable = 1\n"), std::string::npos);
    EXPECT_NE(out.find("Add cube type with b.png, etc. and collidable = 0\n"), std::string::npos);
    EXPECT_NE(out.find("The last cube type is not removed: 1 cube aggregates still use it\n"), std::string::npos);
}

TEST(IndexedWorld, FaceTexturesLoadOnceAndAreFreedOnceWhenUnused)
{
    WorldTestFolder folder;
    IndexedWorld world(nullptr, nullptr, "empty.dat");
    world.addCubeType(WorldTestFolder::type("a.png"));
    CubeType* type = world.getCubeType(0);
    EXPECT_FALSE(type->texturesLoaded());
    testing::internal::CaptureStdout();
    type->freeTextures();  // nothing loaded: no line
    type->loadTextures();
    type->loadTextures();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("Free unused texture"), std::string::npos);
    EXPECT_EQ(countOccurrences(out, "Loading image 'cube_textures/a.png'"), 1);
    EXPECT_EQ(countOccurrences(out, "Loading image 'cube_shadowed_textures/a.png'"), 1);
    EXPECT_EQ(SpriteManager::getNbUsers("cube_textures/a.png"), 6);
    EXPECT_EQ(SpriteManager::getNbUsers("cube_shadowed_textures/a.png"), 6);

    // A frame in which nothing looks the type up frees it; later frames say nothing.
    testing::internal::CaptureStdout();
    for (int frame = 0; frame < 3; frame++) {
        world.cubeTypeManager.clearCubeTypeUsage();
        world.cubeTypeManager.freeUnusedCubeTypeTextures();
    }
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(countOccurrences(out, "Free unused texture for CubeType ...\n"), 1);
    EXPECT_EQ(countOccurrences(out, "\n ... free unused texture done\n"), 1);
    EXPECT_EQ(out.find("Free unused texture"), 0u);
    EXPECT_EQ(SpriteManager::getNbUsers("cube_textures/a.png"), 0);

    // Shown in the editor: kept.
    type->loadTextures();
    type->displayedInEditor = true;
    world.cubeTypeManager.clearCubeTypeUsage();
    world.cubeTypeManager.freeUnusedCubeTypeTextures();
    EXPECT_TRUE(type->texturesLoaded());
}

TEST(IndexedWorld, TouchingFacesAreHiddenWithinARegionButNotAcrossRegions)
{
    WorldTestFolder folder;
    IndexedWorld world(nullptr, nullptr, "empty.dat");
    world.addCubeType(WorldTestFolder::type("a.png"));
    // Inside region (0, 0, 0): two 2-cube blocks side by side along x.
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(3.f, 1.f, 1.f), 0));
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(5.f, 1.f, 1.f), 0));
    // Across the boundary x = 10: one block on each side.
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(9.f, 5.f, 5.f), 0));
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(11.f, 5.f, 5.f), 0));
    unsigned int texture = world.getCubeType(0)->faceTexture(CUBE_FACE_TOP, false);

    VBOBatchSet* inside = fill(world, Float3(1.f, 1.f, 1.f));
    EXPECT_EQ(nbQuads(*inside, texture), 3 * 6 - 2);
    delete inside;
    VBOBatchSet* right = fill(world, Float3(11.f, 5.f, 5.f));
    EXPECT_EQ(nbQuads(*right, texture), 6);
    delete right;
}

TEST(IndexedWorld, ShadowOverlayIsDrawnLastAndFollowsTheSwitch)
{
    WorldTestFolder folder;
    IndexedWorld world(nullptr, nullptr, "empty.dat");
    world.addCubeType(WorldTestFolder::type("a.png"));
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 1.f, 1.f), 0));
    CubeZone& zone = zoneAt(world, Float3(1.f, 1.f, 1.f));
    zone.shadowTriangles[SHADOW_FACE_POS_Y] = {Float3(-1.f, 1.f, -1.f), Float3(1.f, 1.f, -1.f), Float3(-1.f, 1.f, 1.f)};
    zone.faceInShadow[SHADOW_FACE_NEG_X] = true;
    CubeType* type = world.getCubeType(0);
    unsigned int overlay = type->shadowTexture();

    VBOBatchSet* set = fill(world, Float3(1.f, 1.f, 1.f));
    TextureBatch& shadows = set->batch(overlay);
    EXPECT_TRUE(shadows.drawLast);
    ASSERT_EQ(shadows.verticesTriVect.size(), 3u);
    EXPECT_EQ(shadows.verticesTriVect[0], Float3(0.f, 2.1f, 0.f));
    EXPECT_EQ(nbQuads(*set, type->faceTexture(CUBE_FACE_LEFT, true)), 1);  // the -X face in shadow
    EXPECT_EQ(nbQuads(*set, type->faceTexture(CUBE_FACE_TOP, false)), 5);
    delete set;

    CubeZone::displayShadows = false;
    set = fill(world, Float3(1.f, 1.f, 1.f));
    EXPECT_TRUE(set->batch(overlay).verticesTriVect.empty());
    EXPECT_FALSE(set->batch(overlay).drawLast);
    delete set;
    CubeZone::displayShadows = true;
}

TEST(IndexedWorld, CollisionQuestions)
{
    WorldTestFolder folder;
    IndexedWorld world(nullptr, nullptr, "empty.dat");
    world.addCubeType(WorldTestFolder::type("a.png"));
    world.addCubeType(WorldTestFolder::type("b.png", false));
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(5.f, 5.f, 5.f), 0));
    ASSERT_TRUE(world.addCubeZone(Float3(2.f, 2.f, 2.f), Float3(-5.f, 5.f, 5.f), 1));
    WorldIndexator& regions = world.worldIndexator;
    CubeTypeList& types = world.cubeTypeManager;
    const CubeZone& solid = zoneAt(world, Float3(5.f, 5.f, 5.f));

    EXPECT_TRUE(solid.containsPoint(Float3(4.f, 4.f, 4.f), types));
    EXPECT_TRUE(solid.containsPoint(Float3(6.f, 6.f, 6.f), types));
    EXPECT_FALSE(solid.containsPoint(Float3(6.001f, 6.f, 6.f), types));
    EXPECT_TRUE(regions.containsPoint(Float3(5.f, 5.f, 5.f)));
    EXPECT_FALSE(regions.containsPoint(Float3(-5.f, 5.f, 5.f)));  // not collidable

    Float3 hit(0.f, 0.f, 0.f);
    EXPECT_FALSE(solid.segmentHit(Float3(20.f, 5.f, 5.f), Float3(0.f, 5.f, 5.f), hit, types));  // toward -X
    ASSERT_TRUE(solid.segmentHit(Float3(0.f, 5.f, 5.f), Float3(1.f, 5.f, 5.f), hit, types));  // beyond B
    EXPECT_EQ(hit, Float3(4.f, 5.f, 5.f));
    // Walks that pass the box, or start past it, stop and report nothing.
    EXPECT_FALSE(solid.segmentHit(Float3(0.f, 20.f, 5.f), Float3(1.f, 20.f, 5.f), hit, types));
    EXPECT_FALSE(solid.segmentHit(Float3(7.f, 5.f, 5.f), Float3(8.f, 5.f, 5.f), hit, types));
    EXPECT_FALSE(solid.segmentHit(Float3(0.f, 0.f, 5.f), Float3(1.f, -1.f, 5.f), hit, types));
}
