// World: the running game world, as the game manager, the script and the player see it.
//
// The World owns the whole scene: the indexed world (cube types, regions, water), the
// editor, the player and the skybox. Each frame `update` sets the far plane and light 0,
// runs the region pass and moves the player; the script's "draw3DWorld" then calls
// `placeCameraForFrame` and `draw` (skybox, player, regions under fog, editor marks,
// water), and "draw2DWorld" calls `draw2D` (under-water tint, editor overlay). As an
// Object3D it answers the collision questions of the player and the script.
//
// A frame in which the script shows a full-screen picture hides the world from the next
// 3D pass and stops the player, until a frame passes without one.
//
// Depends on: world/IndexedWorld, world/Water, editor/Editor3D, player/Player, draw/Skybox,
// model/Object3D, gl/Scene2D, gl/Scene3D, gl/DeviceManager, image/SpriteManager,
// script/LuaFuncs, script/CustomObject.
#pragma once

#include <string>

#include "core/BasicVector.h"
#include "editor/Editor3D.h"
#include "model/Object3D.h"
#include "world/IndexedWorld.h"

class Font;
class LuaStateCell;
class Player;
class Skybox;
class SoundManager;

class World : public Object3D {
public:
    // Tunables of the scene.
    static constexpr float DEFAULT_VIEW_DISTANCE = 1500.f;
    static constexpr float FOG_SHORTENING = 400.f;      // fog is complete this much before the view distance
    static constexpr float FIELD_OF_VIEW = 90.f;
    static constexpr float PLAYER_LIGHT_RAISE = 20.f;   // light 0 follows a point above the player
    static constexpr float CAMERA_TARGET_RAISE = 10.f;  // the camera looks at the player's head
    static const Float3 SUN_OFFSET;                     // light 0 relative to what it follows

    // The figures that follow from the view distance.
    static float farPlaneFor(float parViewDistance) { return parViewDistance * 2.f; }
    static float skyboxEdgeFor(float farPlane) { return farPlane - 1.f; }
    static float fogDistanceFor(float parViewDistance) { return parViewDistance - FOG_SHORTENING; }
    static float waterOuterExtentFor(float parViewDistance) { return parViewDistance * 2.f; }

    // Loads the world file (with its progress bar), shows "loading.png", then creates the
    // player and the skybox of "skybox_directory".
    World(const std::string& parWorldDataFile, const std::string& parScriptFile, Font* parFont,
          SoundManager* parSoundManager);
    ~World() override;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Once per frame, before the script's frame function: far plane, light 0, the region
    // pass with its object bookkeeping, the player's step.
    void update(LuaStateCell* parLuaState);
    // The camera of the 3D pass: the editor's in editor mode, else behind the player.
    void placeCameraForFrame();
    // The 2D pass, after the 3D pass; the projection and render states are the caller's.
    void draw2D(int nbScriptObjectTypes = 0);
    // One typed key from the game manager ('a' toggles editor mode).
    void keyPressed(unsigned char key, int nbScriptObjectTypes);

    void setReverseMouseYCamera(bool b);
    void setProgressiveLoading(bool b);

    // Object3D: the solid-point test of the regions; a move whose end is solid is refused
    // with out = start; the segment test of the regions from b toward a; the 3D pass.
    bool isInside(const Float3& point) override;
    bool collide(const Float3& start, const Float3& end, Float3& out) override;
    bool intersect(const Float3& a, const Float3& b, Float3& out) override;
    void draw() override;

    bool editorMode = false;
    IndexedWorld indexedWorld;
    Editor3D editor;
    Font* font;
    Player* player = nullptr;
    bool hidden = false;
    Skybox* skybox = nullptr;
    unsigned char fogColour[4] = {255, 255, 255, 255};
    float viewDistance = DEFAULT_VIEW_DISTANCE;
    std::string worldDataFile;

private:
    void showLoadingScreen();
    void placeLight0();
    void setLighting(bool on);
};
