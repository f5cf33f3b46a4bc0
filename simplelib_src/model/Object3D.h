// Object3D: the base of everything that has a place in the 3D world, can be drawn and
// can be asked about collisions (static OBJ models, animated models, the world scene).
//
// The player moves by asking the world these questions; scripts place and draw models
// through it. The operations keep this order: isInside, collide, intersect, the
// destructor, draw. Depends on: core/BasicVector.
#pragma once

#include "core/BasicVector.h"

class Object3D {
public:
    Object3D() : position(0.f, 0.f, 0.f) {}

    // Whether the point lies inside the object. Default: never.
    virtual bool isInside(const Float3& point);
    // Whether moving from start to end hits the object; on a hit, out receives a point
    // whose meaning depends on the object (the world gives back start, a model the crossing).
    virtual bool collide(const Float3& start, const Float3& end, Float3& out) = 0;
    // A third three-point query, answered only by the world scene. Default: no hit.
    virtual bool intersect(const Float3& a, const Float3& b, Float3& out);
    virtual ~Object3D() = default;
    // Draws in the current modelview matrix.
    virtual void draw() = 0;

    // World units; callers translate to it before drawing.
    Float3 position;
};
