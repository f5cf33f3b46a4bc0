// The game manager's start-up, frame step and shutdown, and its script side.
#include "script/LuaManager.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <iostream>
#include <vector>

#include "core/FatalError.h"
#include "core/FileManager.h"
#include "gl/DeviceManager.h"
#include "gl/KeyboardManager.h"
#include "image/Font.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"
#include "script/LuaFuncs.h"
#include "script/LuaStateCell.h"
#include "script/ScriptHandles.h"
#include "sound/SoundManager.h"
#include "world/CustomObject.h"
#include "world/World.h"

const std::string engineBanner = "Engine made by Quenwick, version 0.27";

namespace {

// The engine's menu pictures and its pointer, in creation order.
const char* const mainMenuPicture = "menus/main_menu.png";
const char* const optionsMenuPicture = "menus/options_menu.png";
const char* const menuCursorPicture = "menus/menu_mouse.png";

Sprite* menuSprite(const char* picture)
{
    Sprite* sprite = SpriteManager::getSprite(picture, GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
    sprite->position = Int2(0, 0);
    sprite->cornersOutdated = true;
    return sprite;
}

}  // namespace

LuaManager::LuaManager(const std::string& programPath, bool fullscreen, const std::string& worldDataFile,
                       const std::string& worldLuaFile, const std::string& worldConfigFile)
    : ownsEngine(true)
{
    ASSERT(FileManager::fileExists(worldDataFile), nullptr);
    ASSERT(FileManager::fileExists(worldLuaFile), nullptr);
    ASSERT(FileManager::fileExists(worldConfigFile), nullptr);

    std::cout << "================ Initializing: " << engineBanner << "\n";
    DeviceManager::create(programPath, "", 800, 600, fullscreen);
    deviceManager->config.load(worldConfigFile);
    soundManager = new SoundManager(programPath);
    font = new Font();
    glutSetCursor(GLUT_CURSOR_NONE);
    mainMenuSprite = menuSprite(mainMenuPicture);
    optionsMenuSprite = menuSprite(optionsMenuPicture);
    menuCursorSprite = menuSprite(menuCursorPicture);

    world = new World(worldDataFile, worldLuaFile, font, soundManager);
    world->indexedWorld.worldIndexator.setObjectRunner(CustomObject::runner());
    startScript(worldLuaFile);
    std::cout << "================ Initialized, first draw ..." << std::endl;
}

LuaManager::~LuaManager()
{
    if (!ownsEngine) {
        // The script side alone: a script still running loses its state without its stop
        // function.
        delete luaStateCell;
        if (LuaFuncs::luaStateCell == luaStateCell)
            LuaFuncs::luaStateCell = nullptr;
        return;
    }
    stopScript();
    for (Sprite* sprite : {mainMenuSprite, optionsMenuSprite, menuCursorSprite})
        SpriteManager::removeSprite(sprite);
    if (LuaFuncs::world == world)
        LuaFuncs::world = nullptr;
    delete world;
    delete soundManager;
    delete font;
    DeviceManager::destroy();
}

void LuaManager::step()
{
    // This frame end is the one place where a closed window ends the game in order; a close
    // noticed at any other frame end (start-up, a progress bar) ends the process there.
    GLManager::nextFrame(WINDOW_CLOSE_BY_CALLER);
    // The window was closed: its GL context is gone, so nothing more is drawn and the game
    // ends as the quit button ends it.
    if (GLManager::windowClosed) {
        isRunning = false;
        return;
    }

    // Copies: a handler may end a frame of its own (a progress bar), which refills the lists.
    std::vector<int> keys = GLManager::keyboardManager->getTypedKeys();
    for (int code : keys)
        keyTyped(code);
    std::vector<MouseEvent> events = GLManager::mouseEvents;
    for (const MouseEvent& event : events)
        mouseEvent(event);

    LuaFuncs::world = world;
    world->update(luaStateCell);
    carryOutPendingRequests();
    for (int i = 0; i < 4; i++)
        world->fogColour[i] = LuaFuncs::fogColor[i];
    LuaFuncs::callScriptFunction(luaStateCell->lua, "lua_loop");
    drawMenus();

    if (LuaFuncs::quitRequested)
        isRunning = false;
}

void LuaManager::startScript(const std::string& parFilename)
{
    std::printf("==== Reload script file\n");
    stopScript();
    LuaStateCell* cell = new LuaStateCell();
    LuaFuncs::init(soundManager, font, cell, parFilename);
    luaStateCell = cell;
    LuaFuncs::luaStateCell = cell;
    LuaFuncs::world = world;
    LuaFuncs::callScriptFunction(cell->lua, "lua_onInitGame");
    std::printf("==== Script file reloaded\n");
}

void LuaManager::stopScript()
{
    if (luaStateCell == nullptr)
        return;
    LuaFuncs::callScriptFunction(luaStateCell->lua, "lua_onUninitGame");
    // The type functions run through LuaFuncs::luaStateCell: make sure it is this script's.
    LuaFuncs::luaStateCell = luaStateCell;
    CustomObject::startFrame();
    CustomObject::unloadUnused();
    currentObject = nullptr;
    LuaFuncs::globalVars.clear();
    LuaFuncs::luaStateCell = nullptr;
    ScriptHandles::clear();
    delete luaStateCell;
    luaStateCell = nullptr;
}
