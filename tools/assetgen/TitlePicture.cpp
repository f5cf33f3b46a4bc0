#include "TitlePicture.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "AssetOutput.h"
#include "Canvas.h"
#include "CubeTextures.h"
#include "HeightmapPicture.h"
#include "Noise.h"
#include "SkyPictures.h"
#include "TextPainter.h"

namespace assetgen {

namespace {

// Isometric view: cube (x, y, z) at screen (cx + (x - z) * a, cy + (x + z) * b - y * c).
const float cubeA = 17.f, cubeB = 8.5f, cubeC = 19.f;
const float islandX = 512.f, islandY = 232.f;
const int islandSize = 16;

struct Cube {
    int x, y, z;
    const char* top;
    const char* side;
};

Point2 project(float x, float y, float z)
{
    return Point2{islandX + (x - z) * cubeA, islandY + (x + z) * cubeB - y * cubeC};
}

// Paints the parallelogram origin + u e1 + v e2 (u, v in 0..1) with the texture.
void texturedFace(Canvas& canvas, Point2 origin, Point2 e1, Point2 e2, const Canvas& texture, float light)
{
    std::vector<Point2> corners = {origin, {origin.x + e1.x, origin.y + e1.y},
                                   {origin.x + e1.x + e2.x, origin.y + e1.y + e2.y}, {origin.x + e2.x, origin.y + e2.y}};
    float det = e1.x * e2.y - e1.y * e2.x;
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Point2& p : corners) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    canvas.paint(x0, y0, x1, y1,
                 [&](float x, float y) { return Canvas::polygonDistance(x, y, corners); },
                 [&](float x, float y) {
                     float dx = x - origin.x, dy = y - origin.y;
                     float u = (dx * e2.y - dy * e2.x) / det, v = (e1.x * dy - e1.y * dx) / det;
                     int tx = std::clamp(int(u * texture.width()), 0, texture.width() - 1);
                     int ty = std::clamp(int(v * texture.height()), 0, texture.height() - 1);
                     return texture.at(tx, ty).scaled(light);
                 });
}

void drawCube(Canvas& canvas, const Cube& cube, std::map<std::string, Canvas>& textures)
{
    auto texture = [&](const char* name) -> const Canvas& {
        auto it = textures.find(name);
        if (it == textures.end()) it = textures.emplace(name, CubeTextures::paint(name)).first;
        return it->second;
    };
    float x = float(cube.x), y = float(cube.y), z = float(cube.z);
    Point2 topBack = project(x, y + 1, z), topRight = project(x + 1, y + 1, z), topLeft = project(x, y + 1, z + 1);
    Point2 topFront = project(x + 1, y + 1, z + 1);
    auto minus = [](Point2 a, Point2 b) { return Point2{a.x - b.x, a.y - b.y}; };
    Point2 down = minus(project(x, y, z), project(x, y + 1, z));
    // Top, then the +z face (front left) and the +x face (front right); sides stand upright.
    texturedFace(canvas, topBack, minus(topRight, topBack), minus(topLeft, topBack), texture(cube.top), 1.f);
    texturedFace(canvas, topLeft, minus(topFront, topLeft), down, texture(cube.side), 0.72f);
    texturedFace(canvas, topFront, minus(topRight, topFront), down, texture(cube.side), 0.88f);
    Colour edge(0, 0, 0, 0.18f);
    canvas.drawLine(topLeft.x, topLeft.y, topFront.x, topFront.y, 1.f, edge);
    canvas.drawLine(topFront.x, topFront.y, topRight.x, topRight.y, 1.f, edge);
    canvas.drawLine(topFront.x, topFront.y, topFront.x + down.x, topFront.y + down.y, 1.f, edge);
}

std::vector<Cube> buildIsland()
{
    std::vector<Cube> cubes;
    for (int x = 0; x < islandSize; x++)
        for (int z = 0; z < islandSize; z++) {
            float h = HeightmapPicture::islandHeight((x + 0.5f) / islandSize * HeightmapPicture::size * 0.8f + 26.f,
                                                     (z + 0.5f) / islandSize * HeightmapPicture::size * 0.8f + 26.f);
            int top = int(h * 9.f);
            if (h < 0.05f) continue;
            for (int y = 0; y <= top; y++) {
                bool surface = y == top;
                if (top <= 1) cubes.push_back({x, y, z, "sand.png", "sand.png"});
                else if (top >= 6 && surface) cubes.push_back({x, y, z, "snow.png", "snow_side.png"});
                else if (top >= 5) cubes.push_back({x, y, z, "stone.png", "stone.png"});
                else if (surface) cubes.push_back({x, y, z, "grass_top.png", "grass_side.png"});
                else cubes.push_back({x, y, z, "dirt.png", "dirt.png"});
            }
        }
    // Two trees on the grass.
    for (auto [tx, tz] : {std::pair<int, int>{10, 6}, std::pair<int, int>{6, 11}}) {
        int ground = -1;
        for (const Cube& c : cubes)
            if (c.x == tx && c.z == tz) ground = std::max(ground, c.y);
        if (ground < 0) continue;
        for (int y = ground + 1; y <= ground + 3; y++) cubes.push_back({tx, y, tz, "wood_top.png", "wood_side.png"});
        for (int dx = -1; dx <= 1; dx++)
            for (int dz = -1; dz <= 1; dz++)
                for (int dy = 3; dy <= 4; dy++)
                    if (!(dx == 0 && dz == 0 && dy == 3) && !(dy == 4 && dx != 0 && dz != 0))
                        cubes.push_back({tx + dx, ground + dy + 1, tz + dz, "leaves.png", "leaves.png"});
    }
    std::sort(cubes.begin(), cubes.end(), [](const Cube& a, const Cube& b) {
        int da = a.x + a.z + a.y, db = b.x + b.z + b.y;
        return da != db ? da < db : a.y < b.y;
    });
    return cubes;
}

void paintBackground(Canvas& canvas)
{
    const float horizon = 300.f;
    static const Noise noise(5);
    canvas.shade([&](float px, float py) {
        // A camera looking toward the sun's side, slightly up; wide field of view.
        float x = (px - TitlePicture::width * 0.5f) / 700.f, y = (horizon - py) / 700.f, z = -1.f;
        float yaw = -0.35f, cy = std::cos(yaw), sy = std::sin(yaw);
        float wx = x * cy + z * sy, wz = -x * sy + z * cy;
        float l = std::sqrt(wx * wx + y * y + wz * wz);
        Colour sky = SkyPictures::skyColour(wx / l, y / l, wz / l);
        if (py > horizon) {
            float ripple = noise.fractal(px / 40.f, (py - horizon) * (py - horizon) / 900.f, 3);
            sky = sky.scaled(0.9f + 0.2f * ripple);
        }
        return sky;
    });
}

}  // namespace

void TitlePicture::generate(AssetOutput& output, const std::string& fontFolder)
{
    Canvas canvas(width, height);
    paintBackground(canvas);
    // Foam where the island meets the sea.
    Point2 centre = project(islandSize * 0.5f, 0.f, islandSize * 0.5f);
    const float foamX = 250.f, foamY = 125.f;
    canvas.paint(centre.x - foamX, centre.y - foamY, centre.x + foamX, centre.y + foamY,
                 [&](float x, float y) { return (std::hypot((x - centre.x) / foamX, (y - centre.y) / foamY) - 1.f) * foamY; },
                 [&](float x, float y) {
                     float d = std::hypot((x - centre.x) / foamX, (y - centre.y) / foamY);
                     return Colour(0.9f, 0.97f, 1.f, 0.45f * std::pow(d, 6.f));
                 });
    std::map<std::string, Canvas> textures;
    for (const Cube& cube : buildIsland()) drawCube(canvas, cube, textures);

    TextPainter title(fontFolder + "/DejaVuSans-Bold.ttf", 88);
    TextPainter subtitle(fontFolder + "/DejaVuSans.ttf", 24);
    TextPainter prompt(fontFolder + "/DejaVuSans-Bold.ttf", 26);
    for (int dy = -3; dy <= 3; dy++)
        for (int dx = -3; dx <= 3; dx++)
            if (dx * dx + dy * dy <= 10)
                title.drawCentred(canvas, "Cubewright", width * 0.5f + dx, 78.f + dy, Colour::bytes(40, 26, 10, 200));
    title.drawCentred(canvas, "Cubewright", width * 0.5f, 78.f, Colour::bytes(255, 214, 110));
    subtitle.drawCentredWithShadow(canvas, "An island of cubes, made with the Cubewright engine", width * 0.5f, 142.f,
                                   Colour(1, 1, 1));
    canvas.fillRoundedRect(width * 0.5f - 190, 446, width * 0.5f + 190, 490, 22, Colour::bytes(10, 20, 40, 170));
    prompt.drawCentredWithShadow(canvas, "Press any key to play", width * 0.5f, 468.f, Colour(1, 1, 1));
    output.writePng("pictures/title.png", canvas, false);

    // The HUD's gem counter icon: a small cut gem.
    Canvas icon(32, 32);
    std::vector<Point2> outline = {{16, 29}, {3, 12}, {8, 5}, {24, 5}, {29, 12}};
    icon.paint(0, 0, 32, 32, [&](float x, float y) { return Canvas::polygonDistance(x, y, outline) - 1.2f; },
               Colour::bytes(8, 40, 34));
    icon.fillPolygon(outline, Colour::bytes(40, 210, 160));
    icon.fillPolygon({{8, 5}, {24, 5}, {29, 12}, {3, 12}}, Colour::bytes(150, 255, 220));
    icon.fillPolygon({{16, 29}, {3, 12}, {12, 12}}, Colour::bytes(20, 150, 120));
    icon.fillPolygon({{16, 29}, {20, 12}, {29, 12}}, Colour::bytes(10, 120, 100));
    icon.drawLine(10, 8, 14, 8, 1.5f, Colour(1, 1, 1, 0.9f));
    output.writePng("pictures/gem_icon.png", icon, true);
}

}  // namespace assetgen
