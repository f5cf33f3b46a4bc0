// CubeTypeDescription: what a cube type says about its cubes, as the world file and the
// editor see it: one texture file name per face, three texture-coordinate options and
// whether the cubes stop movement.
//
// Face order everywhere: top, bottom, front (+Z), back (-Z), left (-X), right (+X).
// The three options are stored inverted, as the world file keeps them: the byte is 0 when
// the option is in force and 1 when it is not (the editor shows 0 as "yes"):
// - stretchTexture on: one texture image spans each whole face of an aggregate;
// - divideTexCoordsBy8 on: coordinates divided by 8 and aligned with a world-wide 8-cube grid;
// - randomTexCoords on: each pair of opposite faces gets a random shift.
// Record in the world file: 6 x (int32 length, bytes), the three option bytes, the
// collidable byte. Reading turns every nonzero option or collidable byte into 1.
//
// Depends on: world/WorldFileReader, world/WorldFileWriter.
#pragma once

#include <cstdint>
#include <string>

class WorldFileReader;
class WorldFileWriter;

enum CubeFace { CUBE_FACE_TOP, CUBE_FACE_BOTTOM, CUBE_FACE_FRONT, CUBE_FACE_BACK, CUBE_FACE_LEFT, CUBE_FACE_RIGHT };
const int nbCubeFaces = 6;

struct CubeTypeDescription {
    std::string textureNames[nbCubeFaces];
    uint8_t stretchTexture = 1;
    uint8_t divideTexCoordsBy8 = 1;
    uint8_t randomTexCoords = 1;
    bool collidable = true;

    // A name is kept up to its first zero byte, if it has one.
    void read(WorldFileReader& in);
    void write(WorldFileWriter& out) const;
};
