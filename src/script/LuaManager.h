// LuaManager: the game manager. Brings the whole engine up in a fixed order, runs one
// frame per step, owns the engine's own main and options menus, carries out the script's
// save and load requests, and takes everything down again.
//
// Start-up: the three files are checked before any window opens; then the device manager
// (window, GL, input), the configuration, the sound manager, the font, the menu sprites,
// the World, and the world script ("lua_onInitGame"). A frame step: end the previous
// frame, route typed keys and mouse events to the menus or to the World, update the
// World, a pending load then a pending save, the fog colour, "lua_loop", then the menus
// and the engine's pointer on top. The game is never paused by the engine: the World's
// update and "lua_loop" run while a menu is shown, only input stops reaching the world.
//
// The parts: LuaManager.cpp (start-up, frame step, shutdown, script start and stop),
// LuaManagerMenus.cpp (keys, clicks, the button tables, menu drawing),
// LuaManagerSaveGame.cpp (save games).
//
// Save game file, little-endian: the player's 24-byte state record (player/Player), the
// number of global variables (uint32), then per variable in name order its name length
// (uint32), the name's bytes and the value (int32). Saves go through a temporary file
// (core/AtomicFile): a failed save keeps the previous one and is logged.
//
// Depends on: gl/DeviceManager, image/SpriteManager, image/Font, sound/SoundManager,
// world/World, world/CustomObject, player/Player, script/LuaFuncs, script/LuaStateCell,
// platform/DisplayModes (through GLManager), core/AtomicFile.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class Font;
class LuaStateCell;
class SoundManager;
class Sprite;
class World;
struct MouseEvent;

// The engine's name and version, in the start-up log line and on the main menu.
extern const std::string engineBanner;

class LuaManager {
public:
    // Options-menu view distance steps: v = viewDistanceBase + (v - base) / or * factor;
    // the decrease stops once v - base is no more than viewDistanceMinimumMargin.
    static constexpr float viewDistanceBase = 400.f;
    static constexpr float viewDistanceFactor = 1.2f;
    static constexpr float viewDistanceMinimumMargin = 10.f;

    // The script side alone (no window, no world): for tests of the script host.
    LuaManager() = default;
    // The whole engine up, in order (see above). A missing file is a fatal report naming
    // it, before any window exists.
    LuaManager(const std::string& programPath, bool fullscreen, const std::string& worldDataFile,
               const std::string& worldLuaFile, const std::string& worldConfigFile);
    // The script stopped, the menu sprites, the World, the sound manager and the font
    // released, the device manager destroyed (only what this manager brought up).
    ~LuaManager();
    LuaManager(const LuaManager&) = delete;
    LuaManager& operator=(const LuaManager&) = delete;

    // One frame.
    void step();

    // Logs "==== Reload script file", stops a running script, loads the file into a new
    // state cell, hands the world to the API, calls "lua_onInitGame" and logs
    // "==== Script file reloaded".
    void startScript(const std::string& parFilename);
    // Calls "lua_onUninitGame", unloads every loaded object type, empties the global
    // variables and frees the state cell (closing the state). Nothing when no script runs.
    void stopScript();

    // Input of one frame (steps 2 and 3): one typed key code, one mouse event.
    void keyTyped(int code);
    void mouseEvent(const MouseEvent& event);
    // Clicks on the menus, in 2D window pixels (button bounds are exclusive).
    void clickMainMenu(int x, int y);
    void clickOptionsMenu(int x, int y);

    // Step 6: the pending load, then the pending save.
    void carryOutPendingRequests();
    // Logs "Saving game into file <name>" and writes the save; false, logged, when it could
    // not be written (the previous file is then untouched).
    bool saveGame(const std::string& fileName);
    // Logs "Loading game from file <name>" and reads the save; false, silently, when the
    // name is no readable file (missing, or a folder). A damaged player record
    // (Player::readState) is logged and leaves the player as it was; the variables after
    // it are read all the same.
    bool loadGame(const std::string& fileName);
    // The count and the records of the global variables, appended to the bytes.
    static void writeGlobalVars(std::string& bytes);
    // Replaces the global variables with those of the file, from its current position.
    // A damaged file gives what it holds: a count or a name longer than the rest of the
    // file ends the reading there, a missing value reads as -1.
    static void readGlobalVars(FILE* file);
    // The view distance after one press of the options' left (decrease) or right button.
    static float nextViewDistance(float viewDistance, bool increase);
    // The main menu's frame rate line for a frame period in microseconds: "FPS: " and
    // 1000000 / period as a float in the stream's default format, then a line end.
    static std::string fpsText(int64_t periodDuration);

    World* world = nullptr;
    bool isRunning = true;
    bool inMainMenu = false;
    bool inOptionsMenu = false;
    Font* font = nullptr;
    SoundManager* soundManager = nullptr;
    LuaStateCell* luaStateCell = nullptr;
    Sprite* mainMenuSprite = nullptr;
    Sprite* optionsMenuSprite = nullptr;
    Sprite* menuCursorSprite = nullptr;

private:
    bool ownsEngine = false;  // made by the full constructor: the destructor takes it all down

    // Steps 9 to 12: the darkening, the menu pictures with the banner and FPS line, the pointer.
    void drawMenus();
    // Options rows.
    void chooseDisplayMode(int row, int column);
    void changeSetting(int row, bool rightButton);
    // Whether an editor dialogue keeps Escape for itself.
    bool editorDialogueOpen() const;
};
