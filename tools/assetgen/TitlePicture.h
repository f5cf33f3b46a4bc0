// TitlePicture: the demo's title screen "pictures/title.png" and its HUD icon
// "pictures/gem_icon.png".
//
// The title (1024 x 512, drawn by the script fitted into the window) shows an island
// of textured cubes in the sea under the demo's sky, the name, and the prompt to press
// a key. The island is drawn in isometric view with the same cube face pictures the
// world uses, so the title shows what the game looks like.
//
// Depends on: AssetOutput, Canvas, CubeTextures, HeightmapPicture, SkyPictures, TextPainter.
#pragma once

#include <string>

namespace assetgen {

class AssetOutput;

class TitlePicture {
public:
    static constexpr int width = 1024;
    static constexpr int height = 512;

    static void generate(AssetOutput& output, const std::string& fontFolder);
};

}  // namespace assetgen
