// Scene3D: the 3D pass.
//
// Sets up the perspective projection and the render states of the 3D pass, places the
// camera (around a target, or turned towards angles for the editor), keeps the material,
// up to eight light slots and the fog. The view matrix read back after placing the camera
// lets other modules draw in world space.
//
// Depends on: OpenGL and GLU, gl/Camera, gl/GLManager (frame period).
#pragma once

#include "core/BasicVector.h"
#include "gl/Camera.h"

class GLUquadric;

class Scene3D {
public:
    static const int nbLights = 8;

    Scene3D();
    ~Scene3D();
    Scene3D(const Scene3D&) = delete;
    Scene3D& operator=(const Scene3D&) = delete;

    // Render states, projection, view (camera), view matrix read-back, light parameters.
    void setupProjection3D();
    // The camera on a sphere of this radius around the target, behind its viewing
    // direction, then setupProjection3D. Distance 0 is a first-person view.
    void placeCamera(Float3 target, float distance);
    // Linear fog complete at the distance, starting at three quarters of it.
    void setFog(unsigned char r, unsigned char g, unsigned char b, unsigned char a, float distance);
    // Moves the camera's angles part of the way to the target (all of it after 100 ms).
    // The camera has no roll: a Z target is ignored.
    void turnCameraTowards(float targetAngleX, float targetAngleY, float targetAngleZ);
    // While dragging, one degree of turn per pixel the mouse moved since the last call.
    void dragCamera(Int2 mouse, bool dragging);

    float fieldOfView = 110.f;
    bool lightingEnabled = false;
    GLUquadric* quadric = nullptr;
    Int2 lastMousePosition = Int2(0, 0);
    float aspectRatio = 4.f / 3.f;
    float viewMatrix[16] = {};
    float lightPositions[nbLights][4];
    bool lightEnabled[nbLights];
    float lightRanges[nbLights];  // 0 or less: no distance attenuation
    float farPlane = 10000.f;
    Camera camera;
    float fogDistance = 150.f;

    static constexpr float nearPlane = 0.1f;
};
