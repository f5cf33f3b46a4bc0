// TgaDecoder: the engine's own reader of TGA files.
//
// Reads image types 1, 2, 3 (colour-mapped, true-colour, grey) and their run-length forms
// 9, 10, 11. The result is always 8-bit RGB or RGBA, rows in the order they are stored in
// the file: true-colour 16-bit (1-5-5-5) and 24-bit give RGB, 32-bit gives RGBA; grey 8-bit
// gives RGB, grey with alpha (16-bit) RGBA; colour-mapped pixels take their colour from a
// 15/16-, 24- or 32-bit map (RGBA for a 32-bit map). Nothing outside the file or the buffers
// is ever read or written: truncated data, run-length packets running past the image, map
// indexes past the map, bad sizes and unsupported depths are refused with a reason.
//
// Depends on: nothing but the C library.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct TgaImage {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0;  // 3 or 4
    std::vector<unsigned char> pixels;
};

class TgaDecoder {
public:
    // Decodes the open file from its current position. On failure returns false with the
    // reason in `error` (an unknown image type is also reported on standard error as
    // "error: unknown TGA image type <n>!").
    static bool readTgaFile(FILE* file, int maxSide, TgaImage& image, std::string& error);
};
