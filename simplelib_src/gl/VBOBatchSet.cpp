#include "gl/VBOBatchSet.h"

#include <GL/glew.h>

#include <cstdio>
#include <cstring>

#include "core/FatalError.h"
#include "platform/GLProcAddress.h"

// The extension's entry points, under this module's own names (an executable defining the
// GLEW library's names would replace the library's own variables).
namespace {

bool vboSupported = false;
PFNGLGENBUFFERSARBPROC vboGenBuffers = nullptr;
PFNGLBINDBUFFERARBPROC vboBindBuffer = nullptr;
PFNGLBUFFERDATAARBPROC vboBufferData = nullptr;
PFNGLDELETEBUFFERSARBPROC vboDeleteBuffers = nullptr;

const char* const vboExtensionName = "GL_ARB_vertex_buffer_object";

unsigned int makeBuffer(const void* data, size_t nbBytes)
{
    GLuint name = 0;
    vboGenBuffers(1, &name);
    vboBindBuffer(GL_ARRAY_BUFFER_ARB, name);
    vboBufferData(GL_ARRAY_BUFFER_ARB, (GLsizeiptrARB)nbBytes, data, GL_STATIC_DRAW_ARB);
    return name;
}

void deleteBuffer(unsigned int name)
{
    GLuint buffer = name;
    vboBindBuffer(GL_ARRAY_BUFFER_ARB, buffer);
    vboDeleteBuffers(1, &buffer);
}

// A record of the corners; GL buffers only when the extension is there.
VBO* makeVBO(const std::vector<Float3>& corners, const std::vector<Float2>& texCoords, unsigned int texture,
             bool quads)
{
    VBO* vbo = new VBO;
    vbo->count = (int)corners.size();
    vbo->texture = texture;
    vbo->quads = quads;
    if (!vboSupported)
        return vbo;
    vbo->vertexBuffer = makeBuffer(corners.data(), corners.size() * sizeof(Float3));
    vbo->texCoordBuffer = makeBuffer(texCoords.data(), texCoords.size() * sizeof(Float2));
    return vbo;
}

static_assert(sizeof(Float3) == 3 * sizeof(float) && sizeof(Float2) == 2 * sizeof(float),
              "vectors are uploaded as tightly packed floats");

}  // namespace

bool extensionListHas(const char* extensionList, const char* name)
{
    if (extensionList == nullptr || name == nullptr || *name == '\0' || std::strchr(name, ' ') != nullptr)
        return false;
    size_t length = std::strlen(name);
    const char* searchFrom = extensionList;
    for (;;) {
        const char* found = std::strstr(searchFrom, name);
        if (found == nullptr)
            return false;
        const char* end = found + length;
        if ((found == searchFrom || found[-1] == ' ') && (*end == ' ' || *end == '\0'))
            return true;
        searchFrom = end;
    }
}

void initVBOSupport()
{
    vboSupported = extensionListHas((const char*)glGetString(GL_EXTENSIONS), vboExtensionName);
    if (vboSupported) {
        vboGenBuffers = (PFNGLGENBUFFERSARBPROC)GLProcAddress::find("glGenBuffersARB");
        vboBindBuffer = (PFNGLBINDBUFFERARBPROC)GLProcAddress::find("glBindBufferARB");
        vboBufferData = (PFNGLBUFFERDATAARBPROC)GLProcAddress::find("glBufferDataARB");
        vboDeleteBuffers = (PFNGLDELETEBUFFERSARBPROC)GLProcAddress::find("glDeleteBuffersARB");
        // An entry point the lookup cannot give is a missing extension too.
        vboSupported = vboGenBuffers && vboBindBuffer && vboBufferData && vboDeleteBuffers;
    }
    if (!vboSupported)
        std::printf("!!! ERROR !!! vertex buffer objects are not supported, nothing will be displayed.\n");
}

bool isVBOSupported()
{
    return vboSupported;
}

VBOBatchSet::~VBOBatchSet()
{
    for (VBO* vbo : buffers) {
        if (vboSupported) {
            deleteBuffer(vbo->vertexBuffer);
            deleteBuffer(vbo->texCoordBuffer);
        }
        delete vbo;
    }
}

void VBOBatchSet::addQuad(const Float3 corners[4], const Float2 texCoords[4], unsigned int texture)
{
    TextureBatch& b = batch(texture);
    b.verticesQuadVect.insert(b.verticesQuadVect.end(), corners, corners + 4);
    b.texCoordQuadVect.insert(b.texCoordQuadVect.end(), texCoords, texCoords + 4);
}

void VBOBatchSet::addTriangle(const Float3 corners[3], const Float2 texCoords[3], unsigned int texture)
{
    TextureBatch& b = batch(texture);
    b.verticesTriVect.insert(b.verticesTriVect.end(), corners, corners + 3);
    b.texCoordTriVect.insert(b.texCoordTriVect.end(), texCoords, texCoords + 3);
}

TextureBatch& VBOBatchSet::batch(unsigned int texture)
{
    return batches[texture];
}

VBOUploadResult VBOBatchSet::upload()
{
    ASSERT(buffers.empty(), "VBOBatchSet::upload : the set is already uploaded");
    int total = 0;
    for (bool lastPass : {false, true}) {
        for (const auto& entry : batches) {
            const TextureBatch& b = entry.second;
            if (b.drawLast != lastPass)
                continue;
            ASSERT(b.verticesQuadVect.size() == b.texCoordQuadVect.size(), "VBOBatchSet::upload : quad lists differ");
            if (!b.verticesQuadVect.empty()) {
                VBO* vbo = makeVBO(b.verticesQuadVect, b.texCoordQuadVect, entry.first, true);
                ASSERT(vbo != NULL, "VBOBatchSet::upload : no buffer record");
                buffers.push_back(vbo);
            }
            ASSERT(b.verticesTriVect.size() == b.texCoordTriVect.size(),
                   "VBOBatchSet::upload : triangle lists differ");
            if (!b.verticesTriVect.empty()) {
                VBO* vbo = makeVBO(b.verticesTriVect, b.texCoordTriVect, entry.first, false);
                ASSERT(vbo != NULL, "VBOBatchSet::upload : no buffer record");
                buffers.push_back(vbo);
            }
            total += (int)(b.verticesQuadVect.size() + b.verticesTriVect.size());
        }
    }
    nbVertices = total;
    return VBOUploadResult{(int)buffers.size(), total};
}

void VBOBatchSet::draw() const
{
    for (auto it = buffers.begin(); it != buffers.end(); ++it) {
        ASSERT((*it) != NULL, "VBOBatchSet::draw : empty buffer record");
        if (!vboSupported)
            continue;
        const VBO& vbo = **it;
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        vboBindBuffer(GL_ARRAY_BUFFER_ARB, vbo.vertexBuffer);
        glVertexPointer(3, GL_FLOAT, 0, nullptr);
        vboBindBuffer(GL_ARRAY_BUFFER_ARB, vbo.texCoordBuffer);
        glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
        glBindTexture(GL_TEXTURE_2D, vbo.texture);
        glDrawArrays(vbo.quads ? GL_QUADS : GL_TRIANGLES, 0, vbo.count);
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
}
