#include "world/WorldRegion.h"

#include "gl/VBOBatchSet.h"
#include "world/CubeTypeList.h"
#include "world/CubeZoneIndex.h"
#include "world/WorldFileReader.h"
#include "world/WorldFileWriter.h"

namespace {

// The smallest records, for the bound checks of the counts.
const size_t minCubeZoneRecordSize = 3 * 4 + 3 * 4 + 4 + 4 + nbShadowFaces * 4;
const size_t objectRecordSize = 3 * 4 + 4;

}  // namespace

void WorldRegion::freeVBO()
{
    delete vbo;
    vbo = nullptr;
}

void WorldRegion::fillBatches(VBOBatchSet& batches, CubeTypeList& types, float sizeOneCube) const
{
    std::vector<bool> collidable(cubeZones.size());
    for (size_t i = 0; i < cubeZones.size(); i++)
        collidable[i] = types.getCubeType(cubeZones[i].id)->collidable;
    CubeZoneIndex neighbours(cubeZones, collidable);
    for (size_t i = 0; i < cubeZones.size(); i++)
        cubeZones[i].buildGeometry(batches, neighbours, (int)i, types, sizeOneCube);
}

void WorldRegion::read(WorldFileReader& in, int nbCubeTypes)
{
    freeVBO();
    int32_t nbZones = in.readCount("aggregate count", minCubeZoneRecordSize);
    int32_t extra = in.readCount("aggregate extra length", 1);
    cubeZones.reserve(cubeZones.size() + (size_t)nbZones);
    for (int32_t i = 0; i < nbZones; i++) {
        cubeZones.emplace_back();
        cubeZones.back().read(in, nbCubeTypes);
    }
    in.skip((size_t)extra, "aggregate extra bytes");

    int32_t nbObjects = in.readCount("object count", objectRecordSize);
    extra = in.readCount("object extra length", 1);
    objects.reserve(objects.size() + (size_t)nbObjects);
    for (int32_t i = 0; i < nbObjects; i++) {
        CustomObject object;
        object.position = in.readFiniteFloat3("object position");
        object.type = in.readInt("object type");
        if (object.type < 0)
            in.fail("an object has the negative type " + std::to_string(object.type));
        if (object.type > CustomObject::maxType)
            in.fail("an object has the type " + std::to_string(object.type) + ", above the largest object type " +
                    std::to_string(CustomObject::maxType));
        objects.push_back(object);
    }
    in.skip((size_t)extra, "object extra bytes");
}

void WorldRegion::write(WorldFileWriter& out) const
{
    out.writeInt((int32_t)cubeZones.size());
    out.writeInt(0);
    for (const CubeZone& zone : cubeZones)
        zone.write(out);
    out.writeInt((int32_t)objects.size());
    out.writeInt(0);
    for (const CustomObject& object : objects) {
        out.writeFloat3(object.position);
        out.writeInt(object.type);
    }
}
