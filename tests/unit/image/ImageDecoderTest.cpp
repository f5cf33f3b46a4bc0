// The image decoders through ImageLoader::loadImage, on files the tests write: row order,
// alpha, the layouts each format may hold, the power-of-two stretch, the extension rules,
// and every damaged file ending in a report that names it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "AssetWriter.h"
#include "TempDir.h"
#include "image/ImageLoader.h"

namespace {

struct Loaded {
    int width = 0;
    int height = 0;
    bool isAlpha = false;
    std::vector<unsigned char> pixels;

    int channels() const { return isAlpha ? 4 : 3; }
    std::vector<int> at(int x, int y) const
    {
        const unsigned char* p = &pixels[((size_t)y * width + x) * channels()];
        return std::vector<int>(p, p + channels());
    }
};

Loaded load(const std::string& path, bool verbose = false)
{
    Loaded r;
    unsigned char* p = ImageLoader::loadImage(path, r.width, r.height, r.isAlpha, verbose);
    r.pixels.assign(p, p + (size_t)r.width * r.height * r.channels());
    delete[] p;
    return r;
}

// width x height pixels of `channels` bytes, every pixel different.
std::vector<unsigned char> pattern(int width, int height, int channels)
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            const unsigned char values[4] = {(unsigned char)(x * 13 + 1), (unsigned char)(y * 29 + 2),
                                             (unsigned char)(x * 7 + y * 3 + 3), (unsigned char)(255 - x - y)};
            pixels.insert(pixels.end(), values, values + channels);
        }
    return pixels;
}

// Top half one colour, bottom half another.
std::vector<unsigned char> twoBands(int width, int height, std::vector<unsigned char> top,
                                    std::vector<unsigned char> bottom)
{
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++)
            pixels.insert(pixels.end(), (y < height / 2 ? top : bottom).begin(), (y < height / 2 ? top : bottom).end());
    return pixels;
}

std::string tga(int width, int height, int type, int depth, const std::vector<unsigned char>& stored,
                std::vector<unsigned char> map = {}, int mapEntrySize = 0)
{
    TgaDescription d;
    d.width = width;
    d.height = height;
    d.imageType = type;
    d.pixelDepth = depth;
    d.colourMap = map;
    d.colourMapEntrySize = mapEntrySize;
    return AssetWriter::encodeTga(d, stored);
}

std::string png(int width, int height, PngColourType type, int depth, const std::vector<unsigned char>& samples,
                std::vector<unsigned char> palette = {}, std::vector<unsigned char> transparency = {},
                bool interlaced = false)
{
    PngDescription d;
    d.width = width;
    d.height = height;
    d.colourType = type;
    d.bitDepth = depth;
    d.palette = palette;
    d.transparency = transparency;
    d.interlaced = interlaced;
    return AssetWriter::encodePng(d, samples);
}

std::vector<int> rgb(int r, int g, int b) { return {r, g, b}; }
std::vector<int> rgba(int r, int g, int b, int a) { return {r, g, b, a}; }

}  // namespace

TEST(ImageDecoder, PngAndTgaGiveTopRowFirstJpegBottomRowFirst)
{
    TempDir dir;
    std::vector<unsigned char> bands = twoBands(8, 8, {250, 0, 0}, {0, 0, 250});
    Loaded fromPng = load(dir.write("bands.png", AssetWriter::encodePng(8, 8, 3, bands)));
    Loaded fromTga = load(dir.write("bands.tga", AssetWriter::encodeTga(8, 8, 3, bands, false)));
    EXPECT_EQ(fromPng.at(0, 0), rgb(250, 0, 0));
    EXPECT_EQ(fromPng.at(0, 7), rgb(0, 0, 250));
    EXPECT_EQ(fromTga.pixels, fromPng.pixels);

    Loaded fromJpeg = load(dir.write("bands.jpg", AssetWriter::encodeJpeg(8, 8, 3, bands)));
    EXPECT_FALSE(fromJpeg.isAlpha);
    EXPECT_NEAR(fromJpeg.at(3, 0)[2], 250, 12);  // bottom (blue) row first
    EXPECT_NEAR(fromJpeg.at(3, 0)[0], 0, 12);
    EXPECT_NEAR(fromJpeg.at(3, 7)[0], 250, 12);
}

TEST(ImageDecoder, EveryLayoutBecomesEightBitRgbOrRgba)
{
    TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        bool isAlpha;
        std::vector<int> firstPixel;
    };
    std::vector<unsigned char> rgb16 = {0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0, 0, 0, 0, 0, 0,
                                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<unsigned char> rgba16 = {0xfe, 0x01, 0x80, 0xff, 0x7f, 0x00, 0x40, 0x10};
    rgba16.resize(2 * 2 * 8, 0);
    const Case cases[] = {
        {"rgb.png", png(2, 2, PNG_COLOUR_RGB, 8, std::vector<unsigned char>(12, 9)), false, rgb(9, 9, 9)},
        {"rgba.png", png(2, 2, PNG_COLOUR_RGBA, 8, std::vector<unsigned char>(16, 9)), true, rgba(9, 9, 9, 9)},
        {"grey.png", png(2, 2, PNG_COLOUR_GREY, 8, {77, 1, 2, 3}), false, rgb(77, 77, 77)},
        {"grey1.png", png(2, 2, PNG_COLOUR_GREY, 1, {0x80, 0x40}), false, rgb(255, 255, 255)},
        {"greyalpha.png", png(2, 2, PNG_COLOUR_GREY_ALPHA, 8, {60, 200, 0, 0, 0, 0, 0, 0}), true,
         rgba(60, 60, 60, 200)},
        {"palette.png", png(2, 2, PNG_COLOUR_PALETTE, 8, {1, 0, 0, 0}, {10, 20, 30, 40, 50, 60}), false,
         rgb(40, 50, 60)},
        {"palettealpha.png", png(2, 2, PNG_COLOUR_PALETTE, 8, {1, 0, 0, 0}, {10, 20, 30, 40, 50, 60}, {255, 128}),
         true, rgba(40, 50, 60, 128)},
        {"rgb16.png", png(2, 2, PNG_COLOUR_RGB, 16, rgb16), false, rgb(0x12, 0x56, 0x9a)},
        {"rgba16.png", png(2, 2, PNG_COLOUR_RGBA, 16, rgba16), true, rgba(0xfe, 0x80, 0x7f, 0x40)},
        {"interlaced.png", png(2, 2, PNG_COLOUR_RGB, 8, std::vector<unsigned char>(12, 5), {}, {}, true), false,
         rgb(5, 5, 5)},
        {"grey.jpg", AssetWriter::encodeJpeg(2, 2, 1, {100, 100, 100, 100}), false, rgb(100, 100, 100)},
        {"bgr.tga", tga(2, 2, 2, 24, {30, 20, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0}), false, rgb(10, 20, 30)},
        {"bgra.tga", tga(2, 2, 2, 32, {30, 20, 10, 99, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), true,
         rgba(10, 20, 30, 99)},
        // 1-5-5-5: red 31, green 1, blue 15.
        {"word.tga", tga(2, 2, 2, 16, {0x2f, 0x7c, 0, 0, 0, 0, 0, 0}), false, rgb(248, 8, 120)},
        {"grey.tga", tga(2, 2, 3, 8, {66, 0, 0, 0}), false, rgb(66, 66, 66)},
        {"greyalpha.tga", tga(2, 2, 11, 16, {66, 7, 0, 0, 0, 0, 0, 0}), true, rgba(66, 66, 66, 7)},
        // Colour maps are stored B, G, R (A).
        {"mapped.tga", tga(2, 2, 1, 8, {1, 0, 0, 0}, {1, 2, 3, 30, 20, 10}, 24), false, rgb(10, 20, 30)},
        {"mappedrle.tga", tga(2, 2, 9, 8, {1, 1, 0, 1}, {1, 2, 3, 30, 20, 10}, 24), false, rgb(10, 20, 30)},
        {"mapped32.tga", tga(2, 2, 1, 8, {1, 0, 0, 0}, {1, 2, 3, 4, 30, 20, 10, 40}, 32), true,
         rgba(10, 20, 30, 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.empty());
        Loaded image = load(dir.write(c.name, c.bytes));
        EXPECT_EQ(image.isAlpha, c.isAlpha);
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 2);
        if (std::string(c.name).find(".jpg") != std::string::npos)
            for (int i = 0; i < 3; i++)
                EXPECT_NEAR(image.at(0, 0)[i], c.firstPixel[i], 2);
        else
            EXPECT_EQ(image.at(0, 0), c.firstPixel);
    }
}

TEST(ImageDecoder, SidesStretchToPowersOfTwo)
{
    TempDir dir;
    EXPECT_EQ(ImageLoader::powerOfTwoAbove(1), 2);
    EXPECT_EQ(ImageLoader::powerOfTwoAbove(256), 256);
    EXPECT_EQ(ImageLoader::powerOfTwoAbove(257), 512);

    // A left column red and the rest green: the edges keep their colours.
    std::vector<unsigned char> wide;
    for (int y = 0; y < 256; y++)
        for (int x = 0; x < 257; x++) {
            const unsigned char red[3] = {200, 0, 0}, green[3] = {0, 200, 0};
            wide.insert(wide.end(), x == 0 ? red : green, (x == 0 ? red : green) + 3);
        }
    Loaded stretched = load(dir.write("wide.png", AssetWriter::encodePng(257, 256, 3, wide)));
    EXPECT_EQ(stretched.width, 512);
    EXPECT_EQ(stretched.height, 256);
    EXPECT_EQ(stretched.at(0, 100), rgb(200, 0, 0));
    EXPECT_EQ(stretched.at(511, 255), rgb(0, 200, 0));
    EXPECT_EQ(stretched.at(300, 0), rgb(0, 200, 0));

    Loaded dot = load(dir.write("dot.tga", AssetWriter::encodeTga(1, 1, 4, {9, 8, 7, 6}, false)));
    EXPECT_EQ(dot.width, 2);
    EXPECT_EQ(dot.height, 2);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 2; x++)
            EXPECT_EQ(dot.at(x, y), rgba(9, 8, 7, 6));

    std::vector<unsigned char> square = pattern(256, 256, 3);
    Loaded same = load(dir.write("square.png", AssetWriter::encodePng(256, 256, 3, square)));
    EXPECT_EQ(same.width, 256);
    EXPECT_EQ(same.pixels, square);
}

TEST(ImageDecoder, VerboseLoadLogsOneLineWithTheFinalSize)
{
    TempDir dir;
    std::string stretched = dir.write("s.png", AssetWriter::encodePng(200, 100, 4, pattern(200, 100, 4)));
    std::string exact = dir.write("e.tga", AssetWriter::encodeTga(4, 2, 3, pattern(4, 2, 3), true));
    std::string photo = dir.write("p.jpg", AssetWriter::encodeJpeg(8, 8, 3, pattern(8, 8, 3)));

    testing::internal::CaptureStdout();
    load(stretched, true);
    load(exact, true);
    load(photo, true);
    load(exact, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Loading image '" + stretched + "' ...(png) (image was streched) ... done (width=256 height=128 isAlpha=1)\n" +
                  "Loading image '" + exact + "' ...(tga)... done (width=4 height=2 isAlpha=0)\n" +
                  "Loading image '" + photo + "' ...(jpeg)chmu1\nchmu2\n... done (width=8 height=8 isAlpha=0)\n");
}

TEST(ImageDecoder, ExtensionRules)
{
    struct Case {
        const char* name;
        ImageFormat format;
    };
    const Case cases[] = {
        {"a.png", IMAGE_FORMAT_PNG},   {"a.PNG", IMAGE_FORMAT_PNG},      {"a.Png", IMAGE_FORMAT_UNKNOWN},
        {"a.pNG", IMAGE_FORMAT_UNKNOWN}, {".png", IMAGE_FORMAT_UNKNOWN}, {"a.jpg", IMAGE_FORMAT_JPEG},
        {"a.JPG", IMAGE_FORMAT_JPEG},  {"a.jpeg", IMAGE_FORMAT_JPEG},    {"a.JPEG", IMAGE_FORMAT_JPEG},
        {"a.Jpg", IMAGE_FORMAT_UNKNOWN}, {".jpg", IMAGE_FORMAT_UNKNOWN}, {".jpeg", IMAGE_FORMAT_UNKNOWN},
        {"a.tga", IMAGE_FORMAT_TGA},   {"a.TgA", IMAGE_FORMAT_TGA},      {".tga", IMAGE_FORMAT_TGA},
        {"a.bmp", IMAGE_FORMAT_UNKNOWN}, {"png", IMAGE_FORMAT_UNKNOWN},  {"", IMAGE_FORMAT_UNKNOWN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImageLoader::formatOf(c.name), c.format) << c.name;

    TempDir dir;
    EXPECT_EQ(load(dir.write("UPPER.PNG", AssetWriter::encodePng(2, 2, 3, pattern(2, 2, 3)))).width, 2);
    EXPECT_EQ(load(dir.write("mixed.tGa", AssetWriter::encodeTga(2, 2, 3, pattern(2, 2, 3), false))).width, 2);
}

TEST(ImageDecoder, TgaRunLengthPacketsAcrossRowsDecodeLikeRawData)
{
    TempDir dir;
    // Width 5: runs of 7 equal pixels and stretches of distinct ones cross every row end.
    for (int channels : {3, 4}) {
        std::vector<unsigned char> pixels;
        for (int i = 0; i < 5 * 6; i++) {
            int value = (i / 7) % 2 == 0 ? i / 7 : i;
            for (int c = 0; c < channels; c++)
                pixels.push_back((unsigned char)(value * 8 + c));
        }
        std::string raw = AssetWriter::encodeTga(5, 6, channels, pixels, false);
        std::string packed = AssetWriter::encodeTga(5, 6, channels, pixels, true);
        EXPECT_LT(packed.size(), raw.size());
        Loaded fromRaw = load(dir.write("raw.tga", raw));
        Loaded fromPacked = load(dir.write("packed.tga", packed));
        EXPECT_EQ(fromPacked.pixels, fromRaw.pixels) << channels << " channels";
    }
    std::vector<unsigned char> grey = {5, 5, 5, 5, 5, 5, 7, 9, 9, 9, 9, 9, 9, 9, 1, 2};
    EXPECT_EQ(load(dir.write("g.tga", tga(4, 4, 11, 8, grey))).pixels, load(dir.write("h.tga", tga(4, 4, 3, 8, grey))).pixels);
}

namespace {

struct DamagedImage {
    const char* name;
    std::string bytes;
    const char* report;  // regex of what follows "Message: " up to the file name
};

// Header fields patched into a valid file.
std::string patched(std::string bytes, size_t offset, std::vector<unsigned char> values)
{
    for (size_t i = 0; i < values.size(); i++)
        bytes[offset + i] = (char)values[i];
    return bytes;
}

std::vector<DamagedImage> damagedImages()
{
    std::string goodTga = AssetWriter::encodeTga(2, 2, 3, pattern(2, 2, 3), false);
    std::string goodPng = AssetWriter::encodePng(16, 16, 3, pattern(16, 16, 3));
    std::string goodJpeg = AssetWriter::encodeJpeg(64, 64, 3, pattern(64, 64, 3));
    std::string overrun = tga(2, 2, 10, 24, std::vector<unsigned char>(12, 1)).substr(0, 18) + "\x89" + "abc";
    const char* truncated = "loadTga : cannot load tga file \\(the file is truncated\\)";
    return {
        {"short-header.tga", goodTga.substr(0, 10), truncated},
        {"short-data.tga", goodTga.substr(0, goodTga.size() - 4), truncated},
        {"long-run.tga", overrun, "loadTga : cannot load tga file \\(a run-length packet runs past the end of the image\\)"},
        {"bad-index.tga", tga(2, 2, 1, 8, {0, 1, 2, 1}, {1, 2, 3, 4, 5, 6}, 24),
         "loadTga : cannot load tga file \\(a colour-map index is past the end of the colour map\\)"},
        {"no-map.tga", patched(tga(2, 2, 1, 8, {0, 0, 0, 0}, {1, 2, 3}, 24), 1, {0}),
         "loadTga : cannot load tga file \\(a colour-mapped image without a colour map\\)"},
        {"zero-width.tga", patched(goodTga, 12, {0, 0}), "loadTga : cannot load tga file \\(bad image size 0x2\\)"},
        {"negative.tga", patched(goodTga, 14, {0xff, 0xff}), "loadTga : cannot load tga file \\(bad image size 2x-1\\)"},
        {"huge.tga", patched(goodTga, 12, {0x20, 0x4e}), "loadTga : cannot load tga file \\(bad image size 20000x2\\)"},
        {"type7.tga", patched(goodTga, 2, {7}), "loadTga : cannot load tga file \\(unknown TGA image type 7\\)"},
        {"type0.tga", patched(goodTga, 2, {0}), "loadTga : cannot load tga file \\(the file holds no image data"},
        {"depth8.tga", patched(goodTga, 16, {8}), "loadTga : cannot load tga file \\(unsupported pixel depth 8\\)"},
        {"notpng.png", "GIF89a and more bytes", "loadPng : cannot load png file \\(File is not recognized as a PNG file\\)"},
        {"short.png", goodPng.substr(0, goodPng.size() - 20), "loadPng : cannot load png file \\(Error during read_image\\)"},
        {"crc.png", patched(goodPng, 29, {0x00, 0x00}), "loadPng : cannot load png file \\(Error during init_io\\)"},
        {"huge.png", AssetWriter::encodePng(20000, 1, 3, std::vector<unsigned char>(60000, 1)),
         "loadPng : cannot load png file \\(bad image size 20000x1\\)"},
        {"short.jpg", goodJpeg.substr(0, goodJpeg.size() / 2), "loadJpeg : cannot load jpeg file "},
        {"notjpeg.jpg", "plain text, not a picture", "loadJpeg : cannot load jpeg file "},
    };
}

}  // namespace

TEST(ImageDecoderDeathTest, DamagedFilesEndInAReportNamingThem)
{
    for (const DamagedImage& c : damagedImages()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string path = dir.write(c.name, c.bytes);
        EXPECT_EXIT(load(path), ::testing::ExitedWithCode(1),
                    std::string("ERROR : (.|\n)*Message: ") + c.report + ".*'/tmp/cubewright-test-[^/]*/" + c.name + "'\n");
    }
}

TEST(ImageDecoderDeathTest, DecoderMessagesGoToStandardError)
{
    TempDir dir;
    std::string notPng = dir.write("n.png", "not a png");
    EXPECT_EXIT(load(notPng), ::testing::ExitedWithCode(1), "^\\[read_png_file\\] File is not recognized as a PNG file\n");
    std::string goodTga = AssetWriter::encodeTga(2, 2, 3, pattern(2, 2, 3), false);
    std::string type5 = dir.write("t.tga", patched(goodTga, 2, {5}));
    EXPECT_EXIT(load(type5), ::testing::ExitedWithCode(1), "^error: unknown TGA image type 5!\n");
    std::string jpeg = dir.write("j.jpg", "not a jpeg at all");
    EXPECT_EXIT(load(jpeg), ::testing::ExitedWithCode(1), "^Not a JPEG file");
}

TEST(ImageDecoderDeathTest, MissingOrUnrecognisedFiles)
{
    TempDir dir;
    EXPECT_EXIT(load(dir.file("absent.bmp")), ::testing::ExitedWithCode(1),
                "Message: loadImage: can't open '/tmp/cubewright-test-[^/]*/absent.bmp'\n");
    std::string mixed = dir.write("mixed.Png", AssetWriter::encodePng(2, 2, 3, pattern(2, 2, 3)));
    EXPECT_EXIT(load(mixed), ::testing::ExitedWithCode(1),
                "Message: loadImage : File format not recognised/tmp/cubewright-test-[^/]*/mixed.Png\n");
    // The extension alone is no PNG name (a path ending in "/.png" is one).
    dir.write(".png", AssetWriter::encodePng(2, 2, 3, pattern(2, 2, 3)));
    EXPECT_EXIT(
        {
            ASSERT_EQ(chdir(dir.path().c_str()), 0);
            load(".png");
        },
        ::testing::ExitedWithCode(1), "Message: loadImage : File format not recognised\\.png\n");
}
