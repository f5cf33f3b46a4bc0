// The box geometry the cube aggregates put into vertex buffers.
#include <gtest/gtest.h>

#include <cstdlib>

#include "draw/BoxGeometry.h"

namespace {

const Float3 outward[nbBoxFaces] = {Float3(0, 1, 0),  Float3(0, -1, 0), Float3(0, 0, 1),
                                    Float3(0, 0, -1), Float3(-1, 0, 0), Float3(1, 0, 0)};

Float3 cross(Float3 a, Float3 b)
{
    return Float3(a.y() * b.z() - a.z() * b.y(), a.z() * b.x() - a.x() * b.z(), a.x() * b.y() - a.y() * b.x());
}

float dot(Float3 a, Float3 b) { return a.x() * b.x() + a.y() * b.y() + a.z() * b.z(); }

struct Box {
    Float3 vertices[24];
    Float2 texCoords[24];
};

Box build(bool random)
{
    Box box;
    buildBoxGeometry(Float3(1, 2, 3), Float3(0.5f, 0.25f, 0.125f), Float3(4, 5, 6), random, box.vertices,
                     box.texCoords);
    return box;
}

}  // namespace

TEST(BoxGeometry, FacesLieOnTheirSidesAndTurnCounterClockwiseFromOutside)
{
    Box box = build(false);
    const Float3 half(1, 2, 3);
    for (int face = 0; face < nbBoxFaces; face++) {
        SCOPED_TRACE(face);
        const Float3* c = &box.vertices[face * 4];
        for (int i = 0; i < 4; i++) {
            EXPECT_FLOAT_EQ(dot(c[i], outward[face]), dot(half, Float3(std::abs(outward[face].x()),
                                                                       std::abs(outward[face].y()),
                                                                       std::abs(outward[face].z()))));
            for (int axis = 0; axis < 3; axis++)
                EXPECT_FLOAT_EQ(std::abs(c[i][axis]), half[axis]);
            // Each turn of the quad goes counter-clockwise seen from outside the box.
            Float3 turn = cross(c[(i + 1) % 4] - c[i], c[(i + 2) % 4] - c[(i + 1) % 4]);
            EXPECT_GT(dot(turn, outward[face]), 0.f);
        }
    }
}

TEST(BoxGeometry, TextureCoordinatesSpanTheLowAndHighCorners)
{
    Box box = build(false);
    // Which box axes each face's u and v run along.
    const int uAxis[nbBoxFaces] = {0, 0, 0, 0, 2, 2}, vAxis[nbBoxFaces] = {2, 2, 1, 1, 1, 1};
    const Float3 low(0.5f, 0.25f, 0.125f), high(4, 5, 6);
    for (int face = 0; face < nbBoxFaces; face++) {
        int seen = 0;
        for (int i = 0; i < 4; i++) {
            Float2 t = box.texCoords[face * 4 + i];
            bool uHigh = t.x() == high[uAxis[face]], vHigh = t.y() == high[vAxis[face]];
            EXPECT_TRUE(uHigh || t.x() == low[uAxis[face]]) << face;
            EXPECT_TRUE(vHigh || t.y() == low[vAxis[face]]) << face;
            seen |= 1 << (uHigh * 2 + vHigh);
        }
        EXPECT_EQ(seen, 15) << "face " << face << " covers each corner of the texture rectangle once";
    }
    EXPECT_EQ(box.texCoords[2], Float2(4, 0.125f));   // top, corner 3: (B.x, A.z)
    EXPECT_EQ(box.texCoords[12], Float2(4, 5));       // back, corner 1: (B.x, B.y)
    EXPECT_EQ(box.texCoords[20], Float2(6, 0.25f));   // right, corner 1: (B.z, A.y)
    EXPECT_EQ(box.vertices[2], Float3(1, 2, 3));      // top, corner 3: (+, +, +)
}

TEST(BoxGeometry, RandomShiftMovesOppositeFacesTogetherWithinOneExtent)
{
    const int uAxis[3] = {0, 0, 2}, vAxis[3] = {2, 1, 1};  // per pair: top/bottom, front/back, left/right
    const Float3 high(4, 5, 6);
    Box plain = build(false);
    std::srand(7);
    Box first = build(true);
    Box second = build(true);
    std::srand(7);
    Box again = build(true);
    for (int pair = 0; pair < 3; pair++) {
        Float2 shift = first.texCoords[pair * 8] - plain.texCoords[pair * 8];
        for (int i = pair * 8; i < pair * 8 + 8; i++) {
            Float2 d = first.texCoords[i] - plain.texCoords[i];
            EXPECT_NEAR(d.x(), shift.x(), 1e-5) << i;
            EXPECT_NEAR(d.y(), shift.y(), 1e-5) << i;
            EXPECT_EQ(first.vertices[i], plain.vertices[i]);
            EXPECT_EQ(again.texCoords[i], first.texCoords[i]) << "same seed, same shifts";
        }
        EXPECT_GE(shift.x(), 0.f);
        EXPECT_LE(shift.x(), high[uAxis[pair]]);
        EXPECT_GE(shift.y(), 0.f);
        EXPECT_LE(shift.y(), high[vAxis[pair]]);
        EXPECT_NE(first.texCoords[pair * 8], second.texCoords[pair * 8]) << "each box draws new shifts";
    }
}
