#include "world/CubeType.h"

#include <iostream>
#include <string>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "image/Image.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"

namespace {

const char* const faceTextureFolder = "cube_textures/";
const char* const shadowedFaceTextureFolder = "cube_shadowed_textures/";
const char* const shadowOverlayTexture = "black_semi_transparent.png";

Sprite* makeSprite(const std::string& fileName)
{
    return SpriteManager::getSprite(fileName, GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
}

unsigned int currentTexture(const Sprite* sprite)
{
    return sprite->images[sprite->currentImage]->textureId;
}

}  // namespace

CubeType::CubeType(const CubeTypeDescription& description) : CubeTypeDescription(description)
{
    textureShadow = makeSprite(shadowOverlayTexture);
}

CubeType::~CubeType()
{
    freeTextures();
    ASSERT(textureShadow != NULL, "CubeType::~CubeType : no shadow texture");
    SpriteManager::removeSprite(textureShadow);
}

void CubeType::loadTextures()
{
    if (texturesLoaded())
        return;
    for (int i = 0; i < nbCubeFaces; i++) {
        ASSERT(textureFace[i] == NULL, "CubeType::loadTextures : face textures half loaded");
        ASSERT(textureFaceShadowed[i] == NULL, "CubeType::loadTextures : face textures half loaded");
        textureFace[i] = makeSprite(faceTextureFolder + textureNames[i]);
        textureFaceShadowed[i] = makeSprite(shadowedFaceTextureFolder + textureNames[i]);
    }
}

void CubeType::freeTextures()
{
    if (!texturesLoaded())
        return;
    std::cout << "Free unused texture for CubeType ...\n";
    for (int i = 0; i < nbCubeFaces; i++) {
        ASSERT(textureFace[i] != NULL, "CubeType::freeTextures : face textures half loaded");
        ASSERT(textureFaceShadowed[i] != NULL, "CubeType::freeTextures : face textures half loaded");
        SpriteManager::removeSprite(textureFace[i]);
        SpriteManager::removeSprite(textureFaceShadowed[i]);
        textureFace[i] = nullptr;
        textureFaceShadowed[i] = nullptr;
    }
    std::cout << " ... free unused texture done\n";
}

void CubeType::update(const CubeTypeDescription& description)
{
    SpriteManager::removeSprite(textureShadow);
    textureShadow = nullptr;
    freeTextures();
    static_cast<CubeTypeDescription&>(*this) = description;
    textureShadow = makeSprite(shadowOverlayTexture);
    loadTextures();
}

unsigned int CubeType::faceTexture(int face, bool shadowed)
{
    loadTextures();
    return currentTexture(shadowed ? textureFaceShadowed[face] : textureFace[face]);
}

unsigned int CubeType::shadowTexture() const
{
    return currentTexture(textureShadow);
}
