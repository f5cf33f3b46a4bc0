#include "draw/Skybox.h"

#include <GL/glew.h>

#include "draw/BoxGeometry.h"
#include "gl/GLManager.h"
#include "gl/Scene3D.h"
#include "image/Image.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"

Skybox::Skybox(const std::string imageNames[nbSlots], float parSize) : size(parSize)
{
    for (int i = 0; i < nbSlots; i++) {
        sprites[i] = SpriteManager::getSprite(imageNames[i], GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
        textures[i] = sprites[i]->images[0]->textureId;
    }
}

Skybox::~Skybox()
{
    for (Sprite* sprite : sprites)
        SpriteManager::removeSprite(sprite);
}

void Skybox::draw() const
{
    // Every texture is made to repeat; on the sky's faces the linear filter would then
    // blend each face's opposite edge into the seams, a thin line along every edge of the
    // box. The faces are clamped to their edges while the box draws, and their previous
    // modes come back afterwards: a picture file may also be used elsewhere, through the
    // same shared texture. Restored in reverse order, so a texture on several faces gets
    // back the mode it had before the first of them.
    GLint previousWrap[nbSlots][2];
    for (int i = 0; i < nbSlots; i++) {
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &previousWrap[i][0]);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &previousWrap[i][1]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }

    const Float3& eye = GLManager::scene3D->camera.position;
    glColor4ub(255, 255, 255, 255);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(eye.x(), eye.y(), eye.z());
    drawBox(textures, Float3(size, size, size), Float3(1.f, 1.f, 1.f), true);
    glPopMatrix();

    GLint boundAfterDrawing = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundAfterDrawing);
    for (int i = nbSlots - 1; i >= 0; i--) {
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, previousWrap[i][0]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, previousWrap[i][1]);
    }
    glBindTexture(GL_TEXTURE_2D, (GLuint)boundAfterDrawing);
}
