// Models with a GL context: the model cache (one load per file, use counts, the first
// load's geometry kept, unloading with the last user), material textures with their
// scale in the display list, and the frame stepping and range checks of animated models.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "GLTestWindow.h"
#include "TempDir.h"
#include "image/SpriteManager.h"
#include "model/Animated3DModel.h"
#include "model/ModelCache.h"
#include "model/ObjModel.h"

namespace {

// A unit quad in the XY plane with texture coordinates over the whole texture.
const char* const quadObj =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "f 1/1 2/2 3/3 4/4\n";

// An uncompressed 24-bit TGA of 2 x 2 pixels: left column red, right column blue.
std::string redBlueTga()
{
    std::string tga(18, '\0');
    tga[2] = 2;   // true colour
    tga[12] = 2;  // width
    tga[14] = 2;  // height
    tga[16] = 24;
    for (int row = 0; row < 2; row++)
        tga += std::string("\x00\x00\xff", 3) + std::string("\xff\x00\x00", 3);  // BGR
    return tga;
}

std::string loadLog(const std::string& path, const std::string& kind)
{
    if (kind == "load")
        return "Loading model '" + path + "' ... \n...loading model done\n";
    if (kind == "get")
        return "Getting model '" + path + "'\n";
    if (kind == "unget")
        return "Ungetting model '" + path + "'\n";
    return "Unloading model " + path + " ...\n... unloading model done\n";
}

float maxCoordinate(const ObjModel& model)
{
    float largest = 0.f;
    for (const Float3& vertex : ModelCache::getEntry(model.getCacheIndex()).model->vertices)
        largest = std::max({largest, vertex.x(), vertex.y(), vertex.z()});
    return largest;
}

}  // namespace

TEST(ModelCache, OneLoadPerFileAndOneUnloadForTheLastUser)
{
    openGLTestWindow();
    TempDir dir;
    const std::string path = dir.write("quad.obj", quadObj);
    ::testing::internal::CaptureStderr();  // the reader's warnings: no normals file, no materials
    ::testing::internal::CaptureStdout();
    ObjModel* first = new ObjModel(path, 1.f, 0.f);
    ObjModel* second = new ObjModel(path, 0.3f, 0.f);  // the first load's geometry is kept
    EXPECT_EQ(first->getCacheIndex(), second->getCacheIndex());
    EXPECT_FLOAT_EQ(maxCoordinate(*second), 1.f);
    const ModelCache::Entry& entry = ModelCache::getEntry(first->getCacheIndex());
    EXPECT_EQ(entry.nbUses, 2);
    EXPECT_TRUE(glIsList(entry.displayList));
    const unsigned int displayList = entry.displayList;
    const int unloaded = first->getCacheIndex();
    delete first;
    delete second;
    EXPECT_FALSE(glIsList(displayList));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              loadLog(path, "load") + loadLog(path, "get") + loadLog(path, "unget") + loadLog(path, "unload"));
    ::testing::internal::GetCapturedStderr();

    // Unloaded, the entry keeps its place with an empty name; a new request loads anew.
    EXPECT_EQ(ModelCache::getEntry(unloaded).name, "");
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    ObjModel* scaled = new ObjModel(path, 0.5f, 0.f);
    EXPECT_EQ(scaled->getCacheIndex(), ModelCache::getNbEntries() - 1);
    EXPECT_GT(scaled->getCacheIndex(), unloaded);
    EXPECT_FLOAT_EQ(maxCoordinate(*scaled), 0.5f);
    delete scaled;
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), loadLog(path, "load") + loadLog(path, "unload"));
    ::testing::internal::GetCapturedStderr();
}

TEST(ModelCache, MaterialTextureIsDrawnWithItsScale)
{
    openGLTestWindow();
    TempDir dir;
    dir.write("models/red_blue.tga", redBlueTga());
    dir.write("models/plain.mtl", "newmtl m\nmap_Kd red_blue.tga\n");
    dir.write("models/tiled.mtl", "newmtl m\nmap_Kd -s 2 2 1 red_blue.tga\n");
    const std::string plainPath = dir.write("models/plain.obj", std::string("mtllib plain.mtl\nusemtl m\n") + quadObj);
    const std::string tiledPath = dir.write("models/tiled.obj", std::string("mtllib tiled.mtl\nusemtl m\n") + quadObj);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);

    struct Case {
        const std::string& path;
        bool sameColourAtOneEighthAndFiveEighths;
    };
    for (const Case& c : {Case{plainPath, false}, Case{tiledPath, true}}) {
        SCOPED_TRACE(c.path);
        ::testing::internal::CaptureStdout();
        {
            ObjModel model(c.path, 1.f, 0.f);
            EXPECT_EQ(SpriteManager::getNbUsers(dir.file("models/red_blue.tga")), 1);
            GLManager::clearScreen(0, 0, 0, 255);
            model.draw();
            glFinish();
        }
        ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(SpriteManager::getNbUsers(dir.file("models/red_blue.tga")), 0);
        // Without scale: red on the left half, blue on the right (blended near the texel
        // edges). Scaled by 2 the texture repeats: the points at 1/8 and 5/8 of the width
        // both show mostly red.
        ColorBytes left = readBackBufferPixel(100, 300);
        ColorBytes right = readBackBufferPixel(500, 300);
        EXPECT_GT(left.r, left.b + 100);
        EXPECT_EQ(right.r > right.b + 100, c.sameColourAtOneEighthAndFiveEighths)
            << "right pixel " << (int)right.r << "," << (int)right.g << "," << (int)right.b;
    }
    glEnable(GL_CULL_FACE);
}

namespace {

// An animated model of nbFrames frames (each its own file, sharing the cache).
struct FrameFiles {
    TempDir dir;
    std::vector<std::string> names;
    explicit FrameFiles(int nbFrames)
    {
        for (int i = 0; i < nbFrames; i++)
            names.push_back(dir.write("frame" + std::to_string(i) + ".obj", quadObj));
    }
};

Animated3DModel* quietModel(const std::vector<std::string>& names)
{
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    Animated3DModel* model = new Animated3DModel(names, 1.f);
    ::testing::internal::GetCapturedStderr();
    ::testing::internal::GetCapturedStdout();
    return model;
}

void quietDelete(Animated3DModel* model)
{
    ::testing::internal::CaptureStdout();
    delete model;
    ::testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(AnimatedModel, FrameStepping)
{
    openGLTestWindow();
    FrameFiles files(5);
    Animated3DModel* model = quietModel(files.names);
    EXPECT_EQ(model->idFrameMax, 4);
    EXPECT_EQ(model->frameDuration, 500);

    // Counting down from frame 0 in the range 0..2 wraps to 2; at most one change a step,
    // and none until the clock passes the due time.
    model->setAnimationRange(0, 2);
    model->stepAnimation(1000);
    EXPECT_EQ(model->currentFrame, 2);
    EXPECT_EQ(model->nextFrameTime, 1500);
    model->stepAnimation(1500);
    EXPECT_EQ(model->currentFrame, 2);
    model->stepAnimation(100000);
    EXPECT_EQ(model->currentFrame, 1);

    model->countUp = true;
    model->currentFrame = 2;
    model->stepAnimation(200000);
    EXPECT_EQ(model->currentFrame, 0);

    model->isPlaying = false;
    model->stepAnimation(300000);
    EXPECT_EQ(model->currentFrame, 0);

    // A frame duration of 0 changes frame whenever the clock has moved on.
    model->isPlaying = true;
    model->frameDuration = 0;
    model->stepAnimation(300001);
    model->stepAnimation(300001);
    EXPECT_EQ(model->currentFrame, 1);
    model->stepAnimation(300002);
    EXPECT_EQ(model->currentFrame, 2);

    // A new range moves a frame outside it to its first frame.
    model->setAnimationRange(3, 4);
    EXPECT_EQ(model->currentFrame, 3);
    model->setAnimationRange(2, 4);
    EXPECT_EQ(model->currentFrame, 3);

    // A second model of the same files shares their geometry but counts its own frames.
    Animated3DModel* twin = quietModel(files.names);
    EXPECT_EQ(twin->frames[3]->getCacheIndex(), model->frames[3]->getCacheIndex());
    EXPECT_EQ(ModelCache::getEntry(model->frames[3]->getCacheIndex()).nbUses, 2);
    EXPECT_EQ(twin->currentFrame, 0);
    Float3 hit;
    twin->currentFrame = 1;
    EXPECT_TRUE(twin->collide(Float3(0.5f, 0.5f, 1.f), Float3(0.5f, 0.5f, -1.f), hit));
    EXPECT_EQ(hit, Float3(0.5f, 0.5f, 0.f));
    quietDelete(twin);
    EXPECT_EQ(ModelCache::getEntry(model->frames[3]->getCacheIndex()).nbUses, 1);
    quietDelete(model);
}

TEST(AnimatedModelDeathTest, RangeChecks)
{
    struct Case {
        int nbFrames, idFrameMin, idFrameMax;
        const char* condition;
    };
    const Case cases[] = {
        {1, 0, 0, "idFrameMin < idFrameMax && idFrameMin >= 0"},  // a single frame has no valid range
        {5, 2, 2, "idFrameMin < idFrameMax && idFrameMin >= 0"},
        {5, -1, 2, "idFrameMin < idFrameMax && idFrameMin >= 0"},
        {5, 3, 5, "idFrameMax < frames.size\\(\\)"},
        {3, 0, 3, "idFrameMax < frames.size\\(\\)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nbFrames) + " frames, " + std::to_string(c.idFrameMin) + ".." +
                     std::to_string(c.idFrameMax));
        EXPECT_EXIT(
            {
                openGLTestWindow();
                FrameFiles files(c.nbFrames);
                quietModel(files.names)->setAnimationRange(c.idFrameMin, c.idFrameMax);
            },
            ::testing::ExitedWithCode(1), std::string("Animated3DModel.cpp\n(.|\n)*Condition: ") + c.condition + "\n");
    }
}
