// Boxes, the skybox (faces and seams) and vertex buffer batches drawn for real and read back.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "AssetWriter.h"
#include "GLTestWindow.h"
#include "TempDir.h"
#include "draw/BoxGeometry.h"
#include "draw/Skybox.h"
#include "gl/Scene3D.h"
#include "gl/VBOBatchSet.h"
#include "image/Image.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"

namespace {

// One colour a face: top, bottom, front, back, left, right.
const unsigned char faceColours[nbBoxFaces][3] = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                                  {255, 255, 0}, {255, 0, 255}, {0, 255, 255}};

unsigned int solidTexture(const unsigned char colour[3])
{
    unsigned char pixels[2 * 2 * 3];
    for (int i = 0; i < 4; i++)
        for (int c = 0; c < 3; c++)
            pixels[i * 3 + c] = colour[c];
    return GLManager::createTexture(pixels, 2, 2, false);
}

// Looking down -Z at the unit square around the origin, depth test and back-face culling on.
void beginOrtho3D()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glPolygonMode(GL_FRONT, GL_FILL);
    glPolygonMode(GL_BACK, GL_LINE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glColor4ub(255, 255, 255, 255);
    GLManager::clearScreen(0, 0, 0, 255);
}

std::vector<int> centreColour()
{
    ColorBytes pixel = readBackBufferPixel(400, 300);
    return {pixel.r, pixel.g, pixel.b};
}

std::vector<int> colourOf(int face)
{
    return {faceColours[face][0], faceColours[face][1], faceColours[face][2]};
}

class BoxDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        openGLTestWindow();
        for (int face = 0; face < nbBoxFaces; face++)
            textures[face] = solidTexture(faceColours[face]);
    }
    void TearDown() override { glDeleteTextures(nbBoxFaces, textures); }

    GLuint textures[nbBoxFaces];
};

}  // namespace

TEST_F(BoxDrawing, EachRotationShowsTheFaceTurnedTowardsTheViewer)
{
    struct Case {
        float a, b, c;
        int face;
    };
    const Case cases[] = {
        {0, 0, 0, BOX_FACE_FRONT},   {0, 90, 0, BOX_FACE_LEFT},    {0, -90, 0, BOX_FACE_RIGHT},
        {0, 180, 0, BOX_FACE_BACK},  {90, 0, 0, BOX_FACE_TOP},     {-90, 0, 0, BOX_FACE_BOTTOM},
        {90, 90, 0, BOX_FACE_TOP},   // the X turn comes after the Y turn (the other order shows left)
        {0, 90, 90, BOX_FACE_TOP},   // the Z turn acts first, in the box's own frame
        {0, 0, 90, BOX_FACE_FRONT},
    };
    for (const Case& c : cases) {
        beginOrtho3D();
        rotateXYZ(c.a, c.b, c.c);
        drawBox(textures, Float3(1, 1, 1), Float3(1, 1, 1), false);
        EXPECT_EQ(centreColour(), colourOf(c.face)) << c.a << " " << c.b << " " << c.c;
    }
    // The box is one unit wide in a two-unit view: it covers the middle half of the window.
    beginOrtho3D();
    drawBox(textures, Float3(1, 1, 1), Float3(1, 1, 1), false);
    EXPECT_EQ(readBackBufferPixel(205, 300).b, 255);
    EXPECT_EQ(readBackBufferPixel(195, 300).b, 0);
    EXPECT_EQ(readBackBufferPixel(400, 155).b, 255);
    EXPECT_EQ(readBackBufferPixel(400, 145).b, 0);
}

TEST_F(BoxDrawing, NeighbouringFacesWithOneTextureShareABatch)
{
    beginOrtho3D();
    GLuint same[nbBoxFaces] = {textures[0], textures[0], textures[0], textures[0], textures[0], textures[0]};
    EXPECT_EQ(drawBox(same, Float3(1, 1, 1), Float3(1, 1, 1), false), 1);
    EXPECT_EQ(centreColour(), colourOf(0));
    GLuint pairs[nbBoxFaces] = {textures[0], textures[0], textures[1], textures[1], textures[0], textures[0]};
    EXPECT_EQ(drawBox(pairs, Float3(1, 1, 1), Float3(1, 1, 1), false), 3);
    EXPECT_EQ(drawBox(textures, Float3(1, 1, 1), Float3(1, 1, 1), false), 6);
}

TEST_F(BoxDrawing, WireframeBoxRestoresTheThreeDimensionalState)
{
    beginOrtho3D();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT, GL_LINE);
    glColor4ub(255, 255, 255, 255);
    drawBox(nullptr, Float3(1, 1, 1), Float3(1, 1, 1), false);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_LINE);
    EXPECT_EQ(centreColour(), (std::vector<int>{0, 0, 0})) << "only the edges are drawn";
}

TEST(Skybox, SeenFromInsideAroundTheCamera)
{
    openGLTestWindow();
    TempDir dir;
    // Slots: bottom, top, left, right, front, back pictures.
    std::string names[Skybox::nbSlots];
    for (int slot = 0; slot < Skybox::nbSlots; slot++) {
        std::vector<unsigned char> pixels;
        for (int i = 0; i < 16; i++)
            pixels.insert(pixels.end(), faceColours[slot], faceColours[slot] + 3);
        names[slot] = dir.write("sky" + std::to_string(slot) + ".png", AssetWriter::encodePng(4, 4, 3, pixels));
    }
    Skybox sky(names, 50.f);
    Scene3D& scene = *GLManager::scene3D;
    scene.lightingEnabled = false;
    glDisable(GL_FOG);

    struct View {
        float pitch, yaw;
        int slot;
    };
    // Looking along -Z sees slot 2, along -X slot 5, +X slot 4, +Z slot 3, up slot 1, down slot 0.
    const View views[] = {{0, 0, 2}, {0, 90, 5}, {0, -90, 4}, {0, 180, 3}, {89, 0, 1}, {-89, 0, 0}};
    for (const View& v : views) {
        scene.camera.setRotation(Float3(v.pitch, v.yaw, 0.f));
        scene.placeCamera(Float3(100.f, 30.f, -20.f), 0.f);
        GLManager::clearScreen(0, 0, 0, 255);
        sky.draw();
        EXPECT_EQ(centreColour(), colourOf(v.slot)) << "pitch " << v.pitch << " yaw " << v.yaw;
    }
    scene.camera.setRotation(Float3(0.f, 0.f, 0.f));
}

// Looking straight at the vertical edge between the wall at -Z and the wall at +X. One
// picture for all six faces (so they share one texture): blue, with a one-pixel red column
// at its left edge (u = 0). The +X wall starts at that edge, the -Z wall ends with its
// right edge there: its side of the seam must stay blue, with no red filtered in from its
// opposite edge. The shared texture repeats again for everyone else afterwards.
TEST(Skybox, SeamsShowNoColourFromTheOppositeEdge)
{
    openGLTestWindow();
    TempDir dir;
    const int edge = 4;
    std::vector<unsigned char> pixels;
    for (int row = 0; row < edge; row++)
        for (int column = 0; column < edge; column++)
            pixels.insert(pixels.end(), {column == 0 ? (unsigned char)255 : (unsigned char)0, 0,
                                         column == 0 ? (unsigned char)0 : (unsigned char)255});
    std::string names[Skybox::nbSlots];
    for (std::string& name : names)
        name = dir.write("sky.png", AssetWriter::encodePng(edge, edge, 3, pixels));
    Skybox sky(names, 50.f);
    Scene3D& scene = *GLManager::scene3D;
    scene.lightingEnabled = false;
    glDisable(GL_FOG);
    glDisable(GL_LIGHTING);

    scene.camera.setRotation(Float3(0.f, -45.f, 0.f));
    scene.placeCamera(Float3(0.f, 0.f, 0.f), 0.f);
    GLManager::clearScreen(0, 0, 0, 255);
    sky.draw();
    for (int y : {150, 300, 450}) {
        // The seam: the first pixel from the left that is more red than blue.
        int seam = 300;
        while (seam < 500 && readBackBufferPixel(seam, y).r <= readBackBufferPixel(seam, y).b)
            seam++;
        ASSERT_NEAR(seam, 400, 10) << "the edge is not at the centre of row " << y;
        for (int x = seam - 20; x < seam; x++) {
            ColorBytes pixel = readBackBufferPixel(x, y);
            EXPECT_LE((int)pixel.r, 2) << "red bleeds into the -Z wall at (" << x << ", " << y << ")";
            EXPECT_GE((int)pixel.b, 250) << "(" << x << ", " << y << ")";
        }
        for (int x = seam; x < seam + 8; x++)
            EXPECT_GE((int)readBackBufferPixel(x, y).r, 250) << "the +X wall's own red edge at (" << x << ", " << y << ")";
    }

    Sprite* shared = SpriteManager::getSprite(names[0], GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
    glBindTexture(GL_TEXTURE_2D, shared->images[0]->textureId);
    GLint wrap[2] = {0, 0};
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap[1]);
    EXPECT_EQ(wrap[0], GL_REPEAT);
    EXPECT_EQ(wrap[1], GL_REPEAT);
    SpriteManager::removeSprite(shared);
    scene.camera.setRotation(Float3(0.f, 0.f, 0.f));
}

TEST(VBODrawing, BatchesDrawFromBuffersWithDrawLastOnTop)
{
    openGLTestWindow();
    ASSERT_TRUE(isVBOSupported());
    const unsigned char red[3] = {255, 0, 0}, green[3] = {0, 255, 0}, blue[3] = {0, 0, 255};
    GLuint texRed = solidTexture(red), texGreen = solidTexture(green), texBlue = solidTexture(blue);
    const Float2 uv[4] = {Float2(0, 0), Float2(1, 0), Float2(1, 1), Float2(0, 1)};
    GLuint firstBuffer;
    {
        VBOBatchSet set;
        const Float3 leftHalf[4] = {Float3(-1, -1, 0), Float3(0, -1, 0), Float3(0, 1, 0), Float3(-1, 1, 0)};
        const Float3 middle[4] = {Float3(-0.5f, -0.5f, 0), Float3(0.5f, -0.5f, 0), Float3(0.5f, 0.5f, 0),
                                  Float3(-0.5f, 0.5f, 0)};
        const Float3 corner[3] = {Float3(0.5f, -1, 0), Float3(1, -1, 0), Float3(1, 1, 0)};
        set.addQuad(middle, uv, texBlue);
        set.batch(texBlue).drawLast = true;
        set.addQuad(leftHalf, uv, texRed);
        set.addTriangle(corner, uv, texGreen);
        VBOUploadResult result = set.upload();
        EXPECT_EQ(result.nbBuffers, 3);
        EXPECT_EQ(result.nbVertices, 11);
        firstBuffer = set.getBuffers()[0]->vertexBuffer;
        EXPECT_TRUE(glIsBuffer(firstBuffer));

        beginOrtho3D();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        set.draw();
        EXPECT_EQ(readBackBufferPixel(100, 300).r, 255);   // red half
        ColorBytes overlap = readBackBufferPixel(300, 300);  // red under the draw-last blue
        EXPECT_EQ(overlap.b, 255);
        EXPECT_EQ(overlap.r, 0);
        EXPECT_EQ(readBackBufferPixel(790, 300).g, 255);   // green triangle
        EXPECT_EQ(readBackBufferPixel(650, 300).g, 0);
    }
    EXPECT_FALSE(glIsBuffer(firstBuffer)) << "the buffers go with the set";
    GLuint all[3] = {texRed, texGreen, texBlue};
    glDeleteTextures(3, all);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
}

TEST_F(BoxDrawing, QuadsFaceTheirSideAndSpreadTheTextureAsRepeated)
{
    // Horizontal quads: the top side is seen from above only, the underside from below only.
    struct Case {
        float pitch;
        bool underside;
        bool seen;
    };
    const Case cases[] = {{90, false, true}, {90, true, false}, {-90, true, true}, {-90, false, false}};
    for (const Case& c : cases) {
        beginOrtho3D();
        rotateXYZ(c.pitch, 0, 0);
        drawHorizontalQuad(1.f, 1.f, (int)textures[BOX_FACE_TOP], Float2(1, 1), c.underside);
        EXPECT_EQ(centreColour(), (c.seen ? colourOf(BOX_FACE_TOP) : std::vector<int>{0, 0, 0}))
            << "pitch " << c.pitch << (c.underside ? " underside" : " top side");
    }

    // A texture red on the left, green on the right: the first corner takes (ru, rv).
    const unsigned char halves[2 * 2 * 3] = {255, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255, 0};
    GLuint texture = GLManager::createTexture(halves, 2, 2, false);
    const Float3 corners[4] = {Float3(0.5f, -0.5f, 0), Float3(0.5f, 0.5f, 0), Float3(-0.5f, 0.5f, 0),
                               Float3(-0.5f, -0.5f, 0)};
    beginOrtho3D();
    drawQuad((int)texture, corners, Float2(1, 1));
    EXPECT_GT(readBackBufferPixel(300, 300).r, 200);
    EXPECT_GT(readBackBufferPixel(500, 300).g, 200);
    // Repeated twice, each half of the quad holds a whole copy.
    beginOrtho3D();
    drawQuad((int)texture, corners, Float2(2, 2));
    EXPECT_GT(readBackBufferPixel(250, 300).r, 200);
    EXPECT_GT(readBackBufferPixel(350, 300).g, 200);
    EXPECT_GT(readBackBufferPixel(450, 300).r, 200);
    glDeleteTextures(1, &texture);
}
