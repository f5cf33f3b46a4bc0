#include "image/Sprite.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "gl/Scene2D.h"
#include "image/Image.h"
#include "platform/Clock.h"

namespace {

const float pi = 3.1415927f;

// Hot spot of each alignment (1 to 5) as fractions of the first image's size.
struct HotSpotRule {
    int numeratorX, numeratorY;  // in halves of the width and height
};
const HotSpotRule hotSpotRules[] = {{0, 0}, {1, 1}, {2, 2}, {0, 1}, {2, 1}};

// Length of (x, y) through the fast inverse square root, as the corners have always used it
// (large sprites may land a pixel away from the exact corners).
float fastRadius(float x, float y)
{
    float l = x * x + y * y;
    int32_t bits;
    std::memcpy(&bits, &l, sizeof bits);
    bits = 0x5f3759df - (bits >> 1);
    float y0;
    std::memcpy(&y0, &bits, sizeof y0);
    float y1 = y0 * (1.5f - 0.5f * l * y0 * y0);
    return 1.f / y1;
}

}  // namespace

Sprite::Sprite(const std::vector<Image*>& images, int hotSpotAlignment)
{
    ASSERT(images.size() >= 1, "Sprite::Sprite : a sprite needs an image");
    ASSERT(images[0] != NULL, "Sprite::Sprite : the first image is missing");
    this->images = images;
    animated = images.size() > 1;
    lastImage = (int)images.size() - 1;
    if (hotSpotAlignment < SPRITE_HOTSPOT_TOP_LEFT || hotSpotAlignment > SPRITE_HOTSPOT_RIGHT_MIDDLE)
        FATAL("Sprite::Sprite : unknown value of hotSpotAlignment");
    const HotSpotRule& rule = hotSpotRules[hotSpotAlignment - 1];
    hotSpot = Int2(images[0]->width * rule.numeratorX / 2, images[0]->height * rule.numeratorY / 2);
}

Int2 Sprite::getSize() const
{
    return Int2((int)(images[0]->width * scale.x()), (int)(images[0]->height * scale.y()));
}

void Sprite::fitInto(int width, int height)
{
    float fit = std::fmin((float)height / images[0]->height, (float)width / images[0]->width);
    scale = Float2(fit, fit);
}

void Sprite::computeCorners()
{
    Int2 size = getSize();
    const int relative[4][2] = {{size.x() - hotSpot.x(), size.y() - hotSpot.y()},
                                {-hotSpot.x(), size.y() - hotSpot.y()},
                                {-hotSpot.x(), -hotSpot.y()},
                                {size.x() - hotSpot.x(), -hotSpot.y()}};
    float radians = angle * pi / 180.f;
    for (int i = 0; i < 4; i++) {
        float x = (float)relative[i][0], y = (float)relative[i][1];
        float r = fastRadius(x, y);
        float theta = std::atan2(y, x) + radians;
        corners[i] = Int2(position.x() + (int)std::lround(r * std::cos(theta)),
                          position.y() + (int)std::lround(r * std::sin(theta)));
    }
}

void Sprite::draw()
{
    ASSERT(currentImage >= 0 && currentImage < (int)images.size(), "Sprite::draw : no such image");
    ASSERT(images[currentImage]!= NULL, "Sprite::draw : empty image slot");
    if (cornersOutdated)
        computeCorners();
    GLManager::scene2D->drawSpriteQuad(corners, images[currentImage]->textureId, flipX, flipY);

    if (animated) {
        int now = getTimeMs();
        if (lastImageTime + imageDuration < now) {
            currentImage++;
            lastImageTime = now;
            if (currentImage > lastImage)
                currentImage = loopStart;
        }
    }
}
