// The player against a small world of its own (boxes answering the collision queries as
// the world scene does): jumping and landing, frame-time limits, walls at foot and head
// level, flying, the car, standing still, mouse look, zoom and the state record with its
// damaged forms.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "AudioFixture.h"
#include "GLTestWindow.h"
#include "TempDir.h"
#include "gl/GLManager.h"
#include "gl/KeyboardManager.h"
#include "gl/Scene3D.h"
#include "model/Animated3DModel.h"
#include "model/Object3D.h"
#include "player/Player.h"
#include "sound/SoundManager.h"

namespace {

// Solid boxes; like the world scene, a move hits when its end point lies in one, and
// then gives back its start point.
class BoxWorld : public Object3D {
public:
    struct Box {
        Float3 low, high;
    };
    std::vector<Box> boxes;

    bool isInside(const Float3& p) override
    {
        for (const Box& box : boxes)
            if (p.x() >= box.low.x() && p.x() < box.high.x() && p.y() >= box.low.y() && p.y() < box.high.y() &&
                p.z() >= box.low.z() && p.z() < box.high.z())
                return true;
        return false;
    }
    bool collide(const Float3& start, const Float3& end, Float3& out) override
    {
        if (!isInside(end))
            return false;
        out = start;
        return true;
    }
    void draw() override {}

    // Flat ground whose top is y = 0.
    void addGround() { boxes.push_back({Float3(-1000, -100, -1000), Float3(1000, 0, 1000)}); }
};

const char* const frameObj = "v -1 0 0\nv 1 0 0\nv 1 2 0\nv -1 2 0\nf 1 2 3 4\n";

class PlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        openGLTestWindow();
        // The player's sounds play into nothing, whatever audio the machine has.
        static TempDir audioConfig;
        setenv("ALSOFT_CONF", audioConfig.write("alsoft.conf", openalConfig("null")).c_str(), 1);
    }

    void SetUp() override
    {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previousFolder = here;
        for (int i = 1; i <= 5; i++)
            assets.write("obj_player/player_frame" + std::to_string(i) + ".obj", frameObj);
        assets.write("sound/walk.wav", makeSquareWav(22050, 2205, 4000));
        assets.write("sound/jump.wav", makeSquareWav(22050, 2205, 4000));
        ASSERT_EQ(chdir(assets.path().c_str()), 0);

        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        sounds = new SoundManager("gl_tests");
        player = new Player(*sounds);
        ::testing::internal::GetCapturedStderr();
        ::testing::internal::GetCapturedStdout();
        camera().setRotation(Float3(0, 0, 0));
        releaseKeys();
    }

    void TearDown() override
    {
        ::testing::internal::CaptureStdout();
        delete player;
        delete sounds;
        ::testing::internal::GetCapturedStdout();
        releaseKeys();
        GLManager::periodDuration = 0;
        ASSERT_EQ(chdir(previousFolder.c_str()), 0);
    }

    static Camera& camera() { return GLManager::scene3D->camera; }

    static void releaseKeys()
    {
        std::memset(GLManager::keyboardManager->keyStates, 0, KeyboardManager::nbKeyCodes);
        std::memset(GLManager::mouseButtons, 0, sizeof GLManager::mouseButtons);
    }
    static void hold(int key, bool held = true) { GLManager::keyboardManager->keyStates[key] = held ? 1 : 0; }

    // One frame of the given length.
    void frame(int64_t microseconds)
    {
        GLManager::periodDuration = microseconds;
        player->move(world);
    }

    // Puts the player down on the ground of the world and lets it land.
    void standOnGround()
    {
        world.addGround();
        player->position() = Float3(0, 0, 0);
        frame(10000);
        ASSERT_TRUE(player->onGround);
    }

    TempDir assets;
    std::string previousFolder;
    SoundManager* sounds = nullptr;
    Player* player = nullptr;
    BoxWorld world;
};

}  // namespace

TEST_F(PlayerTest, JumpReachesAbout26AndLandsOnTheGround)
{
    standOnGround();
    hold(' ');
    frame(10000);
    hold(' ', false);
    EXPECT_FALSE(player->onGround);
    float apex = 0.f;
    for (int i = 0; i < 200 && !player->onGround; i++) {
        frame(10000);
        apex = std::max(apex, player->position().y());
    }
    // 0.0125^2 / (2 x 0.000003), less the half-step of the discrete integration.
    EXPECT_NEAR(apex, 26.0f, 0.1f);
    // It lands where the last frame's fall began, less than one frame's fall (100 steps
    // at about 0.0125) above the ground, and settles from there in short falls from rest.
    EXPECT_TRUE(player->onGround);
    EXPECT_GE(player->position().y(), 0.f);
    EXPECT_LT(player->position().y(), 1.25f);
    EXPECT_EQ(player->verticalSpeed, 0.f);
    for (int i = 0; i < 100; i++)
        frame(10000);
    EXPECT_TRUE(player->onGround);
    EXPECT_GE(player->position().y(), 0.f);
    EXPECT_LT(player->position().y(), 0.016f);

    // Only from the ground: holding jump in the air does not push again.
    hold(' ');
    frame(10000);
    const float risingSpeed = player->verticalSpeed;
    frame(10000);
    EXPECT_LT(player->verticalSpeed, risingSpeed);
}

TEST_F(PlayerTest, FrameTimeIsCappedAndZeroStillStepsOnce)
{
    // Falling freely from rest: 1000 steps drop 0.000003 x 1000 x 1001 / 2 units.
    player->position() = Float3(0, 500, 0);
    frame(250000);
    EXPECT_NEAR(player->position().y(), 500.f - 1.5015f, 0.002f);
    EXPECT_NEAR(player->verticalSpeed, -0.003f, 1e-6f);

    // No time: no vertical step, but one horizontal step (speed 0.012 pushed, less friction).
    player->position() = Float3(0, 500, 0);
    player->verticalSpeed = 0.f;
    hold(KEY_UP);
    frame(0);
    EXPECT_EQ(player->position().y(), 500.f);
    EXPECT_EQ(player->verticalSpeed, 0.f);
    EXPECT_NEAR(player->forwardSpeed, 0.010f, 1e-6f);
    EXPECT_NEAR(player->position().z(), -0.010f, 1e-6f);  // forward at yaw 0 is -Z
    EXPECT_NEAR(player->position().x(), 0.f, 1e-6f);
}

TEST_F(PlayerTest, WallAtFootLevelStopsAndOverhangAtHeadLevelHolds)
{
    struct Case {
        const char* name;
        float low, high;  // the obstacle's height range in front of the player
        bool speedsZeroed;
    };
    for (const Case& c : {Case{"wall at foot level", -1.f, 5.f, true}, Case{"overhang at head level", 8.f, 20.f, false}}) {
        SCOPED_TRACE(c.name);
        world.boxes.clear();
        standOnGround();
        world.boxes.push_back({Float3(-50, c.low, -100), Float3(50, c.high, -10)});
        player->forwardSpeed = player->strafeSpeed = 0.f;
        hold(KEY_UP);
        hold('f');  // strafing as well: both speeds are in play
        Float3 before = player->position();
        int frames = 0;
        do {
            before = player->position();
            frame(10000);
        } while (player->position() != before && ++frames < 500);
        ASSERT_LT(frames, 500) << "never blocked";
        EXPECT_GT(before.z() - 3.f, -10.f) << "a probe went into the obstacle";
        EXPECT_EQ(player->position(), before);
        EXPECT_EQ(player->forwardSpeed == 0.f && player->strafeSpeed == 0.f, c.speedsZeroed);
        EXPECT_FALSE(player->model->isPlaying);
        releaseKeys();
    }
}

// Two blocked cases never put the player inside solid ground: a post thinner than the
// probes' spacing (only the centre test meets it) stops the walk in front of it, and a
// ceiling lower than the head does not push the player down through the floor.
TEST_F(PlayerTest, BlockedMovesNeverEnterObstacles)
{
    standOnGround();
    world.boxes.push_back({Float3(-1, 0, -8), Float3(1, 5, -6)});
    hold(KEY_UP);
    for (int i = 0; i < 100; i++) {
        frame(10000);
        ASSERT_FALSE(world.isInside(player->position())) << "frame " << i;
    }
    EXPECT_GT(player->position().z(), -6.f);
    EXPECT_LT(player->position().z(), -5.f);
    releaseKeys();

    world.boxes.push_back({Float3(-50, 8, -50), Float3(50, 20, 50)});
    const float ground = player->position().y();
    frame(10000);
    EXPECT_EQ(player->position().y(), ground);
    EXPECT_FALSE(player->onGround);
}

TEST_F(PlayerTest, FlyingClimbsAndDescends)
{
    player->setMovementType(MVT_TYPE_FLY);
    player->position() = Float3(0, 100, 0);
    player->verticalSpeed = 5.f;
    hold(' ');
    frame(10000);  // 100 steps of 0.1, no gravity
    EXPECT_NEAR(player->position().y(), 110.f, 1e-3f);
    EXPECT_EQ(player->verticalSpeed, 0.f);
    EXPECT_EQ(player->model->idFrameMin, 3);
    EXPECT_EQ(player->model->idFrameMax, 4);
    releaseKeys();
    hold('c');
    frame(5000);
    EXPECT_NEAR(player->position().y(), 105.f, 1e-3f);
    releaseKeys();
    frame(10000);
    EXPECT_NEAR(player->position().y(), 105.f, 1e-3f);

    // Flying backwards works like walking backwards.
    hold(KEY_DOWN);
    frame(10000);
    EXPECT_LT(player->forwardSpeed, 0.f);
    EXPECT_GT(player->position().z(), 0.f);
}

TEST_F(PlayerTest, CarIgnoresStrafingAndJumping)
{
    standOnGround();
    player->setMovementType(MVT_TYPE_CAR);
    hold('s');
    hold('f');
    hold(' ');
    hold(KEY_UP);
    for (int i = 0; i < 10; i++)
        frame(10000);
    EXPECT_EQ(player->strafeSpeed, 0.f);
    EXPECT_NEAR(player->position().x(), 0.f, 1e-5f);
    EXPECT_TRUE(player->onGround);
    EXPECT_LE(player->verticalSpeed, 0.f);
    EXPECT_NEAR(player->position().y(), 0.f, 1e-3f);
    EXPECT_LT(player->position().z(), -1.f);  // it drives forward
    EXPECT_FALSE(player->model->isPlaying);
}

TEST_F(PlayerTest, MovementTypeNoneStandsStill)
{
    player->position() = Float3(1, 50, 2);  // no ground: a walking player would fall
    player->setMovementType(MVT_TYPE_NONE);
    player->model->currentFrame = 2;
    for (int key : {(int)' ', (int)KEY_UP, (int)'f', (int)KEY_LEFT})
        hold(key);
    frame(100000);
    EXPECT_EQ(player->position(), Float3(1, 50, 2));
    EXPECT_EQ(camera().angleY, 0.f);
    EXPECT_EQ(player->model->currentFrame, 0);
    EXPECT_FALSE(player->model->isPlaying);
    EXPECT_EQ(player->model->idFrameMax, 2);
}

TEST_F(PlayerTest, MouseLookStopsAtNinetyDegrees)
{
    const Int2 centre(GLManager::windowSize.x() / 2, GLManager::windowSize.y() / 2);
    // Up 400 pixels: 200 degrees asked, 90 kept. Right 20 pixels: turn right 10 degrees.
    player->handleMouseEvent(MouseEvent{centre.x() + 20, centre.y() - 400, MOUSE_BUTTON_NONE, MOUSE_EVENT_MOVED});
    EXPECT_FLOAT_EQ(camera().angleX, 90.f);
    EXPECT_FLOAT_EQ(camera().angleY, -10.f);
    player->handleMouseEvent(MouseEvent{centre.x(), centre.y() + 20, MOUSE_BUTTON_NONE, MOUSE_EVENT_DRAGGED});
    EXPECT_FLOAT_EQ(camera().angleX, 80.f);

    player->isReverseMouseYCamera = true;
    player->handleMouseEvent(MouseEvent{centre.x(), centre.y() - 400, MOUSE_BUTTON_NONE, MOUSE_EVENT_MOVED});
    EXPECT_FLOAT_EQ(camera().angleX, -90.f);
}

TEST_F(PlayerTest, ZoomBounds)
{
    auto wheel = [&](int button, int times) {
        for (int i = 0; i < times; i++)
            player->handleMouseEvent(MouseEvent{10, 10, button, MOUSE_EVENT_PRESSED});
    };
    EXPECT_EQ(player->cameraDistance, 30.f);
    player->handleMouseEvent(MouseEvent{10, 10, MOUSE_BUTTON_WHEEL_UP, MOUSE_EVENT_RELEASED});
    EXPECT_EQ(player->cameraDistance, 30.f);  // a step is one press
    wheel(MOUSE_BUTTON_WHEEL_UP, 8);
    EXPECT_EQ(player->cameraDistance, 0.f);
    wheel(MOUSE_BUTTON_WHEEL_DOWN, 20);
    EXPECT_EQ(player->cameraDistance, 90.f);
    player->cameraDistance = 88.f;
    wheel(MOUSE_BUTTON_WHEEL_DOWN, 1);
    EXPECT_EQ(player->cameraDistance, 90.f);
    player->cameraDistance = 2.f;
    wheel(MOUSE_BUTTON_WHEEL_UP, 1);
    EXPECT_EQ(player->cameraDistance, 0.f);

    // The keys step by 5 while above 0 or below 90, without clamping.
    player->cameraDistance = 3.f;
    player->handleKey('O');
    EXPECT_EQ(player->cameraDistance, -2.f);
    player->handleKey('o');
    EXPECT_EQ(player->cameraDistance, -2.f);
    player->cameraDistance = 88.f;
    player->handleKey('p');
    EXPECT_EQ(player->cameraDistance, 93.f);
    player->handleKey('P');
    EXPECT_EQ(player->cameraDistance, 93.f);
}

TEST_F(PlayerTest, StateRecordIs24Bytes)
{
    player->position() = Float3(1.5f, -2.f, 300.f);
    camera().setRotation(Float3(-20.f, 45.f, 0.f));
    player->setMovementType(MVT_TYPE_FLY);
    std::string record;
    player->writeState(record);
    ASSERT_EQ(record.size(), 24u);
    float values[5];
    int32_t type;
    std::memcpy(values, record.data(), 20);
    std::memcpy(&type, record.data() + 20, 4);
    EXPECT_EQ(std::vector<float>(values, values + 5), (std::vector<float>{1.5f, -2.f, 300.f, 45.f, -20.f}));
    EXPECT_EQ(type, MVT_TYPE_FLY);

    // Reading it back restores the position, the movement type and where the camera looked.
    player->position() = Float3(0, 0, 0);
    player->setMovementType(MVT_TYPE_WALK);
    camera().setRotation(Float3(0, 0, 0));
    std::string path = assets.write("state.savegame", record + "rest");
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(player->readState(file));
    EXPECT_EQ(std::ftell(file), 24);
    std::fclose(file);
    EXPECT_EQ(player->position(), Float3(1.5f, -2.f, 300.f));
    EXPECT_EQ(player->mvtType, MVT_TYPE_FLY);
    EXPECT_FLOAT_EQ(camera().angleY, 45.f);
    EXPECT_FLOAT_EQ(camera().angleX, -20.f);
}

// Damaged and hostile records: the player, its movement type and the camera stay as they
// were, and the next move goes on with the old movement type.
TEST_F(PlayerTest, ADamagedStateRecordChangesNothing)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    struct Damage {
        const char* what;
        size_t length;  // bytes of the record kept
        int32_t type;
        float values[5];  // x, y, z, yaw, pitch
    };
    const Damage damages[] = {
        {"cut record", 23, MVT_TYPE_FLY, {1, 2, 3, 4, 5}},
        {"type one past the last", 24, MVT_TYPE_NONE + 1, {1, 2, 3, 4, 5}},
        {"type far too large", 24, 0x7fffffff, {1, 2, 3, 4, 5}},
        {"negative type", 24, -1, {1, 2, 3, 4, 5}},
        {"position not a number", 24, MVT_TYPE_FLY, {1, nan, 3, 4, 5}},
        {"infinite pitch", 24, MVT_TYPE_FLY, {1, 2, 3, 4, -infinity}},
    };
    world.addGround();
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::string record(reinterpret_cast<const char*>(damage.values), 20);
        record.append(reinterpret_cast<const char*>(&damage.type), 4);
        std::string path = assets.write("damaged.savegame", record.substr(0, damage.length));

        player->setMovementType(MVT_TYPE_WALK);
        player->position() = Float3(7.f, 0.f, 7.f);
        camera().setRotation(Float3(10.f, 20.f, 0.f));
        FILE* file = std::fopen(path.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        EXPECT_FALSE(player->readState(file));
        std::fclose(file);
        EXPECT_EQ(player->position(), Float3(7.f, 0.f, 7.f));
        EXPECT_EQ(player->mvtType, MVT_TYPE_WALK);
        EXPECT_FLOAT_EQ(camera().angleY, 20.f);
        EXPECT_FLOAT_EQ(camera().angleX, 10.f);
        player->move(world);  // an unknown type kept would end here in the fatal report
        EXPECT_EQ(player->mvtType, MVT_TYPE_WALK);
    }
}

TEST_F(PlayerTest, UnknownMovementTypeIsFatal)
{
    player->mvtType = 7;
    EXPECT_EXIT(player->move(world), ::testing::ExitedWithCode(1),
                "Player.cpp\n(.|\n)*Condition: mvtType == MVT_TYPE_WALK\n");
}
