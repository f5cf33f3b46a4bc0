#include "PropModels.h"

#include <cmath>
#include <string>
#include <vector>

#include "AssetOutput.h"
#include "Canvas.h"
#include "ObjBuilder.h"

namespace assetgen {

namespace {

constexpr float pi = 3.14159265f;

// The palette: 8 x 8 swatches of 16 x 16 pixels in a 128 x 128 picture.
constexpr int paletteSize = 128;

enum Swatch {
    SWATCH_GEM_LIGHT, SWATCH_GEM, SWATCH_GEM_DARK, SWATCH_GOLD_LIGHT, SWATCH_GOLD, SWATCH_GOLD_DARK,
    SWATCH_HULL, SWATCH_HULL_DARK, SWATCH_DECK, SWATCH_STRIPE, SWATCH_SAIL, SWATCH_MAST,
    SWATCH_FEATHER, SWATCH_WING_TIP, SWATCH_BEAK, SWATCH_EYE, NB_SWATCHES
};

const Colour swatchColours[NB_SWATCHES] = {
    Colour::bytes(150, 255, 220), Colour::bytes(40, 210, 160), Colour::bytes(10, 120, 100),
    Colour::bytes(255, 236, 140), Colour::bytes(240, 190, 50), Colour::bytes(170, 120, 20),
    Colour::bytes(150, 92, 50),   Colour::bytes(100, 60, 34),  Colour::bytes(200, 160, 110),
    Colour::bytes(200, 50, 40),   Colour::bytes(246, 244, 236), Colour::bytes(120, 80, 50),
    Colour::bytes(238, 240, 244), Colour::bytes(60, 64, 72),   Colour::bytes(250, 170, 40),
    Colour::bytes(20, 20, 24),
};

float swatchU(Swatch s) { return (s % 8) * 16 + 8.f; }
float swatchV(Swatch s) { return (s / 8) * 16 + 8.f; }

UvRect swatchRect(Swatch s)
{
    float u = swatchU(s), v = swatchV(s);
    return UvRect{u - 4.f, v - 4.f, u + 4.f, v + 4.f};
}

Canvas paintPalette()
{
    Canvas c(paletteSize, paletteSize, Colour(1, 1, 1));
    for (int s = 0; s < NB_SWATCHES; s++)
        c.fillRect((s % 8) * 16.f, (s / 8) * 16.f, (s % 8) * 16.f + 16.f, (s / 8) * 16.f + 16.f, swatchColours[s]);
    return c;
}

void polygon(ObjBuilder& model, const std::vector<Vec3>& corners, Swatch s, const Transform& place = Transform())
{
    model.polygon(corners, swatchU(s), swatchV(s), place);
}

// A gem of eight facets around: a flat table on top, a crown, a pointed pavilion.
ObjBuilder buildGem()
{
    ObjBuilder model(paletteSize, paletteSize);
    model.group("gem", "shiny");
    const int sides = 8;
    const float girdle = 4.f, table = 2.2f, crownTop = 2.f, bottom = -4.5f;
    std::vector<Vec3> tableRing, girdleRing;
    for (int i = 0; i < sides; i++) {
        float a = 2 * pi * i / sides, b = a + pi / sides;
        tableRing.push_back(Vec3(table * std::cos(b), crownTop, table * std::sin(b)));
        girdleRing.push_back(Vec3(girdle * std::cos(a), 0.f, girdle * std::sin(a)));
    }
    std::vector<Vec3> top(tableRing.rbegin(), tableRing.rend());
    polygon(model, top, SWATCH_GEM_LIGHT);
    for (int i = 0; i < sides; i++) {
        int j = (i + 1) % sides;
        // Crown: a kite from the girdle up to the table, counter-clockwise from outside.
        polygon(model, {girdleRing[j], girdleRing[i], tableRing[i]}, i % 2 ? SWATCH_GEM : SWATCH_GEM_LIGHT);
        polygon(model, {girdleRing[j], tableRing[i], tableRing[j]}, SWATCH_GEM);
        polygon(model, {girdleRing[i], girdleRing[j], Vec3(0, bottom, 0)}, i % 2 ? SWATCH_GEM_DARK : SWATCH_GEM);
    }
    return model;
}

// A coin: a 16-sided disc standing on its edge, its faces toward +Z and -Z.
ObjBuilder buildCoin()
{
    ObjBuilder model(paletteSize, paletteSize);
    model.group("coin", "shiny");
    const int sides = 16;
    const float radius = 4.f, rim = 3.2f, half = 0.5f, relief = 0.75f;
    std::vector<Vec3> front, back, innerFront, innerBack;
    for (int i = 0; i < sides; i++) {
        float a = 2 * pi * i / sides;
        float x = std::cos(a), y = std::sin(a);
        front.push_back(Vec3(radius * x, radius * y, half));
        back.push_back(Vec3(radius * x, radius * y, -half));
        innerFront.push_back(Vec3(rim * x, rim * y, relief));
        innerBack.push_back(Vec3(rim * x, rim * y, -relief));
    }
    std::vector<Vec3> backFace(innerBack.rbegin(), innerBack.rend());
    polygon(model, innerFront, SWATCH_GOLD_LIGHT);
    polygon(model, backFace, SWATCH_GOLD_LIGHT);
    for (int i = 0; i < sides; i++) {
        int j = (i + 1) % sides;
        polygon(model, {back[i], back[j], front[j], front[i]}, SWATCH_GOLD_DARK);
        // The raised middle: a bevel from the rim up to the inner face, on both sides.
        polygon(model, {front[i], front[j], innerFront[j], innerFront[i]}, SWATCH_GOLD);
        polygon(model, {back[j], back[i], innerBack[i], innerBack[j]}, SWATCH_GOLD);
    }
    return model;
}

// A sail boat, 30 units long: a hull with a pointed bow, a deck, a mast and a sail.
ObjBuilder buildBoat()
{
    ObjBuilder model(paletteSize, paletteSize);
    model.group("hull", "wood");
    // Cross-sections from the stern (-Z) to the bow (+Z): half width at the deck and keel.
    const float z[4] = {-15.f, -5.f, 7.f, 15.f};
    const float deckHalf[4] = {5.5f, 7.f, 6.f, 0.f};
    const float keelHalf[4] = {3.f, 3.5f, 2.5f, 0.f};
    const float deckY = 6.f, keelY = 0.f;
    for (int i = 0; i < 3; i++) {
        Vec3 dl0(-deckHalf[i], deckY, z[i]), dl1(-deckHalf[i + 1], deckY, z[i + 1]);
        Vec3 dr0(deckHalf[i], deckY, z[i]), dr1(deckHalf[i + 1], deckY, z[i + 1]);
        Vec3 kl0(-keelHalf[i], keelY, z[i]), kl1(-keelHalf[i + 1], keelY, z[i + 1]);
        Vec3 kr0(keelHalf[i], keelY, z[i]), kr1(keelHalf[i + 1], keelY, z[i + 1]);
        Vec3 sl0 = dl0 * 0.8f + kl0 * 0.2f, sl1 = dl1 * 0.8f + kl1 * 0.2f;
        Vec3 sr0 = dr0 * 0.8f + kr0 * 0.2f, sr1 = dr1 * 0.8f + kr1 * 0.2f;
        // Sides: hull below a red stripe.
        polygon(model, {kl0, kl1, sl1, sl0}, SWATCH_HULL);
        polygon(model, {sl0, sl1, dl1, dl0}, SWATCH_STRIPE);
        polygon(model, {kr1, kr0, sr0, sr1}, SWATCH_HULL);
        polygon(model, {sr1, sr0, dr0, dr1}, SWATCH_STRIPE);
        polygon(model, {kl0, kr0, kr1, kl1}, SWATCH_HULL_DARK);
        polygon(model, {dl0, dl1, dr1, dr0}, SWATCH_DECK);
    }
    polygon(model, {Vec3(-deckHalf[0], deckY, z[0]), Vec3(-keelHalf[0], keelY, z[0]), Vec3(keelHalf[0], keelY, z[0]),
                    Vec3(deckHalf[0], deckY, z[0])},
            SWATCH_HULL_DARK);
    model.group("rig", "wood");
    model.box(Vec3(-0.6f, deckY, 1.4f), Vec3(0.6f, 30.f, 2.6f), swatchRect(SWATCH_MAST));
    model.box(Vec3(-0.4f, 9.f, -11.f), Vec3(0.4f, 9.8f, 2.f), swatchRect(SWATCH_MAST));
    // The sail, slightly thick so it shows from both sides.
    model.group("sail", "cloth");
    Vec3 foot0(0.f, 10.f, 1.2f), foot1(0.f, 10.f, -10.5f), head(0.f, 29.f, 1.2f);
    const float t = 0.15f;
    polygon(model, {foot0 + Vec3(t, 0, 0), foot1 + Vec3(t, 0, 0), head + Vec3(t, 0, 0)}, SWATCH_SAIL);
    polygon(model, {foot1 - Vec3(t, 0, 0), foot0 - Vec3(t, 0, 0), head - Vec3(t, 0, 0)}, SWATCH_SAIL);
    return model;
}

// A gull, 8 units long, flying toward +Z; wings raised (frame 1) or lowered (frame 2).
ObjBuilder buildBird(float wingAngle)
{
    ObjBuilder model(paletteSize, paletteSize);
    model.group("body", "feather");
    model.box(Vec3(-1.f, -1.f, -3.f), Vec3(1.f, 1.f, 2.5f), swatchRect(SWATCH_FEATHER));
    model.box(Vec3(-0.8f, -0.2f, 2.5f), Vec3(0.8f, 1.6f, 4.2f), swatchRect(SWATCH_FEATHER));
    model.box(Vec3(-0.3f, 0.3f, 4.2f), Vec3(0.3f, 0.8f, 5.4f), swatchRect(SWATCH_BEAK));
    model.box(Vec3(-0.85f, 0.8f, 3.3f), Vec3(0.85f, 1.2f, 3.7f), swatchRect(SWATCH_EYE));
    model.box(Vec3(-1.2f, -0.4f, -5.f), Vec3(1.2f, 0.2f, -3.f), swatchRect(SWATCH_WING_TIP));
    model.group("wings", "feather");
    for (int side = 0; side < 2; side++) {
        float s = side ? 1.f : -1.f;
        Transform inner = Transform::translation(Vec3(s * 1.f, 0.5f, 0.f)).after(Transform::rotationZ(s * wingAngle));
        float x0 = side ? 0.f : -5.f, x1 = side ? 5.f : 0.f;
        model.box(Vec3(x0, -0.2f, -1.5f), Vec3(x1, 0.2f, 1.5f), swatchRect(SWATCH_FEATHER), inner);
        Transform outer = inner.after(Transform::translation(Vec3(s * 5.f, 0.f, 0.f)))
                              .after(Transform::rotationZ(-s * wingAngle * 0.6f));
        model.box(Vec3(x0, -0.15f, -1.2f), Vec3(x1, 0.15f, 0.8f), swatchRect(SWATCH_WING_TIP), outer);
    }
    return model;
}

}  // namespace

void PropModels::generate(AssetOutput& output)
{
    output.writePng("models/palette.png", paintPalette(), false);
    std::vector<MaterialSpec> materials = {
        {"shiny", {1.f, 1.f, 1.f}, {0.7f, 0.7f, 0.7f}, {0.9f, 0.9f, 0.9f}, 400.f, "palette.png"},
        {"wood", {1.f, 1.f, 1.f}, {0.6f, 0.6f, 0.6f}, {0.f, 0.f, 0.f}, 0.f, "palette.png"},
        {"cloth", {1.f, 1.f, 1.f}, {0.7f, 0.7f, 0.7f}, {0.f, 0.f, 0.f}, 0.f, "palette.png"},
        {"feather", {1.f, 1.f, 1.f}, {0.7f, 0.7f, 0.7f}, {0.1f, 0.1f, 0.1f}, 50.f, "palette.png"},
    };
    output.writeBytes("models/props.mtl", materialLibraryText(materials));
    output.writeBytes("models/gem.obj", buildGem().objText("props.mtl", "Cubewright gem"));
    output.writeBytes("models/coin.obj", buildCoin().objText("props.mtl", "Cubewright coin"));
    output.writeBytes("models/boat.obj", buildBoat().objText("props.mtl", "Cubewright sail boat"));
    output.writeBytes("models/bird_frame1.obj", buildBird(30.f).objText("props.mtl", "Cubewright gull, wings up"));
    output.writeBytes("models/bird_frame2.obj",
                      buildBird(-25.f).objText("props.mtl", "Cubewright gull, wings down"));
}

}  // namespace assetgen
