// CubeTextures: the face pictures of the demo's cube types.
//
// Each texture is painted procedurally (noise, cells, strokes) into a 128 x 128
// picture that tiles seamlessly, and written twice: lit under "cube_textures/" and in
// shadow, darker and bluer, under "cube_shadowed_textures/" with the same name. Also
// writes "black_semi_transparent.png", the overlay of shadow triangles.
//
// Depends on: AssetOutput, Canvas, Noise.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

class AssetOutput;
class Canvas;

class CubeTextures {
public:
    static constexpr int textureSize = 128;

    // The file names written under each of the two folders.
    static std::vector<std::string> names();

    // The lit picture of one of the names above (an empty canvas for another name).
    static Canvas paint(const std::string& name);

    static void generate(AssetOutput& output);

    // The shadowed form of a lit face picture.
    static Canvas shadowed(const Canvas& lit);
};

}  // namespace assetgen
