// PngDecoder: reads a PNG file with libpng into 8-bit RGB, 8-bit RGBA or 16-bit RGBA rows.
//
// libpng's own transformations bring every other layout there: palettes and grey are
// expanded to RGB, transparency chunks become an alpha channel, 16-bit samples of images
// without alpha are cut to their most significant byte. 16-bit RGBA is left as it is
// (8 bytes a pixel, samples most significant byte first); the loader keeps its high bytes.
// A failure prints one "[read_png_file] ..." line on standard error and returns false.
//
// Depends on: libpng 1.6.
#pragma once

#include <cstdio>
#include <string>

struct PngImage {
    int width = 0;
    int height = 0;
    size_t rowBytes = 0;
    unsigned char* pixels = nullptr;  // new[] buffer of rowBytes x height
};

class PngDecoder {
public:
    // Decodes the open file from its current position. A side above maxSide or a buffer that
    // cannot be allocated also fails, with the reason in `error` (no line printed then).
    static bool read_png_file(FILE* file, int maxSide, PngImage& image, std::string& error);
};
