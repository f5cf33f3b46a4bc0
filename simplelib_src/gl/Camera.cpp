#include "gl/Camera.h"

#include <cmath>

#include "core/FatalError.h"

Quaternion quaternionFromAxisAngle(Float3 axis, float radians)
{
    axis.normalize();
    float s = std::sin(radians / 2.f);
    Quaternion q;
    q.x = axis.x() * s;
    q.y = axis.y() * s;
    q.z = axis.z() * s;
    q.w = std::cos(radians / 2.f);
    return q;
}

Quaternion quaternionProduct(const Quaternion& p, const Quaternion& q)
{
    Quaternion r;
    r.w = p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z;
    r.x = p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y;
    r.y = p.w * q.y - p.x * q.z + p.y * q.w + p.z * q.x;
    r.z = p.w * q.z + p.x * q.y - p.y * q.x + p.z * q.w;
    return r;
}

void quaternionToMatrix(const Quaternion& q, float m[16])
{
    float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
    float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
    float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
    // Column 0
    m[0] = 1.f - 2.f * (yy + zz);
    m[1] = 2.f * (xy + wz);
    m[2] = 2.f * (xz - wy);
    m[3] = 0.f;
    // Column 1
    m[4] = 2.f * (xy - wz);
    m[5] = 1.f - 2.f * (xx + zz);
    m[6] = 2.f * (yz + wx);
    m[7] = 0.f;
    // Column 2
    m[8] = 2.f * (xz + wy);
    m[9] = 2.f * (yz - wx);
    m[10] = 1.f - 2.f * (xx + yy);
    m[11] = 0.f;
    // Column 3
    m[12] = 0.f;
    m[13] = 0.f;
    m[14] = 0.f;
    m[15] = 1.f;
}

void Camera::rotateX(float degrees)
{
    Quaternion r = quaternionFromAxisAngle(Float3(1.f, 0.f, 0.f), degrees * degreesToRadians);
    orientation = quaternionProduct(orientation, r);
    angleX += degrees;
}

void Camera::rotateY(float degrees)
{
    Quaternion r = quaternionFromAxisAngle(Float3(0.f, 1.f, 0.f), degrees * degreesToRadians);
    orientation = quaternionProduct(r, orientation);
    angleY += degrees;
}

void Camera::setAngleX(float degrees)
{
    rotateX(-angleX);
    angleX = 0.f;
    rotateX(degrees);
}

void Camera::setAngleY(float degrees)
{
    rotateY(-angleY);
    angleY = 0.f;
    rotateY(degrees);
}

void Camera::setRotation(Float3 rot)
{
    orientation = Quaternion();
    angleX = 0.f;
    angleY = 0.f;
    rotateX(rot.x());
    rotateY(rot.y());
    ASSERT(rot.z() == 0.f, "Camera::setRotation : only pitch and yaw");
}
