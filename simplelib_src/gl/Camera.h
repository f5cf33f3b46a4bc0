// Camera: where the viewer is and where it looks.
//
// The orientation is a unit quaternion; next to it the camera keeps the two accumulated
// angles (degrees) that the player, the editor and the save files work with. With both
// angles 0 the camera looks along -Z with Y up; angleY grows when turning left, angleX
// when looking up. Pitch is applied in the camera's own frame, yaw about the world's
// vertical axis. The orientation is never renormalised.
//
// Depends on: core/BasicVector, core/FatalError.
#pragma once

#include "core/BasicVector.h"

// A quaternion (x, y, z, w); identity is (0, 0, 0, 1).
struct Quaternion {
    float x = 0.f, y = 0.f, z = 0.f, w = 1.f;
};

// The axis is normalised; the result is (axis * sin(a/2), cos(a/2)).
Quaternion quaternionFromAxisAngle(Float3 axis, float radians);
// The Hamilton product p * q.
Quaternion quaternionProduct(const Quaternion& p, const Quaternion& q);
// The 4x4 rotation matrix of a unit quaternion, in OpenGL's column order.
void quaternionToMatrix(const Quaternion& q, float matrix[16]);

// Degrees to radians, pi/180 in single precision.
const float degreesToRadians = 0.01745329238474369f;

class Camera {
public:
    Float3 position = Float3(0.f, 0.f, 0.f);
    Quaternion orientation;
    float angleX = 0.f;  // accumulated pitch, degrees
    float angleY = 0.f;  // accumulated yaw, degrees

    void rotateX(float degrees);
    void rotateY(float degrees);
    // Undo the accumulated angle, then turn to the requested one.
    void setAngleX(float degrees);
    void setAngleY(float degrees);
    // Identity, then pitch rot.x, then yaw rot.y; rot.z must be 0.
    void setRotation(Float3 rot);
};
