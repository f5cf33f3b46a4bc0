// Noise: deterministic value noise, fractal sums and cellular noise for procedural
// pictures.
//
// Every function is a pure function of its arguments and the seed, so the assets come
// out identical on every build. The 2D forms take a period (in lattice cells): noise
// sampled over [0, period) wraps around seamlessly, which makes tiling textures.
//
// Depends on: the standard library only.
#pragma once

#include <cstdint>

namespace assetgen {

class Noise {
public:
    explicit Noise(uint32_t parSeed) : seed(parSeed) {}

    // A hash of integer coordinates to [0, 1).
    float hash(int x, int y = 0, int z = 0) const;

    // Smooth value noise in [0, 1); the lattice repeats every `period` cells (0: never).
    float value(float x, float y, int period = 0) const;
    float value(float x, float y, float z) const;

    // Fractal sum of octaves (each twice the frequency, half the weight), in [0, 1).
    // The first octave has `period` cells across; later ones keep tiling.
    float fractal(float x, float y, int octaves, int period = 0) const;
    float fractal(float x, float y, float z, int octaves) const;

    // Cellular noise: distances to the nearest (f1) and second nearest (f2) feature
    // point, in cells, and a hash of the nearest cell. Tiles every `period` cells.
    struct Cell {
        float f1, f2;
        float id;
        float centreX, centreY;
    };
    Cell cellular(float x, float y, int period) const;

private:
    uint32_t seed;
};

// A small deterministic random generator for the generators' own choices.
class Random {
public:
    explicit Random(uint32_t parSeed) : state(parSeed * 2654435761u + 1u) {}
    uint32_t next();
    float uniform();                      // [0, 1)
    float range(float low, float high);   // [low, high)
    int below(int n);                     // 0 .. n - 1

private:
    uint32_t state;
};

}  // namespace assetgen
