// SoundManager: owns every sound of the run, keyed by file name, so that each WAV file
// is loaded once (through ALUT) and the same sound is handed to every caller.
//
// With an audio device, sounds play through OpenAL. Without one (ALUT cannot open a
// device) the manager logs one line saying the game runs silent and goes on: sound files
// are still decoded, so a missing or undecodable WAV is still fatal, but nothing plays
// and isPlaying answers false. Sounds live until the manager is destroyed.
// Depends on: sound/Sound_OpenAL, core/FatalError, OpenAL, ALUT.
#pragma once

#include <map>
#include <string>

#include "sound/Sound_Abstract.h"

class Sound_OpenAL;

class SoundManager {
public:
    // Initialises ALUT with the program name as its only argument.
    explicit SoundManager(const std::string& programName);
    // Destroys every sound, then shuts ALUT down.
    ~SoundManager();
    SoundManager(const SoundManager&) = delete;
    SoundManager& operator=(const SoundManager&) = delete;

    // The sound loaded under exactly that name, loaded now on the first request. A file
    // ALUT cannot load ends the program (condition "false", message name + ": " + ALUT's
    // error text).
    Sound_Abstract* getSound(const std::string& fileName);

    // False when no audio device could be opened.
    bool hasDevice() const { return !silent; }

private:
    Sound_OpenAL* loadSound(const std::string& fileName);
    void openSilentContext();
    void closeSilentContext();

    std::map<std::string, Sound_OpenAL*> sounds;
    bool silent = false;
    // Without an audio device: a device that renders nowhere, and its context, which only
    // serve to decode the files.
    void* silentDevice = nullptr;
    void* silentContext = nullptr;
};
