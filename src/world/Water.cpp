#include "world/Water.h"

#include <GL/glew.h>

#include "core/FatalError.h"
#include "draw/BoxGeometry.h"
#include "gl/DeviceManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "image/Image.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"
#include "platform/Clock.h"
#include "world/WaterSurface.h"

namespace {

// The layers below the surface, in drawing order (offsets from the waved surface's height).
const float layerDrops[] = {-60.f, -40.f, -20.f};

XMLSimple& config()
{
    return deviceManager->config;
}

int textureOf(const Sprite* sprite)
{
    return (int)sprite->images[0]->textureId;
}

void loadViewAndTranslate(float x, float y, float z)
{
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(x, y, z);
}

}  // namespace

Water::Water(float sizeOneCube)
{
    textureWater = SpriteManager::getSprite("water.png", GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
    textureWaterSub =
        SpriteManager::getSprite("water_sub.png", GLManager::whiteTexturePath, SPRITE_HOTSPOT_TOP_LEFT);
}

Water::~Water()
{
    releaseTextures();
}

void Water::releaseTextures()
{
    if (textureWater)
        SpriteManager::removeSprite(textureWater);
    if (textureWaterSub)
        SpriteManager::removeSprite(textureWaterSub);
    textureWater = nullptr;
    textureWaterSub = nullptr;
}

void Water::updateAndDraw(float innerExtent, float outerExtent)
{
    updateAndDrawAt(innerExtent, outerExtent, getTimeMs());
}

void Water::updateAndDrawAt(float innerExtent, float outerExtent, int timeMs)
{
    if (!config().getBool("enable_water"))
        return;
    size = WaterSurface::surfaceSize(outerExtent);
    textureRepeat = WaterSurface::textureRepeat(innerExtent, outerExtent);
    const Float3& eye = GLManager::scene3D->camera.position;
    centerX = WaterSurface::snapToGrid(eye.x());
    centerZ = WaterSurface::snapToGrid(eye.z());
    heightCurrent = WaterSurface::tidePhase(timeMs);
    draw();
}

void Water::draw()
{
    ASSERT(textureWater != NULL && textureWaterSub != NULL, "Water : textures already released");
    const float amplitude = (float)config().getDouble("water_deep_amplitude");
    const float baseY = heightCurrent * amplitude - WaterSurface::LAYER_DROP;

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    if (config().getBool("enable_multi_layered_water"))
        drawLayers(baseY);

    loadViewAndTranslate(centerX, heightCurrent, centerZ);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_BACK, GL_LINE);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);
    if (config().getBool("enable_water_waves"))
        drawWavedSurface(textureOf(textureWater), baseY);
    else
        drawFlatSurface(textureOf(textureWater));
    glPopMatrix();
}

void Water::drawLayers(float baseY)
{
    const Float2 repeat(textureRepeat, textureRepeat);
    for (float drop : layerDrops) {
        loadViewAndTranslate(centerX, baseY + drop, centerZ);
        drawHorizontalQuad(size, size, textureOf(textureWaterSub), repeat, true);
        drawHorizontalQuad(size, size, textureOf(textureWaterSub), repeat, false);
    }
}

void Water::drawFlatSurface(int texture)
{
    const Float2 repeat(textureRepeat, textureRepeat);
    drawHorizontalQuad(size, size, texture, repeat, true);
    drawHorizontalQuad(size, size, texture, repeat, false);
}

void Water::drawWavedSurface(int texture, float baseY)
{
    for (const WaterQuad& quad : WaterSurface::ring(size)) {
        loadViewAndTranslate(centerX + quad.offset.x(), baseY, centerZ + quad.offset.y());
        drawHorizontalQuad(quad.size.x(), quad.size.y(), texture, quad.repeat, false);
    }

    ASSERT(-1.f <= heightCurrent && heightCurrent <= 1.f, "Water : tide phase out of range");
    const float crest =
        WaterSurface::waveHeight(heightCurrent, (float)config().getDouble("water_waves_amplitude"));
    const Float3 base(centerX, baseY, centerZ);
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    const int edge = WaterSurface::WAVE_CELLS_HALF;
    for (int i = -edge; i <= edge; i++)
        for (int j = -edge; j <= edge; j++) {
            auto cell = WaterSurface::waveCellCorners(i, j, crest);
            Float3 corners[4];
            for (int k = 0; k < 4; k++)
                corners[k] = cell[k] + base;
            drawQuad(texture, corners, Float2(1.f, 1.f));
        }
}

void Water::drawUnderWaterTint()
{
    if (!tintsCameraAt(GLManager::scene3D->camera.position.y()))
        return;
    ColorBytes previous = GLManager::getCurrentColor();
    glColor4ub(colour[0], colour[1], colour[2], colour[3]);
    GLManager::scene2D->drawRectangle2D(Int2(0, 0), GLManager::scene2D->windowSize, true);
    glColor4ub(previous.r, previous.g, previous.b, previous.a);
}
