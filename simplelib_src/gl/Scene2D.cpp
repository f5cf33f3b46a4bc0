#include "gl/Scene2D.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "core/FatalError.h"

Scene2D::Scene2D(Int2 parWindowSize, Int2 parSize2D) : windowSize(parWindowSize), size2D(parSize2D) {}

void Scene2D::setSize(Int2 size)
{
    windowSize = size;
    size2D = size;
}

void Scene2D::setupProjection2D()
{
    ASSERT(windowSize.x() != 0 && windowSize.y() != 0, "Scene2D::setupProjection2D : empty window");
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, size2D.x(), size2D.y(), 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void Scene2D::drawTexturedQuad2D(unsigned int texture, float x, float y, float s0, float t0, float s1,
                                 float t1, float width, float height)
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_POLYGON);
    glTexCoord2f(s1, t1);
    glVertex2f(x + width, y + height);
    glTexCoord2f(s0, t1);
    glVertex2f(x, y + height);
    glTexCoord2f(s0, t0);
    glVertex2f(x, y);
    glTexCoord2f(s1, t0);
    glVertex2f(x + width, y);
    glEnd();
}

void Scene2D::drawSpriteQuad(const Int2 corners[4], unsigned int texture, bool flipX, bool flipY)
{
    float fx = flipX ? 1.f : 0.f;
    float fy = flipY ? 1.f : 0.f;
    const float texCoords[4][2] = {{1.f - fx, 1.f - fy}, {fx, 1.f - fy}, {fx, fy}, {1.f - fx, fy}};
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glMatrixMode(GL_MODELVIEW);
    glBegin(GL_POLYGON);
    for (int i = 0; i < 4; i++) {
        glTexCoord2f(texCoords[i][0], texCoords[i][1]);
        glVertex2i(corners[i].x(), corners[i].y());
    }
    glEnd();
}

void Scene2D::drawRectangle2D(Int2 corner1, Int2 corner2, bool filled)
{
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glBegin(filled ? GL_QUADS : GL_LINE_LOOP);
    glVertex2i(corner2.x(), corner2.y());
    glVertex2i(corner1.x(), corner2.y());
    glVertex2i(corner1.x(), corner1.y());
    glVertex2i(corner2.x(), corner1.y());
    glEnd();
}

void Scene2D::drawRasterText(const std::string& text, int x, int y)
{
    glDisable(GL_TEXTURE_2D);
    glRasterPos2i(x, y);
    for (unsigned char c : text)
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, c);
}
