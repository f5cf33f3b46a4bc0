// An aggregate's faces and shadow overlay, put into its region's vertex buffer batches.
#include "world/CubeZone.h"

#include "draw/BoxGeometry.h"
#include "gl/VBOBatchSet.h"
#include "world/CubeTypeList.h"
#include "world/CubeZoneIndex.h"

namespace {

// The shadow data of each face, in face order (top, bottom, front, back, left, right).
const int shadowFaceOf[nbCubeFaces] = {SHADOW_FACE_POS_Y, SHADOW_FACE_NEG_Y, SHADOW_FACE_POS_Z,
                                       SHADOW_FACE_NEG_Z, SHADOW_FACE_NEG_X, SHADOW_FACE_POS_X};

// The overlay floats this far off its face, in shadow order.
const Float3 shadowOverlayOffset[nbShadowFaces] = {Float3(-0.1f, 0.f, 0.f), Float3(0.1f, 0.f, 0.f),
                                                   Float3(0.f, -0.1f, 0.f), Float3(0.f, 0.1f, 0.f),
                                                   Float3(0.f, 0.f, -0.1f), Float3(0.f, 0.f, 0.1f)};

}  // namespace

void CubeZone::faces(const CubeTypeDescription& options, float sizeOneCube, CubeZoneFace out[6]) const
{
    Float3 start, end;
    textureRange(minCorner(), size, sizeOneCube, options, start, end);
    Float3 vertices[24];
    Float2 texCoords[24];
    buildBoxGeometry(size / 2.f, start, end, options.randomTexCoords == 0, vertices, texCoords);
    for (int f = 0; f < nbCubeFaces; f++)
        for (int i = 0; i < 4; i++) {
            out[f].corners[i] = vertices[4 * f + i] + position;
            out[f].texCoords[i] = Float2(texCoords[4 * f + i].x(), 1.f - texCoords[4 * f + i].y());
        }
}

void CubeZone::buildGeometry(VBOBatchSet& batches, const CubeZoneIndex& neighbours, int selfIndex,
                             CubeTypeList& types, float sizeOneCube) const
{
    CubeType* type = types.getCubeType(id);
    CubeZoneFace geometry[nbCubeFaces];
    faces(*type, sizeOneCube, geometry);
    for (int f = 0; f < nbCubeFaces; f++) {
        unsigned int texture = type->faceTexture(f, faceInShadow[shadowFaceOf[f]]);
        Float3 testPoints[4];
        hiddenFaceTestPoints(f, geometry[f], testPoints);
        if (neighbours.findCover(testPoints, selfIndex) < 0)
            batches.addQuad(geometry[f].corners, geometry[f].texCoords, texture);
    }

    // Faces hidden by a neighbour still receive their shadow triangles.
    if (!displayShadows)
        return;
    unsigned int texture = type->shadowTexture();
    static const Float2 triangleTexCoords[3] = {Float2(0.f, 0.f), Float2(1.f, 0.f), Float2(0.f, 1.f)};
    for (int k = 0; k < nbShadowFaces; k++) {
        const std::vector<Float3>& points = shadowTriangles[k];
        for (size_t i = 0; i + 2 < points.size(); i += 3) {
            Float3 corners[3];
            for (int j = 0; j < 3; j++)
                corners[j] = position + shadowOverlayOffset[k] + points[i + j];
            batches.addTriangle(corners, triangleTexCoords, texture);
        }
    }
    batches.batch(texture).drawLast = true;
}
