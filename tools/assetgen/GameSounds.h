// GameSounds: the demo's sounds, synthesised and written as 16-bit PCM mono WAV files
// at 22050 Hz.
//
// "sound/walk.wav" (two soft footsteps on grass, the player replays it while walking),
// "sound/jump.wav" (a rising chirp), and the game's own: "sound/pickup.wav" (a bell
// chime for a collected gem), "sound/save.wav" and "sound/load.wav" (rising and falling
// arpeggios), "sound/splash.wav", "sound/whoosh.wav" (taking off to fly) and
// "sound/click.wav" (a short tick).
//
// Depends on: AssetOutput, Noise.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

class AssetOutput;

class GameSounds {
public:
    static constexpr int sampleRate = 22050;

    // The bytes of a WAV file holding the samples (-1..1, clipped).
    static std::string wavFile(const std::vector<float>& samples);

    static void generate(AssetOutput& output);
};

}  // namespace assetgen
