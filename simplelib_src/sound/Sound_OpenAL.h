// Sound_OpenAL: a sound held as one OpenAL buffer attached to one OpenAL source. The
// source and the listener sit at the origin, so sound is not spatialised.
//
// A sound made while the sound manager runs silent (no audio device) has a buffer (its
// file was decoded) but no source: playing it does nothing and it never plays.
// Depends on: sound/Sound_Abstract, OpenAL.
#pragma once

#include "sound/Sound_Abstract.h"

class Sound_OpenAL : public Sound_Abstract {
public:
    // Takes ownership of both names; a source of 0 makes a silent sound.
    Sound_OpenAL(unsigned int parBuffer, unsigned int parSource);
    ~Sound_OpenAL() override;
    Sound_OpenAL(const Sound_OpenAL&) = delete;
    Sound_OpenAL& operator=(const Sound_OpenAL&) = delete;

    void play(bool wait) override;
    void placeSource(unsigned char value) override;
    bool isPlaying() override;

private:
    unsigned int buffer;
    unsigned int source;
};
