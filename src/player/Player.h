// Player: the figure the user steers through the world in the running game.
//
// Each frame the world scene calls move, which reads the keyboard and the frame time,
// integrates the speeds in fixed sub-steps of 100 microseconds (at most 1000 a frame),
// tests the new position against the world through its Object3D collision queries, and
// updates the walking animation and the footsteps. The player owns its animated model
// (whose position is the player's, the point under its feet; the head is 10 above) and
// drives the camera's yaw and pitch (mouse look, arrow keys); the world scene places the
// camera cameraDistance behind it. The state record (24 bytes) goes into save games.
//
// Depends on: model/Animated3DModel, model/Object3D, sound/SoundManager,
// gl/GLManager (frame period, window size, mouse), gl/KeyboardManager, gl/Scene3D
// (camera), draw/BoxGeometry (rotateXYZ), freeglut (pointer warp).
#pragma once

#include <cstdio>
#include <string>

#include "core/BasicVector.h"

class Animated3DModel;
class Object3D;
class Sound_Abstract;
class SoundManager;
struct MouseEvent;

// Movement types; the values are saved and set by the script.
enum MovementType {
    MVT_TYPE_WALK = 0,  // gravity, jumping and strafing
    MVT_TYPE_CAR = 1,   // like walking with the car parameters, no strafing, no jumping
    MVT_TYPE_FLY = 2,   // no gravity; jump rises, C descends
    MVT_TYPE_NONE = 3,  // does not move
};

// What the player's keys and buttons ask for during one frame.
struct PlayerControls {
    bool jump = false, turnLeft = false, turnRight = false, forward = false, backward = false;
    bool strafeLeft = false, strafeRight = false, down = false;
};

// How a movement type accelerates, per 100-us step, world units: a held key pushes the
// speed by the acceleration whenever it is below the threshold; friction slows it.
struct MovementParameters {
    float threshold;
    float acceleration;
    float friction;
};

// The result of a collision probe: which probes hit, and where the player may stay.
struct PlayerProbe {
    bool feetBlocked = false;
    bool headBlocked = false;
    Float3 corrected = Float3(0.f, 0.f, 0.f);
};

class Player {
public:
    // Loads the five-frame model from "obj_player/" and the sounds "sound/walk.wav" and
    // "sound/jump.wav", and puts the pointer at the window centre.
    explicit Player(SoundManager& soundManager);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // One frame of movement against the world.
    void move(Object3D& world);
    // Draws the model at the player's position, facing the camera's yaw, unless the
    // camera is 1 unit away or closer (first person).
    void draw();
    // Wheel steps zoom (within 0 to 90), pointer motion turns the camera half a degree a
    // pixel (pitch held within -90 to 90) and the pointer goes back to the centre.
    void handleMouseEvent(const MouseEvent& event);
    // "o" zooms in, "p" zooms out, by 5 (either case).
    void handleKey(int character);

    // The state record: position x, y, z, camera angleY, camera angleX (32-bit floats)
    // and mvtType (32-bit int), little-endian.
    static const int stateRecordSize = 24;
    // Appends the record to the bytes.
    void writeState(std::string& bytes) const;
    // Reads a record: position, movement type, and the camera turned to the saved yaw and
    // pitch. A damaged record changes nothing and gives false: fewer than 24 bytes left in
    // the file, a movement type other than the four, or a number that is not finite (the
    // 24 bytes are read all the same).
    bool readState(FILE* file);

    // Sets the movement type (one of the four) and stops the player.
    void setMovementType(int type);
    Float3& position();

    // The probes of a move from `from` to `to`: four head points (10 up) then four feet
    // points, at +-3 on X and Z around `to`, each tested from the start point of its level.
    static PlayerProbe probeMovement(const Float3& from, const Float3& to, Object3D& world);
    // The keys and buttons held now.
    static PlayerControls readControls();

    bool onGround = false;
    float cameraDistance = 30.f;
    Animated3DModel* model = nullptr;
    float forwardSpeed = 0.f;   // world units per 100-us step, positive forwards
    float verticalSpeed = 0.f;  // positive upwards
    float strafeSpeed = 0.f;    // positive to the right
    int mvtType = MVT_TYPE_WALK;
    Sound_Abstract* soundWalk = nullptr;
    Sound_Abstract* soundJump = nullptr;
    bool isReverseMouseYCamera = false;

private:
    void moveVertically(Object3D& world, float frameTime);
    Float3 integrateHorizontally(const PlayerControls& controls, const MovementParameters& parameters,
                                 float frameTime);
    void animate(const MovementParameters& parameters);
    void collideHorizontally(Object3D& world, const Float3& wanted);
    void stopAnimation();
};
