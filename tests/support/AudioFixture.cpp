#include "AudioFixture.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

void put32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        out += (char)((value >> (8 * i)) & 0xFF);
}

void put16(std::string& out, uint16_t value)
{
    out += (char)(value & 0xFF);
    out += (char)(value >> 8);
}

uint32_t get32(const std::string& in, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; i--)
        value = (value << 8) | (unsigned char)in[at + i];
    return value;
}

uint16_t get16(const std::string& in, size_t at)
{
    return (uint16_t)((unsigned char)in[at] | ((unsigned char)in[at + 1] << 8));
}

}  // namespace

std::string makeSquareWav(int sampleRate, int nbSamples, int amplitude)
{
    std::string data;
    for (int i = 0; i < nbSamples; i++)
        put16(data, (uint16_t)(int16_t)((i / 25) % 2 ? amplitude : -amplitude));
    std::string out = "RIFF";
    put32(out, 36 + (uint32_t)data.size());
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, (uint32_t)sampleRate);
    put32(out, (uint32_t)sampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, (uint32_t)data.size());
    return out + data;
}

std::string openalConfig(const std::string& drivers, const std::string& wavePath)
{
    std::string text = "[general]\ndrivers=" + drivers + "\nchannels=stereo\nsample-type=int16\nfrequency=44100\n";
    if (!wavePath.empty())
        text += "[wave]\nfile=" + wavePath + "\n";
    return text;
}

bool readCapturedAudio(const std::string& path, CapturedAudio& audio)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    const std::string bytes = content.str();
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        return false;
    int bits = 0;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        std::string id = bytes.substr(at, 4);
        size_t size = get32(bytes, at + 4);
        size_t body = at + 8;
        if (id == "fmt " && body + 16 <= bytes.size()) {
            audio.channels = get16(bytes, body + 2);
            audio.sampleRate = (int)get32(bytes, body + 4);
            bits = get16(bytes, body + 14);
        } else if (id == "data") {
            // The writer may not have patched the size if it was stopped early: read to the end.
            size_t end = size == 0 || body + size > bytes.size() ? bytes.size() : body + size;
            if (bits != 16)
                return false;
            audio.samples.resize((end - body) / 2);
            std::memcpy(audio.samples.data(), bytes.data() + body, audio.samples.size() * 2);
            return audio.channels > 0;
        }
        at = body + size + (size & 1);
    }
    return false;
}
