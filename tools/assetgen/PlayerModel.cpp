#include "PlayerModel.h"

#include <string>

#include "AssetOutput.h"
#include "Canvas.h"
#include "Noise.h"
#include "ObjBuilder.h"

namespace assetgen {

namespace {

// The texture: a 64 x 64 picture of 16 x 16 cells.
constexpr int atlasSize = 64;

UvRect cell(int column, int row)
{
    // Half a pixel inside the cell, so filtering never reaches the neighbour.
    return UvRect{column * 16 + 0.5f, row * 16 + 0.5f, column * 16 + 15.5f, row * 16 + 15.5f};
}

const UvRect faceFront = cell(0, 0), headSide = cell(1, 0), hair = cell(2, 0), skin = cell(3, 0);
const UvRect shirtFront = cell(0, 1), shirtSide = cell(1, 1), trousers = cell(2, 1), shoes = cell(3, 1);
const UvRect sleeve = cell(0, 2), trouserFront = cell(1, 2);

const Colour skinColour = Colour::bytes(238, 196, 160);
const Colour hairColour = Colour::bytes(92, 56, 30);
const Colour shirtColour = Colour::bytes(40, 120, 200);
const Colour trouserColour = Colour::bytes(52, 60, 84);
const Colour shoeColour = Colour::bytes(70, 44, 30);

void fillCell(Canvas& c, int column, int row, const Colour& colour, uint32_t seed)
{
    Noise noise(seed);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            c.at(column * 16 + x, row * 16 + y) = colour.scaled(0.93f + 0.1f * noise.hash(x, y));
}

Canvas paintAtlas()
{
    Canvas c(atlasSize, atlasSize, Colour(1, 1, 1));
    fillCell(c, 0, 0, skinColour, 1);
    fillCell(c, 1, 0, skinColour, 2);
    fillCell(c, 2, 0, hairColour, 3);
    fillCell(c, 3, 0, skinColour, 4);
    fillCell(c, 0, 1, shirtColour, 5);
    fillCell(c, 1, 1, shirtColour.scaled(0.9f), 6);
    fillCell(c, 2, 1, trouserColour, 7);
    fillCell(c, 3, 1, shoeColour, 8);
    fillCell(c, 0, 2, shirtColour, 9);
    fillCell(c, 1, 2, trouserColour, 10);
    // Face: a fringe of hair, eyes with a white and a pupil, a mouth.
    c.fillRect(0, 0, 16, 4, hairColour);
    c.fillRect(0, 4, 2, 6, hairColour);
    c.fillRect(14, 4, 16, 6, hairColour);
    for (int side = 0; side < 2; side++) {
        float x = side ? 9.f : 3.f;
        c.fillRect(x, 7, x + 4, 10, Colour(1, 1, 1));
        c.fillRect(x + (side ? 1.f : 2.f), 7, x + (side ? 3.f : 4.f), 10, Colour::bytes(40, 70, 140));
    }
    c.fillRect(5, 12, 11, 13, Colour::bytes(160, 80, 70));
    // Head sides: hair on the upper part.
    c.fillRect(16, 0, 32, 6, hairColour);
    c.fillRect(26, 6, 32, 9, hairColour);
    // Shirt front: a collar and a yellow emblem; a belt at the bottom.
    c.fillRect(5, 16, 11, 18, skinColour);
    c.fillCircle(8, 23, 2.5f, Colour::bytes(255, 210, 80));
    c.fillRect(0, 29, 16, 32, Colour::bytes(60, 40, 28));
    c.fillRect(7, 29, 9, 32, Colour::bytes(220, 190, 90));
    c.fillRect(16, 29, 32, 32, Colour::bytes(60, 40, 28));
    // Sleeve: a hand at the bottom.
    c.fillRect(0, 43, 16, 48, skinColour);
    // Trouser front: a seam.
    c.fillRect(23, 32, 25, 48, trouserColour.scaled(0.8f));
    return c;
}

// Body proportions, in model units.
const float legTop = 14.f, bodyTop = 25.f, headTop = 33.f;
const float shoulderY = 24.f, hipY = 14.f;

struct Pose {
    float lean;           // whole body pitched forward, degrees
    float leftArm, rightArm, leftLeg, rightLeg;  // swing forward, degrees
};

// Frame 1 stands; 2 and 3 are the two walking strides; 4 and 5 the two flying beats.
const Pose poses[PlayerModel::nbFrames] = {
    {0.f, 0.f, 0.f, 0.f, 0.f},
    {0.f, -32.f, 32.f, 30.f, -30.f},
    {0.f, 32.f, -32.f, -30.f, 30.f},
    {55.f, 150.f, 150.f, -12.f, -4.f},
    {55.f, 165.f, 165.f, -2.f, -16.f},
};

void buildFrame(ObjBuilder& model, const Pose& pose)
{
    // Leaning turns the whole figure about its hips; swinging a limb turns it about its
    // shoulder or hip. Forward is +Z, so a forward swing is a negative turn about X.
    Transform body = Transform::rotationXAbout(Vec3(0, hipY, 0), pose.lean);
    const UvRect headFaces[6] = {hair, skin, faceFront, hair, headSide, headSide};
    const UvRect bodyFaces[6] = {shirtSide, shirtSide, shirtFront, shirtSide, shirtSide, shirtSide};
    const UvRect legFaces[6] = {trousers, shoes, trouserFront, trousers, trousers, trousers};
    model.group("head", "player");
    model.box(Vec3(-4.f, bodyTop, -4.f), Vec3(4.f, headTop, 4.f), headFaces, body);
    model.group("body", "player");
    model.box(Vec3(-5.f, legTop, -2.75f), Vec3(5.f, bodyTop, 2.75f), bodyFaces, body);
    model.group("arms", "player");
    for (int side = 0; side < 2; side++) {
        float x0 = side ? 5.f : -8.5f, swing = side ? pose.rightArm : pose.leftArm;
        Transform arm = body.after(Transform::rotationXAbout(Vec3(0, shoulderY, 0), -swing));
        model.box(Vec3(x0, shoulderY - 11.f, -1.75f), Vec3(x0 + 3.5f, bodyTop, 1.75f), sleeve, arm);
    }
    model.group("legs", "player");
    for (int side = 0; side < 2; side++) {
        float x0 = side ? 0.25f : -4.75f, swing = side ? pose.rightLeg : pose.leftLeg;
        Transform leg = body.after(Transform::rotationXAbout(Vec3(0, hipY, 0), -swing));
        model.box(Vec3(x0, 0.f, -2.25f), Vec3(x0 + 4.5f, legTop, 2.25f), legFaces, leg);
        // The shoe's toe.
        model.box(Vec3(x0, 0.f, 2.25f), Vec3(x0 + 4.5f, 2.5f, 3.75f), shoes, leg);
    }
}

}  // namespace

void PlayerModel::generate(AssetOutput& output)
{
    output.writePng("obj_player/player.png", paintAtlas(), false);
    MaterialSpec material{"player", {1.f, 1.f, 1.f}, {0.6f, 0.6f, 0.6f}, {0.f, 0.f, 0.f}, 0.f, "player.png"};
    output.writeBytes("obj_player/player.mtl", materialLibraryText({material}));
    for (int frame = 0; frame < nbFrames; frame++) {
        ObjBuilder model(atlasSize, atlasSize);
        buildFrame(model, poses[frame]);
        std::string name = "player_frame" + std::to_string(frame + 1) + ".obj";
        output.writeBytes("obj_player/" + name, model.objText("player.mtl", "Cubewright player, " + name));
    }
}

}  // namespace assetgen
