// The table, its growth, content changes, queries and the file form of the regions.
#include "world/WorldIndexator.h"

#include <cmath>
#include <string>

#include "core/FatalError.h"
#include "platform/Clock.h"
#include "world/CubeTypeList.h"
#include "world/WorldFileReader.h"
#include "world/WorldFileWriter.h"

namespace {

// Region coordinates beyond this are treated as "far outside any table"; the table limit
// keeps every real index well inside it, so no int arithmetic on indexes can overflow.
const float farRegionCoordinate = 1073741824.f;  // 2^30

// The smallest region record: two counts and two extra lengths.
const size_t minRegionRecordSize = 16;

bool isFinite(const Float3& v)
{
    return std::isfinite(v.x()) && std::isfinite(v.y()) && std::isfinite(v.z());
}

}  // namespace

WorldIndexator::WorldIndexator(float parSizeOneRegion, CubeTypeList& parTypes, float parSizeOneCube)
    : sizeOneRegion(parSizeOneRegion), types(parTypes), sizeOneCube(parSizeOneCube)
{
    ASSERT(parSizeOneRegion > 0.f, "WorldIndexator : the region edge (size_one_region x size_one_cube) must be greater than 0");
    allocateTable();
}

WorldIndexator::~WorldIndexator()
{
    freeRegions(true);
}

void WorldIndexator::allocateTable()
{
    long long nbCells = (long long)tableRegionSize.x() * tableRegionSize.y() * tableRegionSize.z();
    ASSERT(nbCells > 0 && nbCells <= maxTableCells, "WorldIndexator : the region table cannot be allocated");
    tableRegions.assign((size_t)nbCells, nullptr);
    // Regions are created x outermost, then y, then z.
    for (int x = 0; x < tableRegionSize.x(); x++)
        for (int y = 0; y < tableRegionSize.y(); y++)
            for (int z = 0; z < tableRegionSize.z(); z++)
                tableRegions[cellOf(Int3(x, y, z))] = new WorldRegion();
}

WorldRegion* WorldIndexator::getRegion(const Int3& posIndex)
{
    ASSERT(posIndex >= Int3(0,0,0) && posIndex < tableRegionSize, "WorldIndexator::getRegion : index outside the table");
    WorldRegion* wr = tableRegions[cellOf(posIndex)];
    ASSERT(wr, "WorldIndexator::getRegion : empty cell");
    return wr;
}

Int3 WorldIndexator::regionIndexOfPoint(const Float3& p) const
{
    Int3 index;
    for (int a = 0; a < 3; a++) {
        float r = std::floor(p[a] / sizeOneRegion);
        if (!(r > -farRegionCoordinate && r < farRegionCoordinate))
            r = farRegionCoordinate;
        index[a] = (int)r - tableMin[a];
    }
    return index;
}

bool WorldIndexator::regionIndexOfBox(const Float3& center, const Float3& size, Int3& result)
{
    if (!isFinite(center) || !isFinite(size))
        return false;
    Float3 lo = center - size / 2.f;
    Float3 hi = center + size / 2.f;
    Int3 a = regionIndexOfPoint(lo);
    Int3 b = regionIndexOfPoint(hi);
    if (a == b) {
        result = a;
    } else {
        // Rounding at region boundaries: a corner within 0.01 of the other corner's region.
        static const float steps[3] = {-0.01f, 0.f, 0.01f};
        bool found = false;
        for (int pass = 0; pass < 2 && !found; pass++) {
            const Float3& corner = pass == 0 ? hi : lo;
            const Int3& wanted = pass == 0 ? a : b;
            for (int i = 0; i < 27 && !found; i++)
                found = regionIndexOfPoint(corner + Float3(steps[i / 9], steps[i / 3 % 3], steps[i % 3])) == wanted;
            if (found)
                result = wanted;
        }
        if (!found)
            return false;
    }
    if (!isInTable(result)) {
        Int3 lowGrowth;
        if (!growToInclude(result + tableMin, lowGrowth))
            return false;
        result = result - lowGrowth;
    }
    return true;
}

bool WorldIndexator::growToInclude(const Int3& absolute, Int3& lowGrowth)
{
    Int3 rel = absolute - tableMin;
    Int3 modMin, modMax;
    long long newCells = 1;
    for (int a = 0; a < 3; a++) {
        modMin[a] = rel[a] < 0 ? rel[a] : 0;
        modMax[a] = rel[a] >= tableRegionSize[a] ? rel[a] - tableRegionSize[a] + 1 : 0;
        newCells *= (long long)tableRegionSize[a] - modMin[a] + modMax[a];
    }
    ASSERT(modMin <= Int3(0,0,0), "WorldIndexator : table growth");
    if (newCells > maxTableCells)
        return false;

    std::vector<WorldRegion*> oldTable;
    oldTable.swap(tableRegions);
    Int3 oldSize = tableRegionSize;
    tableRegionSize = tableRegionSize - modMin + modMax;
    tableMin = tableMin + modMin;
    allocateTable();
    for (int x = 0; x < oldSize.x(); x++)
        for (int y = 0; y < oldSize.y(); y++)
            for (int z = 0; z < oldSize.z(); z++) {
                size_t newCell = cellOf(Int3(x, y, z) - modMin);
                WorldRegion* wrToFree = tableRegions[newCell];
                ASSERT(wrToFree != NULL, "WorldIndexator : table growth");
                delete wrToFree;
                WorldRegion* wr = oldTable[(size_t)x + (size_t)oldSize.x() * ((size_t)y + (size_t)oldSize.y() * z)];
                ASSERT(wr != NULL, "WorldIndexator : table growth");
                wr->freeVBO();
                tableRegions[newCell] = wr;
            }
    lowGrowth = modMin;
    return true;
}

bool WorldIndexator::addCubeZone(const CubeZone& zone)
{
    Int3 index;
    if (!regionIndexOfBox(zone.position, zone.size, index))
        return false;
    WorldRegion* region = getRegion(index);
    region->freeVBO();
    region->cubeZones.push_back(zone);
    return true;
}

bool WorldIndexator::addObject(const CustomObject& object)
{
    Int3 index;
    if (!regionIndexOfBox(object.position, Float3(0.f, 0.f, 0.f), index))
        return false;
    WorldRegion* region = getRegion(index);
    region->freeVBO();
    region->objects.push_back(object);
    return true;
}

bool WorldIndexator::deleteAt(const Float3& p)
{
    Int3 index = regionIndexOfPoint(p);
    if (!isInTable(index))
        return false;
    WorldRegion* region = getRegion(index);
    region->freeVBO();
    for (size_t i = 0; i < region->cubeZones.size(); i++)
        if (region->cubeZones[i].position == p) {
            region->cubeZones.erase(region->cubeZones.begin() + i);
            return true;
        }
    return removeObjectAt(*region, p);
}

bool WorldIndexator::deleteNearest(const Float3& p)
{
    Int3 index = regionIndexOfPoint(p);
    if (!isInTable(index))
        return false;
    WorldRegion* region = getRegion(index);
    region->freeVBO();
    // Aggregates win over objects; on equal distances the later one wins.
    int nearest = -1;
    float best = 0.f;
    for (size_t i = 0; i < region->cubeZones.size(); i++) {
        float d = (region->cubeZones[i].position - p).length();
        if (nearest < 0 || d <= best) {
            nearest = (int)i;
            best = d;
        }
    }
    if (nearest >= 0) {
        region->cubeZones.erase(region->cubeZones.begin() + nearest);
        return true;
    }
    return removeNearestObject(*region, p);
}

bool WorldIndexator::removeObjectAt(WorldRegion& region, const Float3& p)
{
    if (&region == runningRegion)
        for (size_t i = 0; i < running.size(); i++)
            if (!runningRemoved[i] && running[i].position == p) {
                runningRemoved[i] = 1;
                return true;
            }
    for (size_t i = 0; i < region.objects.size(); i++)
        if (region.objects[i].position == p) {
            region.objects.erase(region.objects.begin() + i);
            return true;
        }
    return false;
}

bool WorldIndexator::removeNearestObject(WorldRegion& region, const Float3& p)
{
    // Candidates in list order: the running objects come before those added meanwhile.
    int nearest = -1;
    bool inRunning = false;
    float best = 0.f;
    if (&region == runningRegion)
        for (size_t i = 0; i < running.size(); i++) {
            float d = (running[i].position - p).length();
            if (!runningRemoved[i] && (nearest < 0 || d <= best)) {
                nearest = (int)i;
                inRunning = true;
                best = d;
            }
        }
    for (size_t i = 0; i < region.objects.size(); i++) {
        float d = (region.objects[i].position - p).length();
        if (nearest < 0 || d <= best) {
            nearest = (int)i;
            inRunning = false;
            best = d;
        }
    }
    if (nearest < 0)
        return false;
    if (inRunning)
        runningRemoved[nearest] = 1;
    else
        region.objects.erase(region.objects.begin() + nearest);
    return true;
}

float WorldIndexator::getGroundHeight(float x, float z)
{
    Int3 column = regionIndexOfPoint(Float3(x, 0.f, z));
    if (column.x() < 0 || column.x() >= tableRegionSize.x() || column.z() < 0 || column.z() >= tableRegionSize.z())
        return noGround;
    for (int y = tableRegionSize.y() - 1; y >= 0; y--) {
        WorldRegion* region = getRegion(Int3(column.x(), y, column.z()));
        bool found = false;
        float height = noGround;
        for (const CubeZone& zone : region->cubeZones) {
            Float3 lo = zone.minCorner(), hi = zone.maxCorner();
            if (lo.x() < x && x < hi.x() && lo.z() < z && z < hi.z() && (!found || hi.y() > height)) {
                height = hi.y();
                found = true;
            }
        }
        if (found)
            return height;
    }
    return noGround;
}

bool WorldIndexator::containsPoint(const Float3& p)
{
    Int3 index = regionIndexOfPoint(p);
    if (!isInTable(index))
        return false;
    for (const CubeZone& zone : getRegion(index)->cubeZones)
        if (zone.containsPoint(p, types))
            return true;
    return false;
}

bool WorldIndexator::segmentHit(const Float3& a, const Float3& b, Float3& hit)
{
    Int3 c = viewerRegionIndex();
    int h = (int)(viewDistance / sizeOneRegion);
    for (int x = c.x() - h; x <= c.x() + h; x++)
        for (int y = c.y() - h; y <= c.y() + h; y++)
            for (int z = c.z() - h; z <= c.z() + h; z++) {
                Int3 index(x, y, z);
                if (!isInTable(index))
                    continue;
                for (const CubeZone& zone : getRegion(index)->cubeZones)
                    if (zone.segmentHit(a, b, hit, types))
                        return true;
            }
    return false;
}

int WorldIndexator::countCubeZonesOfType(int typeIndex) const
{
    int count = 0;
    for (const WorldRegion* region : tableRegions)
        for (const CubeZone& zone : region->cubeZones)
            if (zone.id == typeIndex)
                count++;
    return count;
}

void WorldIndexator::freeAllVBOs()
{
    for (WorldRegion* region : tableRegions)
        region->freeVBO();
}

void WorldIndexator::reset()
{
    freeRegions(true);
    tableRegionSize = Int3(2, 2, 2);
    tableMin = Int3(-1, -1, -1);
    allocateTable();
}

void WorldIndexator::write(WorldFileWriter& out) const
{
    out.writeInt3(tableMin);
    out.writeInt3(tableRegionSize);
    for (int x = 0; x < tableRegionSize.x(); x++)
        for (int y = 0; y < tableRegionSize.y(); y++)
            for (int z = 0; z < tableRegionSize.z(); z++)
                tableRegions[cellOf(Int3(x, y, z))]->write(out);
}

void WorldIndexator::read(WorldFileReader& in)
{
    Int3 m = in.readInt3("region table minimum");
    Int3 n = in.readInt3("region table size");
    long long nbCells = 1;
    for (int a = 0; a < 3; a++) {
        if (n[a] <= 0)
            in.fail("the region table size is not positive on every axis");
        if (m[a] > -1 || (long long)m[a] + n[a] < 1)
            in.fail("the region table does not start at (-1, -1, -1) or below and reach coordinate 0 on every axis");
        nbCells *= n[a];
        if (nbCells > maxTableCells)
            in.fail("the region table holds more regions than this engine allows");
    }
    if ((unsigned long long)nbCells * minRegionRecordSize > in.remaining())
        in.fail("the region table (" + std::to_string(nbCells) + " regions) is larger than the rest of the file");

    // From the initial table, these two growths give exactly the file's minimum and size.
    Int3 lowGrowth;
    if (!(m >= tableMin))
        ASSERT(growToInclude(m, lowGrowth), "WorldIndexator::read : table growth");
    if (!(n <= tableRegionSize))
        ASSERT(growToInclude(m + n - Int3(1, 1, 1), lowGrowth), "WorldIndexator::read : table growth");

    int nbTypes = types.getNbCubeType();
    long long k = 0;
    int64_t lastDrawing = Clock::microseconds();
    for (int x = 0; x < n.x(); x++)
        for (int y = 0; y < n.y(); y++)
            for (int z = 0; z < n.z(); z++) {
                getRegion(Int3(x, y, z))->read(in, nbTypes);
                int64_t now = Clock::microseconds();
                if (now - lastDrawing > progressBarPeriod) {
                    drawProgressBar(progressBarEnd(k, nbCells, false), true);
                    lastDrawing = Clock::microseconds();
                }
                k++;
            }
}

void WorldIndexator::freeRegions(bool withProgressBar)
{
    ASSERT(runningRegion == NULL, "WorldIndexator : the regions cannot be freed while objects run");
    long long nbCells = (long long)tableRegions.size();
    long long k = 0;
    int64_t lastDrawing = Clock::microseconds();
    for (int x = 0; x < tableRegionSize.x(); x++)
        for (int y = 0; y < tableRegionSize.y(); y++)
            for (int z = 0; z < tableRegionSize.z(); z++) {
                WorldRegion*& cell = tableRegions[cellOf(Int3(x, y, z))];
                delete cell;
                cell = nullptr;
                int64_t now = Clock::microseconds();
                if (withProgressBar && now - lastDrawing > progressBarPeriod) {
                    drawProgressBar(progressBarEnd(k, nbCells, true), false);
                    lastDrawing = Clock::microseconds();
                }
                k++;
            }
    tableRegions.clear();
}
