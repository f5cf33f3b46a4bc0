#include "image/Image.h"

#include <GL/glew.h>

#include <iostream>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "image/ImageLoader.h"

Image::Image(const std::string& parFileName, bool verbose) : Image(parFileName, verbose, true) {}

Image* Image::loadWithoutTexture(const std::string& parFileName, bool verbose)
{
    return new Image(parFileName, verbose, false);
}

Image::Image(const std::string& parFileName, bool verbose, bool withTexture)
    : pixels(nullptr), width(0), height(0), textureId(0), fileName(parFileName), isAlpha(false)
{
    std::cout << "Loading image '" << fileName << "'" << std::endl;
    pixels = ImageLoader::loadImage(fileName, width, height, isAlpha, verbose);
    if (withTexture)
        createTexture();
}

Image::~Image()
{
    std::cout << "Freeing image '" << fileName << "'" << std::endl;
    delete[] pixels;
    if (textureId != 0) {
        GLuint texture = textureId;
        glDeleteTextures(1, &texture);
    }
}

void Image::createTexture()
{
    ASSERT(textureId == 0, "Image::createTexture : the texture already exists");
    textureId = GLManager::createTexture(pixels, width, height, isAlpha);
}
