// WorldRegion: one cubic cell of the region index, with the aggregates and the script
// objects that lie in it and the vertex buffer batches built from its aggregates.
//
// Any change to either list must free the batches first (freeVBO), so that the next draw
// builds them again. Region record in the world file: aggregate count, extra length (0),
// the aggregate records, object count, extra length (0), the object records (position as
// 3 x float32, type as int32); a reader skips an extra length's bytes.
//
// Depends on: world/CubeZone, world/CustomObject, gl/VBOBatchSet.
#pragma once

#include <vector>

#include "world/CubeZone.h"
#include "world/CustomObject.h"

class CubeTypeList;
class VBOBatchSet;

class WorldRegion {
public:
    WorldRegion() = default;
    ~WorldRegion() { freeVBO(); }
    WorldRegion(const WorldRegion&) = delete;
    WorldRegion& operator=(const WorldRegion&) = delete;

    VBOBatchSet* vbo = nullptr;
    std::vector<CubeZone> cubeZones;
    std::vector<CustomObject> objects;
    bool visited = false;

    void freeVBO();
    // Puts the geometry of every aggregate into the set, in list order, with the faces that
    // a solid aggregate of this region covers left out. Nothing is uploaded.
    void fillBatches(VBOBatchSet& batches, CubeTypeList& types, float sizeOneCube) const;

    // Appends the record's aggregates and objects.
    void read(WorldFileReader& in, int nbCubeTypes);
    void write(WorldFileWriter& out) const;
};
