// SkyPictures: the skybox faces, the water textures and the two flat helpers
// ("whiteTexture.png", the heightmap is elsewhere).
//
// The six faces are painted from one sky function of the viewing direction (a
// gradient from the horizon haze to the zenith, a sun with its glow, clouds from 3D
// noise projected on a cloud plane, a deep sea below the horizon), so their edges
// meet without seams. Each face pixel's direction follows the way the engine's
// inside-out skybox box lays the six pictures out.
//
// Depends on: AssetOutput, Canvas, Noise.
#pragma once

#include <string>

namespace assetgen {

class AssetOutput;
struct Colour;

class SkyPictures {
public:
    static constexpr int faceSize = 512;
    static constexpr const char* folder = "skybox";

    // The six face names of the skybox folder.
    static const char* const faceNames[6];

    // The direction (not normalised) seen through the point (u, v) of a face picture,
    // u rightwards and v downwards in 0..1.
    static void faceDirection(int face, float u, float v, float& x, float& y, float& z);

    // The sky colour in a normalised direction.
    static Colour skyColour(float x, float y, float z);

    static void generate(AssetOutput& output);
};

}  // namespace assetgen
