// Aggregate geometry without textures: texture coordinate ranges and faces, the hidden-face
// test (the grid index against the plain search), and the box test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "world/CubeTypeDescription.h"
#include "world/CubeZone.h"
#include "world/CubeZoneIndex.h"

namespace {

CubeTypeDescription options(uint8_t stretch, uint8_t divide, uint8_t random)
{
    CubeTypeDescription d;
    d.stretchTexture = stretch;
    d.divideTexCoordsBy8 = divide;
    d.randomTexCoords = random;
    return d;
}

// Which faces of zones[self] a solid neighbour hides, through the index and through the
// plain search; both must agree.
std::vector<bool> hiddenFaces(const std::vector<CubeZone>& zones, const std::vector<bool>& collidable, int self)
{
    CubeZoneIndex index(zones, collidable);
    CubeZoneFace faces[nbCubeFaces];
    zones[self].faces(options(1, 1, 1), 1.f, faces);
    std::vector<bool> hidden;
    for (int f = 0; f < nbCubeFaces; f++) {
        Float3 points[4];
        zones[self].hiddenFaceTestPoints(f, faces[f], points);
        int cover = index.findCover(points, self);
        EXPECT_EQ(cover, CubeZoneIndex::findCoverLinear(zones, collidable, points, self));
        hidden.push_back(cover >= 0);
    }
    return hidden;
}

}  // namespace

TEST(CubeZoneTexture, EveryOptionOffRepeatsOncePerCubeWithTFlipped)
{
    CubeZone zone(Float3(4.f, 1.f, 2.f), Float3(2.f, 0.5f, 1.f), 0);
    CubeZoneFace faces[nbCubeFaces];
    zone.faces(options(1, 1, 1), 1.f, faces);
    const CubeZoneFace& top = faces[CUBE_FACE_TOP];
    // Corners (-,+,-), (-,+,+), (+,+,+), (+,+,-): s along x 0..4, t along z 0..2 flipped to 1..-1.
    EXPECT_EQ(top.corners[0], Float3(0.f, 1.f, 0.f));
    EXPECT_EQ(top.corners[2], Float3(4.f, 1.f, 2.f));
    const Float2 expected[4] = {Float2(0.f, -1.f), Float2(0.f, 1.f), Float2(4.f, 1.f), Float2(4.f, -1.f)};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(top.texCoords[i], expected[i]) << "corner " << i;
}

TEST(CubeZoneTexture, StretchSpansEachFaceOnce)
{
    CubeZone zone(Float3(6.f, 3.f, 9.f), Float3(10.f, 10.f, 10.f), 0);
    CubeZoneFace faces[nbCubeFaces];
    zone.faces(options(0, 1, 1), 1.f, faces);
    for (int f = 0; f < nbCubeFaces; f++)
        for (int i = 0; i < 4; i++) {
            Float2 st = faces[f].texCoords[i];
            EXPECT_TRUE(st.x() == 0.f || st.x() == 1.f) << f << "/" << i;
            EXPECT_TRUE(st.y() == 0.f || st.y() == 1.f) << f << "/" << i;
        }
}

TEST(CubeZoneTexture, DivideBy8AlignsWithTheWorldGrid)
{
    // Cube edge 2: the box's minimum x is at -4 cubes (-8 units), a grid cell is 16 units.
    Float3 start, end;
    CubeZone::textureRange(Float3(-8.f, 0.f, 24.f), Float3(4.f, 2.f, 2.f), 2.f, options(1, 0, 1), start, end);
    EXPECT_FLOAT_EQ(start.x(), -0.5f);
    EXPECT_FLOAT_EQ(end.x(), -0.5f + 2.f * 0.125f);
    EXPECT_FLOAT_EQ(start.z(), 0.5f);  // 24 / 16 = 1.5
    EXPECT_FLOAT_EQ(start.y(), 0.f);

    // And on the faces that use x.
    CubeZone zone(Float3(4.f, 2.f, 2.f), Float3(-6.f, 1.f, 25.f), 0);
    CubeZoneFace faces[nbCubeFaces];
    zone.faces(options(1, 0, 1), 2.f, faces);
    EXPECT_FLOAT_EQ(faces[CUBE_FACE_TOP].texCoords[0].x(), -0.5f);
    EXPECT_FLOAT_EQ(faces[CUBE_FACE_FRONT].texCoords[0].x(), -0.5f);
}

TEST(CubeZoneHiddenFaces, SolidNeighboursHideTouchingFacesOnly)
{
    std::vector<CubeZone> zones = {CubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 1.f, 1.f), 0),
                                   CubeZone(Float3(2.f, 2.f, 2.f), Float3(3.f, 1.f, 1.f), 0)};
    std::vector<bool> hidden = hiddenFaces(zones, {true, true}, 0);
    for (int f = 0; f < nbCubeFaces; f++)
        EXPECT_EQ(hidden[f], f == CUBE_FACE_RIGHT) << "face " << f;
    hidden = hiddenFaces(zones, {true, true}, 1);
    for (int f = 0; f < nbCubeFaces; f++)
        EXPECT_EQ(hidden[f], f == CUBE_FACE_LEFT) << "face " << f;
}

TEST(CubeZoneHiddenFaces, TwoPartialCoversDoNotHide)
{
    // The +X face (2 x 2) has two 2 x 1 x 2 neighbours, each covering half of it.
    std::vector<CubeZone> zones = {CubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 1.f, 1.f), 0),
                                   CubeZone(Float3(2.f, 1.f, 2.f), Float3(3.f, 0.5f, 1.f), 0),
                                   CubeZone(Float3(2.f, 1.f, 2.f), Float3(3.f, 1.5f, 1.f), 0)};
    EXPECT_FALSE(hiddenFaces(zones, {true, true, true}, 0)[CUBE_FACE_RIGHT]);
}

TEST(CubeZoneHiddenFaces, NonCollidableNeighboursNeverHide)
{
    std::vector<CubeZone> zones = {CubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 1.f, 1.f), 0),
                                   CubeZone(Float3(2.f, 2.f, 2.f), Float3(1.f, 3.f, 1.f), 1)};
    // The solid one's top stays against the non-collidable one above it...
    EXPECT_FALSE(hiddenFaces(zones, {true, false}, 0)[CUBE_FACE_TOP]);
    // ...while the non-collidable one's bottom is hidden by the solid one.
    EXPECT_TRUE(hiddenFaces(zones, {true, false}, 1)[CUBE_FACE_BOTTOM]);
}

TEST(CubeZoneHiddenFaces, IndexAgreesWithThePlainSearchInADenseRegion)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> cell(0, 15), extent(1, 4);
    std::vector<CubeZone> zones;
    std::vector<bool> collidable;
    for (int i = 0; i < 600; i++) {
        Float3 size((float)extent(random), (float)extent(random), (float)extent(random));
        Float3 low((float)cell(random), (float)cell(random), (float)cell(random));
        zones.emplace_back(size, low + size / 2.f, 0);
        collidable.push_back(i % 7 != 0);
    }
    int nbHidden = 0;
    for (int self = 0; self < (int)zones.size(); self++)
        for (bool hidden : hiddenFaces(zones, collidable, self))
            nbHidden += hidden;
    EXPECT_GT(nbHidden, 100);  // the region is dense enough for the comparison to mean something
}

// A region of many aggregates that all overlap: listing each in every cell of a fine grid
// would take billions of entries (more than an int counts); the index must stay small and
// give the same answers.
TEST(CubeZoneHiddenFaces, ManyOverlappingLargeAggregatesKeepTheIndexSmall)
{
    const int nbLarge = 100000;
    std::vector<CubeZone> zones(nbLarge, CubeZone(Float3(64.f, 64.f, 64.f), Float3(32.f, 32.f, 32.f), 0));
    zones.emplace_back(Float3(1.f, 1.f, 1.f), Float3(10.5f, 10.5f, 10.5f), 0);
    std::vector<bool> collidable(zones.size(), true);
    EXPECT_EQ(hiddenFaces(zones, collidable, nbLarge), std::vector<bool>(nbCubeFaces, true));
    EXPECT_EQ(hiddenFaces(zones, collidable, 0), std::vector<bool>(nbCubeFaces, false));
}

TEST(CubeZoneBox, ContainsIsInclusiveOnEverySide)
{
    CubeZone zone(Float3(2.f, 4.f, 6.f), Float3(1.f, 2.f, 3.f), 0);
    EXPECT_TRUE(zone.boxContains(Float3(0.f, 0.f, 0.f)));
    EXPECT_TRUE(zone.boxContains(Float3(2.f, 4.f, 6.f)));
    EXPECT_FALSE(zone.boxContains(Float3(-0.001f, 0.f, 0.f)));
    EXPECT_FALSE(zone.boxContains(Float3(2.f, 4.001f, 6.f)));
}
