#include "player/Player.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "core/FatalError.h"
#include "draw/BoxGeometry.h"
#include "gl/GLManager.h"
#include "gl/KeyboardManager.h"
#include "gl/Scene3D.h"
#include "model/Animated3DModel.h"
#include "sound/SoundManager.h"

// --- tunables ------------------------------------------------------------------------

namespace {

// Indexed by movement type: walk, car, fly (MVT_TYPE_NONE does not move).
const MovementParameters movementParameters[] = {
    {0.0008f, 0.012f, 0.002f},
    {0.0016f, 0.024f, 0.001f},
    {0.0008f, 0.024f, 0.002f},
};

const float gravity = 0.000003f;           // per step per step
const float jumpSpeed = 0.0125f;
const float flyClimb = 0.1f;               // per step
const float turnSpeed = 0.00018f;          // degrees per microsecond
const float probeHalfWidth = 3.f;          // probes at +-3 on X and Z
const float headHeight = 10.f;             // the head probes, above the feet
const float flyOverHeight = 20.f;          // the higher test of a flying player lifting over
const int64_t maxFrameTime = 100000;       // microseconds of one frame's physics at most
const float stepTime = 100.f;              // microseconds of one sub-step
const float zoomStep = 5.f;
const float maxCameraDistance = 90.f;
const float mouseDegreesPerPixel = 0.5f;
const float maxPitch = 90.f;
const float walkAnimationSpeed = 200.f;    // speed to animation-speed factor
const float minAnimatedSpeed = 0.1f;
const int frameDurationFactor = 50;        // frame duration (ms) = 50 / animation speed

const char* const playerFrames[] = {"obj_player/player_frame1.obj", "obj_player/player_frame2.obj",
                                    "obj_player/player_frame3.obj", "obj_player/player_frame4.obj",
                                    "obj_player/player_frame5.obj"};
const float playerScale = 0.3f;

// Which key codes (either case for letters) or buttons drive each control.
struct ControlBinding {
    bool PlayerControls::*control;
    int keys[3];  // engine key codes, -1 for none
    bool rightButton;
};
const ControlBinding controlBindings[] = {
    {&PlayerControls::jump, {' ', -1, -1}, true},
    {&PlayerControls::turnLeft, {KEY_LEFT, -1, -1}, false},
    {&PlayerControls::turnRight, {KEY_RIGHT, -1, -1}, false},
    {&PlayerControls::forward, {KEY_UP, 'e', 'E'}, false},
    {&PlayerControls::backward, {KEY_DOWN, 'd', 'D'}, false},
    {&PlayerControls::strafeLeft, {'s', 'S', -1}, false},
    {&PlayerControls::strafeRight, {'f', 'F', -1}, false},
    {&PlayerControls::down, {'c', 'C', -1}, false},
};

Camera& camera()
{
    return GLManager::scene3D->camera;
}

Int2 windowCentre()
{
    return Int2((int)(GLManager::windowSize.x() * 0.5), (int)(GLManager::windowSize.y() * 0.5));
}

void putFloat(std::string& bytes, float value)
{
    char raw[4];
    std::memcpy(raw, &value, 4);
    bytes.append(raw, 4);
}

}  // namespace

// --- life ------------------------------------------------------------------------------

Player::Player(SoundManager& soundManager)
{
    model = new Animated3DModel(std::vector<std::string>(std::begin(playerFrames), std::end(playerFrames)), playerScale);
    soundWalk = soundManager.getSound("sound/walk.wav");
    soundJump = soundManager.getSound("sound/jump.wav");
    ASSERT(soundWalk != NULL, "Player : no walking sound");
    ASSERT(soundJump != NULL, "Player : no jumping sound");
    Int2 centre = windowCentre();
    glutWarpPointer(centre.x(), centre.y());
}

Player::~Player()
{
    delete model;
}

Float3& Player::position()
{
    return model->position;
}

void Player::setMovementType(int type)
{
    mvtType = type;
    forwardSpeed = verticalSpeed = strafeSpeed = 0.f;
}

// --- movement --------------------------------------------------------------------------

PlayerControls Player::readControls()
{
    PlayerControls controls;
    const unsigned char* keys = GLManager::keyboardManager->keyStates;
    for (const ControlBinding& binding : controlBindings) {
        bool held = binding.rightButton && GLManager::mouseButtons[MOUSE_BUTTON_RIGHT];
        for (int key : binding.keys)
            held = held || (key >= 0 && keys[key]);
        controls.*binding.control = held;
    }
    return controls;
}

PlayerProbe Player::probeMovement(const Float3& from, const Float3& to, Object3D& world)
{
    static const float corners[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    PlayerProbe probe;
    Float3 out;
    const Float3 head(0.f, headHeight, 0.f);
    for (const float* corner : corners) {
        Float3 end(to.x() + corner[0] * probeHalfWidth, to.y() + headHeight, to.z() + corner[1] * probeHalfWidth);
        if (world.collide(from + head, end, out)) {
            probe.headBlocked = true;
            probe.corrected = from + head;
            break;
        }
    }
    for (const float* corner : corners) {
        Float3 end(to.x() + corner[0] * probeHalfWidth, to.y(), to.z() + corner[1] * probeHalfWidth);
        if (world.collide(from, end, out)) {
            probe.feetBlocked = true;
            probe.corrected = from;
            break;
        }
    }
    return probe;
}

void Player::move(Object3D& world)
{
    if (mvtType == MVT_TYPE_NONE) {
        model->setAnimationRange(0, 2);
        stopAnimation();
        return;
    }
    if (mvtType < MVT_TYPE_WALK || mvtType > MVT_TYPE_FLY)
        ASSERT(mvtType == MVT_TYPE_WALK, "Player::move : unknown movement type");
    const MovementParameters& parameters = movementParameters[mvtType];

    const PlayerControls controls = readControls();
    const float frameTime = (float)std::min(GLManager::periodDuration, maxFrameTime);

    if (controls.turnLeft)
        camera().rotateY(frameTime * turnSpeed);
    else if (controls.turnRight)
        camera().rotateY(-frameTime * turnSpeed);

    if (mvtType == MVT_TYPE_WALK && controls.jump && onGround) {
        verticalSpeed = jumpSpeed;
        onGround = false;
        soundJump->play(false);
    }

    if (mvtType != MVT_TYPE_FLY)
        moveVertically(world, frameTime);
    Float3 wanted = integrateHorizontally(controls, parameters, frameTime);
    animate(parameters);
    collideHorizontally(world, wanted);
}

void Player::moveVertically(Object3D& world, float frameTime)
{
    Float3 wanted = position();
    const float nbSteps = frameTime / stepTime;
    for (int step = 0; step < nbSteps; step++) {
        verticalSpeed -= gravity;
        wanted.y() += verticalSpeed;
    }
    PlayerProbe probe = probeMovement(position(), wanted, world);
    if (probe.headBlocked) {
        // Stay where the move started (even when the feet hit as well).
        verticalSpeed = 0.f;
        onGround = false;
    } else if (probe.feetBlocked) {
        position() = probe.corrected;
        verticalSpeed = 0.f;
        onGround = true;
    } else
        position() = wanted;
}

Float3 Player::integrateHorizontally(const PlayerControls& controls, const MovementParameters& p, float frameTime)
{
    const bool car = mvtType == MVT_TYPE_CAR;
    const bool flying = mvtType == MVT_TYPE_FLY;
    const float heading = (90.f - camera().angleY) * (float)M_PI / 180.f;
    const float strafeHeading = heading + (float)M_PI / 2.f;
    const float nbSteps = frameTime / stepTime;
    Float3 wanted = position();
    int step = 0;
    do {
        if (!car) {
            if (controls.strafeRight && strafeSpeed < p.threshold)
                strafeSpeed += p.acceleration;
            if (controls.strafeLeft && strafeSpeed > -p.threshold)
                strafeSpeed -= p.acceleration;
        }
        if (controls.forward && forwardSpeed < p.threshold)
            forwardSpeed += p.acceleration;
        // Flying backwards slows down and reverses like walking.
        if (controls.backward && forwardSpeed > -p.threshold)
            forwardSpeed -= p.acceleration;
        if (flying && controls.jump) {
            wanted.y() += flyClimb;
            verticalSpeed = 0.f;
        }
        if (flying && controls.down) {
            wanted.y() -= flyClimb;
            verticalSpeed = 0.f;
        }
        for (float* speed : {&strafeSpeed, &forwardSpeed}) {
            if (*speed > p.friction)
                *speed -= p.friction;
            else if (*speed < -p.friction)
                *speed += p.friction;
            else
                *speed = 0.f;
        }
        wanted.x() -= std::cos(heading) * forwardSpeed;
        wanted.z() -= std::sin(heading) * forwardSpeed;
        wanted.x() -= std::cos(strafeHeading) * strafeSpeed;
        wanted.z() -= std::sin(strafeHeading) * strafeSpeed;
        step++;
    } while (step < nbSteps);
    return wanted;
}

void Player::stopAnimation()
{
    model->isPlaying = false;
    model->currentFrame = 0;
}

void Player::animate(const MovementParameters& p)
{
    if (mvtType == MVT_TYPE_FLY) {
        model->setAnimationRange(3, 4);
        model->isPlaying = true;
        return;
    }
    model->setAnimationRange(0, 2);
    if (mvtType == MVT_TYPE_CAR || !onGround) {
        stopAnimation();
        return;
    }
    const float speed = walkAnimationSpeed * std::sqrt(forwardSpeed * forwardSpeed + strafeSpeed * strafeSpeed);
    if (speed > p.threshold * 0.5f && model->isPlaying && !soundWalk->isPlaying())
        soundWalk->play(false);
    if (speed > minAnimatedSpeed) {
        model->isPlaying = true;
        model->countUp = false;
        model->frameDuration = (int)(frameDurationFactor / speed);
    } else
        stopAnimation();
}

void Player::collideHorizontally(Object3D& world, const Float3& wanted)
{
    const bool flying = mvtType == MVT_TYPE_FLY;
    PlayerProbe probe = probeMovement(position(), wanted, world);
    bool centreBlocked = false;
    if ((!probe.feetBlocked && !probe.headBlocked) || flying) {
        Float3 out;
        if (!world.collide(position(), wanted, out)) {
            position() = wanted;
            return;
        }
        centreBlocked = true;
    }

    stopAnimation();
    if (probe.headBlocked)
        return;  // an overhang at head level: position and speeds stay
    forwardSpeed = strafeSpeed = 0.f;
    if (!flying) {
        if (centreBlocked) {
            // Something between the probes (thinner than the player) blocks the centre:
            // stop in front of it rather than step into it.
            if (verticalSpeed > 0.f)
                verticalSpeed = 0.f;
        } else
            position() = probe.corrected;  // a wall at foot level
        return;
    }
    Float3 out;
    const Float3 over(0.f, flyOverHeight, 0.f);
    const Float3 head(0.f, headHeight, 0.f);
    if (world.collide(position() + over, wanted + over, out) || world.collide(position() + head, wanted + head, out))
        return;
    // Both higher levels are free: lift over the obstacle.
    if (verticalSpeed > 0.f)
        verticalSpeed = 0.f;
    position() = wanted + head + (wanted - position());
}

// --- camera and zoom ---------------------------------------------------------------------

void Player::handleMouseEvent(const MouseEvent& event)
{
    if (event.kind == MOUSE_EVENT_PRESSED && event.button == MOUSE_BUTTON_WHEEL_UP) {
        if (cameraDistance > 0.f)
            cameraDistance = std::max(cameraDistance - zoomStep, 0.f);
    } else if (event.kind == MOUSE_EVENT_PRESSED && event.button == MOUSE_BUTTON_WHEEL_DOWN) {
        if (cameraDistance < maxCameraDistance)
            cameraDistance = std::min(cameraDistance + zoomStep, maxCameraDistance);
    } else if (event.kind == MOUSE_EVENT_DRAGGED || event.kind == MOUSE_EVENT_MOVED) {
        Int2 centre = windowCentre();
        float k = isReverseMouseYCamera ? 1.f : -1.f;
        camera().rotateX((event.y - centre.y()) * k * mouseDegreesPerPixel);
        camera().rotateY((centre.x() - event.x) * mouseDegreesPerPixel);
        if (camera().angleX > maxPitch)
            camera().setAngleX(maxPitch);
        else if (camera().angleX < -maxPitch)
            camera().setAngleX(-maxPitch);
        glutWarpPointer(centre.x(), centre.y());
    }
}

void Player::handleKey(int character)
{
    if (character < 0 || character > 255)
        return;  // the function keys
    character = std::tolower(character);
    if (character == 'o' && cameraDistance > 0.f)
        cameraDistance -= zoomStep;
    else if (character == 'p' && cameraDistance < maxCameraDistance)
        cameraDistance += zoomStep;
}

// --- drawing and state -------------------------------------------------------------------

void Player::draw()
{
    if (!(cameraDistance > 1.f))
        return;
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_BACK, GL_LINE);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);
    glPushMatrix();
    glTranslatef(position().x(), position().y(), position().z());
    rotateXYZ(0.f, camera().angleY + 180.f, 0.f);
    model->draw();
    glPopMatrix();
}

void Player::writeState(std::string& bytes) const
{
    const Float3& at = model->position;
    for (float value : {at.x(), at.y(), at.z(), camera().angleY, camera().angleX})
        putFloat(bytes, value);
    int32_t type = mvtType;
    char raw[4];
    std::memcpy(raw, &type, 4);
    bytes.append(raw, 4);
}

bool Player::readState(FILE* file)
{
    char record[stateRecordSize];
    if (std::fread(record, 1, stateRecordSize, file) != (size_t)stateRecordSize)
        return false;
    float values[5];
    int32_t type;
    std::memcpy(values, record, sizeof values);
    std::memcpy(&type, record + sizeof values, 4);
    // A damaged or hostile record: a movement type move() does not know, or a position or
    // angle that is not a number, would stop or poison the game later.
    if (type < MVT_TYPE_WALK || type > MVT_TYPE_NONE)
        return false;
    for (float value : values)
        if (!std::isfinite(value))
            return false;
    model->position = Float3(values[0], values[1], values[2]);
    mvtType = type;
    camera().setRotation(Float3(values[4], values[3], 0.f));
    return true;
}
