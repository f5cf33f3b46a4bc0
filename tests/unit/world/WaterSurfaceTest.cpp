// The sea's figures: tide, grid snapping, sizes, the ring and the wave checkerboard.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "world/WaterSurface.h"

TEST(WaterSurface, TidePhaseOverOnePeriod)
{
    struct Case {
        int timeMs;
        float phase;
    };
    const Case cases[] = {
        {0, -1.f},   {500, -0.5f}, {1000, 0.f},  {2000, 1.f},  {2500, 0.5f},
        {3000, 0.f}, {3999, -0.999f}, {4000, -1.f}, {9000, 0.f}, {-1000, 0.f},
    };
    for (const Case& c : cases) {
        float phase = WaterSurface::tidePhase(c.timeMs);
        EXPECT_NEAR(phase, c.phase, 1e-6) << "at " << c.timeMs << " ms";
        EXPECT_GE(phase, -1.f);
        EXPECT_LE(phase, 1.f);
    }
}

TEST(WaterSurface, CentreSnapsTowardZeroOnTheGrid)
{
    const std::pair<float, float> cases[] = {
        {-75.f, -50.f}, {149.9f, 100.f}, {150.f, 150.f}, {0.f, 0.f}, {-49.9f, 0.f}, {1234.5f, 1200.f},
    };
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(WaterSurface::snapToGrid(c.first), c.second) << "camera at " << c.first;
}

TEST(WaterSurface, DefaultViewDistanceFigures)
{
    // The world scene passes extents 0 and twice the view distance of 1500.
    EXPECT_FLOAT_EQ(WaterSurface::surfaceSize(3000.f), 6000.f);
    EXPECT_FLOAT_EQ(WaterSurface::textureRepeat(0.f, 3000.f), 120.f);
    EXPECT_FLOAT_EQ(WaterSurface::ringOffset(6000.f), 1587.5f);
    EXPECT_FLOAT_EQ(WaterSurface::ringWidth(6000.f), 2825.f);
    EXPECT_FLOAT_EQ(WaterSurface::textureRepeat(10.f, 3000.f), 119.f);  // (6000 - 20) / 50 = 119.6
}

TEST(WaterSurface, RingCoversTheSeaAroundTheWavedSquare)
{
    const float size = 6000.f, half = size / 2.f, inner = WaterSurface::WAVE_AREA / 2.f;
    auto quads = WaterSurface::ring(size);
    float area = WaterSurface::WAVE_AREA * WaterSurface::WAVE_AREA;
    for (const WaterQuad& q : quads) {
        area += q.size.x() * q.size.y();
        for (int axis = 0; axis < 2; axis++) {
            float lo = q.offset[axis] - q.size[axis] / 2.f, hi = q.offset[axis] + q.size[axis] / 2.f;
            EXPECT_GE(lo, -half);
            EXPECT_LE(hi, half);
            // Each quad either spans the waved square's width or lies wholly outside it.
            bool across = lo == -inner && hi == inner;
            bool outside = lo >= inner || hi <= -inner;
            EXPECT_TRUE(across || outside) << "axis " << axis << " [" << lo << ", " << hi << "]";
        }
        // One repetition per 50 units, the 350-unit side repeated 7 times.
        EXPECT_NEAR(q.repeat.x(), q.size.x() * 0.02f, 1e-3);
        EXPECT_NEAR(q.repeat.y(), q.size.y() * 0.02f, 1e-3);
    }
    EXPECT_FLOAT_EQ(area, size * size);
    EXPECT_FLOAT_EQ(quads[0].offset.y(), 1587.5f);
    EXPECT_FLOAT_EQ(quads[0].size.x(), 350.f);
    EXPECT_FLOAT_EQ(quads[0].size.y(), 2825.f);
    EXPECT_FLOAT_EQ(quads[2].offset.x(), -1587.5f);
    EXPECT_FLOAT_EQ(quads[7].size.x(), 2825.f);
}

TEST(WaterSurface, WaveHeightFollowsTheTide)
{
    EXPECT_FLOAT_EQ(WaterSurface::waveHeight(WaterSurface::tidePhase(1000), 8.f), 0.f);
    EXPECT_NEAR(WaterSurface::waveHeight(WaterSurface::tidePhase(2000), 8.f), 8.f * std::sqrt(0.5f), 1e-5);
    EXPECT_NEAR(WaterSurface::waveHeight(-1.f, 8.f), -8.f * std::sqrt(0.5f), 1e-5);
}

TEST(WaterSurface, CheckerboardCornersMeetAndFadeAtTheEdge)
{
    const float crest = 4.f;
    // The centre cell: crest at A, trough at C, zero on the mixed corners.
    auto centre = WaterSurface::waveCellCorners(0, 0, crest);
    EXPECT_EQ(centre[0], Float3(-25.f, 4.f, -25.f));
    EXPECT_EQ(centre[1], Float3(-25.f, 0.f, 25.f));
    EXPECT_EQ(centre[2], Float3(25.f, -4.f, 25.f));
    EXPECT_EQ(centre[3], Float3(25.f, 0.f, -25.f));
    auto lowCorner = WaterSurface::waveCellCorners(-1, -1, crest);
    EXPECT_FLOAT_EQ(lowCorner[0].y(), -4.f);
    EXPECT_FLOAT_EQ(lowCorner[2].y(), 4.f);

    // Every lattice point gets one height, whichever cell names it; the grid spans
    // exactly the waved square and its outer edge is flat.
    std::map<std::pair<float, float>, float> heights;
    for (int i = -3; i <= 3; i++)
        for (int j = -3; j <= 3; j++)
            for (const Float3& corner : WaterSurface::waveCellCorners(i, j, crest)) {
                EXPECT_LE(std::fabs(corner.x()), 175.f);
                EXPECT_LE(std::fabs(corner.z()), 175.f);
                auto key = std::make_pair(corner.x(), corner.z());
                auto found = heights.find(key);
                if (found != heights.end())
                    EXPECT_FLOAT_EQ(found->second, corner.y()) << "cell " << i << "," << j;
                else
                    heights[key] = corner.y();
                if (std::fabs(corner.x()) == 175.f || std::fabs(corner.z()) == 175.f)
                    EXPECT_FLOAT_EQ(corner.y(), 0.f) << "edge corner of cell " << i << "," << j;
                else
                    EXPECT_TRUE(corner.y() == 0.f || std::fabs(corner.y()) == crest);
            }
    EXPECT_EQ(heights.size(), 64u);  // 8 x 8 lattice points
}
