// WaterPictures: the sea's textures, "water.png" for the surface and "water_sub.png"
// for the layers below it.
//
// Both tile seamlessly (the surface repeats every 50 world units) and carry alpha, so
// the sea is see-through where the engine blends it.
//
// Depends on: AssetOutput, Canvas, Noise.
#pragma once

namespace assetgen {

class AssetOutput;

class WaterPictures {
public:
    static constexpr int textureSize = 128;
    static void generate(AssetOutput& output);
};

}  // namespace assetgen
