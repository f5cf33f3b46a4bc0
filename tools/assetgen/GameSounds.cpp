#include "GameSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "AssetOutput.h"
#include "Noise.h"

namespace assetgen {

namespace {

constexpr float pi = 3.14159265f;
constexpr float rate = float(GameSounds::sampleRate);

std::vector<float> silence(float seconds) { return std::vector<float>(size_t(seconds * rate), 0.f); }

// Adds a sound into a buffer at a start time, growing it when needed.
void mixInto(std::vector<float>& buffer, const std::vector<float>& sound, float at, float gain = 1.f)
{
    size_t start = size_t(at * rate);
    if (buffer.size() < start + sound.size()) buffer.resize(start + sound.size(), 0.f);
    for (size_t i = 0; i < sound.size(); i++) buffer[start + i] += sound[i] * gain;
}

// A one-pole low-pass filter with a cut-off in hertz.
void lowPass(std::vector<float>& samples, float cutoff)
{
    float k = 1.f - std::exp(-2.f * pi * cutoff / rate), state = 0.f;
    for (float& s : samples) s = state += k * (s - state);
}

// Scales the samples so that the loudest reaches the peak.
void normalise(std::vector<float>& samples, float peak)
{
    float loudest = 0.f;
    for (float s : samples) loudest = std::fmax(loudest, std::fabs(s));
    if (loudest > 0.f)
        for (float& s : samples) s *= peak / loudest;
}

// A short fade at both ends keeps the sound free of clicks.
void fadeEnds(std::vector<float>& samples)
{
    size_t n = std::min(samples.size() / 2, size_t(rate * 0.004f));
    for (size_t i = 0; i < n; i++) {
        float k = float(i) / n;
        samples[i] *= k;
        samples[samples.size() - 1 - i] *= k;
    }
}

std::vector<float> footstep(uint32_t seed)
{
    Random random(seed);
    std::vector<float> s = silence(0.16f);
    for (size_t i = 0; i < s.size(); i++) {
        float t = i / rate;
        float crunch = random.range(-1.f, 1.f) * std::exp(-t * 38.f);
        float thump = std::sin(2 * pi * 95.f * t) * std::exp(-t * 45.f);
        s[i] = crunch * 0.7f + thump * 0.8f;
    }
    lowPass(s, 1800.f);
    return s;
}

std::vector<float> walk()
{
    std::vector<float> s = silence(0.5f);
    mixInto(s, footstep(1), 0.0f);
    mixInto(s, footstep(2), 0.25f, 0.85f);
    normalise(s, 0.6f);
    return s;
}

std::vector<float> jump()
{
    std::vector<float> s = silence(0.28f);
    float phase = 0.f;
    for (size_t i = 0; i < s.size(); i++) {
        float t = i / rate, u = t / 0.28f;
        float frequency = 320.f + 560.f * u * u;
        phase += 2 * pi * frequency / rate;
        float tone = std::sin(phase) + 0.35f * std::sin(2 * phase) + 0.15f * std::sin(3 * phase);
        float envelope = std::fmin(1.f, t * 120.f) * (1.f - u) * (1.f - u);
        s[i] = tone * envelope;
    }
    normalise(s, 0.7f);
    return s;
}

// A bell: a few inharmonic partials, each decaying at its own pace.
std::vector<float> bell(float frequency, float seconds)
{
    const float partials[4][3] = {{1.f, 1.f, 5.f}, {2.76f, 0.45f, 8.f}, {5.4f, 0.25f, 12.f}, {2.f, 0.3f, 6.f}};
    std::vector<float> s = silence(seconds);
    for (size_t i = 0; i < s.size(); i++) {
        float t = i / rate, v = 0.f;
        for (const auto& p : partials) v += p[1] * std::sin(2 * pi * frequency * p[0] * t) * std::exp(-t * p[2]);
        s[i] = v * std::fmin(1.f, t * 400.f);
    }
    return s;
}

std::vector<float> pickup()
{
    std::vector<float> s = silence(0.6f);
    mixInto(s, bell(1318.5f, 0.5f), 0.f);   // E6
    mixInto(s, bell(1975.5f, 0.5f), 0.08f); // B6
    normalise(s, 0.6f);
    return s;
}

std::vector<float> arpeggio(const std::vector<float>& notes)
{
    std::vector<float> s = silence(0.6f);
    for (size_t n = 0; n < notes.size(); n++) mixInto(s, bell(notes[n], 0.4f), 0.09f * n, 0.8f);
    normalise(s, 0.55f);
    return s;
}

std::vector<float> splash()
{
    Random random(7);
    std::vector<float> s = silence(0.7f);
    for (size_t i = 0; i < s.size(); i++) {
        float t = i / rate;
        float body = random.range(-1.f, 1.f) * std::exp(-t * 6.f) * std::fmin(1.f, t * 60.f);
        float bubbles = std::sin(2 * pi * (600.f + 900.f * std::fmod(t * 7.f, 1.f)) * t) * std::exp(-t * 9.f) * 0.15f;
        s[i] = body + bubbles;
    }
    lowPass(s, 2500.f);
    normalise(s, 0.6f);
    return s;
}

std::vector<float> whoosh()
{
    Random random(9);
    std::vector<float> s = silence(0.6f);
    float state = 0.f;
    for (size_t i = 0; i < s.size(); i++) {
        float t = i / rate, u = t / 0.6f;
        // A low-pass whose cut-off sweeps up and back down, over a swelling noise.
        float cutoff = 300.f + 2500.f * std::sin(pi * u);
        float k = 1.f - std::exp(-2.f * pi * cutoff / rate);
        state += k * (random.range(-1.f, 1.f) - state);
        s[i] = state * std::sin(pi * u);
    }
    normalise(s, 0.5f);
    return s;
}

std::vector<float> click()
{
    std::vector<float> s = silence(0.05f);
    for (size_t i = 0; i < s.size(); i++) {
        float t = i / rate;
        s[i] = std::sin(2 * pi * 1800.f * t) * std::exp(-t * 120.f);
    }
    normalise(s, 0.4f);
    return s;
}

void putLittleEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++) out += char((value >> (8 * i)) & 0xFF);
}

struct SoundEntry {
    const char* name;
    std::vector<float> (*make)();
};

std::vector<float> saveSound() { return arpeggio({784.f, 988.f, 1175.f, 1568.f}); }   // G5 B5 D6 G6
std::vector<float> loadSound() { return arpeggio({1568.f, 1175.f, 988.f, 784.f}); }

const SoundEntry soundTable[] = {
    {"sound/walk.wav", walk},       {"sound/jump.wav", jump},     {"sound/pickup.wav", pickup},
    {"sound/save.wav", saveSound},  {"sound/load.wav", loadSound}, {"sound/splash.wav", splash},
    {"sound/whoosh.wav", whoosh},   {"sound/click.wav", click},
};

}  // namespace

std::string GameSounds::wavFile(const std::vector<float>& samples)
{
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::string out = "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);               // format chunk size
    putLittleEndian(out, 1, 2);                // PCM
    putLittleEndian(out, 1, 2);                // mono
    putLittleEndian(out, sampleRate, 4);
    putLittleEndian(out, sampleRate * 2, 4);   // bytes a second
    putLittleEndian(out, 2, 2);                // bytes a frame
    putLittleEndian(out, 16, 2);               // bits a sample
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (float s : samples) {
        float clipped = std::fmax(-1.f, std::fmin(1.f, s));
        putLittleEndian(out, uint32_t(uint16_t(int16_t(std::lround(clipped * 32767.f)))), 2);
    }
    return out;
}

void GameSounds::generate(AssetOutput& output)
{
    for (const SoundEntry& entry : soundTable) {
        std::vector<float> samples = entry.make();
        fadeEnds(samples);
        output.writeBytes(entry.name, wavFile(samples));
    }
}

}  // namespace assetgen
