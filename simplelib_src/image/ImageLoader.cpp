#include "image/ImageLoader.h"

#include <jpeglib.h>
#include <jerror.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstring>
#include <iostream>
#include <new>
#include <vector>

#include "core/FatalError.h"
#include "image/PngDecoder.h"
#include "image/TgaDecoder.h"

namespace {

bool endsWith(const std::string& text, const char* ending)
{
    size_t n = std::strlen(ending);
    return text.size() >= n && text.compare(text.size() - n, n, ending) == 0;
}

// Extensions in the order they are tried; a name must be longer than its extension.
struct ExtensionRule {
    const char* ending;
    ImageFormat format;
};
const ExtensionRule caseSensitiveExtensions[] = {
    {".jpg", IMAGE_FORMAT_JPEG}, {".JPG", IMAGE_FORMAT_JPEG}, {".jpeg", IMAGE_FORMAT_JPEG},
    {".JPEG", IMAGE_FORMAT_JPEG}, {".png", IMAGE_FORMAT_PNG}, {".PNG", IMAGE_FORMAT_PNG},
};

// Fatal report naming the file.
[[noreturn]] void failOn(const char* loader, const std::string& reason, const std::string& fileName)
{
    std::string message = std::string(loader) + " : " + reason + " '" + fileName + "'";
    FATAL(message.c_str());
}

unsigned char* allocatePixels(size_t nbBytes, const char* loader, const std::string& fileName)
{
    unsigned char* pixels = new (std::nothrow) unsigned char[nbBytes];
    if (pixels == nullptr)
        failOn(loader, "not enough memory for the image", fileName);
    return pixels;
}

// A new buffer holding the rows in the opposite order.
unsigned char* reversedRows(const unsigned char* rows, size_t rowBytes, int height, const char* loader,
                            const std::string& fileName)
{
    unsigned char* pixels = allocatePixels(rowBytes * height, loader, fileName);
    for (int i = 0; i < height; i++)
        std::memcpy(pixels + i * rowBytes, rows + (size_t)(height - 1 - i) * rowBytes, rowBytes);
    return pixels;
}

// For each output index along one axis: the (at most two) input cells an output cell covers
// when enlarging, and the weight of the first one.
struct AxisSample {
    int first;
    int second;
    double firstWeight;
};

std::vector<AxisSample> axisSamples(int from, int to)
{
    std::vector<AxisSample> samples(to);
    double step = (double)from / to;
    for (int o = 0; o < to; o++) {
        double start = o * step;
        double end = start + step;
        int first = std::min((int)start, from - 1);
        int second = std::min(first + 1, from - 1);
        // Part of the output cell that lies in the first input cell.
        double inFirst = std::min(end, (double)first + 1.0) - start;
        samples[o] = {first, second, std::min(1.0, inFirst / step)};
    }
    return samples;
}

// libjpeg error manager whose exit routine prints the library's message and jumps back.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    jmp_buf jumpBack;
};

void jpegErrorExit(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jumpBack, 1);
}

// A file that ends early is a truncated image: libjpeg only warns about it, the engine refuses it.
void jpegEmitMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        jpegErrorExit(info);
    if (level < 0)
        info->err->num_warnings++;
}

// Everything libjpeg may leave through longjmp; no local of the caller changes meanwhile.
bool decodeJpeg(jpeg_decompress_struct& info, JpegErrorManager& errors, FILE* file, int maxSide,
                std::vector<unsigned char>& rows, int& width, int& height, std::string& reason)
{
    if (setjmp(errors.jumpBack))
        return false;
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > (JDIMENSION)maxSide ||
        info.image_height > (JDIMENSION)maxSide) {
        reason = "bad image size " + std::to_string(info.image_width) + "x" + std::to_string(info.image_height);
        return false;
    }
    info.out_color_space = JCS_RGB;  // grey pictures come out as RGB too
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        reason = "unsupported colour space";
        return false;
    }
    width = (int)info.output_width;
    height = (int)info.output_height;
    size_t rowBytes = (size_t)width * 3;
    JSAMPARRAY line = (*info.mem->alloc_sarray)((j_common_ptr)&info, JPOOL_IMAGE, (JDIMENSION)rowBytes, 1);
    rows.resize(rowBytes * height);
    while (info.output_scanline < info.output_height) {
        size_t row = info.output_scanline;
        jpeg_read_scanlines(&info, line, 1);
        std::memcpy(&rows[row * rowBytes], line[0], rowBytes);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

ImageFormat ImageLoader::formatOf(const std::string& fileName)
{
    for (const ExtensionRule& rule : caseSensitiveExtensions)
        if (fileName.size() > std::strlen(rule.ending) && endsWith(fileName, rule.ending))
            return rule.format;
    if (fileName.size() >= 4) {
        std::string last = fileName.substr(fileName.size() - 4);
        for (char& c : last)
            c = (char)std::toupper((unsigned char)c);
        if (last == ".TGA")
            return IMAGE_FORMAT_TGA;
    }
    return IMAGE_FORMAT_UNKNOWN;
}

int ImageLoader::powerOfTwoAbove(int side)
{
    int result = 2;
    while (result < side)
        result *= 2;
    return result;
}

void ImageLoader::resample(const unsigned char* src, int srcWidth, int srcHeight, unsigned char* dst,
                           int dstWidth, int dstHeight, int bytesPerPixel)
{
    ASSERT(dstWidth >= srcWidth && dstHeight >= srcHeight, "ImageLoader::resample only enlarges");
    std::vector<AxisSample> xs = axisSamples(srcWidth, dstWidth);
    std::vector<AxisSample> ys = axisSamples(srcHeight, dstHeight);
    size_t srcRow = (size_t)srcWidth * bytesPerPixel;
    for (int oy = 0; oy < dstHeight; oy++) {
        const AxisSample& sy = ys[oy];
        const unsigned char* row0 = src + sy.first * srcRow;
        const unsigned char* row1 = src + sy.second * srcRow;
        unsigned char* out = dst + (size_t)oy * dstWidth * bytesPerPixel;
        for (int ox = 0; ox < dstWidth; ox++) {
            const AxisSample& sx = xs[ox];
            double w00 = sx.firstWeight * sy.firstWeight, w10 = (1 - sx.firstWeight) * sy.firstWeight;
            double w01 = sx.firstWeight * (1 - sy.firstWeight), w11 = (1 - sx.firstWeight) * (1 - sy.firstWeight);
            size_t c0 = (size_t)sx.first * bytesPerPixel, c1 = (size_t)sx.second * bytesPerPixel;
            for (int b = 0; b < bytesPerPixel; b++) {
                double v = w00 * row0[c0 + b] + w10 * row0[c1 + b] + w01 * row1[c0 + b] + w11 * row1[c1 + b];
                *out++ = (unsigned char)std::min(255.0, v + 0.5);
            }
        }
    }
}

unsigned char* ImageLoader::loadImage(const std::string& fileName, int& width, int& height, bool& isAlpha,
                                      bool verbose)
{
    if (verbose)
        std::cout << "Loading image '" << fileName << "'" << " ..." << std::flush;
    FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr) {
        std::string message = "loadImage: can't open '" + fileName + "'";
        FATAL(message.c_str());
    }

    unsigned char* pixels = nullptr;
    int bytesPerPixel = 3;
    switch (formatOf(fileName)) {
    case IMAGE_FORMAT_JPEG:
        isAlpha = false;
        pixels = loadJpeg(file, fileName, width, height, verbose);
        break;
    case IMAGE_FORMAT_PNG:
        pixels = loadPng(file, fileName, width, height, isAlpha, verbose);
        break;
    case IMAGE_FORMAT_TGA:
        pixels = loadTga(file, fileName, width, height, bytesPerPixel, verbose);
        isAlpha = bytesPerPixel == 4;
        break;
    case IMAGE_FORMAT_UNKNOWN: {
        std::fclose(file);
        std::string message = "loadImage : File format not recognised" + fileName;
        FATAL(message.c_str());
    }
    }
    std::fclose(file);
    bytesPerPixel = isAlpha ? 4 : 3;

    int newWidth = powerOfTwoAbove(width);
    int newHeight = powerOfTwoAbove(height);
    bool stretched = newWidth != width || newHeight != height;
    if (stretched) {
        unsigned char* resized = new (std::nothrow) unsigned char[(size_t)newWidth * newHeight * bytesPerPixel];
        if (resized == nullptr) {
            delete[] pixels;
            failOn("loadImage", "not enough memory to stretch the image", fileName);
        }
        resample(pixels, width, height, resized, newWidth, newHeight, bytesPerPixel);
        delete[] pixels;
        pixels = resized;
        width = newWidth;
        height = newHeight;
    }
    if (verbose) {
        if (stretched)
            std::cout << " (image was streched) ";
        std::cout << "... done (width=" << width << " height=" << height << " isAlpha=" << (isAlpha ? 1 : 0) << ")"
                  << std::endl;
    }
    return pixels;
}

unsigned char* ImageLoader::loadPng(FILE* file, const std::string& fileName, int& width, int& height,
                                    bool& isAlpha, bool verbose)
{
    if (verbose)
        std::cout << "(png)" << std::flush;
    PngImage png;
    std::string reason;
    if (!PngDecoder::read_png_file(file, maxSide, png, reason))
        failOn("loadPng", "cannot load png file (" + reason + ")", fileName);
    width = png.width;
    height = png.height;
    size_t bytesPerPixel = png.rowBytes / (size_t)width;
    if (bytesPerPixel == 8) {
        // 16-bit RGBA: keep each sample's most significant byte.
        size_t nbSamples = (size_t)width * height * 4;
        unsigned char* narrow = new (std::nothrow) unsigned char[nbSamples];
        if (narrow == nullptr) {
            delete[] png.pixels;
            failOn("loadPng", "not enough memory for the image", fileName);
        }
        for (size_t i = 0; i < nbSamples; i++)
            narrow[i] = png.pixels[i * 2];
        delete[] png.pixels;
        png.pixels = narrow;
        bytesPerPixel = 4;
    }
    isAlpha = bytesPerPixel == 4;
    return png.pixels;
}

unsigned char* ImageLoader::loadJpeg(FILE* file, const std::string& fileName, int& width, int& height,
                                     bool verbose)
{
    if (verbose)
        std::cout << "(jpeg)" << std::flush;
    std::cout << "chmu1\n";
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.pub);
    std::cout << "chmu2\n";
    errors.pub.error_exit = jpegErrorExit;
    errors.pub.emit_message = jpegEmitMessage;

    std::vector<unsigned char> rows;
    std::string reason;
    bool ok = false;
    try {
        ok = decodeJpeg(info, errors, file, maxSide, rows, width, height, reason);
    } catch (const std::bad_alloc&) {
        reason = "not enough memory for the image";
    }
    jpeg_destroy_decompress(&info);
    if (!ok) {
        std::string message = "loadJpeg : cannot load jpeg file " + (reason.empty() ? "" : "(" + reason + ") ") +
                              "'" + fileName + "'";
        FATAL(message.c_str());
    }

    // The result holds the decoded rows bottom row first.
    return reversedRows(rows.data(), (size_t)width * 3, height, "loadJpeg", fileName);
}

unsigned char* ImageLoader::loadTga(FILE* file, const std::string& fileName, int& width, int& height,
                                    int& bytesPerPixel, bool verbose)
{
    if (verbose)
        std::cout << "(tga)" << std::flush;
    TgaImage tga;
    std::string reason;
    if (!TgaDecoder::readTgaFile(file, maxSide, tga, reason))
        failOn("loadTga", "cannot load tga file (" + reason + ")", fileName);
    width = tga.width;
    height = tga.height;
    bytesPerPixel = tga.bytesPerPixel;

    // The file's last stored row comes first.
    return reversedRows(tga.pixels.data(), (size_t)width * bytesPerPixel, height, "loadTga", fileName);
}
