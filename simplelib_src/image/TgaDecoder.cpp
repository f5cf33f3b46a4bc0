#include "image/TgaDecoder.h"

#include <algorithm>
#include <new>

namespace {

// Field offsets of the 18-byte file header.
enum TgaHeaderField {
    TGA_ID_LENGTH = 0,
    TGA_COLOUR_MAP_TYPE = 1,
    TGA_IMAGE_TYPE = 2,
    TGA_COLOUR_MAP_LENGTH = 5,
    TGA_COLOUR_MAP_ENTRY_SIZE = 7,
    TGA_WIDTH = 12,
    TGA_HEIGHT = 14,
    TGA_PIXEL_DEPTH = 16,
    TGA_HEADER_SIZE = 18
};

enum TgaKind { TGA_KIND_MAPPED, TGA_KIND_TRUE_COLOUR, TGA_KIND_GREY };

// What each readable image type holds.
struct TgaTypeInfo {
    int imageType;
    TgaKind kind;
    bool runLength;
};
const TgaTypeInfo tgaTypes[] = {
    {1, TGA_KIND_MAPPED, false},  {2, TGA_KIND_TRUE_COLOUR, false},  {3, TGA_KIND_GREY, false},
    {9, TGA_KIND_MAPPED, true},   {10, TGA_KIND_TRUE_COLOUR, true},  {11, TGA_KIND_GREY, true},
};

int readLe16(const unsigned char* bytes) { return bytes[0] | (bytes[1] << 8); }

// A reader that never reads past the end of the file.
class TgaReader {
public:
    explicit TgaReader(FILE* parFile) : file(parFile) {}
    bool read(unsigned char* out, size_t count) { return std::fread(out, 1, count, file) == count; }
    bool skip(size_t count)
    {
        for (size_t i = 0; i < count; i++)
            if (std::getc(file) == EOF)
                return false;
        return true;
    }

private:
    FILE* file;
};

// Decodes stored pixels into RGB or RGBA.
class TgaPixelFormat {
public:
    TgaKind kind;
    int storedBytes;                     // bytes a stored pixel
    int outBytes;                        // 3 or 4
    std::vector<unsigned char> map;      // colour map as stored
    int mapEntryBytes = 0;
    int mapLength = 0;

    // Writes one output pixel from a stored one; false when a map index is past the map.
    bool convert(const unsigned char* stored, unsigned char* out) const
    {
        switch (kind) {
        case TGA_KIND_MAPPED: {
            int index = stored[0];
            if (index >= mapLength)
                return false;
            fromColour(&map[(size_t)index * mapEntryBytes], mapEntryBytes, out);
            return true;
        }
        case TGA_KIND_TRUE_COLOUR:
            fromColour(stored, storedBytes, out);
            return true;
        case TGA_KIND_GREY:
            out[0] = out[1] = out[2] = stored[0];
            if (outBytes == 4)
                out[3] = stored[1];
            return true;
        }
        return false;
    }

private:
    // A colour stored as a 1-5-5-5 word, B G R, or B G R A.
    void fromColour(const unsigned char* c, int bytes, unsigned char* out) const
    {
        if (bytes == 2) {
            int word = readLe16(c);
            out[0] = (unsigned char)(((word >> 10) & 31) * 8);
            out[1] = (unsigned char)(((word >> 5) & 31) * 8);
            out[2] = (unsigned char)((word & 31) * 8);
        } else {
            out[0] = c[2];
            out[1] = c[1];
            out[2] = c[0];
        }
        if (outBytes == 4)
            out[3] = bytes == 4 ? c[3] : 255;
    }
};

// The stored and output sizes for a kind and its depths; false when unsupported.
bool chooseSizes(TgaPixelFormat& format, int pixelDepth, int mapEntrySize, std::string& error)
{
    switch (format.kind) {
    case TGA_KIND_MAPPED:
        if (pixelDepth != 8) {
            error = "unsupported colour-map index size " + std::to_string(pixelDepth);
            return false;
        }
        if (mapEntrySize != 15 && mapEntrySize != 16 && mapEntrySize != 24 && mapEntrySize != 32) {
            error = "unsupported colour-map entry size " + std::to_string(mapEntrySize);
            return false;
        }
        format.storedBytes = 1;
        format.mapEntryBytes = (mapEntrySize + 7) / 8;
        format.outBytes = mapEntrySize == 32 ? 4 : 3;
        return true;
    case TGA_KIND_TRUE_COLOUR:
        if (pixelDepth != 16 && pixelDepth != 24 && pixelDepth != 32) {
            error = "unsupported pixel depth " + std::to_string(pixelDepth);
            return false;
        }
        format.storedBytes = pixelDepth / 8;
        format.outBytes = pixelDepth > 24 ? 4 : 3;
        return true;
    case TGA_KIND_GREY:
        if (pixelDepth != 8 && pixelDepth != 16) {
            error = "unsupported grey depth " + std::to_string(pixelDepth);
            return false;
        }
        format.storedBytes = pixelDepth / 8;
        format.outBytes = pixelDepth == 8 ? 3 : 4;
        return true;
    }
    return false;
}

const char* const truncatedText = "the file is truncated";
const char* const badIndexText = "a colour-map index is past the end of the colour map";

bool decodeRaw(TgaReader& reader, const TgaPixelFormat& format, size_t nbPixels, unsigned char* out,
               std::string& error)
{
    const size_t rowPixels = 4096;
    std::vector<unsigned char> stored(rowPixels * format.storedBytes);
    for (size_t done = 0; done < nbPixels;) {
        size_t count = std::min(rowPixels, nbPixels - done);
        if (!reader.read(stored.data(), count * format.storedBytes)) {
            error = truncatedText;
            return false;
        }
        for (size_t i = 0; i < count; i++, done++)
            if (!format.convert(&stored[i * format.storedBytes], out + done * format.outBytes)) {
                error = badIndexText;
                return false;
            }
    }
    return true;
}

bool decodeRunLength(TgaReader& reader, const TgaPixelFormat& format, size_t nbPixels, unsigned char* out,
                     std::string& error)
{
    unsigned char stored[4];
    for (size_t done = 0; done < nbPixels;) {
        unsigned char header;
        if (!reader.read(&header, 1)) {
            error = truncatedText;
            return false;
        }
        size_t count = (header & 0x7f) + 1;
        if (count > nbPixels - done) {
            error = "a run-length packet runs past the end of the image";
            return false;
        }
        bool repeated = (header & 0x80) != 0;
        for (size_t i = 0; i < count; i++, done++) {
            if ((i == 0 || !repeated) && !reader.read(stored, format.storedBytes)) {
                error = truncatedText;
                return false;
            }
            if (!format.convert(stored, out + done * format.outBytes)) {
                error = badIndexText;
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool TgaDecoder::readTgaFile(FILE* file, int maxSide, TgaImage& image, std::string& error)
{
    TgaReader reader(file);
    unsigned char header[TGA_HEADER_SIZE];
    if (!reader.read(header, TGA_HEADER_SIZE)) {
        error = truncatedText;
        return false;
    }
    int imageType = header[TGA_IMAGE_TYPE];
    const TgaTypeInfo* type = nullptr;
    for (const TgaTypeInfo& t : tgaTypes)
        if (t.imageType == imageType)
            type = &t;
    if (imageType == 0) {
        error = "the file holds no image data (image type 0)";
        return false;
    }
    if (type == nullptr) {
        std::fprintf(stderr, "error: unknown TGA image type %i!\n", imageType);
        error = "unknown TGA image type " + std::to_string(imageType);
        return false;
    }

    int width = (short)readLe16(&header[TGA_WIDTH]);
    int height = (short)readLe16(&header[TGA_HEIGHT]);
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide) {
        error = "bad image size " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    TgaPixelFormat format;
    format.kind = type->kind;
    int mapEntrySize = header[TGA_COLOUR_MAP_ENTRY_SIZE];
    if (!chooseSizes(format, header[TGA_PIXEL_DEPTH], mapEntrySize, error))
        return false;
    if (!reader.skip(header[TGA_ID_LENGTH])) {
        error = truncatedText;
        return false;
    }

    // A colour map is read whenever the file has one; only colour-mapped images use it.
    if (header[TGA_COLOUR_MAP_TYPE] != 0) {
        int mapLength = readLe16(&header[TGA_COLOUR_MAP_LENGTH]);
        size_t entryBytes = (mapEntrySize + 7) / 8;
        std::vector<unsigned char> map((size_t)mapLength * entryBytes);
        if (!reader.read(map.data(), map.size())) {
            error = truncatedText;
            return false;
        }
        if (format.kind == TGA_KIND_MAPPED) {
            format.map.swap(map);
            format.mapLength = mapLength;
        }
    } else if (format.kind == TGA_KIND_MAPPED) {
        error = "a colour-mapped image without a colour map";
        return false;
    }

    size_t nbPixels = (size_t)width * height;
    try {
        image.pixels.assign(nbPixels * format.outBytes, 0);
    } catch (const std::bad_alloc&) {
        error = "not enough memory for the image";
        return false;
    }
    bool decoded = type->runLength ? decodeRunLength(reader, format, nbPixels, image.pixels.data(), error)
                                   : decodeRaw(reader, format, nbPixels, image.pixels.data(), error);
    if (!decoded) {
        image.pixels.clear();
        return false;
    }
    image.width = width;
    image.height = height;
    image.bytesPerPixel = format.outBytes;
    return true;
}
