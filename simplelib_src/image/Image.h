// Image: one decoded picture and the OpenGL texture made from it.
//
// The pixels are tightly packed rows of 3 (R, G, B) or 4 (R, G, B, A) bytes, sized to powers
// of two by the loader, so `width` and `height` are always the texture's size. The buffer is
// kept after the upload; a reader may free it (delete[]) and set `pixels` to null, the image
// then frees only its texture. Images are normally obtained through the sprite manager,
// which shares one Image between all users of a file.
//
// Depends on: image/ImageLoader (decoding), gl/GLManager (texture upload).
#pragma once

#include <string>

class Image {
public:
    // Logs "Loading image '<name>'", decodes the file (a file that cannot be loaded ends the
    // program) and uploads the texture.
    Image(const std::string& parFileName, bool verbose);
    // The same without the texture (textureId stays 0): for readers of pixels only and for
    // work without a GL context. createTexture() can upload it later.
    static Image* loadWithoutTexture(const std::string& parFileName, bool verbose);
    // Logs "Freeing image '<name>'", frees the pixels (when still held) and the texture.
    ~Image();

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Uploads the pixels as the image's texture (once; the pixels must still be held).
    void createTexture();
    bool getIsAlpha() const { return isAlpha; }

    unsigned char* pixels;
    int width;
    int height;
    unsigned int textureId;
    std::string fileName;

private:
    Image(const std::string& parFileName, bool verbose, bool withTexture);

    bool isAlpha;
};
