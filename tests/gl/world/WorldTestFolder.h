// WorldTestFolder: a working folder for the world tests that need a window: the
// configuration (cube edge 1, region edge 10 cubes), one small picture per cube texture
// name, the shadow overlay and the water, and an empty world file "empty.dat". The test runs inside
// the folder (textures are found relative to it) and returns to the previous folder after.
#pragma once

#include <string>
#include <vector>

#include "TempDir.h"
#include "world/CubeTypeDescription.h"

class WorldTestFolder {
public:
    explicit WorldTestFolder(bool renderUnderWater = true, const std::vector<std::string>& textures = {"a.png", "b.png"});
    ~WorldTestFolder();

    std::string path(const std::string& name) const { return dir.file(name); }
    std::string read(const std::string& name) const { return dir.read(name); }
    void write(const std::string& name, const std::string& bytes) const { dir.write(name, bytes); }

    // A type with the same picture on all six faces.
    static CubeTypeDescription type(const std::string& texture, bool collidable = true);

private:
    TempDir dir;
    std::string previousFolder;
};
