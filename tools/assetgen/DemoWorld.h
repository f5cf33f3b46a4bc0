// DemoWorld: "world.dat", the demo's island, built with the engine's own world code
// (cube type records, cube aggregates in the region index, the world file writer).
//
// The island's relief comes from the same function as "world_heightmap.png": sand
// beaches, grass over dirt, stone slopes and a snowy peak, merged into as few
// aggregates as possible (rectangles of equal height, cut at region borders). On it:
// trees, a brick hut with a plank roof, a pier running into the sea, and script
// objects: gems to collect, a boat at the pier, birds above the island.
//
// The world is laid out for a configuration with "size_one_cube" 10 and
// "size_one_region" 32 (so a region is 320 world units); the world script and
// world.xml must agree with the values below.
//
// Depends on: AssetOutput, HeightmapPicture, Noise; world/WorldIndexator, world/CubeZone,
// world/CubeTypeDescription, world/WorldFileWriter (engine).
#pragma once

#include "core/BasicVector.h"

namespace assetgen {

class AssetOutput;

class DemoWorld {
public:
    static constexpr float sizeOneCube = 10.f;
    static constexpr int sizeOneRegion = 32;

    // Script object types placed in the world (the world script defines their functions).
    enum ObjectType { OBJECT_GEM = 0, OBJECT_BOAT = 1, OBJECT_BIRD = 2, NB_OBJECT_TYPES = 3 };
    // Cube types, in the order of the world file (the editor generates landscapes with the
    // current type as body and the next one as top: dirt then grass, stone then snow).
    enum CubeTypeIndex {
        TYPE_DIRT, TYPE_GRASS, TYPE_STONE, TYPE_SNOW, TYPE_SAND, TYPE_WOOD, TYPE_LEAVES, TYPE_PLANKS, TYPE_BRICK,
        NB_CUBE_TYPES
    };

    // Where the player should start: on the grass in front of the hut, in world units.
    static Float3 spawnPoint();

    static void generate(AssetOutput& output);
};

}  // namespace assetgen
