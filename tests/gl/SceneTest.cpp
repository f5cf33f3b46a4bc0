// The 3D scene against the real GL state: camera placement, view matrix, fog, lights,
// camera turning; texture upload and colours of the GL manager.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <vector>

#include "GLTestWindow.h"
#include "gl/DeviceManager.h"
#include "gl/Scene3D.h"

namespace {

class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        openGLTestWindow();
        scene = GLManager::scene3D;
        scene->camera.setRotation(Float3(0.f, 0.f, 0.f));
    }
    Scene3D* scene = nullptr;
};

}  // namespace

TEST_F(SceneTest, PlaceCameraPutsTheViewerBehindTheTarget)
{
    Float3 target(5.f, 2.f, -7.f);
    scene->placeCamera(target, 0.f);
    EXPECT_EQ(scene->camera.position, target);

    scene->placeCamera(target, 30.f);
    EXPECT_NEAR(scene->camera.position.x(), 5.f, 1e-4f);
    EXPECT_NEAR(scene->camera.position.y(), 2.f, 1e-4f);
    EXPECT_NEAR(scene->camera.position.z(), 23.f, 1e-4f);
    // The view matrix read back is the translation by -position (no rotation).
    EXPECT_NEAR(scene->viewMatrix[12], -5.f, 1e-4f);
    EXPECT_NEAR(scene->viewMatrix[14], -23.f, 1e-4f);
    EXPECT_NEAR(scene->viewMatrix[0], 1.f, 1e-6f);

    // Turned left by 90 degrees the camera looks along -X, so it sits at +X of the target.
    scene->camera.setAngleY(90.f);
    scene->placeCamera(target, 30.f);
    EXPECT_NEAR(scene->camera.position.x(), 35.f, 1e-3f);
    EXPECT_NEAR(scene->camera.position.z(), -7.f, 1e-3f);
    // Looking down by 90 degrees puts it straight above.
    scene->camera.setRotation(Float3(-90.f, 0.f, 0.f));
    scene->placeCamera(target, 30.f);
    EXPECT_NEAR(scene->camera.position.y(), 32.f, 1e-3f);
}

TEST_F(SceneTest, FogStartsAtThreeQuartersOfItsDistance)
{
    scene->setFog(255, 0, 128, 255, 200.f);
    GLfloat start, end, colour[4];
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    glGetFloatv(GL_FOG_COLOR, colour);
    EXPECT_FLOAT_EQ(start, 150.f);
    EXPECT_FLOAT_EQ(end, 200.f);
    EXPECT_FLOAT_EQ(colour[0], 0.99609375f);
    EXPECT_FLOAT_EQ(colour[2], 0.5f);
    EXPECT_FLOAT_EQ(scene->fogDistance, 200.f);
    glDisable(GL_FOG);
}

TEST_F(SceneTest, LightAttenuationFollowsTheRange)
{
    const struct {
        float range;
        float linear;
        float quadratic;
    } cases[] = {{50.f, 0.02f, 0.00005f}, {0.f, 0.f, 0.f}, {-1.f, 0.f, 0.f}};
    for (const auto& c : cases) {
        scene->lightEnabled[1] = true;
        scene->lightRanges[1] = c.range;
        scene->setupProjection3D();
        GLfloat constant, linear, quadratic;
        glGetLightfv(GL_LIGHT1, GL_CONSTANT_ATTENUATION, &constant);
        glGetLightfv(GL_LIGHT1, GL_LINEAR_ATTENUATION, &linear);
        glGetLightfv(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, &quadratic);
        EXPECT_FLOAT_EQ(constant, 1.f) << c.range;
        EXPECT_FLOAT_EQ(linear, c.linear) << c.range;
        EXPECT_FLOAT_EQ(quadratic, c.quadratic) << c.range;
    }
    scene->lightEnabled[1] = false;
    scene->lightRanges[1] = 1.f;
}

TEST_F(SceneTest, TurnCameraTowardsTakesTheShortWayRound)
{
    scene->camera.setAngleY(170.f);
    GLManager::periodDuration = 50000;  // half of the way per call
    scene->turnCameraTowards(0.f, -170.f, 0.f);
    // 170 to -170 is 20 degrees through 180, not 340 back through 0.
    EXPECT_FLOAT_EQ(scene->camera.angleY, -180.f);
    GLManager::periodDuration = 100000;  // a long frame reaches the target at once
    scene->turnCameraTowards(10.f, -170.f, 0.f);
    EXPECT_FLOAT_EQ(scene->camera.angleY, -170.f);
    EXPECT_FLOAT_EQ(scene->camera.angleX, 10.f);
    // A roll target is ignored: the camera has no roll.
    scene->turnCameraTowards(10.f, -170.f, 45.f);
    EXPECT_FLOAT_EQ(scene->camera.angleX, 10.f);
}

TEST_F(SceneTest, DragCameraTurnsOneDegreePerPixel)
{
    scene->dragCamera(Int2(100, 100), false);
    EXPECT_FLOAT_EQ(scene->camera.angleY, 0.f);
    scene->dragCamera(Int2(90, 104), true);
    EXPECT_FLOAT_EQ(scene->camera.angleY, 10.f);
    EXPECT_FLOAT_EQ(scene->camera.angleX, -4.f);
    EXPECT_EQ(scene->lastMousePosition, Int2(90, 104));
}

TEST(TextureTest, UploadsRGBOrRGBAWithEveryMipmapLevel)
{
    openGLTestWindow();
    for (bool alpha : {false, true}) {
        std::vector<unsigned char> pixels(8 * 4 * (alpha ? 4 : 3), 200);
        unsigned int texture = GLManager::createTexture(pixels.data(), 8, 4, alpha);
        GLint bound, internalFormat, lastLevelWidth;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internalFormat);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 3, GL_TEXTURE_WIDTH, &lastLevelWidth);
        EXPECT_EQ((unsigned int)bound, texture);
        EXPECT_EQ(internalFormat, alpha ? GL_RGBA : GL_RGB);
        EXPECT_EQ(lastLevelWidth, 1);
        GLuint name = texture;
        glDeleteTextures(1, &name);
    }
}

TEST(ColourTest, CurrentColourIsTruncatedToBytes)
{
    openGLTestWindow();
    glColor4f(1.f, 0.5f, 0.999f, 0.f);
    ColorBytes colour = GLManager::getCurrentColor();
    EXPECT_EQ(colour.r, 255);
    EXPECT_EQ(colour.g, 127);
    EXPECT_EQ(colour.b, 254);
    EXPECT_EQ(colour.a, 0);
    glColor4f(1.f, 1.f, 1.f, 1.f);
}

TEST(GLManagerDeathTest, BadCallsEndInTheirReports)
{
    EXPECT_EXIT(GLManager::createTexture(nullptr, 4, 4, false), ::testing::ExitedWithCode(1),
                "Condition: data != NULL");
    EXPECT_EXIT(
        {
            openGLTestWindow();
            DeviceManager::create("again", "", 800, 600, false);
        },
        ::testing::ExitedWithCode(1), "Condition: deviceManager == NULL");
    EXPECT_EXIT(
        {
            openGLTestWindow();
            DeviceManager::destroy();
            DeviceManager::destroy();
        },
        ::testing::ExitedWithCode(1), "Condition: deviceManager != NULL");
}
