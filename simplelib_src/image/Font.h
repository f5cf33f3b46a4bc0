// Font: the engine's one proportional bitmap font, made from a single picture.
//
// The picture ("default_font.png") holds the 94 printable characters "!" to "~" in one row,
// in order; its alpha channel tells them apart: each glyph is a run of columns with some
// non-transparent pixel, glyphs are separated by fully transparent columns, and the picture's
// height is the glyph height. The glyphs are found once, then texts are drawn as textured
// quads in 2D window pixels (top-left corner at the given point) and measured for centring.
// A blank advances spaceWidth pixels, a line end goes back to the start one glyph height
// lower; other characters without a glyph are skipped. Every advance is truncated to whole
// pixels on its own, so drawing and measuring agree at any scale.
//
// Depends on: image/Image, gl/Scene2D, gl/GLManager, core/FatalError.
#pragma once

#include <string>

#include "core/BasicVector.h"

class Image;

class Font {
public:
    // Loads the picture (it must have alpha), scans the glyphs and frees the pixels.
    explicit Font(const std::string& fileName = "default_font.png");
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Draws the text with its top-left corner at (x, y); returns the cursor after the text.
    Int2 drawText(float scaleX, float scaleY, const char* text, int x, int y) const;
    // Width of the widest line among the first `length` characters (-1: the whole text).
    int getTextWidth(const char* text, int length, float scaleX) const;
    bool isDrawable(unsigned char character) const;

    int getHeight() const;
    int getGlyphStart(unsigned char character) const { return glyphStarts[character]; }
    int getGlyphWidth(unsigned char character) const { return glyphWidths[character]; }

    // The glyph scan over RGBA pixels: glyph starts and widths of characters 33 to 126
    // (-1 for those not found before the right edge).
    static void scanGlyphs(const unsigned char* rgba, int width, int height, int starts[256], int widths[256]);

    static const int spaceWidth = 16;

private:
    Image* image;
    int glyphStarts[256];
    int glyphWidths[256];
};
