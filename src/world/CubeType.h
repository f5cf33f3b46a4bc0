// CubeType: one entry of the cube type list, its description plus the face textures.
//
// The twelve face sprites (each face plain from "cube_textures/" and in shadow from
// "cube_shadowed_textures/") are made on first use and freed after a world update in
// which nothing looked the type up; they are always set or cleared together, and the top
// face's plain sprite tells which state the type is in. The shadow overlay sprite
// ("black_semi_transparent.png") lives as long as the type.
//
// Depends on: world/CubeTypeDescription, image/SpriteManager (sprites by file name).
#pragma once

#include "world/CubeTypeDescription.h"

class Sprite;

class CubeType : public CubeTypeDescription {
public:
    explicit CubeType(const CubeTypeDescription& description);
    ~CubeType();
    CubeType(const CubeType&) = delete;
    CubeType& operator=(const CubeType&) = delete;

    // Set by every lookup through the list, cleared for all types at the start of each
    // world update.
    bool used = false;
    // Set by the editor while it shows this type; keeps the face textures loaded.
    bool displayedInEditor = false;

    Sprite* textureFace[nbCubeFaces] = {};
    Sprite* textureFaceShadowed[nbCubeFaces] = {};
    Sprite* textureShadow = nullptr;

    bool texturesLoaded() const { return textureFace[CUBE_FACE_TOP] != nullptr; }
    // Makes the twelve face sprites unless they exist.
    void loadTextures();
    // Releases the twelve face sprites if they exist, between the two log lines.
    void freeTextures();
    // The editor's change of a type: new description, textures loaded again at once.
    void update(const CubeTypeDescription& description);

    // The GL texture of a face's current image, plain or shadowed; loads the textures first.
    unsigned int faceTexture(int face, bool shadowed);
    unsigned int shadowTexture() const;
};
