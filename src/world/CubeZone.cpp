// The record, its file form, texture coordinate ranges and the collision questions.
// Face geometry and batch building are in CubeZoneGeometry.cpp.
#include "world/CubeZone.h"

#include <cmath>
#include <string>

#include "core/FatalError.h"
#include "world/CubeTypeList.h"
#include "world/WorldFileReader.h"
#include "world/WorldFileWriter.h"

bool CubeZone::displayShadows = true;

CubeZone::CubeZone(const Float3& parSize, const Float3& parPosition, int32_t cubeTypeIndex)
    : id(cubeTypeIndex), position(parPosition), size(parSize)
{
}

bool CubeZone::boxContains(const Float3& p) const
{
    Float3 lo = minCorner(), hi = maxCorner();
    if (lo.x() > p.x() || lo.y() > p.y() || lo.z() > p.z())
        return false;
    if (hi.x() < p.x() || hi.y() < p.y() || hi.z() < p.z())
        return false;
    return true;
}

void CubeZone::read(WorldFileReader& in, int nbCubeTypes)
{
    position = in.readFiniteFloat3("aggregate position");
    size = in.readFiniteFloat3("aggregate size");
    id = in.readInt("aggregate cube type");
    if (id < 0 || id >= nbCubeTypes)
        in.fail("an aggregate uses cube type " + std::to_string(id) + " but the file has " +
                std::to_string(nbCubeTypes) + " cube types");
    reserved = in.readInt("aggregate record");
    for (int k = 0; k < nbShadowFaces; k++) {
        shadowTriangles[k].clear();
        int32_t n = in.readInt("shadow triangle count");
        faceInShadow[k] = n == -1;
        if (n == -1)
            continue;
        if (n < 0)
            in.fail("a shadow triangle count is negative (" + std::to_string(n) + ")");
        if ((uint64_t)n * 12 > in.remaining())
            in.fail("a shadow triangle count (" + std::to_string(n) + ") is larger than the rest of the file");
        if (n % 3 != 0)
            in.fail("a shadow triangle list holds " + std::to_string(n) + " points, not a multiple of 3");
        shadowTriangles[k].reserve((size_t)n);
        for (int32_t i = 0; i < n; i++)
            shadowTriangles[k].push_back(in.readFloat3("shadow triangles"));
    }
}

void CubeZone::write(WorldFileWriter& out) const
{
    out.writeFloat3(position);
    out.writeFloat3(size);
    out.writeInt(id);
    out.writeInt(reserved);
    for (int k = 0; k < nbShadowFaces; k++) {
        if (faceInShadow[k]) {
            out.writeInt(-1);
            continue;
        }
        out.writeInt((int32_t)shadowTriangles[k].size());
        for (const Float3& p : shadowTriangles[k])
            out.writeFloat3(p);
    }
}

void CubeZone::textureRange(const Float3& boxMin, const Float3& boxSize, float sizeOneCube,
                            const CubeTypeDescription& options, Float3& start, Float3& end)
{
    start = Float3(0.f, 0.f, 0.f);
    end = boxSize / sizeOneCube;
    if (options.stretchTexture == 0)
        end = Float3(1.f, 1.f, 1.f);
    if (options.divideTexCoordsBy8 == 0) {
        end = end * 0.125f;
        float grid = 8.f * sizeOneCube;
        for (int a = 0; a < 3; a++) {
            float v = boxMin[a] / grid;
            start[a] = v - std::trunc(v);
        }
        end = end + start;
    }
}

void CubeZone::hiddenFaceTestPoints(int face, const CubeZoneFace& geometry, Float3 out[4]) const
{
    static const Float3 outward[nbCubeFaces] = {Float3(0.f, 0.5f, 0.f),  Float3(0.f, -0.5f, 0.f),
                                                Float3(0.f, 0.f, 0.5f),  Float3(0.f, 0.f, -0.5f),
                                                Float3(-0.5f, 0.f, 0.f), Float3(0.5f, 0.f, 0.f)};
    for (int i = 0; i < 4; i++)
        out[i] = position + (geometry.corners[i] + outward[face] - position) * 0.9999f;
}

bool CubeZone::containsPoint(const Float3& p, CubeTypeList& types) const
{
    ASSERT(id >= 0, "CubeZone::containsPoint : negative cube type index");
    if (!types.getCubeType(id)->collidable)
        return false;
    return boxContains(p);
}

bool CubeZone::segmentHit(const Float3& a, const Float3& b, Float3& hit, CubeTypeList& types) const
{
    if (!types.getCubeType(id)->collidable)
        return false;
    Float3 d = b - a;
    d.normalize();
    if (!(b.x() > a.x()))
        return false;
    Float3 lo = minCorner(), hi = maxCorner();
    Float3 p = a;
    while (!boxContains(p)) {
        // The walk only moves on along d: once it has left the box's slab on an axis in
        // the direction it goes, it can never enter the box again.
        for (int axis = 0; axis < 3; axis++) {
            if (d[axis] >= 0.f && p[axis] > hi[axis])
                return false;
            if (d[axis] <= 0.f && p[axis] < lo[axis])
                return false;
        }
        Float3 next = p + d;
        if (next == p)
            return false;  // too far out for a step to change the point
        p = next;
    }
    hit = p;
    return true;
}
