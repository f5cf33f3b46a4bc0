#include "SkyPictures.h"

#include <algorithm>
#include <cmath>

#include "AssetOutput.h"
#include "Canvas.h"
#include "Noise.h"

namespace assetgen {

namespace {

// Tunables of the sky.
const Colour zenith = Colour::bytes(52, 110, 206);
const Colour horizon = Colour::bytes(184, 214, 242);
const Colour seaNear = Colour::bytes(64, 110, 150);
const Colour seaDeep = Colour::bytes(22, 52, 88);
const Colour sunCore = Colour::bytes(255, 252, 236);
const Colour sunGlow = Colour::bytes(255, 226, 170);
// Toward the forward-left of the player's starting view, a third of the way up.
const float sunDirection[3] = {-0.50f, 0.42f, -0.76f};
const float sunDiscCos = 0.9984f;
const float cloudCover = 0.50f;  // 0 clear .. 1 overcast

Colour add(const Colour& a, const Colour& b, float k)
{
    return Colour(clamp01(a.r + b.r * k), clamp01(a.g + b.g * k), clamp01(a.b + b.b * k), 1.f);
}

float cloudDensity(const Noise& noise, float px, float pz)
{
    float n = noise.fractal(px, pz, 0.37f, 6);
    return clamp01((n - (1.f - cloudCover) * 0.62f - 0.18f) * 3.2f);
}

}  // namespace

const char* const SkyPictures::faceNames[6] = {"bottom.png", "top.png", "left.png",
                                               "right.png",  "front.png", "back.png"};

void SkyPictures::faceDirection(int face, float u, float v, float& x, float& y, float& z)
{
    // The skybox draws slot 0 (bottom) below, 1 (top) above, 2 (left) at -Z, 3 (right)
    // at +Z, 4 (front) at +X and 5 (back) at -X, each seen from inside the box.
    float a = 2.f * u - 1.f, b = 1.f - 2.f * v;
    switch (face) {
    case 0: x = -a; y = -1.f; z = b; break;
    case 1: x = -a; y = 1.f; z = b; break;
    case 2: x = a; y = b; z = -1.f; break;
    case 3: x = -a; y = b; z = 1.f; break;
    case 4: x = 1.f; y = b; z = a; break;
    default: x = -1.f; y = b; z = -a; break;
    }
}

Colour SkyPictures::skyColour(float x, float y, float z)
{
    static const Noise noise(2024);
    float sl = std::sqrt(sunDirection[0] * sunDirection[0] + sunDirection[1] * sunDirection[1] +
                         sunDirection[2] * sunDirection[2]);
    float sx = sunDirection[0] / sl, sy = sunDirection[1] / sl, sz = sunDirection[2] / sl;
    float sunCos = x * sx + y * sy + z * sz;

    if (y < 0.f) {
        // Below the horizon: the open sea fading into the haze at the horizon.
        float depth = smoothstep(0.f, 0.35f, -y);
        Colour sea = seaNear.mix(seaDeep, depth);
        return sea.mix(horizon, std::pow(1.f - depth, 6.f) * 0.8f);
    }

    float height = std::pow(clamp01(y), 0.55f);
    Colour sky = horizon.mix(zenith, height);
    float glow = std::pow(clamp01(sunCos), 8.f) * 0.25f + std::pow(clamp01(sunCos), 120.f) * 0.5f;
    sky = add(sky, sunGlow, glow);

    // Clouds on a plane above the viewer, thinning out toward the horizon.
    if (y > 0.015f) {
        float px = x / y * 1.4f, pz = z / y * 1.4f;
        float density = cloudDensity(noise, px, pz);
        // Light from the sun's side: compare with the density a step toward the sun.
        float lit = density - cloudDensity(noise, px + sx * 0.08f, pz + sz * 0.08f);
        Colour cloud = Colour::bytes(250, 250, 252).scaled(0.86f + 0.5f * clamp01(lit + 0.25f));
        cloud = add(cloud, sunGlow, glow * 0.6f);
        float fade = smoothstep(0.015f, 0.2f, y);
        sky = sky.mix(cloud, density * fade);
    }
    if (sunCos > sunDiscCos - 0.0006f) sky = sky.mix(sunCore, smoothstep(sunDiscCos - 0.0006f, sunDiscCos, sunCos));
    return sky;
}

void SkyPictures::generate(AssetOutput& output)
{
    for (int face = 0; face < 6; face++) {
        Canvas canvas(faceSize, faceSize);
        // Two by two samples a pixel keep the sun's rim and the cloud edges smooth.
        canvas.shade([&](float px, float py) {
            Colour sum(0, 0, 0, 0);
            for (int k = 0; k < 4; k++) {
                float u = (px - 0.25f + 0.5f * (k % 2)) / faceSize, v = (py - 0.25f + 0.5f * (k / 2)) / faceSize;
                float x, y, z;
                faceDirection(face, u, v, x, y, z);
                float l = std::sqrt(x * x + y * y + z * z);
                Colour c = skyColour(x / l, y / l, z / l);
                sum = Colour(sum.r + c.r * 0.25f, sum.g + c.g * 0.25f, sum.b + c.b * 0.25f, 1.f);
            }
            return sum;
        });
        output.writePng(std::string(folder) + "/" + faceNames[face], canvas, false);
    }
}

}  // namespace assetgen
