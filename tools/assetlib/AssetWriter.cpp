#include "AssetWriter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int firstGlyph = 33;
const int lastGlyph = 126;

int powerOfTwoAbove(int side)
{
    int result = 2;
    while (result < side)
        result *= 2;
    return result;
}

void appendPngBytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void flushNothing(png_structp) {}

// The libpng calls that may leave through longjmp, apart from any C++ object of the caller.
bool writePngRows(png_structp png, png_infop info, const PngDescription& d, std::string* out, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, appendPngBytes, flushNothing);
    png_set_IHDR(png, info, d.width, d.height, d.bitDepth, d.colourType,
                 d.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!d.palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(d.palette.data()), (int)d.palette.size() / 3);
    if (!d.transparency.empty())
        png_set_tRNS(png, info, d.transparency.data(), (int)d.transparency.size(), nullptr);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

int pngChannels(PngColourType type)
{
    switch (type) {
    case PNG_COLOUR_GREY:
    case PNG_COLOUR_PALETTE:
        return 1;
    case PNG_COLOUR_GREY_ALPHA:
        return 2;
    case PNG_COLOUR_RGB:
        return 3;
    case PNG_COLOUR_RGBA:
        return 4;
    }
    return 0;
}

void appendLe16(std::string& out, int value)
{
    out += (char)(value & 255);
    out += (char)((value >> 8) & 255);
}

// Greedy run-length packets over the whole pixel stream.
void appendRunLength(std::string& out, const std::string& stream, size_t pixelBytes)
{
    size_t n = stream.size() / pixelBytes;
    auto same = [&](size_t a, size_t b) {
        return stream.compare(a * pixelBytes, pixelBytes, stream, b * pixelBytes, pixelBytes) == 0;
    };
    for (size_t i = 0; i < n;) {
        size_t run = 1;
        while (i + run < n && run < 128 && same(i, i + run))
            run++;
        if (run >= 2) {
            out += (char)(0x80 | (run - 1));
            out.append(stream, i * pixelBytes, pixelBytes);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < n && raw < 128 && !(i + raw + 1 < n && same(i + raw, i + raw + 1)))
            raw++;
        out += (char)(raw - 1);
        out.append(stream, i * pixelBytes, raw * pixelBytes);
        i += raw;
    }
}

void clearLayout(FontImage& image)
{
    for (int c = 0; c < 256; c++) {
        image.inkStart[c] = -1;
        image.inkWidth[c] = 0;
    }
}

}  // namespace

std::string AssetWriter::encodePng(const PngDescription& description, const std::vector<unsigned char>& samples)
{
    size_t rowBytes = ((size_t)description.width * pngChannels(description.colourType) * description.bitDepth + 7) / 8;
    if (description.width <= 0 || description.height <= 0 || samples.size() < rowBytes * description.height)
        return std::string();
    std::vector<png_bytep> rows(description.height);
    for (int y = 0; y < description.height; y++)
        rows[y] = const_cast<png_bytep>(samples.data() + y * rowBytes);

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::string out;
    bool ok = info != nullptr && writePngRows(png, info, description, &out, rows.data());
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return ok ? out : std::string();
}

std::string AssetWriter::encodePng(int width, int height, int channels, const std::vector<unsigned char>& pixels)
{
    PngDescription description;
    description.width = width;
    description.height = height;
    description.colourType = channels == 4 ? PNG_COLOUR_RGBA : PNG_COLOUR_RGB;
    return encodePng(description, pixels);
}

std::string AssetWriter::encodeJpeg(int width, int height, int components, const std::vector<unsigned char>& pixels,
                                    int quality)
{
    if (width <= 0 || height <= 0 || pixels.size() < (size_t)width * height * components)
        return std::string();
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&pixels[(size_t)info.next_scanline * width * components]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::string out(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

std::string AssetWriter::encodeTga(const TgaDescription& d, const std::vector<unsigned char>& storedPixels)
{
    size_t pixelBytes = (d.pixelDepth + 7) / 8;
    size_t rowBytes = (size_t)d.width * pixelBytes;
    if (d.width <= 0 || d.height <= 0 || storedPixels.size() < rowBytes * d.height)
        return std::string();
    int entryBytes = (d.colourMapEntrySize + 7) / 8;
    int mapLength = entryBytes ? (int)d.colourMap.size() / entryBytes : 0;

    std::string out;
    out += (char)d.identification.size();
    out += (char)(d.colourMap.empty() ? 0 : 1);
    out += (char)d.imageType;
    appendLe16(out, 0);  // first colour-map entry
    appendLe16(out, mapLength);
    out += (char)d.colourMapEntrySize;
    appendLe16(out, 0);  // origin
    appendLe16(out, 0);
    appendLe16(out, d.width);
    appendLe16(out, d.height);
    out += (char)d.pixelDepth;
    out += (char)(d.pixelDepth == 32 || (d.pixelDepth == 16 && (d.imageType & 7) == 3) ? 8 : 0);  // alpha bits
    out += d.identification;
    out.append(reinterpret_cast<const char*>(d.colourMap.data()), d.colourMap.size());

    std::string stream;
    for (int y = d.height - 1; y >= 0; y--)
        stream.append(reinterpret_cast<const char*>(&storedPixels[y * rowBytes]), rowBytes);
    if (d.imageType >= 9)
        appendRunLength(out, stream, pixelBytes);
    else
        out += stream;
    return out;
}

std::string AssetWriter::encodeTga(int width, int height, int channels, const std::vector<unsigned char>& pixels,
                                   bool runLength)
{
    TgaDescription description;
    description.width = width;
    description.height = height;
    description.imageType = runLength ? 10 : 2;
    description.pixelDepth = channels * 8;
    std::vector<unsigned char> stored(pixels.begin(), pixels.begin() + std::min(pixels.size(), (size_t)width * height * channels));
    for (size_t i = 0; i + 2 < stored.size(); i += channels)
        std::swap(stored[i], stored[i + 2]);
    return encodeTga(description, stored);
}

FontImage AssetWriter::generateFontImage(int height, const std::vector<int>& inkWidths, int gap)
{
    FontImage image;
    clearLayout(image);
    int x = gap;
    for (int c = firstGlyph; c <= lastGlyph; c++) {
        int ink = c - firstGlyph < (int)inkWidths.size() ? inkWidths[c - firstGlyph] : 0;
        if (ink <= 0)
            continue;
        image.inkStart[c] = x;
        image.inkWidth[c] = ink;
        x += ink + gap;
    }
    image.width = powerOfTwoAbove(x);
    image.height = height;
    image.rgba.assign((size_t)image.width * height * 4, 0);
    for (int c = firstGlyph; c <= lastGlyph; c++)
        for (int y = 0; y < height; y++)
            for (int i = 0; i < image.inkWidth[c]; i++)
                std::memset(&image.rgba[((size_t)y * image.width + image.inkStart[c] + i) * 4], 255, 4);
    return image;
}

bool AssetWriter::renderFontImage(const std::string& fontFile, int pixelSize, FontImage& image, std::string& error,
                                  int gap)
{
    FT_Library library;
    if (FT_Init_FreeType(&library)) {
        error = "FreeType cannot start";
        return false;
    }
    FT_Face face;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) || FT_Set_Pixel_Sizes(face, 0, pixelSize)) {
        FT_Done_FreeType(library);
        error = "cannot read the font '" + fontFile + "'";
        return false;
    }
    int ascender = (int)(face->size->metrics.ascender >> 6);
    int descender = (int)(face->size->metrics.descender >> 6);
    clearLayout(image);
    image.height = powerOfTwoAbove(ascender - descender);
    int baseline = ascender + (image.height - (ascender - descender)) / 2;

    // First pass: each glyph's coloured columns; second: place them.
    struct Placed {
        std::vector<unsigned char> alpha;  // rows x inkWidth
        int rows, top;
    };
    std::vector<Placed> glyphs(lastGlyph + 1);
    int x = gap;
    for (int c = firstGlyph; c <= lastGlyph; c++) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER))
            continue;
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        int first = -1, last = -1;
        for (unsigned col = 0; col < bitmap.width; col++)
            for (unsigned row = 0; row < bitmap.rows; row++)
                if (bitmap.buffer[row * bitmap.pitch + col]) {
                    if (first < 0)
                        first = (int)col;
                    last = (int)col;
                    break;
                }
        if (first < 0)
            continue;
        Placed& g = glyphs[c];
        g.rows = (int)bitmap.rows;
        g.top = face->glyph->bitmap_top;
        int ink = last - first + 1;
        g.alpha.resize((size_t)g.rows * ink);
        for (int row = 0; row < g.rows; row++)
            for (int i = 0; i < ink; i++)
                g.alpha[(size_t)row * ink + i] = bitmap.buffer[row * bitmap.pitch + first + i];
        image.inkStart[c] = x;
        image.inkWidth[c] = ink;
        x += ink + gap;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    image.width = powerOfTwoAbove(x);
    image.rgba.assign((size_t)image.width * image.height * 4, 0);
    for (int c = firstGlyph; c <= lastGlyph; c++) {
        int ink = image.inkWidth[c];
        for (int i = 0; i < ink; i++) {
            bool coloured = false;
            for (int row = 0; row < glyphs[c].rows; row++) {
                int y = baseline - glyphs[c].top + row;
                unsigned char a = glyphs[c].alpha[(size_t)row * ink + i];
                if (y < 0 || y >= image.height || a == 0)
                    continue;
                unsigned char* p = &image.rgba[((size_t)y * image.width + image.inkStart[c] + i) * 4];
                p[0] = p[1] = p[2] = 255;
                p[3] = a;
                coloured = true;
            }
            if (!coloured)
                image.rgba[((size_t)(image.height - 1) * image.width + image.inkStart[c] + i) * 4 + 3] = 1;
        }
    }
    return true;
}

bool AssetWriter::writeFile(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
