// Water: the sea under the world, with its tide, its waves and the under-water tint.
//
// When the configuration enables it ("enable_water"), a large textured horizontal square
// follows the camera on a 50-unit grid and rises and falls with a four-second tide. It is
// drawn flat, or ("enable_water_waves") as a ring around a 350 x 350 checkerboard of
// swelling cells; three textured layers can sit below it ("enable_multi_layered_water").
// While the camera is below the tide the 2D pass tints the window blue. The settings are
// read from the configuration every time they are needed, so they follow it live.
//
// The indexed world owns the water: it creates it after loading the world file, the world
// scene calls updateAndDraw once per 3D pass and drawUnderWaterTint in the 2D pass, and the
// indexed world calls releaseTextures before deleting it.
//
// Depends on: world/WaterSurface (the figures), image/SpriteManager (the two textures),
// draw/ quads, gl/Scene2D and gl/Scene3D, gl/DeviceManager (configuration), platform/Clock.
#pragma once

class Sprite;

class Water {
public:
    // The cube edge is handed over by the indexed world and not used further.
    explicit Water(float sizeOneCube);
    ~Water();
    Water(const Water&) = delete;
    Water& operator=(const Water&) = delete;

    // Releases the two sprites through the sprite manager (idempotent).
    void releaseTextures();

    // Follows the camera, advances the tide from the millisecond clock and draws the sea;
    // the inner and outer extents set its size and texture repetition. Nothing at all when
    // "enable_water" is false.
    void updateAndDraw(float innerExtent, float outerExtent);
    // The same at a given clock time (milliseconds).
    void updateAndDrawAt(float innerExtent, float outerExtent, int timeMs);

    // Fills the window with the tint colour while the tide phase is above the camera's y.
    void drawUnderWaterTint();
    // Whether a camera at height y is under the water: compares with the tide phase itself.
    bool tintsCameraAt(float cameraY) const { return heightCurrent > cameraY; }

    float getSize() const { return size; }
    float getTextureRepeat() const { return textureRepeat; }
    float getCenterX() const { return centerX; }
    float getCenterZ() const { return centerZ; }
    float getHeightCurrent() const { return heightCurrent; }
    const unsigned char* getColour() const { return colour; }

private:
    void draw();
    void drawLayers(float baseY);
    void drawFlatSurface(int texture);
    void drawWavedSurface(int texture, float baseY);

    float size = 30.f;
    float textureRepeat = 0.f;
    Sprite* textureWater = nullptr;
    Sprite* textureWaterSub = nullptr;
    unsigned char colour[4] = {0, 104, 255, 128};
    float centerX = 0.f;
    float heightCurrent = -1.f;
    float centerZ = 0.f;
};
