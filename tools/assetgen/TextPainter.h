// TextPainter: draws text onto a Canvas with a TrueType font through FreeType.
//
// Used for the labels of the menus, the loading picture and the editor's help
// picture. Glyphs are rendered anti-aliased, placed with the font's advances and
// kerning, and blended in one colour. A missing font file ends the asset build.
//
// Depends on: Canvas, FreeType.
#pragma once

#include <functional>
#include <string>

#include "Canvas.h"

namespace assetgen {

class TextPainter {
public:
    TextPainter(const std::string& fontFile, int parPixelSize);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    int pixelSize() const { return size; }
    // Width in pixels of the text drawn on one line.
    float width(const std::string& text) const;
    // Height above the baseline of capital letters.
    float capHeight() const;

    // Draws the text with its baseline starting at (x, baseline).
    void draw(Canvas& canvas, const std::string& text, float x, float baseline, const Colour& colour) const;
    // Draws the text centred on (cx, cy): centred horizontally, capitals centred vertically.
    void drawCentred(Canvas& canvas, const std::string& text, float cx, float cy, const Colour& colour) const;
    // The same with a soft dark shadow offset down and right, for text over pictures.
    void drawCentredWithShadow(Canvas& canvas, const std::string& text, float cx, float cy,
                               const Colour& colour) const;

private:
    // Walks the text glyph by glyph from the pen position x, applying kerning, loads each
    // glyph with the FreeType flags and calls the visitor with the pen position it is drawn
    // at; returns the pen position after the text.
    float walkGlyphs(const std::string& text, float x, int loadFlags,
                     const std::function<void(float penX)>& visitor) const;

    struct FreeType;
    FreeType* ft;
    int size;
};

}  // namespace assetgen
