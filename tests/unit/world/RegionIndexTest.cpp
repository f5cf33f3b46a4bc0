// The region index's bookkeeping without a window: which region holds a box, table growth,
// deletions and the ground height. None of these look cube types up.
#include <gtest/gtest.h>

#include <cmath>

#include "world/CubeTypeList.h"
#include "world/WorldIndexator.h"

namespace {

class RegionIndex : public ::testing::Test {
protected:
    CubeTypeList types;
    WorldIndexator regions{10.f, types, 1.f};

    // The absolute region coordinate of the region that took the box, or false.
    bool place(Float3 center, Float3 size, Int3& absolute)
    {
        Int3 index;
        if (!regions.regionIndexOfBox(center, size, index))
            return false;
        absolute = index + regions.tableMin;
        return true;
    }
    CustomObject object(Float3 position)
    {
        CustomObject o;
        o.position = position;
        return o;
    }
};

}  // namespace

TEST_F(RegionIndex, BoxBelongsToTheRegionOfItsMinimumCorner)
{
    Int3 region;
    // The maximum corner on the boundary of region (1, 1, 1) does not matter.
    ASSERT_TRUE(place(Float3(5.f, 5.f, 5.f), Float3(10.f, 10.f, 10.f), region));
    EXPECT_EQ(region, Int3(0, 0, 0));
    // Up to 0.01 beyond is rounding; more is a box across two regions.
    ASSERT_TRUE(place(Float3(5.0025f, 5.f, 5.f), Float3(10.005f, 10.f, 10.f), region));
    EXPECT_EQ(region, Int3(0, 0, 0));
    EXPECT_FALSE(place(Float3(5.05f, 5.f, 5.f), Float3(10.1f, 10.f, 10.f), region));
    EXPECT_FALSE(place(Float3(10.f, 5.f, 5.f), Float3(20.f, 10.f, 10.f), region));
    EXPECT_FALSE(regions.addCubeZone(CubeZone(Float3(20.f, 10.f, 10.f), Float3(10.f, 5.f, 5.f), 0)));
    // A point: the region that holds it.
    ASSERT_TRUE(place(Float3(-0.5f, 19.f, 0.f), Float3(0.f, 0.f, 0.f), region));
    EXPECT_EQ(region, Int3(-1, 1, 0));
}

TEST_F(RegionIndex, TableGrowsAndRegionsKeepTheirContent)
{
    ASSERT_TRUE(regions.addObject(object(Float3(5.f, 5.f, 5.f))));
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(2.f, 2.f, 2.f), Float3(-5.f, -5.f, -5.f), 0)));
    EXPECT_EQ(regions.tableMin, Int3(-1, -1, -1));
    EXPECT_EQ(regions.tableRegionSize, Int3(2, 2, 2));

    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(10.f, 10.f, 10.f), Float3(-15.f, 5.f, 5.f), 0)));
    EXPECT_EQ(regions.tableMin, Int3(-2, -1, -1));
    EXPECT_EQ(regions.tableRegionSize, Int3(3, 2, 2));
    EXPECT_EQ(regions.getRegion(Int3(0, 1, 1))->cubeZones.size(), 1u);  // absolute (-2, 0, 0)
    EXPECT_EQ(regions.getRegion(Int3(2, 1, 1))->objects.size(), 1u);    // absolute (0, 0, 0)
    EXPECT_EQ(regions.getRegion(Int3(1, 0, 0))->cubeZones.size(), 1u);  // absolute (-1, -1, -1)

    // Growth at the high end leaves the minimum alone.
    ASSERT_TRUE(regions.addObject(object(Float3(35.f, 0.f, 0.f))));
    EXPECT_EQ(regions.tableMin, Int3(-2, -1, -1));
    EXPECT_EQ(regions.tableRegionSize, Int3(6, 2, 2));
}

TEST_F(RegionIndex, BoxesNoTableCanHoldAreRefused)
{
    Int3 region;
    EXPECT_FALSE(place(Float3(1e12f, 0.f, 0.f), Float3(0.f, 0.f, 0.f), region));
    EXPECT_FALSE(place(Float3(NAN, 0.f, 0.f), Float3(1.f, 1.f, 1.f), region));
    EXPECT_FALSE(place(Float3(0.f, 0.f, 0.f), Float3(INFINITY, 1.f, 1.f), region));
    EXPECT_FALSE(regions.addObject(object(Float3(0.f, -1e30f, 0.f))));
    EXPECT_EQ(regions.tableRegionSize, Int3(2, 2, 2));
    EXPECT_FALSE(regions.containsPoint(Float3(1e30f, 0.f, 0.f)));
}

TEST_F(RegionIndex, DeleteAtNeedsTheExactPositionAndPrefersAggregates)
{
    Float3 p(3.f, 4.f, 5.f);
    ASSERT_TRUE(regions.addObject(object(p)));
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(1.f, 1.f, 1.f), p, 0)));
    EXPECT_FALSE(regions.deleteAt(Float3(3.f, 4.f, 5.001f)));
    EXPECT_FALSE(regions.deleteAt(Float3(300.f, 4.f, 5.f)));  // outside the table
    WorldRegion* region = regions.getRegion(regions.regionIndexOfPoint(p));
    EXPECT_TRUE(regions.deleteAt(p));
    EXPECT_TRUE(region->cubeZones.empty());
    EXPECT_EQ(region->objects.size(), 1u);
    EXPECT_TRUE(regions.deleteAt(p));
    EXPECT_TRUE(region->objects.empty());
    EXPECT_FALSE(regions.deleteAt(p));
}

TEST_F(RegionIndex, DeleteNearestRemovesAnAggregateBeforeACloserObject)
{
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(1.f, 1.f, 1.f), Float3(9.f, 9.f, 9.f), 0)));
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(1.f, 1.f, 1.f), Float3(7.f, 9.f, 9.f), 0)));
    ASSERT_TRUE(regions.addObject(object(Float3(1.f, 1.f, 1.f))));
    WorldRegion* region = regions.getRegion(regions.regionIndexOfPoint(Float3(1.f, 1.f, 1.f)));
    EXPECT_TRUE(regions.deleteNearest(Float3(1.f, 1.f, 1.f)));
    ASSERT_EQ(region->cubeZones.size(), 1u);
    EXPECT_EQ(region->cubeZones[0].position, Float3(9.f, 9.f, 9.f));
    EXPECT_TRUE(regions.deleteNearest(Float3(1.f, 1.f, 1.f)));
    EXPECT_TRUE(regions.deleteNearest(Float3(1.f, 1.f, 1.f)));
    EXPECT_TRUE(region->objects.empty());
    EXPECT_FALSE(regions.deleteNearest(Float3(1.f, 1.f, 1.f)));
}

TEST_F(RegionIndex, DeleteNearestOnEqualDistancesTakesTheLaterOne)
{
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(1.f, 1.f, 1.f), Float3(2.f, 5.f, 5.f), 0)));
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(1.f, 1.f, 1.f), Float3(8.f, 5.f, 5.f), 0)));
    ASSERT_TRUE(regions.deleteNearest(Float3(5.f, 5.f, 5.f)));
    WorldRegion* region = regions.getRegion(regions.regionIndexOfPoint(Float3(5.f, 5.f, 5.f)));
    ASSERT_EQ(region->cubeZones.size(), 1u);
    EXPECT_EQ(region->cubeZones[0].position.x(), 2.f);
}

TEST_F(RegionIndex, GroundHeightIsTheHighestTopStrictlyAboveTheSpot)
{
    EXPECT_EQ(regions.getGroundHeight(5.f, 5.f), WorldIndexator::noGround);
    // A floor in region y = -1 and a block on it in region y = 0.
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(10.f, 2.f, 10.f), Float3(5.f, -1.f, 5.f), 0)));
    ASSERT_TRUE(regions.addCubeZone(CubeZone(Float3(2.f, 3.f, 2.f), Float3(4.f, 1.5f, 4.f), 0)));
    EXPECT_EQ(regions.getGroundHeight(4.f, 4.f), 3.f);
    EXPECT_EQ(regions.getGroundHeight(8.f, 8.f), 0.f);
    // Exactly on the block's edge: the block is ignored.
    EXPECT_EQ(regions.getGroundHeight(5.f, 4.f), 0.f);
    EXPECT_EQ(regions.getGroundHeight(500.f, 4.f), WorldIndexator::noGround);
}

TEST_F(RegionIndex, ResetGoesBackToTheInitialTable)
{
    ASSERT_TRUE(regions.addObject(object(Float3(-45.f, 0.f, 0.f))));
    regions.reset();
    EXPECT_EQ(regions.tableMin, Int3(-1, -1, -1));
    EXPECT_EQ(regions.tableRegionSize, Int3(2, 2, 2));
    EXPECT_TRUE(regions.getRegion(Int3(0, 1, 1))->objects.empty());
}
