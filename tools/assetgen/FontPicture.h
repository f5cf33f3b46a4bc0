// FontPicture: "default_font.png", the engine's bitmap font, rendered from DejaVu Sans.
//
// The picture is what the engine's glyph scan expects: one row of the 94 printable
// characters "!" to "~" in order, each a run of columns with some non-transparent
// pixel, separated by fully transparent columns; the picture's height is the line
// height. Glyphs are white (the engine tints them with the current colour) with a
// soft dark shadow one pixel down and right, which keeps text readable over the sky.
// The columns between glyphs are wide enough that the quad the engine draws for one
// glyph (one column before its ink to two after) never reaches its neighbour's ink.
//
// Depends on: AssetOutput, Canvas, AssetWriter (glyph rendering and layout).
#pragma once

#include <string>

namespace assetgen {

class AssetOutput;

class FontPicture {
public:
    static constexpr int pixelSize = 22;  // gives a 32-pixel line
    static constexpr int glyphGap = 5;    // transparent columns between glyphs before the shadow

    static void generate(AssetOutput& output, const std::string& fontFolder);
};

}  // namespace assetgen
