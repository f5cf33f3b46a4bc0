// IndexedWorld: the world's content. It owns the cube type list and the region index
// (which holds every aggregate and every placed script object), builds them from the
// configuration, loads them from the world file, saves them, and offers the operations
// by which the editor, the landscape generator and the script add and remove content.
//
// The world file, little-endian, written and read field by field:
//   "WORLD", version 1 (int32), cube type count, cube type records (world/CubeTypeDescription),
//   table minimum and size (3 x int32 each), one region record per cell, x outermost,
//   z innermost (world/WorldRegion).
// Loading trusts nothing: every damage ends in a fatal report that names the file and what
// is wrong. Saving goes to a temporary file that replaces the old one only when complete;
// a failed save is reported and the old file stays as it was.
//
// The water also belongs here: created after loadWorld with getSizeOneCube(), and (declared
// last) deleted with its textures before the regions are freed.
//
// Depends on: world/CubeTypeList, world/WorldIndexator, world/Water, world/WorldFileReader,
// world/WorldFileWriter, gl/DeviceManager (configuration: "size_one_cube", "size_one_region").
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "world/CubeTypeList.h"
#include "world/Water.h"
#include "world/WorldIndexator.h"

class Font;
class SoundManager;

class IndexedWorld {
public:
    // Reads the configuration, makes the empty cube type list and region index, and loads
    // the world file.
    IndexedWorld(Font* parFont, SoundManager* parSoundManager, const std::string& worldFileName);
    ~IndexedWorld() = default;
    IndexedWorld(const IndexedWorld&) = delete;
    IndexedWorld& operator=(const IndexedWorld&) = delete;

    // True when the file now holds the world; false (reported) when it could not be written.
    bool saveWorld(const std::string& fileName);
    // Replaces the cube types and all regions with the file's content.
    void loadWorld(const std::string& fileName);
    // Frees every region and goes back to the initial empty table; cube types stay.
    void clearWorld();

    // A new aggregate (no shadows); false when no single region holds the box or the cube
    // type does not exist.
    bool addCubeZone(const Float3& size, const Float3& position, int cubeTypeIndex);
    // A new object record in the region of the point; a refused one is a fatal report.
    void addObject(const Float3& position, int objectType);

    float getSizeOneCube() const { return sizeOneCube; }
    // The region edge in cubes.
    int regionSizeInCubes() const { return (int)(worldIndexator.sizeOneRegion / sizeOneCube); }

    int getNbCubeType() const { return cubeTypeManager.getNbCubeType(); }
    CubeType* getCubeType(int index) { return cubeTypeManager.getCubeType(index); }
    int addCubeType(const CubeTypeDescription& description) { return cubeTypeManager.addCubeType(description); }
    // Refuses (false, with a log line saying why) while an aggregate still uses the last
    // type, and when there is no type.
    bool removeLastCubeType();

    // The file's beginning: magic, version and the cube type records. Fatal when the file
    // is not a world file of this version or is damaged.
    static std::vector<CubeTypeDescription> readHeader(WorldFileReader& in);

    Font* font;
    SoundManager* soundManager;

private:
    float sizeOneCube;

public:
    CubeTypeList cubeTypeManager;
    WorldIndexator worldIndexator;
    // The sea; the world scene draws it once per 3D pass and tints in the 2D pass.
    std::unique_ptr<Water> water;
};
