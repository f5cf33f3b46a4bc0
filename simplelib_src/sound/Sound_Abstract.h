// Sound_Abstract: a sound that can be played, as the player and the script see it.
// The operations keep this order: play, placeSource, isPlaying, the destructor.
// Sounds belong to the SoundManager; users never delete them.
#pragma once

class Sound_Abstract {
public:
    // Starts playing from the beginning (a playing sound restarts); with wait, returns
    // only once the sound has stopped.
    virtual void play(bool wait) = 0;
    // Moves the source along the X axis to 2025500 - 100 * value.
    virtual void placeSource(unsigned char value) = 0;
    // True while playing or paused.
    virtual bool isPlaying() = 0;
    virtual ~Sound_Abstract() = default;
};
