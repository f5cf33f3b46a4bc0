#include "HeightmapPicture.h"

#include <cmath>

#include "AssetOutput.h"
#include "Canvas.h"
#include "Noise.h"

namespace assetgen {

float HeightmapPicture::islandHeight(float x, float y)
{
    static const Noise noise(77);
    float u = x / size * 2.f - 1.f, v = y / size * 2.f - 1.f;
    // A coast line bent by noise, so the island is not a circle.
    float bend = 0.35f * (noise.fractal(u * 1.5f + 4.f, v * 1.5f + 4.f, 4) - 0.5f);
    float radius = std::sqrt(u * u + v * v) + bend;
    float land = 1.f - smoothstep(0.45f, 0.78f, radius);
    float hills = noise.fractal(u * 3.f + 10.f, v * 3.f + 10.f, 5);
    // A ridged peak north-west of the centre.
    float pu = u + 0.18f, pv = v + 0.15f;
    float peak = std::exp(-(pu * pu + pv * pv) * 9.f);
    float ridge = 1.f - std::fabs(2.f * noise.fractal(u * 4.f, v * 4.f, 4) - 1.f);
    float height = land * (0.12f + 0.38f * hills) + peak * land * (0.35f + 0.25f * ridge);
    return clamp01(height);
}

void HeightmapPicture::generate(AssetOutput& output)
{
    Canvas canvas(size, size);
    canvas.shade([](float x, float y) {
        float h = islandHeight(x, y);
        return Colour(h, h, h);
    });
    output.writePng("world_heightmap.png", canvas, false);
}

}  // namespace assetgen
