// DemoAssets: makes every generated asset of the demo game, in one call.
//
// The demo folder then holds, beside the hand-written world.xml and world.lua: the
// cube face pictures and their shadowed forms, the shadow overlay, the skybox, the
// water, the loading picture, the menus and their pointer, the editor's help picture,
// the bitmap font, the white texture, the heightmap, the player's five model frames,
// the script objects' models, the sounds, the title picture and the world file.
//
// Depends on: every generator of this folder.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

class DemoAssets {
public:
    struct Settings {
        std::string outputFolder;
        std::string fontFolder = "/usr/share/fonts/truetype/dejavu";
    };

    // Writes everything; returns the names written, relative to the output folder.
    // Ends the program with a message when a file cannot be written.
    static std::vector<std::string> generate(const Settings& settings);
};

}  // namespace assetgen
