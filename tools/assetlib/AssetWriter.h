// AssetWriter: writes the image files the engine reads, for the tests' fixtures and the demo's
// asset tool.
//
// PNG (any colour type and bit depth libpng writes, optionally interlaced), JPEG (RGB or grey)
// and TGA (every type the engine reads, with run-length packets that run across rows) are
// encoded into memory, so a caller can corrupt or cut the bytes before writing them out.
// generateFontImage and renderFontImage make the font picture the engine's Font scans: one
// row of the 94 printable characters "!" to "~", each glyph a run of columns with some
// non-transparent pixel, glyphs separated by fully transparent columns.
//
// Depends on: libpng, libjpeg, FreeType (renderFontImage only).
#pragma once

#include <string>
#include <vector>

// PNG colour types, with libpng's values.
enum PngColourType {
    PNG_COLOUR_GREY = 0,
    PNG_COLOUR_RGB = 2,
    PNG_COLOUR_PALETTE = 3,
    PNG_COLOUR_GREY_ALPHA = 4,
    PNG_COLOUR_RGBA = 6
};

struct PngDescription {
    int width = 0;
    int height = 0;
    PngColourType colourType = PNG_COLOUR_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<unsigned char> palette;       // R, G, B triplets (palette images)
    std::vector<unsigned char> transparency;  // tRNS: one alpha a palette entry
};

struct TgaDescription {
    int width = 0;
    int height = 0;
    int imageType = 2;   // 1, 2, 3 or their run-length forms 9, 10, 11 (any byte is written)
    int pixelDepth = 24;
    std::string identification;
    std::vector<unsigned char> colourMap;  // entries as stored (B, G, R[, A] or 16-bit words)
    int colourMapEntrySize = 0;            // bits
};

// A font picture: RGBA, top row first, and where each glyph's coloured columns are.
struct FontImage {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
    int inkStart[256];  // first coloured column of each character, -1 when none
    int inkWidth[256];  // number of coloured columns
};

class AssetWriter {
public:
    // Samples packed as libpng expects them for the description (rows top first, no padding,
    // 16-bit samples most significant byte first, sub-byte samples packed high bits first).
    static std::string encodePng(const PngDescription& description, const std::vector<unsigned char>& samples);
    // 8-bit RGB (3 channels) or RGBA (4), rows top first.
    static std::string encodePng(int width, int height, int channels, const std::vector<unsigned char>& pixels);

    // 8-bit RGB (3 components) or grey (1), rows top first.
    static std::string encodeJpeg(int width, int height, int components, const std::vector<unsigned char>& pixels,
                                  int quality = 95);

    // Pixels as the file stores them (B G R[ A], 16-bit little-endian words, grey[ alpha], or
    // map indexes), rows top first; they are stored bottom row first, the usual TGA order.
    // Run-length types are packed greedily over the whole picture, so packets cross rows.
    static std::string encodeTga(const TgaDescription& description, const std::vector<unsigned char>& storedPixels);
    // 8-bit RGB or RGBA, rows top first: a true-colour TGA, run-length packed when asked.
    static std::string encodeTga(int width, int height, int channels, const std::vector<unsigned char>& pixels,
                                 bool runLength);

    // Glyphs as solid white blocks `height` rows tall; the ink width of each character c
    // (33 to 126) is inkWidths[c - 33] (0 leaves the glyph out), glyphs `gap` columns apart,
    // starting at column `gap`. The width is the smallest power of two that holds them.
    static FontImage generateFontImage(int height, const std::vector<int>& inkWidths, int gap = 3);
    // The printable characters rendered white from a TrueType file at a pixel size, in a
    // power-of-two high picture. Columns inside a glyph that the outline leaves empty (the gap
    // of '"') get one barely visible pixel so the glyph stays one run of columns.
    // Returns false with the reason when the font cannot be read.
    static bool renderFontImage(const std::string& fontFile, int pixelSize, FontImage& image, std::string& error,
                                int gap = 3);

    // Writes the bytes to the path; false when it cannot be written completely.
    static bool writeFile(const std::string& path, const std::string& bytes);
};
