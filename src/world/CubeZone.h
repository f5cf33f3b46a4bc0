// CubeZone: a cube aggregate, an axis-aligned box filled with cubes of one cube type.
//
// The world is nothing but lists of these, one per region. This module turns an aggregate
// into textured face quads and shadow triangles for its region's vertex buffer batches,
// leaving out the faces that a solid aggregate of the same region covers, and answers the
// two collision questions: is a point inside, and where does a walk toward +X enter it.
//
// Shadow data is indexed in the shadow order -X, +X, -Y, +Y, -Z, +Z (not the face order).
// Record in the world file: position, size (3 x float32 each), id, reserved (int32), then
// per shadow face an int32 n and n points of 3 x float32, or n = -1 for a face in shadow
// (its triangles are not stored).
//
// Depends on: core/BasicVector, world/CubeTypeList, world/CubeZoneIndex, gl/VBOBatchSet,
// draw/ box geometry.
#pragma once

#include <cstdint>
#include <vector>

#include "core/BasicVector.h"

class CubeTypeList;
class CubeZoneIndex;
class VBOBatchSet;
class WorldFileReader;
class WorldFileWriter;
struct CubeTypeDescription;

enum ShadowFace { SHADOW_FACE_NEG_X, SHADOW_FACE_POS_X, SHADOW_FACE_NEG_Y, SHADOW_FACE_POS_Y, SHADOW_FACE_NEG_Z, SHADOW_FACE_POS_Z };
const int nbShadowFaces = 6;

// One face of an aggregate: four corners in world units and their texture coordinates.
struct CubeZoneFace {
    Float3 corners[4];
    Float2 texCoords[4];
};

class CubeZone {
public:
    // When false no shadow triangles are emitted (the options screen switches it and then
    // frees every region's buffers).
    static bool displayShadows;

    int32_t id = 0;
    Float3 position = Float3(0.f, 0.f, 0.f);
    Float3 size = Float3(0.f, 0.f, 0.f);
    int32_t reserved = 0;
    std::vector<Float3> shadowTriangles[nbShadowFaces];
    bool faceInShadow[nbShadowFaces] = {};

    CubeZone() = default;
    CubeZone(const Float3& parSize, const Float3& parPosition, int32_t cubeTypeIndex);

    Float3 minCorner() const { return position - size / 2.f; }
    Float3 maxCorner() const { return position + size / 2.f; }
    // The box test alone, inclusive on all six sides (no cube type involved).
    bool boxContains(const Float3& p) const;

    // Reads one record; the cube type index must lie in [0, nbCubeTypes).
    void read(WorldFileReader& in, int nbCubeTypes);
    void write(WorldFileWriter& out) const;

    // The texture coordinate range of the aggregate per axis, from its cube type's options.
    static void textureRange(const Float3& boxMin, const Float3& boxSize, float sizeOneCube,
                             const CubeTypeDescription& options, Float3& start, Float3& end);
    // The six faces in face order (top, bottom, front, back, left, right), t flipped.
    void faces(const CubeTypeDescription& options, float sizeOneCube, CubeZoneFace out[6]) const;
    // The four points that must all lie in one solid neighbour for the face to be hidden:
    // just outside the face, pulled slightly toward the box's axis.
    void hiddenFaceTestPoints(int face, const CubeZoneFace& geometry, Float3 out[4]) const;

    // Adds the visible faces and the shadow overlay to the region's batch set. `neighbours`
    // indexes the region's aggregate list, in which this aggregate sits at selfIndex.
    void buildGeometry(VBOBatchSet& batches, const CubeZoneIndex& neighbours, int selfIndex,
                       CubeTypeList& types, float sizeOneCube) const;

    // True when the cube type is collidable and the point is inside or on the box.
    bool containsPoint(const Float3& p, CubeTypeList& types) const;
    // The walk from a toward b, one world unit a step: true and the first point inside.
    // Only walks that head toward +X can hit; a walk stops once it is past the box's
    // maximum x, and a walk that stops reports no hit.
    bool segmentHit(const Float3& a, const Float3& b, Float3& hit, CubeTypeList& types) const;
};
