#include "MenuPictures.h"

#include <cmath>

#include "AssetOutput.h"
#include "Canvas.h"
#include "TextPainter.h"

namespace assetgen {

// The game manager's click rectangles (x between x0 and x1, y between y0 and y1).
const MenuPictures::Button MenuPictures::mainMenuButtons[3] = {
    {50, 150, 150, 215, "Resume", nullptr},
    {50, 250, 150, 315, "Options", nullptr},
    {50, 350, 150, 415, "Quit", nullptr},
};
const MenuPictures::Button MenuPictures::optionsBackButton = {200, 10, 270, 50, "Back", nullptr};
const MenuPictures::Button MenuPictures::displayModeButtons[8] = {
    {50, 100, 150, 150, "Window", "800 x 600"},      {150, 100, 250, 150, "Full screen", "desktop"},
    {250, 100, 350, 150, "Full screen", "640 x 480"}, {350, 100, 450, 150, "Full screen", "800 x 600"},
    {50, 150, 150, 200, "Full screen", "1024 x 768"}, {150, 150, 250, 200, "Full screen", "1280 x 1024"},
    {250, 150, 350, 200, "Full screen", "1280 x 800"}, {350, 150, 450, 200, "Full screen", "1920 x 1200"},
};
const MenuPictures::Button MenuPictures::settingButtons[8] = {
    {250, 250, 350, 300, "Nearer", nullptr}, {350, 250, 450, 300, "Farther", nullptr},
    {250, 300, 350, 350, "Off", nullptr},    {350, 300, 450, 350, "On", nullptr},
    {250, 350, 350, 400, "Off", nullptr},    {350, 350, 450, 400, "On", nullptr},
    {250, 400, 350, 450, "Off", nullptr},    {350, 400, 450, 450, "On", nullptr},
};

namespace {

// Look of the menus.
const Colour panelTop = Colour::bytes(24, 40, 68, 235);
const Colour panelBottom = Colour::bytes(12, 20, 36, 235);
const Colour panelBorder = Colour::bytes(140, 180, 230, 200);
const Colour buttonTop = Colour::bytes(86, 150, 220);
const Colour buttonBottom = Colour::bytes(40, 92, 160);
const Colour buttonBorder = Colour::bytes(190, 220, 255);
const Colour labelColour = Colour::bytes(255, 255, 255);
const Colour titleColour = Colour::bytes(255, 214, 110);
const Colour hintColour = Colour::bytes(190, 205, 225);
const Colour accent = Colour::bytes(255, 214, 110);

struct Fonts {
    TextPainter title, label, small, bold;
    explicit Fonts(const std::string& folder)
        : title(folder + "/DejaVuSans-Bold.ttf", 34), label(folder + "/DejaVuSans-Bold.ttf", 16),
          small(folder + "/DejaVuSans.ttf", 13), bold(folder + "/DejaVuSans-Bold.ttf", 13)
    {
    }
};

Canvas::Shader verticalGradient(float y0, float y1, const Colour& top, const Colour& bottom)
{
    return [=](float, float y) { return top.mix(bottom, std::fmin(1.f, std::fmax(0.f, (y - y0) / (y1 - y0)))); };
}

void drawPanel(Canvas& c, float x0, float y0, float x1, float y1)
{
    c.dropShadow(x0 + 4, y0 + 6, x1 + 4, y1 + 6, 16, 12, 0.5f);
    c.fillRoundedRect(x0, y0, x1, y1, 16, verticalGradient(y0, y1, panelTop, panelBottom));
    c.strokeRoundedRect(x0 + 0.5f, y0 + 0.5f, x1 - 0.5f, y1 - 0.5f, 16, 1.5f, panelBorder);
}

// A button drawn two pixels inside its click rectangle, so a click on what is seen
// always lands inside the rectangle.
void drawButton(Canvas& c, const Fonts& fonts, const MenuPictures::Button& b, const Colour& top = buttonTop,
                const Colour& bottom = buttonBottom)
{
    float x0 = b.x0 + 3.f, y0 = b.y0 + 3.f, x1 = b.x1 - 3.f, y1 = b.y1 - 3.f;
    float radius = std::fmin(9.f, (y1 - y0) * 0.3f);
    c.dropShadow(x0 + 1, y0 + 2, x1 + 1, y1 + 2, radius, 4, 0.5f);
    c.fillRoundedRect(x0, y0, x1, y1, radius, verticalGradient(y0, y1, top, bottom));
    // A gloss on the upper half.
    c.fillRoundedRect(x0 + 2, y0 + 2, x1 - 2, (y0 + y1) * 0.5f, radius - 2, Colour(1, 1, 1, 0.12f));
    c.strokeRoundedRect(x0, y0, x1, y1, radius, 1.2f, buttonBorder.withAlpha(0.8f));
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    if (b.secondLine) {
        fonts.bold.drawCentredWithShadow(c, b.label, cx, cy - 8, labelColour);
        fonts.small.drawCentredWithShadow(c, b.secondLine, cx, cy + 9, labelColour.withAlpha(0.9f));
    } else {
        fonts.label.drawCentredWithShadow(c, b.label, cx, cy, labelColour);
    }
}

void drawCubeIcon(Canvas& c, float cx, float cy, float size)
{
    // An isometric cube: grass top, dirt sides.
    float h = size * 0.5f, q = size * 0.29f;
    std::vector<Point2> top = {{cx, cy - h}, {cx + h, cy - h + q}, {cx, cy - h + 2 * q}, {cx - h, cy - h + q}};
    std::vector<Point2> left = {{cx - h, cy - h + q}, {cx, cy - h + 2 * q}, {cx, cy + h}, {cx - h, cy + h - q}};
    std::vector<Point2> right = {{cx + h, cy - h + q}, {cx, cy - h + 2 * q}, {cx, cy + h}, {cx + h, cy + h - q}};
    c.fillPolygon(top, Colour::bytes(110, 184, 60));
    c.fillPolygon(left, Colour::bytes(140, 96, 60));
    c.fillPolygon(right, Colour::bytes(104, 70, 44));
    // The grass edge running down the sides.
    std::vector<Point2> leftGrass = {{cx - h, cy - h + q}, {cx, cy - h + 2 * q}, {cx, cy - h + 2 * q + size * 0.12f},
                                     {cx - h, cy - h + q + size * 0.12f}};
    std::vector<Point2> rightGrass = {{cx + h, cy - h + q}, {cx, cy - h + 2 * q}, {cx, cy - h + 2 * q + size * 0.12f},
                                      {cx + h, cy - h + q + size * 0.12f}};
    c.fillPolygon(leftGrass, Colour::bytes(92, 160, 48));
    c.fillPolygon(rightGrass, Colour::bytes(72, 130, 38));
}

Canvas paintMainMenu(const Fonts& fonts)
{
    Canvas c(512, 512);
    drawPanel(c, 24, 24, 488, 448);
    drawCubeIcon(c, 66, 62, 44);
    fonts.title.draw(c, "Cubewright", 100, 76, titleColour);
    c.drawLine(44, 96, 468, 96, 1.f, panelBorder.withAlpha(0.5f));
    // The engine writes its banner and the frame rate at (155, 100) on this picture.
    const char* hints[3] = {"Back to the game   [Esc]", "Display and settings", "Leave the game   [Q]"};
    for (int i = 0; i < 3; i++) {
        const MenuPictures::Button& b = MenuPictures::mainMenuButtons[i];
        drawButton(c, fonts, b, i == 2 ? Colour::bytes(220, 100, 80) : buttonTop,
                   i == 2 ? Colour::bytes(150, 50, 40) : buttonBottom);
        fonts.small.draw(c, hints[i], 168, (b.y0 + b.y1) * 0.5f + fonts.small.capHeight() * 0.5f, hintColour);
    }
    return c;
}

Canvas paintOptionsMenu(const Fonts& fonts)
{
    Canvas c(512, 512);
    drawPanel(c, 24, 4, 488, 500);
    fonts.title.draw(c, "Options", 40, 44, titleColour);
    drawButton(c, fonts, MenuPictures::optionsBackButton, Colour::bytes(220, 100, 80), Colour::bytes(150, 50, 40));
    fonts.bold.draw(c, "Display", 50, 90, accent);
    c.drawLine(110, 86, 450, 86, 1.f, panelBorder.withAlpha(0.4f));
    for (const MenuPictures::Button& b : MenuPictures::displayModeButtons) drawButton(c, fonts, b);
    fonts.bold.draw(c, "Settings", 50, 236, accent);
    c.drawLine(118, 232, 450, 232, 1.f, panelBorder.withAlpha(0.4f));
    const char* rows[4] = {"View distance", "Shadows", "Reverse mouse Y", "Progressive loading"};
    for (int r = 0; r < 4; r++) {
        float cy = 275.f + 50.f * r;
        fonts.label.draw(c, rows[r], 50, cy + fonts.label.capHeight() * 0.5f, labelColour);
        drawButton(c, fonts, MenuPictures::settingButtons[2 * r]);
        drawButton(c, fonts, MenuPictures::settingButtons[2 * r + 1]);
    }
    fonts.small.drawCentred(c, "Any key returns to the main menu", 256, 476, hintColour);
    return c;
}

Canvas paintPointer()
{
    Canvas c(32, 32);
    std::vector<Point2> arrow = {{2, 2}, {2, 22}, {7, 17.5f}, {10.5f, 25.5f}, {14, 24}, {10.5f, 16}, {17, 16}};
    std::vector<Point2> shadow;
    for (const Point2& p : arrow) shadow.push_back({p.x + 1.5f, p.y + 2.f});
    c.paint(0, 0, 32, 32, [&](float x, float y) { return Canvas::polygonDistance(x, y, shadow) - 0.5f; },
            Colour(0, 0, 0, 0.35f));
    c.paint(0, 0, 32, 32, [&](float x, float y) { return Canvas::polygonDistance(x, y, arrow) - 1.2f; },
            Colour::bytes(20, 20, 30));
    c.fillPolygon(arrow, Colour(1, 1, 1));
    return c;
}

Canvas paintEditorHelp(const Fonts& fonts)
{
    static const char* const lines[][2] = {
        {"Arrows, PgUp, PgDn", "move the cursor (with F2: half a region)"},
        {"Space", "first corner, then make the cubes"},
        {"F3 + PgUp / PgDn", "choose the cube type"},
        {"F3 + q / m / r", "add, modify, remove last cube type"},
        {"t + PgUp / PgDn", "choose the script object type"},
        {"x  /  v", "object at the cursor / on the ground"},
        {"Del  /  d", "delete at the cursor / nearest in region"},
        {"F2 + d  /  F2 + Del", "clear the region / all regions"},
        {"g  /  1-4 + g", "generate a region / a hillside"},
        {"F2 + g", "8 x 8 regions from the heightmap"},
        {"h  /  F2 + h", "shadows of the region / of all"},
        {"s  /  l", "save / load the world file"},
        {"i", "cursor back to the origin"},
        {"Left drag, wheel", "turn the view, zoom"},
        {"a", "back to the game"},
    };
    Canvas c(512, 512);
    const float top = 0.f, bottom = 440.f;
    c.fillRoundedRect(0, top, 512, bottom, 10, Colour::bytes(10, 16, 28, 220));
    c.strokeRoundedRect(0.5f, top + 0.5f, 511.5f, bottom - 0.5f, 10, 1.2f, panelBorder);
    fonts.label.draw(c, "Editor keys", 16, 30, titleColour);
    float y = 60.f;
    for (const auto& line : lines) {
        fonts.bold.draw(c, line[0], 16, y, accent);
        fonts.small.draw(c, line[1], 190, y, labelColour);
        y += 25.f;
    }
    return c;
}

Canvas paintLoading(const Fonts& fonts)
{
    Canvas c(512, 256);
    drawPanel(c, 16, 40, 496, 216);
    drawCubeIcon(c, 96, 128, 76);
    fonts.title.draw(c, "Cubewright", 152, 124, titleColour);
    fonts.label.draw(c, "Loading the world ...", 154, 162, hintColour);
    return c;
}

}  // namespace

void MenuPictures::generate(AssetOutput& output, const std::string& fontFolder)
{
    Fonts fonts(fontFolder);
    output.writePng("menus/main_menu.png", paintMainMenu(fonts), true);
    output.writePng("menus/options_menu.png", paintOptionsMenu(fonts), true);
    output.writePng("menus/menu_mouse.png", paintPointer(), true);
    output.writePng("menus/editor_box.png", paintEditorHelp(fonts), true);
    output.writePng("loading.png", paintLoading(fonts), true);
}

}  // namespace assetgen
