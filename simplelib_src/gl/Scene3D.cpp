#include "gl/Scene3D.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include "gl/GLManager.h"

// The material and the light colours of the 3D pass.
static const GLfloat materialDiffuse[4] = {0.8f, 0.8f, 0.8f, 0.8f};
static const GLfloat materialSpecular[4] = {1.f, 1.f, 1.f, 1.f};
static const GLfloat materialAmbient[4] = {0.5f, 0.5f, 0.5f, 1.f};
static const GLfloat materialShininess = 20.f;
static const GLfloat globalAmbient[4] = {0.5f, 0.5f, 0.5f, 1.f};
static const float quadraticAttenuation = 0.00005f;
static const float halfPi = 1.5707963705062866f;

Scene3D::Scene3D()
{
    for (int i = 0; i < nbLights; i++) {
        lightPositions[i][0] = lightPositions[i][1] = lightPositions[i][2] = 0.f;
        lightPositions[i][3] = 1.f;
        lightEnabled[i] = false;
        lightRanges[i] = 1.f;
    }
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);

    quadric = gluNewQuadric();
    gluQuadricTexture(quadric, GL_TRUE);
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricOrientation(quadric, GLU_INSIDE);

    glMaterialfv(GL_FRONT, GL_DIFFUSE, materialDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
    glMaterialfv(GL_FRONT, GL_AMBIENT, materialAmbient);
    glMaterialf(GL_FRONT, GL_SHININESS, materialShininess);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, globalAmbient);
    for (int i = 0; i < nbLights; i++)
        glDisable(GL_LIGHT0 + i);
}

Scene3D::~Scene3D() { gluDeleteQuadric(quadric); }

void Scene3D::setupProjection3D()
{
    if (lightingEnabled) {
        glEnable(GL_LIGHTING);
        gluQuadricNormals(quadric, GLU_FLAT);
    } else {
        glDisable(GL_LIGHTING);
        gluQuadricNormals(quadric, GLU_NONE);
    }
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glCullFace(GL_BACK);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_BACK, GL_LINE);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fieldOfView, aspectRatio, nearPlane, farPlane);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Quaternion conjugate = camera.orientation;
    conjugate.x = -conjugate.x;
    conjugate.y = -conjugate.y;
    conjugate.z = -conjugate.z;
    float rotation[16];
    quaternionToMatrix(conjugate, rotation);
    glMultMatrixf(rotation);
    glTranslatef(-camera.position.x(), -camera.position.y(), -camera.position.z());
    glGetFloatv(GL_MODELVIEW_MATRIX, viewMatrix);

    for (int i = 0; i < nbLights; i++) {
        if (!lightEnabled[i])
            continue;
        GLenum light = GL_LIGHT0 + i;
        bool attenuated = lightRanges[i] > 0.f;
        glLightf(light, GL_CONSTANT_ATTENUATION, 1.f);
        glLightf(light, GL_LINEAR_ATTENUATION, attenuated ? 1.f / lightRanges[i] : 0.f);
        glLightf(light, GL_QUADRATIC_ATTENUATION, attenuated ? quadraticAttenuation : 0.f);
        glLightfv(light, GL_DIFFUSE, materialDiffuse);
        glLightfv(light, GL_SPECULAR, materialSpecular);
        glLightfv(light, GL_AMBIENT, materialAmbient);
    }
    for (int i = 0; i < nbLights; i++)
        if (lightEnabled[i])
            glLightfv(GL_LIGHT0 + i, GL_POSITION, lightPositions[i]);
}

void Scene3D::placeCamera(Float3 target, float distance)
{
    camera.position = target;
    float theta = halfPi + camera.angleX * degreesToRadians;
    float phi = halfPi - camera.angleY * degreesToRadians;
    camera.position += sphericalToCartesian(distance, theta, phi);
    setupProjection3D();
}

void Scene3D::setFog(unsigned char r, unsigned char g, unsigned char b, unsigned char a, float distance)
{
    fogDistance = distance;
    glEnable(GL_FOG);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, distance * 3.f * 0.25f);
    glFogf(GL_FOG_END, distance);
    glFogf(GL_FOG_DENSITY, 0.35f);
    // Divided by 256: full intensity gives 0.99609375.
    const GLfloat colour[4] = {r / 256.f, g / 256.f, b / 256.f, a / 256.f};
    glFogfv(GL_FOG_COLOR, colour);
}

// An angle difference brought into [-180, 180].
static float wrapDifference(float difference)
{
    if (difference > 180.f)
        difference -= 360.f;
    if (difference < -180.f)
        difference += 360.f;
    return difference;
}

void Scene3D::turnCameraTowards(float targetAngleX, float targetAngleY, float targetAngleZ)
{
    (void)targetAngleZ;  // no roll
    float dx = wrapDifference(camera.angleX - targetAngleX);
    float dy = wrapDifference(camera.angleY - targetAngleY);
    float k = (float)GLManager::periodDuration / 100000.f;
    if (k > 1.f)
        k = 1.f;
    camera.setRotation(Float3(targetAngleX + dx - dx * k, targetAngleY + dy - dy * k, 0.f));
}

void Scene3D::dragCamera(Int2 mouse, bool dragging)
{
    if (dragging) {
        camera.rotateX((float)(lastMousePosition.y() - mouse.y()));
        camera.rotateY((float)(lastMousePosition.x() - mouse.x()));
    }
    lastMousePosition = mouse;
}
