#include "CubeTextures.h"

#include <cmath>

#include "AssetOutput.h"
#include "Canvas.h"
#include "Noise.h"

namespace assetgen {

namespace {

constexpr int S = CubeTextures::textureSize;
constexpr float pi = 3.14159265f;

// Colour of shadowed faces: light from the sky only.
const Colour shadowTint(0.50f, 0.54f, 0.66f);

// Tiling fractal noise over the texture, `cells` lattice cells across.
float tiled(const Noise& noise, float x, float y, int cells, int octaves)
{
    return noise.fractal(x / S * cells, y / S * cells, octaves, cells);
}

// Multiplies the colour by a brightness around 1.
Colour shadeBy(const Colour& c, float brightness)
{
    return Colour(clamp01(c.r * brightness), clamp01(c.g * brightness), clamp01(c.b * brightness), c.a);
}

const Colour grassDark = Colour::bytes(58, 112, 30);
const Colour grassLight = Colour::bytes(118, 176, 52);
const Colour dirtDark = Colour::bytes(96, 64, 40);
const Colour dirtLight = Colour::bytes(140, 98, 62);

Colour grassAt(const Noise& noise, float x, float y)
{
    float n = tiled(noise, x, y, 4, 4);
    float fine = noise.hash(int(x), int(y), 7);
    return grassDark.mix(grassLight, clamp01(n * 1.3f - 0.15f)).scaled(0.9f + 0.2f * fine);
}

Colour dirtAt(const Noise& noise, float x, float y)
{
    float n = tiled(noise, x, y, 8, 4);
    float fine = noise.hash(int(x), int(y), 11);
    return dirtDark.mix(dirtLight, clamp01(n * 1.4f - 0.2f)).scaled(0.88f + 0.24f * fine);
}

void scatterBlades(Canvas& c, Random& random, int count, float minLength, float maxLength)
{
    for (int i = 0; i < count; i++) {
        float x = random.range(0, S), y = random.range(0, S);
        float angle = random.range(-0.6f, 0.6f) - pi / 2;
        float length = random.range(minLength, maxLength);
        Colour colour = random.uniform() < 0.5f ? grassLight.scaled(random.range(1.0f, 1.25f))
                                                 : grassDark.scaled(random.range(0.7f, 0.95f));
        c.drawLine(x, y, x + std::cos(angle) * length, y + std::sin(angle) * length, 1.1f,
                   colour.withAlpha(0.8f));
    }
}

void scatterPebbles(Canvas& c, Random& random, int count, const Colour& base)
{
    for (int i = 0; i < count; i++) {
        float x = random.range(0, S), y = random.range(0, S), r = random.range(1.2f, 3.2f);
        Colour stone = base.scaled(random.range(0.75f, 1.2f));
        c.fillCircle(x, y + 0.8f, r, Colour(0, 0, 0, 0.35f));
        c.fillCircle(x, y, r, stone);
        c.fillCircle(x - r * 0.3f, y - r * 0.35f, r * 0.4f, Colour(1, 1, 1, 0.25f));
    }
}

Canvas paintGrassTop()
{
    Noise noise(11);
    Random random(12);
    Canvas c(S, S);
    c.wrapEdges = true;
    c.shade([&](float x, float y) { return grassAt(noise, x, y); });
    scatterBlades(c, random, 1400, 2.f, 5.f);
    for (int i = 0; i < 7; i++) {
        float x = random.range(0, S), y = random.range(0, S);
        Colour petal = i % 2 ? Colour::bytes(250, 246, 220) : Colour::bytes(250, 214, 60);
        c.fillCircle(x, y, 1.6f, petal);
        c.fillCircle(x, y, 0.7f, Colour::bytes(230, 150, 30));
    }
    return c;
}

Canvas paintDirt()
{
    Noise noise(21);
    Random random(22);
    Canvas c(S, S);
    c.wrapEdges = true;
    c.shade([&](float x, float y) { return dirtAt(noise, x, y); });
    scatterPebbles(c, random, 40, Colour::bytes(128, 112, 96));
    for (int i = 0; i < 160; i++)
        c.fillCircle(random.range(0, S), random.range(0, S), random.range(0.4f, 1.0f), Colour(0.2f, 0.13f, 0.08f, 0.6f));
    return c;
}

// Dirt with a fringe of another surface along its top edge (grass or snow).
Canvas paintFringedSide(const Canvas& top, uint32_t seed, float depth, const Colour& edgeShade)
{
    Noise noise(seed);
    Canvas c = paintDirt();
    for (int x = 0; x < S; x++) {
        float edge = depth + 6.f * (noise.value(x / 16.f, 0.5f, S / 16) - 0.5f) +
                     7.f * std::pow(noise.hash(x / 3, 0, 5), 6.f);
        for (int y = 0; y < S; y++) {
            float d = edge - y;
            if (d > 1.f) c.at(x, y) = top.at(x, y).scaled(d < 4.f ? 0.85f : 1.f);
            else if (d > 0.f) c.at(x, y) = c.at(x, y).mix(top.at(x, y), d);
            else if (d > -3.f) c.at(x, y) = c.at(x, y).mix(edgeShade, 0.35f * (1.f + d / 3.f));
        }
    }
    return c;
}

Canvas paintStone()
{
    Noise noise(31);
    Canvas c(S, S);
    c.shade([&](float x, float y) {
        float warpX = x + 6.f * (tiled(noise, x, y, 4, 2) - 0.5f);
        float warpY = y + 6.f * (tiled(noise, x + 50, y, 4, 2) - 0.5f);
        Noise::Cell cell = noise.cellular(warpX / S * 5, warpY / S * 5, 5);
        float crack = clamp01((cell.f2 - cell.f1) * 9.f);
        float grain = tiled(noise, x, y, 16, 3);
        float tone = 0.46f + 0.14f * cell.id + 0.18f * (grain - 0.5f);
        float bevel = clamp01((cell.f2 - cell.f1) * 3.f);
        Colour rock(tone, tone * 0.98f, tone * 0.95f);
        rock = shadeBy(rock, 0.8f + 0.3f * bevel);
        return rock.mix(Colour(0.16f, 0.15f, 0.15f), 1.f - crack);
    });
    return c;
}

Canvas paintSand()
{
    Noise noise(41);
    Canvas c(S, S);
    const Colour light = Colour::bytes(236, 214, 160), dark = Colour::bytes(204, 176, 118);
    c.shade([&](float x, float y) {
        float warp = 10.f * tiled(noise, x, y, 4, 3);
        float ripple = 0.5f + 0.5f * std::sin((y + warp) / S * 2 * pi * 6);
        float grain = noise.hash(int(x), int(y), 3);
        float n = tiled(noise, x, y, 8, 3);
        return dark.mix(light, clamp01(0.35f * ripple + 0.5f * n + 0.15f)).scaled(0.92f + 0.14f * grain);
    });
    return c;
}

Canvas paintWoodSide()
{
    Noise noise(51);
    Canvas c(S, S);
    const Colour dark = Colour::bytes(74, 50, 30), light = Colour::bytes(128, 92, 58);
    c.shade([&](float x, float y) {
        float stretched = noise.fractal(x / S * 16, y / S * 2, 4, 16);
        float groove = std::pow(clamp01(1.f - std::fabs(std::sin((x + 8 * stretched) / S * pi * 10))), 6.f);
        float n = noise.fractal(x / S * 24, y / S * 4, 3, 24);
        return dark.mix(light, clamp01(n * 1.2f - 0.1f)).scaled(1.f - 0.45f * groove);
    });
    return c;
}

Canvas paintWoodTop()
{
    Noise noise(61);
    Canvas c(S, S);
    const Colour ring = Colour::bytes(150, 110, 66), core = Colour::bytes(196, 156, 100);
    const Colour bark = Colour::bytes(74, 50, 30);
    c.shade([&](float x, float y) {
        float dx = x - S / 2.f, dy = y - S / 2.f;
        float r = std::hypot(dx, dy) + 4.f * (noise.fractal(x / 16, y / 16, 3) - 0.5f);
        float rings = 0.5f + 0.5f * std::sin(r * 0.55f);
        Colour wood = ring.mix(core, rings * 0.8f).scaled(0.92f + 0.16f * noise.hash(int(x), int(y)));
        float edge = std::max(std::fabs(dx), std::fabs(dy));
        if (edge > S / 2.f - 9.f) return bark.scaled(0.85f + 0.3f * noise.value(x / 3, y / 3));
        if (edge > S / 2.f - 11.f) return wood.scaled(0.7f);
        return wood;
    });
    return c;
}

Canvas paintPlanks()
{
    Noise noise(71);
    Canvas c(S, S);
    const Colour dark = Colour::bytes(130, 90, 52), light = Colour::bytes(184, 136, 84);
    const int plank = S / 4;
    c.shade([&](float x, float y) {
        int row = int(y) / plank;
        float shift = noise.hash(row, 0, 9) * S;
        float grain = noise.fractal((x + shift) / S * 3, y / S * 24, 4, 3);
        float tone = noise.hash(row, 1, 9);
        Colour wood = dark.mix(light, clamp01(grain * 1.3f - 0.15f)).scaled(0.85f + 0.25f * tone);
        float inRow = y - row * plank;
        if (inRow < 1.5f) return wood.scaled(0.45f);
        if (inRow < 3.f) return wood.scaled(1.12f);
        if (inRow > plank - 2.f) return wood.scaled(0.75f);
        // A butt joint halfway along every other plank.
        float joint = std::fmod(x + (row % 2) * S / 2.f, float(S));
        if (joint < 1.5f) return wood.scaled(0.5f);
        return wood;
    });
    c.wrapEdges = true;
    for (int row = 0; row < 4; row++)
        for (float x : {8.f, S - 8.f}) {
            float nx = std::fmod(x + (row % 2) * S / 2.f, float(S)), ny = row * plank + plank / 2.f;
            c.fillCircle(nx, ny, 1.5f, Colour(0.25f, 0.2f, 0.16f));
            c.fillCircle(nx - 0.4f, ny - 0.4f, 0.6f, Colour(0.8f, 0.8f, 0.75f, 0.6f));
        }
    return c;
}

Canvas paintLeaves()
{
    Noise noise(81);
    Random random(82);
    Canvas c(S, S, Colour::bytes(20, 48, 16));
    c.wrapEdges = true;
    for (int i = 0; i < 520; i++) {
        float x = random.range(0, S), y = random.range(0, S);
        float angle = random.range(0, 2 * pi), length = random.range(5.f, 9.f), width = length * 0.45f;
        float light = 0.6f + 0.6f * tiled(noise, x, y, 4, 2) + random.range(-0.15f, 0.15f);
        Colour leaf = Colour::bytes(50, 110, 36).scaled(light);
        float ca = std::cos(angle), sa = std::sin(angle);
        c.paint(x - length, y - length, x + length, y + length,
                [=](float px, float py) {
                    float u = (px - x) * ca + (py - y) * sa, v = -(px - x) * sa + (py - y) * ca;
                    return (std::hypot(u / length, v / width) - 1.f) * width;
                },
                [=](float px, float py) {
                    float u = (px - x) * ca + (py - y) * sa, v = -(px - x) * sa + (py - y) * ca;
                    float vein = std::fabs(v) < 0.5f && std::fabs(u) < length * 0.8f ? 0.8f : 1.f;
                    return leaf.scaled(vein * (1.05f - 0.25f * (u / length)));
                });
    }
    return c;
}

Canvas paintSnow()
{
    Noise noise(91);
    Random random(92);
    Canvas c(S, S);
    c.wrapEdges = true;
    const Colour shade = Colour::bytes(200, 214, 236), white = Colour::bytes(250, 252, 255);
    c.shade([&](float x, float y) {
        float n = tiled(noise, x, y, 4, 4);
        return shade.mix(white, clamp01(n * 1.6f - 0.2f));
    });
    for (int i = 0; i < 60; i++)
        c.fillCircle(random.range(0, S), random.range(0, S), 0.6f, Colour(1, 1, 1, 1));
    return c;
}

Canvas paintBrick()
{
    Noise noise(101);
    Canvas c(S, S);
    const int rowHeight = 16, brickLength = 32;
    const Colour mortar = Colour::bytes(196, 188, 172);
    c.shade([&](float x, float y) {
        int row = int(y) / rowHeight;
        float bx = x + (row % 2) * brickLength / 2.f;
        int column = int(bx / brickLength) % (S / brickLength);
        float localX = std::fmod(bx, float(brickLength)), localY = y - row * rowHeight;
        float edge = std::min(std::min(localX, brickLength - localX), std::min(localY, rowHeight - localY));
        float grain = tiled(noise, x, y, 16, 3);
        if (edge < 1.6f) return mortar.scaled(0.8f + 0.3f * grain);
        float tone = noise.hash(column, row, 4);
        Colour brick = Colour::bytes(156, 62, 44).mix(Colour::bytes(188, 92, 60), tone);
        brick = brick.scaled(0.85f + 0.3f * grain);
        if (edge < 3.f) brick = brick.scaled(0.82f);
        if (localY < 3.5f && edge >= 1.6f) brick = brick.scaled(1.1f);
        return brick;
    });
    return c;
}

struct TextureEntry {
    const char* name;
    Canvas (*paint)();
};

Canvas paintGrassSide() { return paintFringedSide(paintGrassTop(), 13, 22.f, Colour::bytes(40, 70, 20)); }
Canvas paintSnowSide() { return paintFringedSide(paintSnow(), 93, 26.f, Colour::bytes(120, 110, 120)); }

const TextureEntry textureTable[] = {
    {"grass_top.png", paintGrassTop},   {"grass_side.png", paintGrassSide}, {"dirt.png", paintDirt},
    {"stone.png", paintStone},          {"sand.png", paintSand},            {"wood_side.png", paintWoodSide},
    {"wood_top.png", paintWoodTop},     {"planks.png", paintPlanks},        {"leaves.png", paintLeaves},
    {"snow.png", paintSnow},            {"snow_side.png", paintSnowSide},   {"brick.png", paintBrick},
};

}  // namespace

std::vector<std::string> CubeTextures::names()
{
    std::vector<std::string> list;
    for (const TextureEntry& entry : textureTable) list.push_back(entry.name);
    return list;
}

Canvas CubeTextures::paint(const std::string& name)
{
    for (const TextureEntry& entry : textureTable)
        if (name == entry.name) return entry.paint();
    return Canvas(textureSize, textureSize);
}

Canvas CubeTextures::shadowed(const Canvas& lit)
{
    Canvas dark(lit.width(), lit.height());
    dark.shade([&](float x, float y) {
        const Colour& c = lit.at(int(x), int(y));
        return Colour(c.r * shadowTint.r, c.g * shadowTint.g, c.b * shadowTint.b, c.a);
    });
    return dark;
}

void CubeTextures::generate(AssetOutput& output)
{
    for (const TextureEntry& entry : textureTable) {
        Canvas lit = entry.paint();
        output.writePng(std::string("cube_textures/") + entry.name, lit, false);
        output.writePng(std::string("cube_shadowed_textures/") + entry.name, shadowed(lit), false);
    }
    // Shadow triangles darken whatever face they lie on by half.
    output.writePng("black_semi_transparent.png", Canvas(8, 8, Colour(0, 0, 0, 0.5f)), true);
}

}  // namespace assetgen
