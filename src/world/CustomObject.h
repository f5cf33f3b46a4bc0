// CustomObject: the record of one script object placed in the world.
//
// A point with an object type number and two numbers that belong to the script. Regions
// hold these records by value (world/WorldRegion); the world file keeps only the position
// and the type, so both local variables are 0 after loading. Running an object's type
// script each frame and drawing it are the script host's work: the region index reaches
// it through its ObjectRunner (world/WorldIndexator).
//
// Depends on: core/BasicVector.
#pragma once

#include <cstdint>

#include "core/BasicVector.h"

struct CustomObject {
    Float3 position = Float3(0.f, 0.f, 0.f);
    int32_t type = 0;
    float localVariable1 = 0.f;
    float localVariable2 = 0.f;
};
