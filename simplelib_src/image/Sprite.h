// Sprite: a 2D picture placed in window pixels.
//
// One image, or several shown in turn as a looping animation, drawn at `position` with its
// hot spot there, scaled, mirrored and rotated about the hot spot. The images are shared and
// owned by the sprite manager; sprites come from SpriteManager::getSprite and go back through
// SpriteManager::removeSprite. Users set the public fields directly and set cornersOutdated
// when they move or rescale the sprite.
//
// Depends on: image/Image, gl/Scene2D (the quad), platform/Clock (animation time),
// core/FatalError.
#pragma once

#include <vector>

#include "core/BasicVector.h"

class Image;

// Where the hot spot sits on the first image (y grows downwards).
enum SpriteHotSpot {
    SPRITE_HOTSPOT_TOP_LEFT = 1,
    SPRITE_HOTSPOT_CENTRE = 2,
    SPRITE_HOTSPOT_BOTTOM_RIGHT = 3,
    SPRITE_HOTSPOT_LEFT_MIDDLE = 4,
    SPRITE_HOTSPOT_RIGHT_MIDDLE = 5
};

class Sprite {
public:
    // At least one image; an alignment other than 1 to 5 is fatal.
    Sprite(const std::vector<Image*>& images, int hotSpotAlignment);

    // Draws the current image and steps the animation.
    void draw();
    // The first image's size times the scale, each truncated.
    Int2 getSize() const;
    // Scales both axes alike so the sprite fits into width x height.
    void fitInto(int width, int height);
    // Recomputes `corners` from position, size, hot spot and angle.
    void computeCorners();

    std::vector<Image*> images;
    bool animated;
    Int2 position = Int2(0, 0);
    Int2 hotSpot;  // from the first image's top-left corner, unscaled pixels
    bool flipX = false;
    bool flipY = false;
    Float2 scale = Float2(1.f, 1.f);
    float angle = 0.f;  // degrees
    int lastImageTime = 0;  // ms (getTimeMs) when the current image was first shown
    int currentImage = 0;
    int imageDuration = 100;  // ms
    int loopStart = 0;
    int lastImage;
    Int2 corners[4];
    bool cornersOutdated = true;
};
