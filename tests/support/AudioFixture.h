// AudioFixture: WAV files made by the tests, the OpenAL Soft configuration that routes
// a test's audio into a WAV file (or nowhere), and reading back what was captured.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a 16-bit mono PCM WAV file: a square wave of the given amplitude.
std::string makeSquareWav(int sampleRate, int nbSamples, int amplitude);

// The text of an OpenAL Soft configuration file: the given drivers; with "wave", every
// sound played is written into wavePath as 16-bit stereo at 44100 Hz.
std::string openalConfig(const std::string& drivers, const std::string& wavePath = "");

struct CapturedAudio {
    int channels = 0;
    int sampleRate = 0;
    std::vector<int16_t> samples;  // interleaved
};

// Reads a 16-bit PCM WAV file (plain or extensible header); false when it is not one.
bool readCapturedAudio(const std::string& path, CapturedAudio& audio);
