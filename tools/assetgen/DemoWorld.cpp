#include "DemoWorld.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <vector>

#include "AssetOutput.h"
#include "HeightmapPicture.h"
#include "Noise.h"
#include "world/CubeTypeDescription.h"
#include "world/CubeTypeList.h"
#include "world/CubeZone.h"
#include "world/CustomObject.h"
#include "world/WorldFileWriter.h"
#include "world/WorldIndexator.h"

namespace assetgen {

namespace {

// The island grid: gridSize x gridSize columns centred on the origin, in cubes.
constexpr int gridSize = 128;
constexpr int half = gridSize / 2;
constexpr float tallest = 14.f;  // cubes, at the heightmap's white
// Columns of 2 x 2 cubes share one height: fewer, larger aggregates for software GL.
constexpr int columnWidth = 2;

// Landmarks, in cubes (x, z of the grid's column; the origin is the island's centre).
const int hutX = 6, hutZ = 14, hutSide = 7, hutHeight = 3;
const int pierZ = 2, pierLength = 12, pierWidth = 2;
const int nbTrees = 16, nbGems = 14, nbBirds = 3;

struct TypeEntry {
    const char* faces[6];  // top, bottom, front, back, left, right
    bool randomTexCoords;
};

// In the order of DemoWorld::CubeTypeIndex.
const TypeEntry typeTable[DemoWorld::NB_CUBE_TYPES] = {
    {{"dirt.png", "dirt.png", "dirt.png", "dirt.png", "dirt.png", "dirt.png"}, true},
    {{"grass_top.png", "dirt.png", "grass_side.png", "grass_side.png", "grass_side.png", "grass_side.png"}, false},
    {{"stone.png", "stone.png", "stone.png", "stone.png", "stone.png", "stone.png"}, true},
    {{"snow.png", "stone.png", "snow_side.png", "snow_side.png", "snow_side.png", "snow_side.png"}, false},
    {{"sand.png", "sand.png", "sand.png", "sand.png", "sand.png", "sand.png"}, true},
    {{"wood_top.png", "wood_top.png", "wood_side.png", "wood_side.png", "wood_side.png", "wood_side.png"}, false},
    {{"leaves.png", "leaves.png", "leaves.png", "leaves.png", "leaves.png", "leaves.png"}, true},
    {{"planks.png", "planks.png", "planks.png", "planks.png", "planks.png", "planks.png"}, false},
    {{"brick.png", "brick.png", "brick.png", "brick.png", "brick.png", "brick.png"}, false},
};

struct Column {
    int height = 0;  // cubes above y = 0; 0 is sea
    int top = 0, body = 0;
    bool merged = false;    // taken by a terrain rectangle already
    bool occupied = false;  // a tree or the hut stands on it
};

class Builder {
public:
    Builder() : indexator(DemoWorld::sizeOneRegion * DemoWorld::sizeOneCube, types, DemoWorld::sizeOneCube) {}

    Column& column(int x, int z) { return grid[size_t(x + half) * gridSize + size_t(z + half)]; }
    bool onGrid(int x, int z) const { return x >= -half && x < half && z >= -half && z < half; }

    void makeRelief();
    void mergeTerrain();
    void addHut();
    void addPier();
    void addTrees(Random& random);
    void addObjects(Random& random);
    std::string fileBytes() const;

    int nbZones = 0, nbObjects = 0;
    Float3 spawn;

private:
    // A box of cubes from low (included) to high (excluded), cut at region borders.
    void box(Int3 low, Int3 high, int type);
    void object(const Float3& position, int type);

    CubeTypeList types;
    WorldIndexator indexator;
    std::vector<Column> grid = std::vector<Column>(size_t(gridSize) * gridSize);
};

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void Builder::box(Int3 low, Int3 high, int type)
{
    const int r = DemoWorld::sizeOneRegion;
    for (int x0 = low.x(); x0 < high.x(); x0 = (floorDiv(x0, r) + 1) * r)
        for (int y0 = low.y(); y0 < high.y(); y0 = (floorDiv(y0, r) + 1) * r)
            for (int z0 = low.z(); z0 < high.z(); z0 = (floorDiv(z0, r) + 1) * r) {
                int x1 = std::min(high.x(), (floorDiv(x0, r) + 1) * r);
                int y1 = std::min(high.y(), (floorDiv(y0, r) + 1) * r);
                int z1 = std::min(high.z(), (floorDiv(z0, r) + 1) * r);
                const float c = DemoWorld::sizeOneCube;
                Float3 size((x1 - x0) * c, (y1 - y0) * c, (z1 - z0) * c);
                Float3 centre((x0 + x1) * c * 0.5f, (y0 + y1) * c * 0.5f, (z0 + z1) * c * 0.5f);
                if (!indexator.addCubeZone(CubeZone(size, centre, type)))
                    AssetOutput::failure("the region index refused a cube aggregate of the demo world");
                nbZones++;
            }
}

void Builder::object(const Float3& position, int type)
{
    CustomObject record;
    record.position = position;
    record.type = type;
    if (!indexator.addObject(record)) AssetOutput::failure("the region index refused a script object");
    nbObjects++;
}

void Builder::makeRelief()
{
    for (int x = -half; x < half; x++)
        for (int z = -half; z < half; z++) {
            // Two heightmap pixels a cube, the heightmap's centre at the origin.
            int cx = floorDiv(x + half, columnWidth) * columnWidth, cz = floorDiv(z + half, columnWidth) * columnWidth;
            float h = HeightmapPicture::islandHeight((cx + columnWidth * 0.5f) * 2.f, (cz + columnWidth * 0.5f) * 2.f);
            Column& c = column(x, z);
            c.height = h < 0.04f ? 0 : std::max(1, int(h * tallest + 0.5f));
            if (c.height <= 2) c.top = c.body = DemoWorld::TYPE_SAND;
            else if (c.height <= 9) c.top = DemoWorld::TYPE_GRASS, c.body = DemoWorld::TYPE_DIRT;
            else if (c.height <= 11) c.top = c.body = DemoWorld::TYPE_STONE;
            else c.top = DemoWorld::TYPE_SNOW, c.body = DemoWorld::TYPE_STONE;
        }
    // The hut stands on a level lawn.
    int level = column(hutX, hutZ).height;
    for (int x = hutX - 4; x <= hutX + hutSide + 3; x++)
        for (int z = hutZ - 4; z <= hutZ + hutSide + 5; z++) {
            Column& c = column(x, z);
            c.height = level;
            c.top = DemoWorld::TYPE_GRASS;
            c.body = DemoWorld::TYPE_DIRT;
        }
}

void Builder::mergeTerrain()
{
    // Rectangles of columns with the same height and look, grown along z then x, kept
    // inside one region so that the region index takes them whole.
    const int r = DemoWorld::sizeOneRegion;
    for (int x = -half; x < half; x++)
        for (int z = -half; z < half; z++) {
            Column& start = column(x, z);
            if (start.merged || start.height == 0) continue;
            auto same = [&](int cx, int cz) {
                const Column& c = column(cx, cz);
                return !c.merged && c.height == start.height && c.top == start.top && c.body == start.body;
            };
            int zEnd = z + 1;
            while (zEnd < half && floorDiv(zEnd, r) == floorDiv(z, r) && same(x, zEnd)) zEnd++;
            int xEnd = x + 1;
            for (;; xEnd++) {
                if (xEnd >= half || floorDiv(xEnd, r) != floorDiv(x, r)) break;
                bool rowMatches = true;
                for (int cz = z; cz < zEnd && rowMatches; cz++) rowMatches = same(xEnd, cz);
                if (!rowMatches) break;
            }
            for (int cx = x; cx < xEnd; cx++)
                for (int cz = z; cz < zEnd; cz++) column(cx, cz).merged = true;
            // One box when the column is of one material, else a body under a one-cube top.
            int h = start.height, bodyTop = start.top == start.body ? h : h - 1;
            if (bodyTop > 0) box(Int3(x, 0, z), Int3(xEnd, bodyTop, zEnd), start.body);
            if (bodyTop < h) box(Int3(x, bodyTop, z), Int3(xEnd, h, zEnd), start.top);
        }
}

void Builder::addHut()
{
    int floor = column(hutX, hutZ).height;
    int x0 = hutX, z0 = hutZ, x1 = hutX + hutSide, z1 = hutZ + hutSide, y0 = floor, y1 = floor + hutHeight;
    int door = hutX + hutSide / 2;
    box(Int3(x0, y0, z0), Int3(x1, y1, z0 + 1), DemoWorld::TYPE_BRICK);              // back wall (-z)
    box(Int3(x0, y0, z1 - 1), Int3(door, y1, z1), DemoWorld::TYPE_BRICK);            // front wall, left of the door
    box(Int3(door + 1, y0, z1 - 1), Int3(x1, y1, z1), DemoWorld::TYPE_BRICK);        // right of the door
    box(Int3(door, y0 + 2, z1 - 1), Int3(door + 1, y1, z1), DemoWorld::TYPE_BRICK);  // over the door
    box(Int3(x0, y0, z0 + 1), Int3(x0 + 1, y1, z1 - 1), DemoWorld::TYPE_BRICK);      // side walls
    box(Int3(x1 - 1, y0, z0 + 1), Int3(x1, y1, z1 - 1), DemoWorld::TYPE_BRICK);
    box(Int3(x0 - 1, y1, z0 - 1), Int3(x1 + 1, y1 + 1, z1 + 1), DemoWorld::TYPE_PLANKS);  // roof
    box(Int3(x0 + 1, y1 + 1, z0 + 1), Int3(x1 - 1, y1 + 2, z1 - 1), DemoWorld::TYPE_PLANKS);
    for (int x = x0 - 1; x <= x1; x++)
        for (int z = z0 - 1; z <= z1; z++) column(x, z).occupied = true;
    // The player starts on the lawn, three cubes in front of the door.
    const float c = DemoWorld::sizeOneCube;
    spawn = Float3((door + 0.5f) * c, floor * c, (z1 + 3.5f) * c);
}

void Builder::addPier()
{
    // From the first sea column west of the beach, out to sea along -x.
    int coast = -half;
    while (coast < 0 && column(coast, pierZ).height == 0 && column(coast, pierZ + pierWidth - 1).height == 0) coast++;
    box(Int3(coast - pierLength, 0, pierZ), Int3(coast, 1, pierZ + pierWidth), DemoWorld::TYPE_PLANKS);
    const float c = DemoWorld::sizeOneCube;
    object(Float3((coast - pierLength + 3) * c, -2.f, (pierZ + pierWidth + 4) * c), DemoWorld::OBJECT_BOAT);
}

void Builder::addTrees(Random& random)
{
    std::vector<Int3> placed;
    const int r = DemoWorld::sizeOneRegion;
    for (int attempt = 0; attempt < 2000 && int(placed.size()) < nbTrees; attempt++) {
        int x = random.below(gridSize - 8) - half + 4, z = random.below(gridSize - 8) - half + 4;
        int local = ((x % r) + r) % r, localZ = ((z % r) + r) % r;
        if (local < 1 || local > r - 2 || localZ < 1 || localZ > r - 2) continue;  // crown within the region
        const Column& c = column(x, z);
        if (c.top != DemoWorld::TYPE_GRASS || c.height < 3) continue;
        bool clear = true;
        for (int dx = -1; dx <= 1 && clear; dx++)
            for (int dz = -1; dz <= 1 && clear; dz++) clear = !column(x + dx, z + dz).occupied;
        for (const Int3& p : placed) clear = clear && std::abs(p.x() - x) + std::abs(p.z() - z) > 7;
        if (!clear || std::abs(x - hutX - 3) + std::abs(z - hutZ - 3) < 10) continue;
        placed.push_back(Int3(x, c.height, z));
    }
    for (const Int3& p : placed) {
        int trunk = 3 + random.below(2), y = p.y();
        box(Int3(p.x(), y, p.z()), Int3(p.x() + 1, y + trunk, p.z() + 1), DemoWorld::TYPE_WOOD);
        box(Int3(p.x() - 1, y + trunk, p.z() - 1), Int3(p.x() + 2, y + trunk + 2, p.z() + 2), DemoWorld::TYPE_LEAVES);
        box(Int3(p.x(), y + trunk + 2, p.z()), Int3(p.x() + 1, y + trunk + 3, p.z() + 1), DemoWorld::TYPE_LEAVES);
        for (int dx = -1; dx <= 1; dx++)
            for (int dz = -1; dz <= 1; dz++) column(p.x() + dx, p.z() + dz).occupied = true;
    }
}

void Builder::addObjects(Random& random)
{
    const float c = DemoWorld::sizeOneCube;
    // Gems stand 8 units above the ground, on land, never on a tree or in the hut.
    int placedGems = 0;
    for (int attempt = 0; attempt < 5000 && placedGems < nbGems; attempt++) {
        int x = random.below(gridSize) - half, z = random.below(gridSize) - half;
        const Column& col = column(x, z);
        if (col.height == 0 || col.top == DemoWorld::TYPE_SNOW) continue;
        // On level ground (not at a step's edge), under no tree, out of the hut.
        bool clear = !col.occupied;
        for (int dx = -1; dx <= 1; dx++)
            for (int dz = -1; dz <= 1; dz++)
                if (!onGrid(x + dx, z + dz) || column(x + dx, z + dz).height != col.height) clear = false;
        if (!clear) continue;
        object(Float3((x + 0.5f) * c, col.height * c + 8.f, (z + 0.5f) * c), DemoWorld::OBJECT_GEM);
        placedGems++;
    }
    for (int i = 0; i < nbBirds; i++) {
        float angle = 2.f * 3.14159265f * i / nbBirds;
        object(Float3(std::cos(angle) * 250.f, 180.f + 20.f * i, std::sin(angle) * 250.f), DemoWorld::OBJECT_BIRD);
    }
}

std::string Builder::fileBytes() const
{
    WorldFileWriter out;
    out.writeBytes("WORLD");
    out.writeInt(1);
    out.writeInt(DemoWorld::NB_CUBE_TYPES);
    for (const TypeEntry& entry : typeTable) {
        CubeTypeDescription description;
        for (int f = 0; f < nbCubeFaces; f++) description.textureNames[f] = entry.faces[f];
        description.stretchTexture = 1;
        description.divideTexCoordsBy8 = 1;
        description.randomTexCoords = entry.randomTexCoords ? 0 : 1;
        description.collidable = true;
        description.write(out);
    }
    indexator.write(out);
    return out.bytes();
}

}  // namespace

Float3 DemoWorld::spawnPoint()
{
    Builder builder;
    builder.makeRelief();
    builder.addHut();
    return builder.spawn;
}

void DemoWorld::generate(AssetOutput& output)
{
    Builder builder;
    Random random(4242);
    builder.makeRelief();
    builder.addHut();
    builder.addTrees(random);
    builder.mergeTerrain();
    builder.addPier();
    builder.addObjects(random);
    output.writeBytes("world.dat", builder.fileBytes());
    std::cout << "make_demo_assets: world.dat holds " << builder.nbZones << " cube aggregates and "
              << builder.nbObjects << " script objects; the player starts at (" << builder.spawn.x() << ", "
              << builder.spawn.y() << ", " << builder.spawn.z() << ")" << std::endl;
}

}  // namespace assetgen
