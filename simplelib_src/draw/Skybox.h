// Skybox: six pictures on the inside of a large box that follows the camera.
//
// The pictures are sprites of the sprite manager (slot order: bottom, top, left, right,
// front, back images as the world names them); the box is drawn inside out around the
// camera position, in world space through the scene's view matrix, before everything else.
// While it draws, its textures are clamped to their edges (no seams along the box's edges);
// their own wrap modes come back after.
//
// Depends on: image/SpriteManager, draw/BoxGeometry, gl/GLManager and gl/Scene3D (view
// matrix and camera).
#pragma once

#include <string>

class Sprite;

class Skybox {
public:
    static const int nbSlots = 6;

    // Six image names in slot order; the box is size x size x size.
    Skybox(const std::string imageNames[nbSlots], float size);
    ~Skybox();
    Skybox(const Skybox&) = delete;
    Skybox& operator=(const Skybox&) = delete;

    void draw() const;

    float getSize() const { return size; }
    // The world scene keeps the box just inside the far plane, which the view distance moves.
    void setSize(float parSize) { size = parSize; }

private:
    Sprite* sprites[nbSlots];
    unsigned int textures[nbSlots];
    float size;
};
