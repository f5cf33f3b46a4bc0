// WaterSurface: the figures of the sea, with no drawing and no state.
//
// The sea is a square that follows the camera on a 50-unit grid and rises and falls with
// a four-second tide. Drawn flat it is one big quad; drawn with waves it is a ring of
// eight quads around a 7 x 7 grid of 50-unit cells (350 x 350 around the centre) whose
// corners swell and sink in a checkerboard. Water turns these figures into GL quads;
// everything here is plain arithmetic so that it can be checked without a window.
//
// Depends on: core/BasicVector.
#pragma once

#include <array>

#include "core/BasicVector.h"

// One textured horizontal quad of the sea: centre offset (x, z) from the sea's centre,
// size along x and z, texture repetitions along x and z.
struct WaterQuad {
    Float2 offset;
    Float2 size;
    Float2 repeat;
};

class WaterSurface {
public:
    // Tunables of the sea.
    static constexpr float GRID_STEP = 50.f;         // centre snapping and texture tile, world units
    static constexpr int TIDE_PERIOD_MS = 4000;      // one full rise and fall
    static constexpr float WAVE_AREA = 350.f;        // edge of the waved square around the centre
    static constexpr int WAVE_CELLS_HALF = 3;        // cells -3..3 on each axis (7 x 7)
    static constexpr float WAVE_CELL = 50.f;         // edge of one wave cell
    static constexpr float RING_SIDE_REPEAT = 7.f;   // repetitions across the 350-unit side of a ring quad
    static constexpr float RING_REPEAT_PER_UNIT = 0.02f;
    static constexpr float LAYER_DROP = 5.f;         // waved surface and layers sit this far below the tide
    static constexpr float QUARTER_PI = 0.7853982f;

    // Tide phase in [-1, 1] at a clock time in milliseconds: -1 at 0 ms, rising linearly to 1
    // at 2000 ms and back to -1 at 4000 ms. Negative times wrap like positive ones.
    static float tidePhase(int timeMs);

    // A camera coordinate truncated toward zero onto the 50-unit grid (-75 -> -50, 149.9 -> 100).
    static float snapToGrid(float coordinate);

    // Edge of the square sea for an outer extent b.
    static float surfaceSize(float outerExtent) { return outerExtent * 2.f; }
    // One texture repetition per 50 units of the band between the inner and outer extents.
    static float textureRepeat(float innerExtent, float outerExtent);

    // The eight ring quads around the waved square, for a sea of the given edge, in drawing
    // order: (0,+P), (0,-P), (-P,0), (+P,0), (+P,+P), (+P,-P), (-P,+P), (-P,-P), with
    // P = (size/2 + 175) / 2 and ring width I = size/2 - 175. A sea narrower than the waved
    // square gives a negative width; callers keep the sea larger.
    static std::array<WaterQuad, 8> ring(float size);
    static float ringOffset(float size) { return (size * 0.5f + WAVE_AREA * 0.5f) * 0.5f; }
    static float ringWidth(float size) { return size * 0.5f - WAVE_AREA * 0.5f; }

    // Height of the wave crests for a tide phase and the configured wave amplitude.
    static float waveHeight(float phase, float amplitude);

    // Height of the lattice point (m, n) of the checkerboard (m, n >= 0): M when both are even,
    // -M when both are odd, 0 otherwise.
    static float latticeHeight(int m, int n, float crest);

    // The corners A, B, C, D of wave cell (i, j), i and j in -3..3, relative to the sea's
    // base point: A = (50i-25, hA, 50j-25), B = (50i-25, hB, 50j+25), C = (50i+25, hC, 50j+25),
    // D = (50i+25, hD, 50j-25). Heights follow the checkerboard; corners on the grid's outer
    // edge are 0 so the cells meet the flat ring.
    static std::array<Float3, 4> waveCellCorners(int i, int j, float crest);
};
