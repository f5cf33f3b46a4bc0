// The demo's asset tool: it runs into a temporary folder, and what it writes is read back
// with the engine's own readers (image loader, glyph scan, OBJ reader) and a WAV reader.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>

#include "AudioFixture.h"
#include "CubeTextures.h"
#include "DemoWorld.h"
#include "DemoAssets.h"
#include "MenuPictures.h"
#include "SkyPictures.h"
#include "TempDir.h"
#include "core/FileManager.h"
#include "image/Font.h"
#include "image/ImageLoader.h"
#include "model/ObjMesh.h"
#include "model/ObjReader.h"
#include "world/IndexedWorld.h"
#include "world/WorldFileReader.h"
#include "world/WorldRegion.h"

namespace {

struct Picture {
    std::unique_ptr<unsigned char[]> pixels;
    int width = 0, height = 0;
    bool isAlpha = false;

    int channels() const { return isAlpha ? 4 : 3; }
    const unsigned char* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels()]; }
};

class DemoAssetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new TempDir;
        assetgen::DemoAssets::Settings settings;
        settings.outputFolder = folder->path();
        written = assetgen::DemoAssets::generate(settings);
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    static Picture load(const std::string& name)
    {
        Picture p;
        p.pixels.reset(ImageLoader::loadImage(folder->file(name), p.width, p.height, p.isAlpha, false));
        return p;
    }

    static TempDir* folder;
    static std::vector<std::string> written;
};

TempDir* DemoAssetsTest::folder = nullptr;
std::vector<std::string> DemoAssetsTest::written;

struct PictureCase {
    std::string name;
    int width, height;
    bool isAlpha;
};

TEST_F(DemoAssetsTest, PicturesDecodeWithTheEngineLoaderAtPowerOfTwoSizes)
{
    std::vector<PictureCase> cases = {
        {"black_semi_transparent.png", 8, 8, true}, {"water.png", 128, 128, true},
        {"water_sub.png", 128, 128, true},          {"loading.png", 512, 256, true},
        {"menus/main_menu.png", 512, 512, true},    {"menus/options_menu.png", 512, 512, true},
        {"menus/menu_mouse.png", 32, 32, true},     {"menus/editor_box.png", 512, 512, true},
        {"default_font.png", 2048, 32, true},       {"whiteTexture.png", 8, 8, false},
        {"world_heightmap.png", 256, 256, false},   {"obj_player/player.png", 64, 64, false},
        {"models/palette.png", 128, 128, false},    {"pictures/title.png", 1024, 512, false},
        {"pictures/gem_icon.png", 32, 32, true},
    };
    for (const char* face : assetgen::SkyPictures::faceNames)
        cases.push_back({std::string("skybox/") + face, 512, 512, false});
    for (const std::string& texture : assetgen::CubeTextures::names()) {
        cases.push_back({"cube_textures/" + texture, 128, 128, false});
        cases.push_back({"cube_shadowed_textures/" + texture, 128, 128, false});
    }
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.name);
        Picture p = load(c.name);
        EXPECT_EQ(p.width, c.width);
        EXPECT_EQ(p.height, c.height);
        EXPECT_EQ(p.isAlpha, c.isAlpha);
    }
}

TEST_F(DemoAssetsTest, ShadowedFacesAreDarkerThanLitOnes)
{
    for (const std::string& texture : assetgen::CubeTextures::names()) {
        SCOPED_TRACE(texture);
        Picture lit = load("cube_textures/" + texture), dark = load("cube_shadowed_textures/" + texture);
        long litSum = 0, darkSum = 0;
        for (int i = 0; i < lit.width * lit.height * 3; i++) {
            litSum += lit.pixels[i];
            darkSum += dark.pixels[i];
        }
        EXPECT_LT(darkSum, litSum * 7 / 10);
    }
}

TEST_F(DemoAssetsTest, FontHasEveryGlyphAndNoQuadReachesItsNeighbour)
{
    Picture font = load("default_font.png");
    ASSERT_TRUE(font.isAlpha);
    int starts[256], widths[256];
    for (int i = 0; i < 256; i++) starts[i] = widths[i] = -1;
    Font::scanGlyphs(font.pixels.get(), font.width, font.height, starts, widths);
    auto coloured = [&](int x) {
        for (int y = 0; y < font.height; y++)
            if (font.at(x, y)[3]) return true;
        return false;
    };
    for (int c = 33; c <= 126; c++) {
        SCOPED_TRACE(std::string(1, char(c)));
        ASSERT_NE(starts[c], -1);
        EXPECT_GE(widths[c], 5);
        // The quad drawn for a glyph covers columns start .. start + width - 1: the glyph
        // before and the glyph after must have no ink there.
        for (int neighbour : {c - 1, c + 1}) {
            if (neighbour < 33 || neighbour > 126) continue;
            int inkFirst = starts[neighbour] + 1, inkEnd = starts[neighbour] + widths[neighbour] - 3;
            for (int x = inkFirst; x < inkEnd; x++)
                if (coloured(x)) {
                    EXPECT_FALSE(x >= starts[c] && x < starts[c] + widths[c]) << "column " << x;
                }
        }
    }
}

TEST_F(DemoAssetsTest, MenuButtonsArePaintedInsideTheGameManagersRectangles)
{
    using assetgen::MenuPictures;
    struct MenuCase {
        const char* picture;
        std::vector<MenuPictures::Button> buttons;
    };
    std::vector<MenuCase> menus = {
        {"menus/main_menu.png", {std::begin(MenuPictures::mainMenuButtons), std::end(MenuPictures::mainMenuButtons)}},
        {"menus/options_menu.png", {MenuPictures::optionsBackButton}},
    };
    menus[1].buttons.insert(menus[1].buttons.end(), std::begin(MenuPictures::displayModeButtons),
                            std::end(MenuPictures::displayModeButtons));
    menus[1].buttons.insert(menus[1].buttons.end(), std::begin(MenuPictures::settingButtons),
                            std::end(MenuPictures::settingButtons));
    for (const MenuCase& menu : menus) {
        Picture p = load(menu.picture);
        for (const MenuPictures::Button& b : menu.buttons) {
            SCOPED_TRACE(std::string(menu.picture) + " " + b.label);
            // A few pixels inside the rectangle's corners show the button (bright, opaque)...
            const unsigned char* inside = p.at(b.x0 + 6, b.y0 + 8);
            EXPECT_EQ(inside[3], 255);
            EXPECT_GT(std::max(inside[0], inside[2]), 100);
            // ...and the rectangle's own border line is not button.
            const unsigned char* border = p.at(b.x0, (b.y0 + b.y1) / 2);
            EXPECT_LT(std::max(border[0], border[2]), 100);
        }
    }
}

TEST_F(DemoAssetsTest, SkyboxFacesMeetWithoutSeams)
{
    // Neighbouring faces along one edge: left's right column meets front's left column,
    // front's right column meets right's left column, and so round the horizon.
    const char* ring[4] = {"skybox/left.png", "skybox/front.png", "skybox/right.png", "skybox/back.png"};
    for (int i = 0; i < 4; i++) {
        SCOPED_TRACE(ring[i]);
        Picture a = load(ring[i]), b = load(ring[(i + 1) % 4]);
        int worst = 0;
        for (int y = 0; y < a.height; y++)
            for (int k = 0; k < 3; k++)
                worst = std::max(worst, std::abs(a.at(a.width - 1, y)[k] - b.at(0, y)[k]));
        EXPECT_LT(worst, 24);
    }
    // Sky above, sea below.
    Picture top = load("skybox/top.png"), bottom = load("skybox/bottom.png");
    EXPECT_GT(top.at(256, 256)[2], bottom.at(256, 256)[2]);
}

TEST_F(DemoAssetsTest, ModelsReadWithTheEngineReaderAndStandOnTheirFeet)
{
    for (int frame = 1; frame <= 5; frame++) {
        std::string name = "obj_player/player_frame" + std::to_string(frame) + ".obj";
        SCOPED_TRACE(name);
        std::unique_ptr<ObjMesh> mesh(ObjReader::readObj(folder->file(name)));
        EXPECT_GE(mesh->triangles.size(), 12u * 8u);
        ASSERT_EQ(mesh->materials.size(), 2u);
        EXPECT_EQ(mesh->materials[1].name, "player");
        EXPECT_TRUE(FileManager::fileExists(mesh->materials[1].textureFile));
        float lowest = 1e9f, highest = -1e9f;
        for (const Float3& v : mesh->vertices) {
            lowest = std::min(lowest, v.y());
            highest = std::max(highest, v.y());
        }
        if (frame <= 3) {
            // Walking frames: the feet on the ground, the head 33 units up (10 at the player's scale).
            EXPECT_NEAR(lowest, 0.f, 1.5f);
            EXPECT_NEAR(highest, 33.f, 1.f);
        }
    }
    for (const char* name : {"models/gem.obj", "models/coin.obj", "models/boat.obj", "models/bird_frame1.obj",
                             "models/bird_frame2.obj"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<ObjMesh> mesh(ObjReader::readObj(folder->file(name)));
        EXPECT_GT(mesh->triangles.size(), 10u);
        for (const ObjMaterial& m : mesh->materials)
            if (m.name != "default") {
                EXPECT_TRUE(FileManager::fileExists(m.textureFile)) << m.name;
            }
    }
}

TEST_F(DemoAssetsTest, SoundsAreSixteenBitMonoPcmAndAudible)
{
    for (const char* name : {"sound/walk.wav", "sound/jump.wav", "sound/pickup.wav", "sound/save.wav",
                             "sound/load.wav", "sound/splash.wav", "sound/whoosh.wav", "sound/click.wav"}) {
        SCOPED_TRACE(name);
        CapturedAudio audio;
        ASSERT_TRUE(readCapturedAudio(folder->file(name), audio));
        EXPECT_EQ(audio.channels, 1);
        EXPECT_EQ(audio.sampleRate, 22050);
        EXPECT_GT(audio.samples.size(), 22050u / 50u);
        EXPECT_LT(audio.samples.size(), 22050u);
        int loudest = 0;
        for (int16_t sample : audio.samples) loudest = std::max(loudest, std::abs(int(sample)));
        EXPECT_GT(loudest, 8000);
        // Faded in and out: no click at either end.
        EXPECT_LT(std::abs(int(audio.samples.front())), 200);
        EXPECT_LT(std::abs(int(audio.samples.back())), 200);
    }
}

TEST_F(DemoAssetsTest, WorldFileReadsBackWithTheEngineReaders)
{
    using assetgen::DemoWorld;
    WorldFileReader in = WorldFileReader::openFile(folder->file("world.dat"));
    std::vector<CubeTypeDescription> types = IndexedWorld::readHeader(in);
    ASSERT_EQ(types.size(), size_t(DemoWorld::NB_CUBE_TYPES));
    for (const CubeTypeDescription& type : types)
        for (const std::string& face : type.textureNames)
            EXPECT_TRUE(FileManager::fileExists(folder->file("cube_textures/" + face))) << face;

    Int3 minimum = in.readInt3("region table minimum"), size = in.readInt3("region table size");
    int nbZones = 0, objectsOfType[DemoWorld::NB_OBJECT_TYPES] = {};
    Float3 lowest(1e9f, 1e9f, 1e9f), highest(-1e9f, -1e9f, -1e9f);
    const float regionEdge = DemoWorld::sizeOneRegion * DemoWorld::sizeOneCube;
    for (int x = 0; x < size.x(); x++)
        for (int y = 0; y < size.y(); y++)
            for (int z = 0; z < size.z(); z++) {
                WorldRegion region;
                region.read(in, int(types.size()));
                Int3 cell = minimum + Int3(x, y, z);
                for (const CubeZone& zone : region.cubeZones) {
                    nbZones++;
                    // Every aggregate lies in the region that holds it.
                    for (int a = 0; a < 3; a++) {
                        EXPECT_GE(zone.minCorner()[a], cell[a] * regionEdge - 0.01f);
                        EXPECT_LE(zone.maxCorner()[a], (cell[a] + 1) * regionEdge + 0.01f);
                        lowest[a] = std::min(lowest[a], zone.minCorner()[a]);
                        highest[a] = std::max(highest[a], zone.maxCorner()[a]);
                    }
                }
                for (const CustomObject& object : region.objects) {
                    ASSERT_GE(object.type, 0);
                    ASSERT_LT(object.type, int(DemoWorld::NB_OBJECT_TYPES));
                    objectsOfType[object.type]++;
                }
            }
    EXPECT_EQ(in.remaining(), 0u);
    // An island: hundreds of aggregates, some hundreds of units across, standing on y = 0.
    EXPECT_GT(nbZones, 200);
    EXPECT_LT(nbZones, 4000);
    EXPECT_FLOAT_EQ(lowest.y(), 0.f);
    EXPECT_GT(highest.x() - lowest.x(), 500.f);
    EXPECT_GT(objectsOfType[DemoWorld::OBJECT_GEM], 5);
    EXPECT_EQ(objectsOfType[DemoWorld::OBJECT_BOAT], 1);
    EXPECT_GT(objectsOfType[DemoWorld::OBJECT_BIRD], 0);
}

TEST_F(DemoAssetsTest, EveryFileWrittenIsListedOnce)
{
    std::set<std::string> unique(written.begin(), written.end());
    EXPECT_EQ(unique.size(), written.size());
    for (const std::string& name : written) EXPECT_TRUE(FileManager::fileExists(folder->file(name))) << name;
}

}  // namespace
