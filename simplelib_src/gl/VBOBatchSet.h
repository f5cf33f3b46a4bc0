// VBOBatchSet: a region's static geometry in vertex buffer objects, grouped by texture.
//
// Quads and triangles are collected per GL texture name, uploaded once into buffer pairs
// (positions, 3 floats a vertex; texture coordinates, 2 floats) and drawn in a fixed order:
// the ordinary batches by ascending texture name (quads, then triangles), then the batches
// marked drawLast (the shadow overlay) the same way. The vertex data stays in memory until
// the set is destroyed; a set is never refilled.
//
// The GL_ARB_vertex_buffer_object entry points are looked up once, by initVBOSupport when
// the window is created, into variables of this module's own. Without the extension the
// records are still made but nothing touches GL: the world is then invisible.
//
// Depends on: OpenGL, platform/GLProcAddress, core/BasicVector, core/FatalError.
#pragma once

#include <map>
#include <vector>

#include "core/BasicVector.h"

// Looks up the extension and its entry points (after the GL context exists). Logs
// "!!! ERROR !!! vertex buffer objects are not supported, nothing will be displayed."
// when the extension is missing.
void initVBOSupport();
bool isVBOSupported();
// Whether the extension list holds the name as one whole space-separated word. A name
// containing a space is never there.
bool extensionListHas(const char* extensionList, const char* name);

// The geometry of one texture.
struct TextureBatch {
    std::vector<Float3> verticesQuadVect;  // four corners a quad
    std::vector<Float2> texCoordQuadVect;
    std::vector<Float3> verticesTriVect;   // three corners a triangle
    std::vector<Float2> texCoordTriVect;
    bool drawLast = false;
};

// One uploaded buffer pair.
struct VBO {
    unsigned int vertexBuffer = 0;
    unsigned int texCoordBuffer = 0;
    int count = 0;  // vertices
    unsigned int texture = 0;
    bool quads = true;
};

struct VBOUploadResult {
    int nbBuffers;   // VBO records made
    int nbVertices;  // vertices uploaded in all
};

class VBOBatchSet {
public:
    VBOBatchSet() = default;
    ~VBOBatchSet();
    VBOBatchSet(const VBOBatchSet&) = delete;
    VBOBatchSet& operator=(const VBOBatchSet&) = delete;

    void addQuad(const Float3 corners[4], const Float2 texCoords[4], unsigned int texture);
    void addTriangle(const Float3 corners[3], const Float2 texCoords[3], unsigned int texture);
    // The texture's batch, made empty when missing (to set drawLast).
    TextureBatch& batch(unsigned int texture);

    // Makes the buffers, once.
    VBOUploadResult upload();
    void draw() const;

    const std::vector<VBO*>& getBuffers() const { return buffers; }
    int getNbVertices() const { return nbVertices; }

private:
    std::map<unsigned int, TextureBatch> batches;
    std::vector<VBO*> buffers;
    int nbVertices = 0;
};
