#include "Noise.h"

#include <cmath>

namespace assetgen {

namespace {

float smooth(float t) { return t * t * t * (t * (t * 6.f - 15.f) + 10.f); }

float lerp(float a, float b, float t) { return a + (b - a) * t; }

int wrap(int v, int period)
{
    if (period <= 0) return v;
    v %= period;
    return v < 0 ? v + period : v;
}

}  // namespace

float Noise::hash(int x, int y, int z) const
{
    uint32_t h = seed * 0x9E3779B1u;
    h ^= uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE3Du;
    h = (h << 11) | (h >> 21);
    h ^= uint32_t(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return float(h >> 8) / 16777216.f;
}

float Noise::value(float x, float y, int period) const
{
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = smooth(x - ix), fy = smooth(y - iy);
    int x0 = wrap(ix, period), x1 = wrap(ix + 1, period);
    int y0 = wrap(iy, period), y1 = wrap(iy + 1, period);
    float top = lerp(hash(x0, y0), hash(x1, y0), fx);
    float bottom = lerp(hash(x0, y1), hash(x1, y1), fx);
    return lerp(top, bottom, fy);
}

float Noise::value(float x, float y, float z) const
{
    int ix = int(std::floor(x)), iy = int(std::floor(y)), iz = int(std::floor(z));
    float fx = smooth(x - ix), fy = smooth(y - iy), fz = smooth(z - iz);
    float c[2];
    for (int k = 0; k < 2; k++) {
        float top = lerp(hash(ix, iy, iz + k), hash(ix + 1, iy, iz + k), fx);
        float bottom = lerp(hash(ix, iy + 1, iz + k), hash(ix + 1, iy + 1, iz + k), fx);
        c[k] = lerp(top, bottom, fy);
    }
    return lerp(c[0], c[1], fz);
}

float Noise::fractal(float x, float y, int octaves, int period) const
{
    float sum = 0.f, weight = 1.f, total = 0.f, scale = 1.f;
    for (int i = 0; i < octaves; i++) {
        sum += weight * Noise(seed + 101u * i).value(x * scale, y * scale, period > 0 ? period * int(scale) : 0);
        total += weight;
        weight *= 0.5f;
        scale *= 2.f;
    }
    return sum / total;
}

float Noise::fractal(float x, float y, float z, int octaves) const
{
    float sum = 0.f, weight = 1.f, total = 0.f, scale = 1.f;
    for (int i = 0; i < octaves; i++) {
        sum += weight * Noise(seed + 101u * i).value(x * scale, y * scale, z * scale);
        total += weight;
        weight *= 0.5f;
        scale *= 2.f;
    }
    return sum / total;
}

Noise::Cell Noise::cellular(float x, float y, int period) const
{
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    Cell result{1e9f, 1e9f, 0.f, 0.f, 0.f};
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++) {
            int cx = ix + dx, cy = iy + dy;
            int hx = wrap(cx, period), hy = wrap(cy, period);
            float px = cx + 0.15f + 0.7f * hash(hx, hy, 1);
            float py = cy + 0.15f + 0.7f * hash(hx, hy, 2);
            float d = std::hypot(px - x, py - y);
            if (d < result.f1) {
                result.f2 = result.f1;
                result.f1 = d;
                result.id = hash(hx, hy, 3);
                result.centreX = px;
                result.centreY = py;
            } else if (d < result.f2) {
                result.f2 = d;
            }
        }
    return result;
}

uint32_t Random::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Random::uniform() { return float(next() >> 8) / 16777216.f; }

float Random::range(float low, float high) { return low + (high - low) * uniform(); }

int Random::below(int n) { return n <= 0 ? 0 : int(next() % uint32_t(n)); }

}  // namespace assetgen
