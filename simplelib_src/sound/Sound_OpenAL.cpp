#include "sound/Sound_OpenAL.h"

#include <AL/al.h>

#include "platform/Clock.h"

// How often a waiting play looks whether the sound has ended.
static const int waitPollMs = 10;

Sound_OpenAL::Sound_OpenAL(unsigned int parBuffer, unsigned int parSource) : buffer(parBuffer), source(parSource)
{
}

Sound_OpenAL::~Sound_OpenAL()
{
    // A buffer still attached to a source cannot be deleted: detach it first.
    if (source != 0) {
        alSourceStop(source);
        alSourcei(source, AL_BUFFER, 0);
    }
    if (buffer != 0)
        alDeleteBuffers(1, &buffer);
    if (source != 0)
        alDeleteSources(1, &source);
}

void Sound_OpenAL::play(bool wait)
{
    if (source == 0)
        return;
    alSourcePlay(source);
    if (!wait)
        return;
    ALint state = AL_PLAYING;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    while (state != AL_STOPPED) {
        Clock::sleepMs(waitPollMs);
        alGetSourcei(source, AL_SOURCE_STATE, &state);
    }
}

void Sound_OpenAL::placeSource(unsigned char value)
{
    if (source != 0)
        alSource3f(source, AL_POSITION, 2025500.f - 100.f * value, 0.f, 0.f);
}

bool Sound_OpenAL::isPlaying()
{
    if (source == 0)
        return false;
    ALint state = AL_INITIAL;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state != AL_STOPPED && state != AL_INITIAL;
}
