#include "model/Object3D.h"

bool Object3D::isInside(const Float3&)
{
    return false;
}

bool Object3D::intersect(const Float3&, const Float3&, Float3&)
{
    return false;
}
