#include "FontPicture.h"

#include <algorithm>

#include "AssetOutput.h"
#include "AssetWriter.h"
#include "Canvas.h"

namespace assetgen {

void FontPicture::generate(AssetOutput& output, const std::string& fontFolder)
{
    FontImage font;
    std::string error;
    if (!AssetWriter::renderFontImage(fontFolder + "/DejaVuSans.ttf", pixelSize, font, error, glyphGap))
        AssetOutput::failure(error);

    Canvas canvas(font.width, font.height);
    auto glyphAlpha = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= font.width || y >= font.height) return 0.f;
        return font.rgba[(size_t(y) * font.width + x) * 4 + 3] / 255.f;
    };
    for (int y = 0; y < font.height; y++)
        for (int x = 0; x < font.width; x++) {
            // The shadow only where its glyph has real ink (not the faint filler pixels that
            // keep a glyph such as '"' one run of columns).
            float shadow = glyphAlpha(x - 1, y - 1);
            canvas.at(x, y) = Colour(0, 0, 0, shadow > 2.f / 255.f ? shadow * 0.6f : 0.f);
            float ink = glyphAlpha(x, y);
            if (ink > 0.f) canvas.blend(x, y, Colour(1, 1, 1), ink);
        }
    output.writePng("default_font.png", canvas, true);
}

}  // namespace assetgen
