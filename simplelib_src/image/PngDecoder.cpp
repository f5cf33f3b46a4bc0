#include "image/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <new>

namespace {

const size_t signatureSize = 8;

bool fail(const char* what, std::string& error)
{
    std::fprintf(stderr, "[read_png_file] %s\n", what);
    error = what;
    return false;
}

// Asks libpng for 8-bit RGB or RGBA whatever the file holds, except 16-bit RGBA.
void requestRgb(png_structp png, png_infop info)
{
    int colourType = png_get_color_type(png, info);
    int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (bitDepth == 16 && colourType != PNG_COLOR_TYPE_RGB_ALPHA)
        png_set_strip_16(png);
}

// The part of the decode that libpng may leave through longjmp. Kept apart so that no local
// of the caller changes between setjmp and longjmp.
bool readInfo(png_structp png, png_infop info, FILE* file)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_sig_bytes(png, (int)signatureSize);
    png_read_info(png, info);
    return true;
}

bool applyTransformations(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    requestRgb(png, info);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool readRows(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    return true;
}

}  // namespace

bool PngDecoder::read_png_file(FILE* file, int maxSide, PngImage& image, std::string& error)
{
    unsigned char signature[signatureSize];
    if (std::fread(signature, 1, signatureSize, file) != signatureSize || png_sig_cmp(signature, 0, signatureSize))
        return fail("File is not recognized as a PNG file", error);

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return fail("png_create_read_struct failed", error);
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return fail("png_create_info_struct failed", error);
    }

    bool ok = readInfo(png, info, file);
    if (ok) {
        png_uint_32 width = png_get_image_width(png, info);
        png_uint_32 height = png_get_image_height(png, info);
        if (width == 0 || height == 0 || width > (png_uint_32)maxSide || height > (png_uint_32)maxSide) {
            png_destroy_read_struct(&png, &info, nullptr);
            error = "bad image size " + std::to_string(width) + "x" + std::to_string(height);
            return false;
        }
        image.width = (int)width;
        image.height = (int)height;
        ok = applyTransformations(png, info);
    }
    if (!ok) {
        png_destroy_read_struct(&png, &info, nullptr);
        return fail("Error during init_io", error);
    }

    image.rowBytes = png_get_rowbytes(png, info);
    image.pixels = new (std::nothrow) unsigned char[image.rowBytes * image.height];
    png_bytepp rows = new (std::nothrow) png_bytep[image.height];
    if (image.pixels == nullptr || rows == nullptr) {
        delete[] image.pixels;
        delete[] rows;
        image.pixels = nullptr;
        png_destroy_read_struct(&png, &info, nullptr);
        error = "not enough memory for the image";
        return false;
    }
    for (int y = 0; y < image.height; y++)
        rows[y] = image.pixels + (size_t)y * image.rowBytes;

    ok = readRows(png, rows);
    delete[] rows;
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok) {
        delete[] image.pixels;
        image.pixels = nullptr;
        return fail("Error during read_image", error);
    }
    return true;
}
