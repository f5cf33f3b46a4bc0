#include "model/Animated3DModel.h"

#include "core/FatalError.h"
#include "platform/Clock.h"

Animated3DModel::Animated3DModel(const std::vector<std::string>& fileNames, float scale)
{
    for (const std::string& name : fileNames)
        frames.push_back(new ObjModel(name, scale, 0.f));
    idFrameMax = (int)frames.size() - 1;
}

Animated3DModel::~Animated3DModel()
{
    for (ObjModel* frame : frames)
        delete frame;
    frames.clear();
}

// The range check compares the signed index with the frame count, as the report states it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"
void Animated3DModel::setAnimationRange(int idFrameMin, int idFrameMax)
{
    ASSERT(idFrameMin < idFrameMax && idFrameMin >= 0, "Animated3DModel::setAnimationRange : bad frame range");
    ASSERT(idFrameMax < frames.size(), "Animated3DModel::setAnimationRange : frame beyond the last one");
    this->idFrameMin = idFrameMin;
    this->idFrameMax = idFrameMax;
    if (currentFrame < idFrameMin || currentFrame > idFrameMax)
        currentFrame = idFrameMin;
}
#pragma GCC diagnostic pop

bool Animated3DModel::collide(const Float3& start, const Float3& end, Float3& out)
{
    return frames[currentFrame]->collide(start, end, out);
}

void Animated3DModel::stepAnimation(int now)
{
    if (!(now > nextFrameTime && isPlaying))
        return;
    nextFrameTime = now + frameDuration;
    if (countUp) {
        if (++currentFrame > idFrameMax)
            currentFrame = idFrameMin;
    } else {
        if (--currentFrame < idFrameMin)
            currentFrame = idFrameMax;
    }
}

void Animated3DModel::draw()
{
    stepAnimation(getTimeMs());
    frames[currentFrame]->draw();
}
