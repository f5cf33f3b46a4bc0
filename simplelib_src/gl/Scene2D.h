// Scene2D: the 2D pass, drawn in window pixels from the top-left corner (y downwards).
//
// Holds the window size and the size of the 2D coordinate system (kept equal, so 2D
// coordinates are pixels), sets up the orthographic projection, and draws the few 2D
// primitives that sprites, the font, the text field and the editor use. Drawing colour
// and blending are the caller's.
//
// Depends on: OpenGL, freeglut (raster text), core/BasicVector, core/FatalError.
#pragma once

#include <string>

#include "core/BasicVector.h"

class Scene2D {
public:
    Scene2D(Int2 windowSize, Int2 size2D);

    // Window size and 2D size both become this size (the reshape does it).
    void setSize(Int2 size);
    // Orthographic projection of the 2D size, origin top left; a zero size is fatal.
    void setupProjection2D();

    // One textured quad at (x, y) of width x height, texture corners (s0, t0) at (x, y)
    // and (s1, t1) at the opposite corner.
    void drawTexturedQuad2D(unsigned int texture, float x, float y, float s0, float t0, float s1,
                            float t1, float width, float height);
    // A quad through four corners in the order given, the texture optionally mirrored.
    void drawSpriteQuad(const Int2 corners[4], unsigned int texture, bool flipX, bool flipY);
    // A rectangle between two corners, filled or as a closed outline, untextured.
    void drawRectangle2D(Int2 corner1, Int2 corner2, bool filled);
    // Text in the 8x13 bitmap font, starting at raster position (x, y).
    void drawRasterText(const std::string& text, int x, int y);

    Int2 windowSize;
    Int2 size2D;
};
