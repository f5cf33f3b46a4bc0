// make_demo_assets: writes every generated asset of the demo game into one folder.
//
// Usage: make_demo_assets OUTPUT_FOLDER [FONT_FOLDER]
// FONT_FOLDER holds the DejaVu fonts (default /usr/share/fonts/truetype/dejavu).
#include <iostream>

#include "DemoAssets.h"
#include "platform/ProblemBox.h"

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: make_demo_assets OUTPUT_FOLDER [FONT_FOLDER]" << std::endl;
        return 2;
    }
    // A failure of the engine's world code ends the build with its report, never a dialog.
    ProblemBox::setUnattended(true);
    assetgen::DemoAssets::Settings settings;
    settings.outputFolder = argv[1];
    if (argc == 3) settings.fontFolder = argv[2];
    std::vector<std::string> written = assetgen::DemoAssets::generate(settings);
    std::cout << "make_demo_assets: " << written.size() << " files written into " << settings.outputFolder
              << std::endl;
    return 0;
}
