// Camera quaternions and angles (no GL needed).
#include <gtest/gtest.h>

#include <cmath>

#include "gl/Camera.h"

namespace {

void expectSameQuaternion(const Quaternion& a, const Quaternion& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-6f);
    EXPECT_NEAR(a.y, b.y, 1e-6f);
    EXPECT_NEAR(a.z, b.z, 1e-6f);
    EXPECT_NEAR(a.w, b.w, 1e-6f);
}

}  // namespace

TEST(Camera, PitchIsAppliedInTheCameraFrameAndYawAboutTheWorldVertical)
{
    Camera pitchFirst;
    pitchFirst.rotateX(90.f);
    pitchFirst.rotateY(90.f);
    Camera yawFirst;
    yawFirst.rotateY(90.f);
    yawFirst.rotateX(90.f);
    for (const Camera* camera : {&pitchFirst, &yawFirst}) {
        EXPECT_FLOAT_EQ(camera->angleX, 90.f);
        EXPECT_FLOAT_EQ(camera->angleY, 90.f);
    }
    float s = std::sqrt(0.5f);
    Quaternion yaw = quaternionFromAxisAngle(Float3(0.f, 1.f, 0.f), 90.f * degreesToRadians);
    Quaternion pitch = quaternionFromAxisAngle(Float3(1.f, 0.f, 0.f), 90.f * degreesToRadians);
    expectSameQuaternion(yaw, Quaternion{0.f, s, 0.f, s});
    // Pitch multiplies on the right, yaw on the left: both orders give yaw * pitch.
    expectSameQuaternion(pitchFirst.orientation, quaternionProduct(yaw, pitch));
    expectSameQuaternion(yawFirst.orientation, quaternionProduct(yaw, pitch));

    // Whereas the products themselves do not commute.
    Quaternion other = quaternionProduct(pitch, yaw);
    EXPECT_GT(std::fabs(other.z - pitchFirst.orientation.z), 0.5f);
}

TEST(Camera, SetAngleUndoesTheAccumulatedTurn)
{
    Camera camera;
    camera.rotateY(12.f);
    camera.rotateY(-50.f);
    camera.rotateX(20.f);
    camera.setAngleY(30.f);
    EXPECT_FLOAT_EQ(camera.angleY, 30.f);
    camera.rotateY(10.f);
    EXPECT_FLOAT_EQ(camera.angleY, 40.f);
    camera.setAngleX(-5.f);
    EXPECT_FLOAT_EQ(camera.angleX, -5.f);

    Camera direct;
    direct.rotateX(-5.f);
    direct.rotateY(40.f);
    expectSameQuaternion(camera.orientation, direct.orientation);
}

TEST(Camera, QuaternionToMatrixRotatesLikeOpenGL)
{
    float m[16];
    quaternionToMatrix(quaternionFromAxisAngle(Float3(0.f, 0.f, 2.f), 90.f * degreesToRadians), m);
    // A quarter turn about +Z takes +X to +Y: first column (0, 1, 0, 0).
    EXPECT_NEAR(m[0], 0.f, 1e-6f);
    EXPECT_NEAR(m[1], 1.f, 1e-6f);
    EXPECT_NEAR(m[4], -1.f, 1e-6f);
    EXPECT_NEAR(m[10], 1.f, 1e-6f);
    EXPECT_EQ(m[15], 1.f);
    EXPECT_EQ(m[3], 0.f);
    EXPECT_EQ(m[12], 0.f);
}

TEST(CameraDeathTest, SetRotationRejectsRoll)
{
    Camera camera;
    camera.setRotation(Float3(10.f, 20.f, 0.f));
    EXPECT_FLOAT_EQ(camera.angleX, 10.f);
    EXPECT_FLOAT_EQ(camera.angleY, 20.f);
    EXPECT_EXIT(camera.setRotation(Float3(0.f, 0.f, 1.f)), ::testing::ExitedWithCode(1),
                "Condition: rot.z\\(\\) == 0.f");
}
