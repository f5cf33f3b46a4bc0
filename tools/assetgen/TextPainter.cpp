#include "TextPainter.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include "AssetOutput.h"

namespace assetgen {

struct TextPainter::FreeType {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

TextPainter::TextPainter(const std::string& fontFile, int parPixelSize) : ft(new FreeType), size(parPixelSize)
{
    if (FT_Init_FreeType(&ft->library)) AssetOutput::failure("FreeType cannot start");
    if (FT_New_Face(ft->library, fontFile.c_str(), 0, &ft->face) || FT_Set_Pixel_Sizes(ft->face, 0, size))
        AssetOutput::failure("cannot read the font '" + fontFile + "'");
}

TextPainter::~TextPainter()
{
    FT_Done_Face(ft->face);
    FT_Done_FreeType(ft->library);
    delete ft;
}

float TextPainter::walkGlyphs(const std::string& text, float x, int loadFlags,
                              const std::function<void(float penX)>& visitor) const
{
    FT_UInt previous = 0;
    for (unsigned char c : text) {
        FT_UInt index = FT_Get_Char_Index(ft->face, c);
        if (previous && index) {
            FT_Vector kerning;
            FT_Get_Kerning(ft->face, previous, index, FT_KERNING_DEFAULT, &kerning);
            x += kerning.x / 64.f;
        }
        previous = index;
        if (FT_Load_Glyph(ft->face, index, loadFlags)) continue;
        visitor(x);
        x += ft->face->glyph->advance.x / 64.f;
    }
    return x;
}

float TextPainter::width(const std::string& text) const
{
    return walkGlyphs(text, 0.f, FT_LOAD_DEFAULT, [](float) {});
}

float TextPainter::capHeight() const
{
    if (FT_Load_Char(ft->face, 'H', FT_LOAD_DEFAULT)) return size * 0.73f;
    return ft->face->glyph->metrics.horiBearingY / 64.f;
}

void TextPainter::draw(Canvas& canvas, const std::string& text, float x, float baseline, const Colour& colour) const
{
    walkGlyphs(text, x, FT_LOAD_RENDER, [&](float penX) {
        const FT_GlyphSlot glyph = ft->face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        int left = int(penX + 0.5f) + glyph->bitmap_left, top = int(baseline + 0.5f) - glyph->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; row++)
            for (unsigned col = 0; col < bitmap.width; col++) {
                unsigned char coverage = bitmap.buffer[row * bitmap.pitch + col];
                if (coverage) canvas.blend(left + int(col), top + int(row), colour, coverage / 255.f);
            }
    });
}

void TextPainter::drawCentred(Canvas& canvas, const std::string& text, float cx, float cy,
                              const Colour& colour) const
{
    draw(canvas, text, cx - width(text) * 0.5f, cy + capHeight() * 0.5f, colour);
}

void TextPainter::drawCentredWithShadow(Canvas& canvas, const std::string& text, float cx, float cy,
                                        const Colour& colour) const
{
    float offset = size > 24 ? 2.f : 1.f;
    drawCentred(canvas, text, cx + offset, cy + offset, Colour(0, 0, 0, 0.55f * colour.a));
    drawCentred(canvas, text, cx, cy, colour);
}

}  // namespace assetgen
