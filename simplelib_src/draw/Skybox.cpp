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
    const Float3& eye = GLManager::scene3D->camera.position;
    glColor4ub(255, 255, 255, 255);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(eye.x(), eye.y(), eye.z());
    drawBox(textures, Float3(size, size, size), Float3(1.f, 1.f, 1.f), true);
    glPopMatrix();
}
