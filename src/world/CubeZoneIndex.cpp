#include "world/CubeZoneIndex.h"

#include <algorithm>
#include <cmath>

#include "world/CubeZone.h"

namespace {

// At most this many cells along an axis; about two cells per aggregate along each axis of
// a cubic cloud of them keeps the candidate lists short without a large grid.
const int maxCellsPerAxis = 32;
// On average an aggregate is listed in at most this many cells.
const long long maxEntriesPerAggregate = 64;

bool containsAll(const CubeZone& zone, const Float3 points[4])
{
    for (int i = 0; i < 4; i++)
        if (!zone.boxContains(points[i]))
            return false;
    return true;
}

}  // namespace

CubeZoneIndex::CubeZoneIndex(const std::vector<CubeZone>& parZones, const std::vector<bool>& collidable)
    : zones(parZones)
{
    int nbSolid = 0;
    for (size_t i = 0; i < zones.size(); i++) {
        if (!collidable[i])
            continue;
        Float3 lo = zones[i].minCorner(), hi = zones[i].maxCorner();
        if (nbSolid == 0) {
            low = lo;
            high = hi;
        }
        for (int a = 0; a < 3; a++) {
            low[a] = std::min(low[a], lo[a]);
            high[a] = std::max(high[a], hi[a]);
        }
        nbSolid++;
    }
    empty = nbSolid == 0;
    if (empty)
        return;

    // Aggregates that overlap many cells are listed in each: a coarser grid keeps the lists
    // within their budget (one cell per axis lists each aggregate once).
    int perAxis = std::max(1, std::min(maxCellsPerAxis, (int)std::lround(2.0 * std::cbrt((double)nbSolid))));
    const long long maxEntries = maxEntriesPerAggregate * (long long)nbSolid;
    for (;; perAxis /= 2) {
        setGrid(perAxis);
        if (perAxis == 1 || countEntries(collidable) <= maxEntries)
            break;
    }

    // Two passes: count the entries per cell, then fill them in aggregate order.
    size_t nbAllCells = (size_t)nbCells[0] * nbCells[1] * nbCells[2];
    std::vector<int> counts(nbAllCells + 1, 0);
    for (int pass = 0; pass < 2; pass++) {
        for (size_t i = 0; i < zones.size(); i++) {
            if (!collidable[i])
                continue;
            Float3 lo = zones[i].minCorner(), hi = zones[i].maxCorner();
            int from[3], to[3];
            for (int a = 0; a < 3; a++) {
                from[a] = cellCoordinate(lo[a], a);
                to[a] = cellCoordinate(hi[a], a);
            }
            for (int x = from[0]; x <= to[0]; x++)
                for (int y = from[1]; y <= to[1]; y++)
                    for (int z = from[2]; z <= to[2]; z++) {
                        size_t cell = (size_t)x + (size_t)nbCells[0] * ((size_t)y + (size_t)nbCells[1] * z);
                        if (pass == 0)
                            counts[cell]++;
                        else
                            entries[counts[cell]++] = (int)i;
                    }
        }
        if (pass == 0) {
            cellStart.assign(nbAllCells + 1, 0);
            for (size_t c = 0; c < nbAllCells; c++)
                cellStart[c + 1] = cellStart[c] + counts[c];
            entries.resize(cellStart[nbAllCells]);
            std::copy(cellStart.begin(), cellStart.end() - 1, counts.begin());
        }
    }
}

void CubeZoneIndex::setGrid(int perAxis)
{
    for (int a = 0; a < 3; a++) {
        float extent = high[a] - low[a];
        nbCells[a] = extent > 0.f ? perAxis : 1;
        cellSize[a] = extent > 0.f ? extent / (float)nbCells[a] : 1.f;
    }
}

long long CubeZoneIndex::countEntries(const std::vector<bool>& collidable) const
{
    long long total = 0;
    for (size_t i = 0; i < zones.size(); i++) {
        if (!collidable[i])
            continue;
        Float3 lo = zones[i].minCorner(), hi = zones[i].maxCorner();
        long long nbCovered = 1;
        for (int a = 0; a < 3; a++)
            nbCovered *= std::max(0, cellCoordinate(hi[a], a) - cellCoordinate(lo[a], a) + 1);
        total += nbCovered;
    }
    return total;
}

// Rounding is monotonic, so a point between a box's corners always falls in a cell between
// the cells of those corners.
int CubeZoneIndex::cellCoordinate(float value, int axis) const
{
    float cell = std::floor((value - low[axis]) / cellSize[axis]);
    if (!(cell >= 0.f))
        return 0;
    if (cell >= (float)(nbCells[axis] - 1))
        return nbCells[axis] - 1;
    return (int)cell;
}

bool CubeZoneIndex::cellOf(const Float3& p, int cell[3]) const
{
    for (int a = 0; a < 3; a++) {
        if (!(p[a] >= low[a] && p[a] <= high[a]))
            return false;  // outside every solid aggregate
        cell[a] = cellCoordinate(p[a], a);
    }
    return true;
}

int CubeZoneIndex::findCover(const Float3 points[4], int self) const
{
    int cell[3];
    if (empty || !cellOf(points[0], cell))
        return -1;
    size_t c = (size_t)cell[0] + (size_t)nbCells[0] * ((size_t)cell[1] + (size_t)nbCells[1] * cell[2]);
    for (int e = cellStart[c]; e < cellStart[c + 1]; e++) {
        int i = entries[e];
        if (i != self && containsAll(zones[i], points))
            return i;
    }
    return -1;
}

int CubeZoneIndex::findCoverLinear(const std::vector<CubeZone>& zones, const std::vector<bool>& collidable,
                                   const Float3 points[4], int self)
{
    for (size_t i = 0; i < zones.size(); i++)
        if ((int)i != self && collidable[i] && containsAll(zones[i], points))
            return (int)i;
    return -1;
}
