// ObjModel: the Object3D that draws one model of the model cache (an OBJ file with its
// materials, compiled into a display list) and answers segment collisions against its
// triangles, in the model's own coordinates.
// Depends on: model/Object3D, model/ModelCache.
#pragma once

#include <string>

#include "model/Object3D.h"

class ObjModel : public Object3D {
public:
    // Gets the file from the model cache (loaded on the first request; later requests
    // keep the first load's scale and weld distance). An empty name is fatal.
    ObjModel(const std::string& parFilename, float parScale, float parWeldDistance);
    ~ObjModel() override;
    ObjModel(const ObjModel&) = delete;
    ObjModel& operator=(const ObjModel&) = delete;

    // True when the segment crosses one of the triangles (stored order, first crossing);
    // out receives the crossing point.
    bool collide(const Float3& start, const Float3& end, Float3& out) override;
    // Calls the model's display list.
    void draw() override;

    int getCacheIndex() const { return cacheIndex; }

private:
    int cacheIndex;
};
