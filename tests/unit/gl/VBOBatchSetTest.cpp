// Vertex buffer batches without a GL context: the records' order and counts, and the
// extension-list matcher.
#include <gtest/gtest.h>

#include "gl/VBOBatchSet.h"

namespace {

void addQuads(VBOBatchSet& set, unsigned int texture, int nbQuads)
{
    const Float3 corners[4] = {Float3(0, 0, 0), Float3(1, 0, 0), Float3(1, 1, 0), Float3(0, 1, 0)};
    const Float2 texCoords[4] = {Float2(0, 0), Float2(1, 0), Float2(1, 1), Float2(0, 1)};
    for (int i = 0; i < nbQuads; i++)
        set.addQuad(corners, texCoords, texture);
}

void addTriangles(VBOBatchSet& set, unsigned int texture, int nbTriangles)
{
    const Float3 corners[3] = {Float3(0, 0, 0), Float3(1, 0, 0), Float3(1, 1, 0)};
    const Float2 texCoords[3] = {Float2(0, 0), Float2(1, 0), Float2(1, 1)};
    for (int i = 0; i < nbTriangles; i++)
        set.addTriangle(corners, texCoords, texture);
}

struct Record {
    unsigned int texture;
    bool quads;
    int count;
    bool operator==(const Record& o) const { return texture == o.texture && quads == o.quads && count == o.count; }
};

std::vector<Record> records(const VBOBatchSet& set)
{
    std::vector<Record> result;
    for (const VBO* vbo : set.getBuffers())
        result.push_back({vbo->texture, vbo->quads, vbo->count});
    return result;
}

}  // namespace

TEST(VBOBatchSet, OneTextureOfTwoQuadsMakesOneRecordOfEightVertices)
{
    ASSERT_FALSE(isVBOSupported());  // no GL here: records without buffers
    VBOBatchSet set;
    addQuads(set, 4, 2);
    VBOUploadResult result = set.upload();
    EXPECT_EQ(result.nbBuffers, 1);
    EXPECT_EQ(result.nbVertices, 8);
    EXPECT_EQ(records(set), (std::vector<Record>{{4, true, 8}}));
    EXPECT_EQ(set.batch(4).verticesQuadVect.size(), 8u) << "the vertex data stays after the upload";
}

TEST(VBOBatchSet, OrdinaryBatchesByTextureThenDrawLastOnesQuadsBeforeTriangles)
{
    VBOBatchSet set;
    addTriangles(set, 7, 1);
    addQuads(set, 3, 1);
    set.batch(3).drawLast = true;
    set.batch(8).drawLast = true;  // made draw-last, never given geometry
    addQuads(set, 5, 2);
    addTriangles(set, 5, 2);
    addTriangles(set, 1, 3);
    addQuads(set, 1, 1);
    set.batch(1).drawLast = true;
    VBOUploadResult result = set.upload();
    EXPECT_EQ(records(set), (std::vector<Record>{
                                {5, true, 8}, {5, false, 6}, {7, false, 3}, {1, true, 4}, {1, false, 9}, {3, true, 4}}));
    EXPECT_EQ(result.nbBuffers, 6);
    EXPECT_EQ(result.nbVertices, 34);
    EXPECT_EQ(set.getNbVertices(), 34);
}

TEST(VBOBatchSet, EmptySetUploadsNothing)
{
    VBOBatchSet set;
    set.batch(2).drawLast = true;
    VBOUploadResult result = set.upload();
    EXPECT_EQ(result.nbBuffers, 0);
    EXPECT_EQ(result.nbVertices, 0);
}

TEST(VBOExtensionList, NameMustBeAWholeWord)
{
    const char* name = "GL_ARB_vertex_buffer_object";
    struct Case {
        const char* list;
        bool found;
    };
    const Case cases[] = {
        {"GL_ARB_vertex_buffer_object", true},
        {"GL_A GL_ARB_vertex_buffer_object GL_B", true},
        {"GL_A GL_ARB_vertex_buffer_object", true},
        {"GL_ARB_vertex_buffer_object_rgb32 GL_B", false},
        {"GL_ARB_vertex_buffer_object_rgb32 GL_ARB_vertex_buffer_object ", true},
        {"XGL_ARB_vertex_buffer_object GL_B", false},
        {"GL_ARB_vertex_buffer", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(extensionListHas(c.list, name), c.found) << "'" << c.list << "'";
    EXPECT_FALSE(extensionListHas(nullptr, name));
    EXPECT_FALSE(extensionListHas("GL_A vertex GL_B", "GL_A vertex")) << "a name with a blank is never supported";
}
