// The bitmap font on a generated font picture: glyph scan, metrics, drawing and measuring.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <memory>

#include "AssetWriter.h"
#include "GLTestWindow.h"
#include "TempDir.h"
#include "gl/Scene2D.h"
#include "image/Font.h"

namespace {

const int glyphHeight = 16;

// Ink widths 2 to 5 by character code: 'A' has 3 (a glyph 7 wide), 'B' 4 (8 wide).
std::vector<int> inkWidths(int nbGlyphs = 94)
{
    std::vector<int> widths;
    for (int c = 33; c < 33 + nbGlyphs; c++)
        widths.push_back(2 + c % 4);
    return widths;
}

std::string writeFontPicture(const TempDir& dir, const FontImage& image, const std::string& name = "font.png")
{
    return dir.write(name, AssetWriter::encodePng(image.width, image.height, 4, image.rgba));
}

class FontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        openGLTestWindow();
        picture = AssetWriter::generateFontImage(glyphHeight, inkWidths());
        font.reset(new Font(writeFontPicture(dir, picture)));
    }

    TempDir dir;
    FontImage picture;
    std::unique_ptr<Font> font;
};

}  // namespace

TEST_F(FontTest, GlyphRectanglesRunFromBeforeTheInkToTwoColumnsAfterIt)
{
    for (int c = 33; c <= 126; c++) {
        EXPECT_EQ(font->getGlyphStart(c), picture.inkStart[c] - 1) << (char)c;
        EXPECT_EQ(font->getGlyphWidth(c), picture.inkWidth[c] + 4) << (char)c;
    }
    EXPECT_EQ(font->getGlyphWidth('A'), 7);
    EXPECT_EQ(font->getHeight(), glyphHeight);
}

TEST_F(FontTest, AdvancesAndLineEnds)
{
    EXPECT_EQ(font->drawText(1.f, 1.f, "A B", 100, 50), Int2(100 + 7 + 16 + 8, 50));
    EXPECT_EQ(font->getTextWidth("A B", -1, 1.f), 7 + 16 + 8);
    EXPECT_EQ(font->drawText(1.f, 1.f, "AB\nA", 100, 50), Int2(107, 50 + glyphHeight));
    EXPECT_EQ(font->getTextWidth("A\nAB", -1, 1.f), 15) << "the widest line";
    EXPECT_EQ(font->getTextWidth("AB", 1, 1.f), 7) << "only the first characters";
    EXPECT_EQ(font->getTextWidth("AB", 10, 1.f), 15) << "a length past the end stops at the end";
    EXPECT_EQ(font->drawText(1.f, 1.f, "", 3, 4), Int2(3, 4));
}

TEST_F(FontTest, EachAdvanceIsTruncatedOnItsOwn)
{
    EXPECT_EQ(font->drawText(0.5f, 0.5f, "A", 0, 0), Int2(3, 0));
    EXPECT_EQ(font->drawText(0.5f, 0.5f, "AAAA", 0, 0), Int2(12, 0)) << "not 14";
    EXPECT_EQ(font->getTextWidth("AAAA", -1, 0.5f), 12);
    EXPECT_EQ(font->drawText(0.5f, 0.5f, " \n", 0, 0), Int2(0, glyphHeight / 2));
    EXPECT_EQ(font->getTextWidth(" ", -1, 0.7f), 11);
}

TEST_F(FontTest, CharactersWithoutGlyphsAreSkipped)
{
    EXPECT_EQ(font->drawText(1.f, 1.f, "\tA\x01\x80\xff", 0, 0), Int2(7, 0));
    EXPECT_EQ(font->getTextWidth("\tA\x01\x80\xff", -1, 1.f), 7);
    for (int c : {' ', '\n', '!', 'A', '~'})
        EXPECT_TRUE(font->isDrawable(c)) << (int)c;
    for (unsigned char c : {9, 0, 127, 200})
        EXPECT_FALSE(font->isDrawable(c)) << (int)c;

    // A picture that ends before '~': the characters past its edge have no glyph.
    Font partial(writeFontPicture(dir, AssetWriter::generateFontImage(glyphHeight, inkWidths(10)), "partial.png"));
    EXPECT_TRUE(partial.isDrawable('!' + 9));
    EXPECT_FALSE(partial.isDrawable('!' + 10));
    EXPECT_FALSE(partial.isDrawable('~'));
}

TEST_F(FontTest, TextIsDrawnAtItsPlaceInTheCurrentColour)
{
    GLManager::scene2D->setupProjection2D();
    glDisable(GL_DEPTH_TEST);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glCullFace(GL_FRONT);
    GLManager::clearScreen(0, 0, 0, 255);
    glColor4ub(0, 255, 0, 255);
    // 'A' inks columns 201..203 at x 200, 'B' inks 208..211 after a 7-pixel advance.
    Int2 end = font->drawText(1.f, 1.f, "AB", 200, 100);
    glColor4ub(255, 255, 255, 255);
    EXPECT_EQ(end, Int2(215, 100));
    const int inked[] = {202, 209, 210};
    const int empty[] = {199, 205, 213};
    for (int x : inked) {
        ColorBytes pixel = readBackBufferPixel(x, 108);
        EXPECT_EQ(pixel.r, 0) << x;
        EXPECT_GT(pixel.g, 240) << x;
    }
    for (int x : empty)
        EXPECT_LT(readBackBufferPixel(x, 108).g, 16) << x;
    EXPECT_LT(readBackBufferPixel(202, 100 + glyphHeight + 2).g, 16) << "below the glyphs";
}

TEST(FontDeathTest, PictureWithoutAlphaOrNullText)
{
    TempDir dir;
    std::string opaque = dir.write("opaque.png", AssetWriter::encodePng(4, 4, 3, std::vector<unsigned char>(48, 255)));
    EXPECT_EXIT(
        {
            openGLTestWindow();
            Font font(opaque);
        },
        ::testing::ExitedWithCode(1), "Condition: image->getIsAlpha\\(\\)\n");
    FontImage picture = AssetWriter::generateFontImage(glyphHeight, inkWidths());
    std::string good = writeFontPicture(dir, picture);
    EXPECT_EXIT(
        {
            openGLTestWindow();
            Font font(good);
            font.drawText(1.f, 1.f, nullptr, 0, 0);
        },
        ::testing::ExitedWithCode(1), "Condition: text != NULL\n");
}
