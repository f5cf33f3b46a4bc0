// The game manager's input routing and its two menus: the button tables, what each
// button does, and the drawing of the menus and the pointer.
#include <GL/glew.h>
#include <GL/freeglut.h>

#include <cctype>
#include <iostream>
#include <sstream>

#include "gl/GLManager.h"
#include "gl/KeyboardManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "image/Font.h"
#include "image/Sprite.h"
#include "player/Player.h"
#include "script/LuaFuncs.h"
#include "script/LuaManager.h"
#include "script/LuaStateCell.h"
#include "world/CubeZone.h"
#include "world/World.h"

namespace {

// A button's rectangle in 2D window pixels; a point on its border is outside.
struct ButtonRect {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x > left && x < right && y > top && y < bottom; }
};

enum MainMenuAction { MAIN_MENU_RESUME, MAIN_MENU_OPTIONS, MAIN_MENU_QUIT };

struct MainMenuButton {
    ButtonRect rect;
    MainMenuAction action;
};

const MainMenuButton mainMenuButtons[] = {
    {{50, 150, 150, 215}, MAIN_MENU_RESUME},
    {{50, 250, 150, 315}, MAIN_MENU_OPTIONS},
    {{50, 350, 150, 415}, MAIN_MENU_QUIT},
};

// Options menu: the back button, a grid of display modes (2 rows of 4 buttons, 100 pixels
// wide) and a grid of settings (4 rows of 2 buttons, 100 x 50 pixels).
const ButtonRect optionsBackButton = {200, 10, 270, 50};
const ButtonRect displayModeRows[] = {{50, 100, 450, 150}, {50, 150, 450, 200}};
const int displayModeLeft = 50, displayModeColumnWidth = 100;
const ButtonRect settingsArea = {250, 250, 450, 450};
const int settingsColumnWidth = 100, settingsRowHeight = 50;

// A display mode button: a fullscreen size, or one of the two special buttons.
enum DisplayModeKind { DISPLAY_WINDOWED, DISPLAY_DESKTOP_FULLSCREEN, DISPLAY_FULLSCREEN };

struct DisplayModeChoice {
    DisplayModeKind kind;
    int width, height;
};

const DisplayModeChoice displayModes[2][4] = {
    {{DISPLAY_WINDOWED, 800, 600}, {DISPLAY_DESKTOP_FULLSCREEN, 0, 0}, {DISPLAY_FULLSCREEN, 640, 480},
     {DISPLAY_FULLSCREEN, 800, 600}},
    {{DISPLAY_FULLSCREEN, 1024, 768}, {DISPLAY_FULLSCREEN, 1280, 1024}, {DISPLAY_FULLSCREEN, 1280, 800},
     {DISPLAY_FULLSCREEN, 1920, 1200}},
};

void changeViewDistance(World& world, bool increase)
{
    world.viewDistance = LuaManager::nextViewDistance(world.viewDistance, increase);
    std::cout << "View distance: " << world.viewDistance << "\n";
}

void switchShadows(World& world, bool on)
{
    CubeZone::displayShadows = on;
    world.indexedWorld.worldIndexator.freeAllVBOs();
}

void switchReversedMouse(World& world, bool on) { world.setReverseMouseYCamera(on); }

void switchProgressiveLoading(World& world, bool on) { world.setProgressiveLoading(on); }

// The settings rows, top to bottom: the left button gives false, the right one true.
void (*const settingRows[])(World&, bool) = {changeViewDistance, switchShadows, switchReversedMouse,
                                             switchProgressiveLoading};

// The 2D pass's render state, whatever the script's frame left behind.
void setup2D()
{
    GLManager::begin2DPass();
    GLManager::scene3D->lightingEnabled = false;
}

}  // namespace

float LuaManager::nextViewDistance(float viewDistance, bool increase)
{
    float margin = viewDistance - viewDistanceBase;
    if (increase)
        return viewDistanceBase + margin * viewDistanceFactor;
    if (margin > viewDistanceMinimumMargin)
        return viewDistanceBase + margin / viewDistanceFactor;
    return viewDistance;
}

std::string LuaManager::fpsText(int64_t periodDuration)
{
    std::ostringstream text;
    text << "FPS: " << 1000000.f / (float)periodDuration << "\n";
    return text.str();
}

bool LuaManager::editorDialogueOpen() const
{
    return world != nullptr && world->editor.typeDialogStep >= 1;
}

static int objectTypeCount(LuaStateCell* cell)
{
    return cell != nullptr ? LuaFuncs::getNbObjects(cell->lua) : 0;
}

void LuaManager::keyTyped(int code)
{
    int k = (code >= 0 && code <= 255) ? std::tolower(code) : code;
    if (inMainMenu) {
        if (k == KEY_ESCAPE && !editorDialogueOpen())
            inMainMenu = inOptionsMenu = false;
        if (k == 'q')
            isRunning = false;
        return;
    }
    if (inOptionsMenu) {
        inOptionsMenu = false;
        inMainMenu = true;
        return;
    }
    if (k == KEY_ESCAPE && !editorDialogueOpen()) {
        inMainMenu = true;
        inOptionsMenu = false;
    }
    if (world != nullptr)
        world->keyPressed((unsigned char)(code & 0xff), objectTypeCount(luaStateCell));
}

void LuaManager::mouseEvent(const MouseEvent& event)
{
    if (inMainMenu) {
        if (event.kind == MOUSE_EVENT_PRESSED)
            clickMainMenu(event.x, event.y);
        return;
    }
    if (inOptionsMenu) {
        if (event.kind == MOUSE_EVENT_PRESSED)
            clickOptionsMenu(event.x, event.y);
        return;
    }
    if (world == nullptr)
        return;
    int nbObjectTypes = objectTypeCount(luaStateCell);
    if (world->editorMode)
        world->editor.mouseEvent(event, nbObjectTypes);
    else if (!world->editor.scriptCreationMouse(event))
        world->player->handleMouseEvent(event);
}

void LuaManager::clickMainMenu(int x, int y)
{
    for (const MainMenuButton& button : mainMenuButtons) {
        if (!button.rect.contains(x, y))
            continue;
        switch (button.action) {
        case MAIN_MENU_RESUME:
            inMainMenu = false;
            break;
        case MAIN_MENU_OPTIONS:
            inMainMenu = false;
            inOptionsMenu = true;
            break;
        case MAIN_MENU_QUIT:
            isRunning = false;
            break;
        }
    }
}

void LuaManager::clickOptionsMenu(int x, int y)
{
    if (optionsBackButton.contains(x, y)) {
        inOptionsMenu = false;
        inMainMenu = true;
        return;
    }
    for (int row = 0; row < 2; row++)
        if (displayModeRows[row].contains(x, y))
            chooseDisplayMode(row, (x - displayModeLeft) / displayModeColumnWidth);
    if (settingsArea.contains(x, y))
        changeSetting((y - settingsArea.top) / settingsRowHeight,
                      (x - settingsArea.left) / settingsColumnWidth == 1);
}

void LuaManager::chooseDisplayMode(int row, int column)
{
    const DisplayModeChoice& choice = displayModes[row][column];
    switch (choice.kind) {
    case DISPLAY_WINDOWED:
        if (GLManager::isFullscreen) {
            GLManager::setWindowedMode(choice.width, choice.height);
            GLManager::isFullscreen = false;
        }
        break;
    case DISPLAY_DESKTOP_FULLSCREEN:
        glutFullScreen();
        GLManager::isFullscreen = true;
        break;
    case DISPLAY_FULLSCREEN:
        GLManager::setFullscreenMode(choice.width, choice.height);
        GLManager::isFullscreen = true;
        break;
    }
}

void LuaManager::changeSetting(int row, bool rightButton)
{
    if (world != nullptr)
        settingRows[row](*world, rightButton);
}

void LuaManager::drawMenus()
{
    bool menuShown = inMainMenu || inOptionsMenu;
    if (!menuShown && !(world != nullptr && world->editorMode))
        return;
    setup2D();
    if (menuShown) {
        Int2 size = GLManager::scene2D->size2D;
        glColor4ub(0, 0, 0, 128);
        glDisable(GL_TEXTURE_2D);
        glMatrixMode(GL_MODELVIEW);
        glBegin(GL_QUADS);
        glVertex2i(0, 0);
        glVertex2i(size.x(), 0);
        glVertex2i(size.x(), size.y());
        glVertex2i(0, size.y());
        glEnd();
        glColor4ub(255, 255, 255, 255);
    }
    if (inMainMenu) {
        mainMenuSprite->draw();
        ColorBytes colour = GLManager::getCurrentColor();
        glColor4ub(255, 255, 255, 255);
        font->drawText(1.f, 1.f, engineBanner.c_str(), 155, 100);
        font->drawText(1.f, 1.f, fpsText(GLManager::periodDuration).c_str(), 155, 100 + font->getHeight());
        glColor4ub(colour.r, colour.g, colour.b, colour.a);
    }
    if (inOptionsMenu)
        optionsMenuSprite->draw();
    menuCursorSprite->position = GLManager::scenePointerPosition;
    menuCursorSprite->cornersOutdated = true;
    menuCursorSprite->draw();
}
