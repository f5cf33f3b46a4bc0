#include "GameFolder.h"

#include <unistd.h>

#include <cstdlib>

#include <vector>

#include "AssetWriter.h"
#include "AudioFixture.h"
#include "world/WorldFileWriter.h"

const unsigned char GameFolderColours::mainMenu[3] = {220, 20, 20};
const unsigned char GameFolderColours::optionsMenu[3] = {20, 220, 20};

namespace {

std::string solidPng(const unsigned char colour[3], int edge)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < edge * edge; i++)
        pixels.insert(pixels.end(), {colour[0], colour[1], colour[2]});
    return AssetWriter::encodePng(edge, edge, 3, pixels);
}

std::string solidPng(unsigned char r, unsigned char g, unsigned char b, int edge = 8)
{
    const unsigned char colour[3] = {r, g, b};
    return solidPng(colour, edge);
}

const char* const configuration =
    "<world><string><skybox_directory>sky</skybox_directory></string>"
    "<double><size_one_cube>10</size_one_cube><water_deep_amplitude>10</water_deep_amplitude>"
    "<water_waves_amplitude>4</water_waves_amplitude></double>"
    "<int><size_one_region>8</size_one_region></int>"
    "<bool><enable_water>false</enable_water><enable_water_waves>false</enable_water_waves>"
    "<enable_multi_layered_water>false</enable_multi_layered_water>"
    "<render_under_water>false</render_under_water></bool></world>\n";

// One textured triangle with a plain material: the model drawer has nothing to warn about.
const char* const triangleObj =
    "mtllib player.mtl\nv 0 0 0\nv 3 0 0\nv 0 3 0\nvt 0 0\nvt 1 0\nvt 0 1\nusemtl skin\nf 1/1 2/2 3/3\n";
const char* const triangleMtl = "newmtl skin\nKd 0.8 0.6 0.4\n";

}  // namespace

std::string GameFolder::emptyWorldFile()
{
    WorldFileWriter out;
    out.writeBytes("WORLD");
    out.writeInt(1);  // version
    out.writeInt(0);  // cube types
    out.writeInt3(Int3(-1, -1, -1));
    out.writeInt3(Int3(2, 2, 2));
    for (int region = 0; region < 8; region++)
        for (int field = 0; field < 4; field++)  // aggregate count and extra, object count and extra
            out.writeInt(0);
    return out.bytes();
}

GameFolder::GameFolder(const std::string& script)
{
    dir.write("world.lua", script);
    dir.write("world.xml", configuration);
    dir.write("world.dat", emptyWorldFile());

    std::vector<int> inkWidths(94, 6);
    FontImage font = AssetWriter::generateFontImage(16, inkWidths);
    dir.write("default_font.png", AssetWriter::encodePng(font.width, font.height, 4, font.rgba));
    dir.write("whiteTexture.png", solidPng(255, 255, 255));
    dir.write("loading.png", solidPng(40, 40, 40));
    dir.write("menus/main_menu.png", solidPng(GameFolderColours::mainMenu, 512));
    dir.write("menus/options_menu.png", solidPng(GameFolderColours::optionsMenu, 512));
    dir.write("menus/menu_mouse.png", solidPng(250, 250, 0));
    dir.write("black_semi_transparent.png", AssetWriter::encodePng(1, 1, 4, std::vector<unsigned char>{0, 0, 0, 128}));
    dir.write("water.png", solidPng(10, 10, 160));
    dir.write("water_sub.png", solidPng(90, 90, 90));
    for (const char* face : {"bottom", "top", "left", "right", "front", "back"})
        dir.write(std::string("sky/") + face + ".png", solidPng(20, 200, 220));
    dir.write("obj_player/player.mtl", triangleMtl);
    for (int frame = 1; frame <= 5; frame++)
        dir.write("obj_player/player_frame" + std::to_string(frame) + ".obj", triangleObj);
    for (const char* name : {"sound/walk.wav", "sound/jump.wav"})
        dir.write(name, makeSquareWav(22050, 200, 4000));
    // The program started from this process plays into nothing (no sound card here).
    setenv("ALSOFT_CONF", dir.write("alsoft.conf", openalConfig("null")).c_str(), 1);
}

void GameFolder::remove(const std::string& name) const
{
    unlink(file(name).c_str());
}
