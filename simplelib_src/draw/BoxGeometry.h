// BoxGeometry: the box, quad and rotation helpers shared by the world, the editor, the
// water, scripted objects and the player.
//
// Everything is centred on the origin in the current modelview matrix (the caller translates
// and rotates first) and drawn in immediate mode. Faces come in the order top (+Y), bottom
// (-Y), front (+Z), back (-Z), left (-X), right (+X), each a quad of four corners in one
// fixed order that drawBox and buildBoxGeometry share, so a box drawn directly and a box put
// into vertex buffers agree corner for corner.
//
// Depends on: OpenGL, core/BasicVector.
#pragma once

#include "core/BasicVector.h"

enum BoxFace { BOX_FACE_TOP, BOX_FACE_BOTTOM, BOX_FACE_FRONT, BOX_FACE_BACK, BOX_FACE_LEFT, BOX_FACE_RIGHT };
const int nbBoxFaces = 6;

// A box of the size with one texture per face (faceTextures: six GL texture names in face
// order), each texture repeated `repeat` times along the box's axes. Inside out, every face
// is drawn on the opposite side so the inside is seen. Without textures (null) a wireframe
// box, after which texturing is on again, back faces are lines, front faces filled and face
// culling on. Neighbouring faces with the same texture share one batch of quads; returns the
// number of batches drawn.
int drawBox(const unsigned int* faceTextures, Float3 size, Float3 repeat, bool insideOut);

// The same box as 24 corners and texture coordinates (faces in order, four corners each):
// texture coordinates run from the low corner texLow to the high corner texHigh. With
// randomShift each pair of opposite faces gets one random texture offset of up to one
// texHigh extent, drawn from the standard generator (rand) in a fixed order.
void buildBoxGeometry(Float3 halfSize, Float3 texLow, Float3 texHigh, bool randomShift, Float3 vertices[24],
                      Float2 texCoords[24]);

// A quad in the plane y = 0 of width (X) x depth (Z), facing up, or down for the underside.
// texture -1 keeps the bound texture.
void drawHorizontalQuad(float width, float depth, int texture, Float2 repeat, bool underside);

// One quad through four corners in the order given, texture coordinates (ru, rv), (ru, 0),
// (0, 0), (0, rv); texture -1 keeps the bound texture.
void drawQuad(int texture, const Float3 corners[4], Float2 repeat);

// Rotates the current matrix by a degrees about X, then b about Y, then c about Z.
void rotateXYZ(float a, float b, float c);
