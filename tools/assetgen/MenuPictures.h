// MenuPictures: the pictures of the engine's menus and screens.
//
// "menus/main_menu.png" and "menus/options_menu.png" are drawn at the window's top-left
// corner without scaling, so each button is painted exactly inside the screen
// rectangle where the game manager looks for its clicks (the tables below). Both are
// 512 x 512 (a power of two, so the engine does not rescale them) and transparent
// outside their panel. Also: the menu pointer "menus/menu_mouse.png" (hot spot at its
// top-left pixel), the editor's help picture "menus/editor_box.png" and the loading
// picture "loading.png" (512 x 256, meant to be drawn centred on the window).
//
// Depends on: AssetOutput, Canvas, TextPainter (DejaVu fonts).
#pragma once

#include <string>

namespace assetgen {

class AssetOutput;

class MenuPictures {
public:
    // A clickable screen rectangle of a menu (window pixels, bounds exclusive) and its label.
    struct Button {
        int x0, y0, x1, y1;
        const char* label;
        const char* secondLine;
    };

    static const Button mainMenuButtons[3];
    static const Button optionsBackButton;
    static const Button displayModeButtons[8];
    static const Button settingButtons[8];

    static void generate(AssetOutput& output, const std::string& fontFolder);
};

}  // namespace assetgen
