// The OBJ/MTL reader and the mesh geometry: faces and their forms, texture coordinates,
// materials and their maps, groups, the reader's messages, every malformed-index case
// (a fatal report naming the file and the line), normals, welding and the segment test.
#include <gtest/gtest.h>

#include <cmath>

#include "TempDir.h"
#include "model/ObjReader.h"

namespace {

const char* const cubeCorner =
    "v 0 0 0\n"
    "v 1 0 0\n"
    "v 1 1 0\n"
    "v 0 1 0\n"
    "v 0 0 1\n";

struct ReadModel {
    TempDir dir;
    ObjMesh* mesh = nullptr;
    ReadModel(const std::string& obj, const std::string& mtl = "")
    {
        if (!mtl.empty())
            dir.write("models/lib.mtl", mtl);
        mesh = ObjReader::readObj(dir.write("models/m.obj", obj));
    }
    ~ReadModel() { delete mesh; }
};

// A death test's child runs the test again with a temporary folder of its own: its
// reports name a file in some temporary folder.
std::string inTempDir(const std::string& name)
{
    return "/tmp/[^\n\"]*/" + name;
}

std::vector<int> vertexIndices(const ObjMesh& mesh)
{
    std::vector<int> indices;
    for (const ObjTriangle& triangle : mesh.triangles)
        indices.insert(indices.end(), triangle.vindices, triangle.vindices + 3);
    return indices;
}

void expectNear(const Float3& actual, const Float3& expected)
{
    for (int i = 0; i < 3; i++)
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << "component " << i << " of " << actual;
}

}  // namespace

TEST(ObjReader, FacesBecomeFansOfTriangles)
{
    ReadModel quad(std::string(cubeCorner) + "f 1 2 3 4\nf 1 2 3 4 5\n");
    EXPECT_EQ(vertexIndices(*quad.mesh), (std::vector<int>{1, 2, 3, 1, 3, 4, 1, 2, 3, 1, 3, 4, 1, 4, 5}));
    EXPECT_EQ(quad.mesh->vertices.size(), 5u);
    for (const ObjTriangle& triangle : quad.mesh->triangles)
        EXPECT_EQ(triangle.tindices[0] | triangle.nindices[0], 0);
}

TEST(ObjReader, FaceFormsAndTextureCoordinates)
{
    ReadModel normalsOnly(std::string(cubeCorner) + "vn 0 0 1\nvn 0 1 0\nf 1//1 2//2 3//1\n");
    ASSERT_EQ(normalsOnly.mesh->triangles.size(), 1u);
    const ObjTriangle& n = normalsOnly.mesh->triangles[0];
    EXPECT_EQ((std::vector<int>{n.nindices[0], n.nindices[1], n.nindices[2]}), (std::vector<int>{1, 2, 1}));
    EXPECT_EQ((std::vector<int>{n.tindices[0], n.tindices[1], n.tindices[2]}), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(normalsOnly.mesh->normals.size(), 2u);
    EXPECT_TRUE(normalsOnly.mesh->texcoords.empty());

    ReadModel full(std::string(cubeCorner) + "vt 0.25 0.75\nvt 1 0\nvn 0 0 1\nf 1/1/1 2/2/1 3/1/1\nf 1/2 3/1 4/2\n");
    ASSERT_EQ(full.mesh->texcoords.size(), 2u);
    EXPECT_EQ(full.mesh->texcoords[0], Float2(0.25f, 0.25f));  // t is flipped
    EXPECT_EQ(full.mesh->texcoords[1], Float2(1.f, 1.f));
    const ObjTriangle& withNormals = full.mesh->triangles[0];
    EXPECT_EQ(withNormals.tindices[1], 2);
    EXPECT_EQ(withNormals.nindices[2], 1);
    const ObjTriangle& textured = full.mesh->triangles[1];
    EXPECT_EQ((std::vector<int>{textured.tindices[0], textured.tindices[1], textured.tindices[2]}),
              (std::vector<int>{2, 1, 2}));
    EXPECT_EQ(textured.nindices[0], 0);
}

TEST(ObjReader, GroupsAndMaterials)
{
    const std::string mtl =
        "# two materials\n"
        "newmtl red\n"
        "Kd 1 0 0\n"
        "Ka 0.1 0.2 0.3\n"
        "Ns 500\n"
        "newmtl ambientFirst\n"
        "map_Ka a.png\n"
        "map_Kd d.png\n"
        "newmtl ambientLast\n"
        "map_Kd d.png\n"
        "map_Ka a.png\n"
        "newmtl scaled\n"
        "map_Kd -s 2 2 1 tiles.png\n";
    ::testing::internal::CaptureStderr();  // the unknown material's message
    ReadModel model(std::string("mtllib lib.mtl\n") + cubeCorner +
                        "f 1 2 3\n"
                        "g body\n"
                        "usemtl red\n"
                        "f 1 3 4\n"
                        "g wheel\n"
                        "usemtl nosuch\n"
                        "f 1 4 5\n",
                    mtl);
    ::testing::internal::GetCapturedStderr();
    const ObjMesh& mesh = *model.mesh;
    const std::string folder = model.dir.file("models/");
    ASSERT_EQ(mesh.materials.size(), 5u);
    EXPECT_EQ(mesh.materials[0].name, "default");
    const ObjMaterial& red = mesh.materials[1];
    EXPECT_EQ(red.name, "red");
    EXPECT_EQ((std::vector<float>(red.diffuse, red.diffuse + 4)), (std::vector<float>{1, 0, 0, 1}));
    EXPECT_EQ((std::vector<float>(red.ambient, red.ambient + 4)), (std::vector<float>{0.1f, 0.2f, 0.3f, 1}));
    EXPECT_FLOAT_EQ(red.shininess, 64.f);
    EXPECT_EQ(red.textureFile, "");
    EXPECT_EQ(mesh.materials[2].textureFile, folder + "a.png");  // "map_Ka" first: the later map ignored
    EXPECT_EQ(mesh.materials[3].textureFile, folder + "a.png");  // "map_Ka" last: it replaces the earlier one
    EXPECT_EQ(mesh.materials[4].textureFile, folder + "tiles.png");
    EXPECT_EQ(mesh.materials[4].textureScale, Float3(2.f, 2.f, 1.f));
    EXPECT_EQ(mesh.materials[3].textureScale, Float3(1.f, 1.f, 1.f));

    // Newest group first, "default" last; an unknown material falls back to material 0.
    std::vector<std::string> names;
    for (const ObjGroup& group : mesh.groups)
        names.push_back(group.name);
    EXPECT_EQ(names, (std::vector<std::string>{"wheel", "body", "default"}));
    auto group = mesh.groups.begin();
    EXPECT_EQ(group->material, 0);
    EXPECT_EQ(group->triangles, std::vector<int>{2});
    ++group;
    EXPECT_EQ(group->material, 1);
    EXPECT_EQ(group->triangles, std::vector<int>{1});
    ++group;
    EXPECT_EQ(group->triangles, std::vector<int>{0});
}

TEST(ObjReader, UnknownMaterialIsReported)
{
    ::testing::internal::CaptureStderr();
    ReadModel model(std::string("mtllib lib.mtl\n") + cubeCorner + "usemtl nosuch\nf 1 2 3\n", "newmtl red\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "glmFindMaterial():  can't find material \"nosuch\".\n");
    EXPECT_EQ(model.mesh->groups.back().material, 0);
}

TEST(ObjReaderDeathTest, UnknownVertexTokenEndsTheProgram)
{
    TempDir dir;
    std::string path = dir.write("m.obj", std::string(cubeCorner) + "vp 0.5 0.5\nf 1 2 3\n");
    EXPECT_EXIT(ObjReader::readObj(path), ::testing::ExitedWithCode(1), "^glmFirstPass\\(\\): Unknown token \"vp\".\n$");
}

TEST(ObjReaderDeathTest, MalformedFacesNameFileAndLine)
{
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"f 0 1 2", "vertex index 0 out of range \\(the file has 5\\)"},
        {"f 1 -2 3", "vertex index -2 out of range"},
        {"f 1 2 6", "vertex index 6 out of range \\(the file has 5\\)"},
        {"f 1 2 99999999999999999999", "vertex index [0-9]+ out of range"},
        {"f 1//1 2//2 3//1", "normal index 2 out of range \\(the file has 1\\)"},
        {"f 1/1/1 2/3/1 3/1/1", "texture coordinate index 3 out of range \\(the file has 2\\)"},
        {"f 1/0 2/1 3/1", "texture coordinate index 0 out of range"},
        {"f 1/1/1 2/1/1 3/1/-1", "normal index -1 out of range"},
        {"f 1 2", "face with fewer than three vertices"},
        {"f x y z", "bad face vertex \"x\""},
        {"v 1 2", "missing number after \"v\""},
        {"vt 0.5 half", "bad number \"half\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir dir;
        std::string path =
            dir.write("m.obj", std::string(cubeCorner) + "vt 0 0\nvt 1 1\nvn 0 0 1\n# face\n" + c.line + "\n");
        EXPECT_EXIT(ObjReader::readObj(path), ::testing::ExitedWithCode(1),
                    std::string("ERROR : (.|\n)*Message: glmReadOBJ\\(\\) failed: (") + c.message + ")[^\n]* in \"" +
                        inTempDir("m.obj") + "\" at line 10\n");
    }
}

TEST(ObjReaderDeathTest, LongLinesAndMissingFiles)
{
    TempDir dir;
    std::string longComment = "#" + std::string(ObjReader::maxLineLength, 'x');
    std::string longObj = dir.write("long.obj", std::string(cubeCorner) + longComment + "\nf 1 2 3\n");
    EXPECT_EXIT(ObjReader::readObj(longObj), ::testing::ExitedWithCode(1),
                "Message: glmReadOBJ\\(\\) failed: line longer than 126 characters in \"" + inTempDir("long.obj") + "\" at line 6\n");
    std::string fits = dir.write("fits.obj", std::string(cubeCorner) + longComment.substr(1) + "\nf 1 2 3\n");
    delete ObjReader::readObj(fits);

    dir.write("lib.mtl", "newmtl a\nmap_Kd " + std::string(200, 'n') + ".png\n");
    std::string withLongMtl = dir.write("withmtl.obj", "mtllib lib.mtl\n" + std::string(cubeCorner));
    EXPECT_EXIT(ObjReader::readObj(withLongMtl), ::testing::ExitedWithCode(1),
                "glmReadMTL\\(\\) failed: line longer than 126 characters in \"" + inTempDir("lib.mtl") + "\" at line 2\n");

    EXPECT_EXIT(ObjReader::readObj(dir.file("none.obj")), ::testing::ExitedWithCode(1),
                "Condition: file\nMessage: glmReadOBJ\\(\\) failed: can't open data file:" + inTempDir("none.obj") + "\n");
    std::string noMtl = dir.write("nomtl.obj", "mtllib missing.mtl\n" + std::string(cubeCorner));
    EXPECT_EXIT(ObjReader::readObj(noMtl), ::testing::ExitedWithCode(1),
                "Condition: file\nMessage: glmReadMTL\\(\\) failed: can't open material file \"%s\".\n");
}

TEST(ObjReaderDeathTest, AFolderInPlaceOfAFileIsAReadError)
{
    // A folder opens like a file but gives no bytes: never an empty model.
    TempDir dir;
    dir.write("folder.obj/inside.txt", "");
    EXPECT_EXIT(ObjReader::readObj(dir.file("folder.obj")), ::testing::ExitedWithCode(1),
                "Message: glmReadOBJ\\(\\) failed: can't read \"" + inTempDir("folder.obj") + "\": Is a directory\n");
    dir.write("folder.mtl/inside.txt", "");
    std::string withFolderMtl = dir.write("withfolder.obj", "mtllib folder.mtl\n" + std::string(cubeCorner));
    EXPECT_EXIT(ObjReader::readObj(withFolderMtl), ::testing::ExitedWithCode(1),
                "Message: glmReadMTL\\(\\) failed: can't read \"" + inTempDir("folder.mtl") + "\": Is a directory\n");
}

TEST(ObjMeshGeometry, NormalsWeldingAndScale)
{
    // Two triangles folded 90 degrees along the edge 1-2, and one flat continuation.
    ReadModel model(
        "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nv 1 1 0\nv 5 5 5\n"
        "f 1 2 3\nf 2 1 4\nf 2 5 3\n");
    ObjMesh& mesh = *model.mesh;
    mesh.computeFacetNormals();
    expectNear(mesh.facetNormals[0], Float3(0, 0, 1));
    expectNear(mesh.facetNormals[1], Float3(0, 1, 0));
    expectNear(mesh.facetNormals[2], Float3(0, 0, 1));

    ::testing::internal::CaptureStderr();
    mesh.computeVertexNormals(90.f);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "glmVertexNormals(): vertex w/o a triangle\n");  // vertex 6
    // At vertex 1 the folded triangle (exactly 90 degrees off) keeps its own facet normal.
    expectNear(mesh.normals[mesh.triangles[0].nindices[0] - 1], Float3(0, 0, 1));
    expectNear(mesh.normals[mesh.triangles[1].nindices[1] - 1], Float3(0, 1, 0));
    // Everything at vertex 3 lies flat: one shared normal.
    EXPECT_EQ(mesh.triangles[0].nindices[2], mesh.triangles[2].nindices[2]);
    // With a wider angle the fold is smoothed: both share the average at vertex 1.
    ::testing::internal::CaptureStderr();
    mesh.computeVertexNormals(100.f);
    ::testing::internal::GetCapturedStderr();
    expectNear(mesh.normals[mesh.triangles[1].nindices[1] - 1], Float3(0, std::sqrt(0.5f), std::sqrt(0.5f)));
    EXPECT_EQ(mesh.triangles[0].nindices[0], mesh.triangles[1].nindices[1]);

    mesh.scale(0.5f);
    expectNear(mesh.vertices[5], Float3(2.5f, 2.5f, 2.5f));
}

TEST(ObjMeshGeometry, WeldingMergesCloseVertices)
{
    ReadModel model("v 0 0 0\nv 1 0 0\nv 0.05 0 0\nv 1 0.09 0\nv 0 0 0.2\nf 1 2 5\nf 3 4 5\n");
    model.mesh->weld(0.1f);
    EXPECT_EQ(model.mesh->vertices.size(), 3u);
    EXPECT_EQ(vertexIndices(*model.mesh), (std::vector<int>{1, 2, 3, 1, 2, 3}));
}

TEST(ObjMeshGeometry, SegmentHitFindsTheFirstCrossingInside)
{
    // Two triangles: z = 0 (x, y in 0..2) and z = 5.
    ReadModel model("v 0 0 0\nv 2 0 0\nv 0 2 0\nv 0 0 5\nv 2 0 5\nv 0 2 5\nf 4 5 6\nf 1 2 3\n");
    model.mesh->computeFacetNormals();
    Float3 out(-1, -1, -1);
    ASSERT_TRUE(model.mesh->segmentHit(Float3(0.5f, 0.5f, -1), Float3(0.5f, 0.5f, 10), out));
    expectNear(out, Float3(0.5f, 0.5f, 5));  // the first triangle in stored order
    ASSERT_TRUE(model.mesh->segmentHit(Float3(0.5f, 0.5f, -1), Float3(0.5f, 0.5f, 1), out));
    expectNear(out, Float3(0.5f, 0.5f, 0));
    ASSERT_TRUE(model.mesh->segmentHit(Float3(0.5f, 0.5f, 0), Float3(0.5f, 0.5f, -1), out));  // starts on the plane

    Float3 untouched(7, 7, 7);
    EXPECT_FALSE(model.mesh->segmentHit(Float3(1.5f, 1.5f, -1), Float3(1.5f, 1.5f, 1), untouched));  // beside it
    EXPECT_FALSE(model.mesh->segmentHit(Float3(0.5f, 0.5f, 1), Float3(0.5f, 0.5f, 4), untouched));   // between
    EXPECT_FALSE(model.mesh->segmentHit(Float3(0, 0, 0), Float3(1, 1, 0), untouched));                // in the plane
    EXPECT_EQ(untouched, Float3(7, 7, 7));
}
