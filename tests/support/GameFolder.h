// GameFolder: a temporary working folder holding everything the game needs to start: the
// configuration, an empty world file written with the engine's world writer, the font,
// the menus and the pointer, the loading picture, the skybox, the water, the player's
// model frames and sounds, and the script given by the test.
//
// The menu pictures are plain colours (main menu red, options menu green, pointer yellow)
// so a screenshot tells which menu is shown; the script's own frame is whatever it draws.
// Making a folder points ALSOFT_CONF at an OpenAL Soft configuration with no output, so the
// programs this process starts play silently instead of looking for a sound card.
#pragma once

#include <string>

#include "TempDir.h"

struct GameFolderColours {
    static const unsigned char mainMenu[3];
    static const unsigned char optionsMenu[3];
};

class GameFolder {
public:
    // Writes every file; the script goes into "world.lua".
    explicit GameFolder(const std::string& script);

    const std::string& path() const { return dir.path(); }
    std::string file(const std::string& name) const { return dir.file(name); }
    std::string read(const std::string& name) const { return dir.read(name); }
    std::string write(const std::string& name, const std::string& bytes) const { return dir.write(name, bytes); }
    void remove(const std::string& name) const;

    // The bytes of a world file with no cube type and the initial empty table of 2 x 2 x 2
    // regions (cube edge 10, region edge 8 cubes in the configuration written here).
    static std::string emptyWorldFile();

private:
    TempDir dir;
};
