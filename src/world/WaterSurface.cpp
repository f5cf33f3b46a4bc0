#include "world/WaterSurface.h"

#include <cmath>
#include <cstdlib>

float WaterSurface::tidePhase(int timeMs)
{
    int wrapped = timeMs % TIDE_PERIOD_MS;
    if (wrapped < 0)
        wrapped += TIDE_PERIOD_MS;
    float t = (float)wrapped;
    float half = (float)(TIDE_PERIOD_MS / 2);
    if (t > half)
        return 1.f - (t - half) * 4.f / (float)TIDE_PERIOD_MS;
    return t * 4.f / (float)TIDE_PERIOD_MS - 1.f;
}

float WaterSurface::snapToGrid(float coordinate)
{
    return std::trunc(coordinate / GRID_STEP) * GRID_STEP;
}

float WaterSurface::textureRepeat(float innerExtent, float outerExtent)
{
    return std::trunc((outerExtent * 2.f - innerExtent * 2.f) / GRID_STEP);
}

std::array<WaterQuad, 8> WaterSurface::ring(float size)
{
    const float p = ringOffset(size);
    const float w = ringWidth(size);
    const float across = w * RING_REPEAT_PER_UNIT;
    const Float2 alongZ(WAVE_AREA, w), alongX(w, WAVE_AREA), corner(w, w);
    const Float2 repeatZ(RING_SIDE_REPEAT, across), repeatX(across, RING_SIDE_REPEAT), repeatCorner(across, across);
    return {{
        {Float2(0.f, p), alongZ, repeatZ},
        {Float2(0.f, -p), alongZ, repeatZ},
        {Float2(-p, 0.f), alongX, repeatX},
        {Float2(p, 0.f), alongX, repeatX},
        {Float2(p, p), corner, repeatCorner},
        {Float2(p, -p), corner, repeatCorner},
        {Float2(-p, p), corner, repeatCorner},
        {Float2(-p, -p), corner, repeatCorner},
    }};
}

float WaterSurface::waveHeight(float phase, float amplitude)
{
    return std::sin(phase * QUARTER_PI) * amplitude;
}

float WaterSurface::latticeHeight(int m, int n, float crest)
{
    bool mEven = m % 2 == 0, nEven = n % 2 == 0;
    if (mEven && nEven)
        return crest;
    if (!mEven && !nEven)
        return -crest;
    return 0.f;
}

std::array<Float3, 4> WaterSurface::waveCellCorners(int i, int j, float crest)
{
    const int edge = WAVE_CELLS_HALF;
    const int ai = std::abs(i), aj = std::abs(j);
    float hA = latticeHeight(ai, aj, crest);
    float hB = latticeHeight(ai, aj + 1, crest);
    float hC = latticeHeight(ai + 1, aj + 1, crest);
    float hD = latticeHeight(ai + 1, aj, crest);
    if (i == -edge || j == -edge)
        hA = 0.f;
    if (i == -edge || j == edge)
        hB = 0.f;
    if (i == edge || j == edge)
        hC = 0.f;
    if (i == edge || j == -edge)
        hD = 0.f;
    const float half = WAVE_CELL * 0.5f;
    const float x = WAVE_CELL * (float)i, z = WAVE_CELL * (float)j;
    return {{
        Float3(x - half, hA, z - half),
        Float3(x - half, hB, z + half),
        Float3(x + half, hC, z + half),
        Float3(x + half, hD, z - half),
    }};
}
