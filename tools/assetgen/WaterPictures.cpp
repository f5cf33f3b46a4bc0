#include "WaterPictures.h"

#include <algorithm>
#include <cmath>

#include "AssetOutput.h"
#include "Canvas.h"
#include "Noise.h"

namespace assetgen {

namespace {

constexpr int S = WaterPictures::textureSize;

// Bright caustic lines where two cells of the cellular noise meet, warped by noise.
float caustics(const Noise& noise, float x, float y, int cells)
{
    float wx = x + 5.f * (noise.fractal(x / S * 4, y / S * 4, 2, 4) - 0.5f);
    float wy = y + 5.f * (noise.fractal(x / S * 4 + 9.f, y / S * 4, 2, 4) - 0.5f);
    Noise::Cell cell = noise.cellular(wx / S * cells, wy / S * cells, cells);
    return std::pow(clamp01(1.f - (cell.f2 - cell.f1) * 4.f), 3.f);
}

// Wave crests: thin ridges of warped fractal noise, stretched across the wind.
float crests(const Noise& noise, float x, float y)
{
    float warp = noise.fractal(x / S * 2, y / S * 2, 3, 2);
    float n = noise.fractal(x / S * 4 + warp * 1.5f, y / S * 8 + warp * 2.f, 4, 4);
    float ridge = 1.f - std::fabs(2.f * n - 1.f);
    return std::pow(ridge, 6.f);
}

// The sea surface: a swell of two blues with bright wave crests and a few glints.
Canvas paintSurface(uint32_t seed)
{
    Noise noise(seed);
    const Colour deep = Colour::bytes(18, 78, 140), light = Colour::bytes(44, 128, 186);
    Canvas c(S, S);
    c.shade([&](float x, float y) {
        float swell = noise.fractal(x / S * 4, y / S * 4, 4, 4);
        float crest = crests(noise, x, y);
        float glint = 0.6f * std::pow(noise.hash(int(x), int(y), 5), 300.f);
        Colour water = deep.mix(light, clamp01(swell * 1.3f - 0.2f));
        water = water.mix(Colour(0.80f, 0.92f, 1.f), clamp01(crest * 0.55f + glint));
        return water.withAlpha(clamp01(0.78f + crest * 0.2f));
    });
    return c;
}

// The layers below the surface: dark blue with soft caustic light.
Canvas paintLayer(uint32_t seed)
{
    Noise noise(seed);
    const Colour deep = Colour::bytes(10, 46, 92), light = Colour::bytes(24, 84, 130);
    Canvas c(S, S);
    c.shade([&](float x, float y) {
        float swell = noise.fractal(x / S * 4, y / S * 4, 4, 4);
        float lines = caustics(noise, x, y, 5);
        Colour water = deep.mix(light, clamp01(swell * 1.2f - 0.2f));
        water = water.mix(Colour(0.5f, 0.75f, 0.9f), lines * 0.3f);
        return water.withAlpha(0.55f);
    });
    return c;
}

}  // namespace

void WaterPictures::generate(AssetOutput& output)
{
    output.writePng("water.png", paintSurface(301), true);
    output.writePng("water_sub.png", paintLayer(302), true);
}

}  // namespace assetgen
