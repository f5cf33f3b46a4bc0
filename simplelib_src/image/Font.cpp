#include "image/Font.h"

#include <algorithm>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "gl/Scene2D.h"
#include "image/Image.h"

namespace {

const int firstGlyph = 33;
const int lastGlyph = 126;

bool columnHasAlpha(const unsigned char* rgba, int width, int height, int column)
{
    for (int y = 0; y < height; y++)
        if (rgba[((size_t)y * width + column) * 4 + 3] != 0)
            return true;
    return false;
}

// The first column from `from` on whose alpha is (or is not) coloured; `width` when none.
int nextColumn(const unsigned char* rgba, int width, int height, int from, bool coloured)
{
    int column = from;
    while (column < width && columnHasAlpha(rgba, width, height, column) != coloured)
        column++;
    return column;
}

}  // namespace

Font::Font(const std::string& fileName) : image(new Image(fileName, false))
{
    ASSERT(image->getIsAlpha(), "Font::Font : the font picture needs an alpha channel");
    scanGlyphs(image->pixels, image->width, image->height, glyphStarts, glyphWidths);
    delete[] image->pixels;
    image->pixels = nullptr;
}

Font::~Font()
{
    delete image;
}

void Font::scanGlyphs(const unsigned char* rgba, int width, int height, int starts[256], int widths[256])
{
    for (int c = 0; c < 256; c++)
        starts[c] = widths[c] = -1;
    int column = nextColumn(rgba, width, height, 0, true);
    for (int c = firstGlyph; c <= lastGlyph && column < width; c++) {
        int end = nextColumn(rgba, width, height, column + 1, false);
        // The glyph rectangle runs from one column before the ink to two after its end.
        starts[c] = column - 1;
        widths[c] = end - column + 4;
        column = nextColumn(rgba, width, height, end, true);
    }
}

bool Font::isDrawable(unsigned char character) const
{
    return character == ' ' || character == '\n' || glyphWidths[character] != -1;
}

int Font::getHeight() const
{
    return image->height;
}

Int2 Font::drawText(float scaleX, float scaleY, const char* text, int x, int y) const
{
    ASSERT(text != NULL, "Font::drawText : no text");
    int cursorX = x;
    float textureWidth = (float)image->width;
    for (const char* p = text; *p != '\0'; p++) {
        unsigned char c = (unsigned char)*p;
        if (c == ' ') {
            cursorX += (int)(spaceWidth * scaleX);
        } else if (c == '\n') {
            cursorX = x;
            y += (int)(image->height * scaleY);
        } else if (isDrawable(c)) {
            int width = (int)(glyphWidths[c] * scaleX);
            GLManager::scene2D->drawTexturedQuad2D(image->textureId, (float)cursorX, (float)y,
                                                   glyphStarts[c] / textureWidth, 0.f,
                                                   (glyphStarts[c] + glyphWidths[c]) / textureWidth, 1.f,
                                                   (float)width, (float)(int)(image->height * scaleY));
            cursorX += width;
        }
    }
    return Int2(cursorX, y);
}

int Font::getTextWidth(const char* text, int length, float scaleX) const
{
    ASSERT(text != NULL, "Font::getTextWidth : no text");
    int widest = 0, line = 0;
    for (int i = 0; text[i] != '\0' && (length < 0 || i < length); i++) {
        unsigned char c = (unsigned char)text[i];
        if (c == ' ')
            line += (int)(spaceWidth * scaleX);
        else if (c == '\n')
            line = 0;
        else if (isDrawable(c))
            line += (int)(glyphWidths[c] * scaleX);
        widest = std::max(widest, line);
    }
    return widest;
}
