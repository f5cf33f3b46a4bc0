#include "draw/BoxGeometry.h"

#include <GL/glew.h>

#include <cstdlib>

namespace {

// Corner signs of each face, corners in drawing order: -1 stands for -h, +1 for +h.
const int cornerSigns[nbBoxFaces][4][3] = {
    {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},      // top
    {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},  // bottom
    {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},      // front
    {{-1, 1, -1}, {1, 1, -1}, {1, -1, -1}, {-1, -1, -1}},  // back
    {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},  // left
    {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},      // right
};

const float faceNormals[nbBoxFaces][3] = {{0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}};

// The axis each face lies across (the one the inside-out flag mirrors), and the box axes its
// texture's u and v run along.
const int faceAxis[nbBoxFaces] = {1, 1, 2, 2, 0, 0};
const int faceU[nbBoxFaces] = {0, 0, 0, 0, 2, 2};
const int faceV[nbBoxFaces] = {2, 2, 1, 1, 1, 1};

// Per corner, whether u and v take the repeat count (1) or 0, in drawBox.
const int drawnU[nbBoxFaces][4] = {{1, 1, 0, 0}, {1, 0, 0, 1}, {0, 1, 1, 0}, {1, 0, 0, 1}, {0, 1, 1, 0}, {1, 1, 0, 0}};
const int drawnV[nbBoxFaces][4] = {{1, 0, 0, 1}, {1, 1, 0, 0}, {1, 1, 0, 0}, {0, 0, 1, 1}, {1, 1, 0, 0}, {1, 0, 0, 1}};

// Per corner, whether u and v take the high corner (1) or the low one (0), in buildBoxGeometry.
const int builtU[nbBoxFaces][4] = {{0, 0, 1, 1}, {0, 1, 1, 0}, {0, 1, 1, 0}, {1, 0, 0, 1}, {0, 1, 1, 0}, {1, 1, 0, 0}};
const int builtV[nbBoxFaces][4] = {{1, 0, 0, 1}, {0, 0, 1, 1}, {0, 0, 1, 1}, {1, 1, 0, 0}, {0, 0, 1, 1}, {0, 1, 1, 0}};

// Random draws are taken in the range of the classic generator, 0 to 32767, on every platform.
const int randomRange = 32767;

}  // namespace

int drawBox(const unsigned int* faceTextures, Float3 size, Float3 repeat, bool insideOut)
{
    Float3 half = size * 0.5f;
    float side = insideOut ? -1.f : 1.f;
    if (faceTextures == nullptr) {
        glDisable(GL_TEXTURE_2D);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glDisable(GL_CULL_FACE);
    } else {
        glBindTexture(GL_TEXTURE_2D, faceTextures[0]);
    }
    int nbBatches = 1;
    glBegin(GL_QUADS);
    for (int face = 0; face < nbBoxFaces; face++) {
        if (faceTextures != nullptr && face > 0 && faceTextures[face] != faceTextures[face - 1]) {
            glEnd();
            glBindTexture(GL_TEXTURE_2D, faceTextures[face]);
            glBegin(GL_QUADS);
            nbBatches++;
        }
        glNormal3fv(faceNormals[face]);
        for (int corner = 0; corner < 4; corner++) {
            glTexCoord2f(drawnU[face][corner] ? repeat[faceU[face]] : 0.f,
                         drawnV[face][corner] ? repeat[faceV[face]] : 0.f);
            float point[3];
            for (int axis = 0; axis < 3; axis++) {
                point[axis] = cornerSigns[face][corner][axis] * half[axis];
                if (axis == faceAxis[face])
                    point[axis] *= side;
            }
            glVertex3fv(point);
        }
    }
    glEnd();
    if (faceTextures == nullptr) {
        glEnable(GL_TEXTURE_2D);
        glPolygonMode(GL_BACK, GL_LINE);
        glPolygonMode(GL_FRONT, GL_FILL);
        glEnable(GL_CULL_FACE);
    }
    return nbBatches;
}

void buildBoxGeometry(Float3 halfSize, Float3 texLow, Float3 texHigh, bool randomShift, Float3 vertices[24],
                      Float2 texCoords[24])
{
    for (int face = 0; face < nbBoxFaces; face++)
        for (int corner = 0; corner < 4; corner++) {
            const int* signs = cornerSigns[face][corner];
            vertices[face * 4 + corner] =
                Float3(signs[0] * halfSize.x(), signs[1] * halfSize.y(), signs[2] * halfSize.z());
            int u = faceU[face], v = faceV[face];
            texCoords[face * 4 + corner] = Float2(builtU[face][corner] ? texHigh[u] : texLow[u],
                                                  builtV[face][corner] ? texHigh[v] : texLow[v]);
        }
    if (!randomShift)
        return;
    // One shift per pair of opposite faces (top/bottom, front/back, left/right): v first.
    for (int pair = 0; pair < 3; pair++) {
        int firstFace = pair * 2;
        float shiftV = (float)(std::rand() % (randomRange + 1)) * texHigh[faceV[firstFace]] / randomRange;
        float shiftU = (float)(std::rand() % (randomRange + 1)) * texHigh[faceU[firstFace]] / randomRange;
        for (int i = firstFace * 4; i < firstFace * 4 + 8; i++)
            texCoords[i] += Float2(shiftU, shiftV);
    }
}

void drawHorizontalQuad(float width, float depth, int texture, Float2 repeat, bool underside)
{
    float w = width / 2, d = depth / 2;
    float ru = repeat.x(), rv = repeat.y();
    if (texture != -1)
        glBindTexture(GL_TEXTURE_2D, (GLuint)texture);
    glBegin(GL_QUADS);
    if (!underside) {
        glNormal3f(0.f, 1.f, 0.f);
        glTexCoord2f(ru, rv);
        glVertex3f(-w, 0.f, -d);
        glTexCoord2f(ru, 0.f);
        glVertex3f(-w, 0.f, d);
        glTexCoord2f(0.f, 0.f);
        glVertex3f(w, 0.f, d);
        glTexCoord2f(0.f, rv);
        glVertex3f(w, 0.f, -d);
    } else {
        glNormal3f(0.f, -1.f, 0.f);
        glTexCoord2f(ru, rv);
        glVertex3f(-w, 0.f, -d);
        glTexCoord2f(0.f, rv);
        glVertex3f(w, 0.f, -d);
        glTexCoord2f(0.f, 0.f);
        glVertex3f(w, 0.f, d);
        glTexCoord2f(ru, 0.f);
        glVertex3f(-w, 0.f, d);
    }
    glEnd();
}

void drawQuad(int texture, const Float3 corners[4], Float2 repeat)
{
    const float texCoords[4][2] = {{repeat.x(), repeat.y()}, {repeat.x(), 0.f}, {0.f, 0.f}, {0.f, repeat.y()}};
    if (texture != -1)
        glBindTexture(GL_TEXTURE_2D, (GLuint)texture);
    glBegin(GL_QUADS);
    glNormal3f(0.f, -1.f, 0.f);
    for (int i = 0; i < 4; i++) {
        glTexCoord2fv(texCoords[i]);
        glVertex3f(corners[i].x(), corners[i].y(), corners[i].z());
    }
    glEnd();
}

void rotateXYZ(float a, float b, float c)
{
    glRotatef(a, 1.f, 0.f, 0.f);
    glRotatef(b, 0.f, 1.f, 0.f);
    glRotatef(c, 0.f, 0.f, 1.f);
}
