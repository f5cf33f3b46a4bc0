// Animated3DModel: a sequence of ObjModel frames shown one after the other at a fixed
// pace, between a first and a last frame index. Scripts use it for every model they load
// (even single-frame ones); the player's figure is one with five frames.
//
// The frame only advances while the model is drawn, at most one frame per draw, on the
// millisecond clock. frameDuration, currentFrame, countUp and isPlaying are set directly
// by the script API and the player. collide forwards to the frame shown.
// Depends on: model/ObjModel, model/Object3D, platform/Clock (getTimeMs).
#pragma once

#include <string>
#include <vector>

#include "model/ObjModel.h"

class Animated3DModel : public Object3D {
public:
    // One ObjModel per file name, in order, with that scale and no welding.
    Animated3DModel(const std::vector<std::string>& fileNames, float scale);
    ~Animated3DModel() override;
    Animated3DModel(const Animated3DModel&) = delete;
    Animated3DModel& operator=(const Animated3DModel&) = delete;

    // Requires 0 <= idFrameMin < idFrameMax < number of frames; a current frame outside
    // the new range becomes idFrameMin.
    void setAnimationRange(int idFrameMin, int idFrameMax);

    // Forwards to the frame shown.
    bool collide(const Float3& start, const Float3& end, Float3& out) override;
    // Steps the animation when due (one frame at most), then draws the frame shown.
    void draw() override;

    std::vector<ObjModel*> frames;
    int idFrameMin = 0;
    int idFrameMax = 0;
    int nextFrameTime = 0;  // milliseconds
    int currentFrame = 0;
    int frameDuration = 500;  // milliseconds
    bool countUp = false;
    bool isPlaying = true;

    // The animation step of draw at the given time (milliseconds).
    void stepAnimation(int now);
};
