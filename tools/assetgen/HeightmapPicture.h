// HeightmapPicture: "world_heightmap.png", the relief the editor's landscape
// generator reads (its first colour channel is the height).
//
// An island: a coast of low values around a hilly interior that rises to a ridged
// peak, on a sea of zeros toward the picture's edges. 256 x 256 grey pixels, one a
// cube with the editor's default accuracy over 8 x 8 regions.
//
// Depends on: AssetOutput, Canvas, Noise.
#pragma once

namespace assetgen {

class AssetOutput;
class Canvas;

class HeightmapPicture {
public:
    static constexpr int size = 256;

    // Island height in 0..1 at the picture point (x, y).
    static float islandHeight(float x, float y);
    static void generate(AssetOutput& output);
};

}  // namespace assetgen
