// CubeZoneIndex: finds, among a region's aggregates, one that covers a face.
//
// A face is hidden when one solid (collidable) aggregate of the same region, other than
// the face's own, contains all four of the face's test points. Trying every aggregate for
// every face is quadratic in the region's aggregates; this index puts the solid aggregates
// into a uniform grid over their bounding box, so that only the aggregates overlapping the
// cell of the first test point are tried. Any aggregate that contains that point overlaps
// its cell, so the answer is the same as the quadratic search's.
//
// The index refers to the list it was built from; it must not outlive it or see it change.
//
// Depends on: world/CubeZone.
#pragma once

#include <vector>

#include "core/BasicVector.h"

class CubeZone;

class CubeZoneIndex {
public:
    // collidable[i] tells whether zones[i] can hide anything.
    CubeZoneIndex(const std::vector<CubeZone>& zones, const std::vector<bool>& collidable);

    // The lowest index, other than self, of a solid aggregate containing all four points,
    // or -1 when there is none.
    int findCover(const Float3 points[4], int self) const;

    // The same answer by trying every aggregate in list order: the reference the index is
    // measured and tested against.
    static int findCoverLinear(const std::vector<CubeZone>& zones, const std::vector<bool>& collidable,
                               const Float3 points[4], int self);

private:
    // nbCells and cellSize for a grid of perAxis cells along each axis the solids extend on.
    void setGrid(int perAxis);
    // How many cell entries the solid aggregates take in the current grid.
    long long countEntries(const std::vector<bool>& collidable) const;
    bool cellOf(const Float3& p, int cell[3]) const;
    int cellCoordinate(float value, int axis) const;

    const std::vector<CubeZone>& zones;
    bool empty = true;
    Float3 low, high;           // bounding box of the solid aggregates
    Float3 cellSize;
    int nbCells[3] = {1, 1, 1};
    std::vector<int> cellStart;  // per cell, where its entries begin in `entries` (one more at the end)
    std::vector<int> entries;    // aggregate indexes, ascending within a cell
};
