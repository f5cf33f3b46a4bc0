// ImageLoader: turns an image file into a pixel buffer ready for a texture.
//
// The format comes from the file name's extension (JPEG, PNG, TGA); the decoded buffer has
// 8 bits a channel, 3 or 4 bytes a pixel, no row padding. Row order: PNG and TGA give the
// top row first (a TGA's last stored row comes first), JPEG gives the bottom row first.
// Every picture is then stretched to power-of-two sides (at least 2) by area averaging.
// Any file that cannot be read, decoded or held ends the program with a fatal report naming
// the file; a successful return always carries a valid buffer. Sides above
// ImageLoader::maxSide are refused.
//
// Depends on: libpng (image/PngDecoder), libjpeg (version-62 interface),
// image/TgaDecoder, core/FatalError.
#pragma once

#include <cstdio>
#include <string>

enum ImageFormat { IMAGE_FORMAT_UNKNOWN, IMAGE_FORMAT_JPEG, IMAGE_FORMAT_PNG, IMAGE_FORMAT_TGA };

class ImageLoader {
public:
    // The largest side, in pixels, of a picture the engine accepts.
    static const int maxSide = 16384;

    // Returns a new[] buffer of width x height x (isAlpha ? 4 : 3) bytes, power-of-two sides.
    static unsigned char* loadImage(const std::string& fileName, int& width, int& height, bool& isAlpha,
                                    bool verbose);

    // The three format loaders loadImage dispatches to, on an open file. Each returns a new[]
    // buffer at the file's own size.
    static unsigned char* loadJpeg(FILE* file, const std::string& fileName, int& width, int& height,
                                   bool verbose);
    static unsigned char* loadPng(FILE* file, const std::string& fileName, int& width, int& height,
                                  bool& isAlpha, bool verbose);
    static unsigned char* loadTga(FILE* file, const std::string& fileName, int& width, int& height,
                                  int& bytesPerPixel, bool verbose);

    // The format the name's extension selects: ".jpg"/".jpeg" all lower or all upper case,
    // ".png" or ".PNG", ".tga" in any case; the extension alone is no JPEG or PNG name.
    static ImageFormat formatOf(const std::string& fileName);

    // The smallest power of two not below the side, and never below 2.
    static int powerOfTwoAbove(int side);

    // Resamples a picture to a size at least as large by area averaging: each output pixel
    // is the mean of the input area it covers. dst holds dstWidth x dstHeight pixels.
    static void resample(const unsigned char* src, int srcWidth, int srcHeight, unsigned char* dst,
                         int dstWidth, int dstHeight, int bytesPerPixel);
};
