// WorldIndexator: the region index. Space is cut into cubic regions of equal size; each
// region keeps the aggregates and script objects that lie in it and the vertex buffer
// batches built from its aggregates.
//
// The table covers a box of region coordinates that grows whenever content lands outside
// it and never shrinks (reset is the only way back to the initial 2 x 2 x 2 table at
// (-1, -1, -1)); its minimum stays at most (-1, -1, -1) and it always reaches coordinate 0.
// Absolute region r along an axis covers [r * sizeOneRegion, (r + 1) * sizeOneRegion); a
// box belongs to the region of its minimum corner, its maximum corner may lie up to 0.01
// beyond it, and a box that spans more than that is refused.
//
// Each frame, around the camera: update runs the objects of the live regions and frees
// the batches of the regions that fell out of range; draw builds missing batches (one
// border region ahead per frame with progressive loading) and draws the inner regions.
// The frame part (update, draw, progress bars) is in WorldIndexatorFrame.cpp.
//
// Depends on: world/WorldRegion, world/CubeTypeList, gl/ (scene, frame end, batches),
// draw/ (region outlines).
#pragma once

#include <cstdint>
#include <vector>

#include "core/BasicVector.h"
#include "world/WorldRegion.h"

class CubeTypeList;
class WorldFileReader;
class WorldFileWriter;

// Runs the script objects of the live regions. The script host provides it; without one,
// objects are kept, saved and deleted but neither run nor drawn.
class ObjectRunner {
public:
    virtual ~ObjectRunner() = default;
    // The object's per-frame step; it may move the object. While it runs, the script may
    // add objects and remove any object (this one included) through the region index. The
    // record stays in place, and readable, until the next update runs a region's objects,
    // so a runner may keep pointing at the record it ran last (draw functions read it).
    virtual void manage(CustomObject& object) = 0;
    // Draws a copy of the record: drawing never changes an object.
    virtual void draw(const CustomObject& object) = 0;
};

class WorldIndexator {
public:
    // The table never holds more cells than this: a box that would grow it further is refused.
    static const long long maxTableCells = 1 << 21;
    // The lowest float: the ground height where there is no ground.
    static constexpr float noGround = -3.4028235e38f;

    // parSizeOneRegion: region edge in world units, greater than 0. The cube type list and
    // the cube edge serve geometry building and collision.
    WorldIndexator(float parSizeOneRegion, CubeTypeList& parTypes, float parSizeOneCube);
    ~WorldIndexator();
    WorldIndexator(const WorldIndexator&) = delete;
    WorldIndexator& operator=(const WorldIndexator&) = delete;

    float sizeOneRegion;
    Int3 tableMin = Int3(-1, -1, -1);
    Int3 tableRegionSize = Int3(2, 2, 2);
    float viewDistance = 0.f;  // world units, set by the world scene before each draw
    bool progressiveLoading = true;

    void setObjectRunner(ObjectRunner* runner) { objectRunner = runner; }

    bool isInTable(const Int3& posIndex) const
    {
        return posIndex >= Int3(0, 0, 0) && posIndex < tableRegionSize;
    }
    WorldRegion* getRegion(const Int3& posIndex);
    // The table index of the region of a point (no bounds check). Coordinates too large for
    // a region index give an index far outside any table.
    Int3 regionIndexOfPoint(const Float3& p) const;
    // True and the table index of the one region that holds the box, growing the table when
    // needed; false when no single region holds it (or the table would grow beyond its limit).
    bool regionIndexOfBox(const Float3& center, const Float3& size, Int3& result);

    // Both free the region's batches and append; false, with nothing added, when refused.
    bool addCubeZone(const CubeZone& zone);
    bool addObject(const CustomObject& object);
    // Removes the aggregate, else the object, whose position is exactly p.
    bool deleteAt(const Float3& p);
    // Removes the aggregate nearest to p in p's region, else the nearest object.
    bool deleteNearest(const Float3& p);
    // The highest top of an aggregate strictly above the spot (x, z), or noGround.
    float getGroundHeight(float x, float z);
    // Any aggregate of p's region contains p (objects are never hit).
    bool containsPoint(const Float3& p);
    // The first aggregate hit, walking the regions of the view cube around the camera.
    bool segmentHit(const Float3& a, const Float3& b, Float3& hit);
    // Number of aggregates, in all regions, of that cube type.
    int countCubeZonesOfType(int typeIndex) const;

    // Once per frame, between the cube type usage reset and the freeing of unused textures.
    void update();
    // Once per frame, with the region outlines in the editor.
    void draw(bool showOutlines);
    void freeAllVBOs();
    // Frees every region (with the shrinking progress bar) and makes the initial empty table.
    void reset();

    // The region part of the world file: table minimum, table size, every region record.
    void write(WorldFileWriter& out) const;
    // Reads it into the table just reset; the table then has the file's minimum and size.
    // A table that is not a valid one for this engine is a fatal report naming the file.
    void read(WorldFileReader& in);

private:
    // Index of a cell in tableRegions.
    size_t cellOf(const Int3& posIndex) const
    {
        return (size_t)posIndex.x() +
               (size_t)tableRegionSize.x() * ((size_t)posIndex.y() + (size_t)tableRegionSize.y() * posIndex.z());
    }
    void allocateTable();
    // Grows the table to include the absolute coordinate; returns the growth at the low end
    // through lowGrowth. False (nothing changed) when the table would exceed its limit.
    bool growToInclude(const Int3& absolute, Int3& lowGrowth);
    void freeRegions(bool withProgressBar);
    Int3 viewerRegionIndex() const;
    int walkHalfWidth() const;

    // Frame part (WorldIndexatorFrame.cpp).
    void updateRegion(WorldRegion& region, std::vector<CustomObject>& moved);
    // While a region's objects run, they sit in `running` (so the record being run never
    // moves in memory, and stays there after) and the region's own list collects the
    // objects added meanwhile.
    // Removals from the running list only mark the record.
    WorldRegion* runningRegion = nullptr;
    std::vector<CustomObject> running;
    std::vector<char> runningRemoved;
    // Removes the first live object of the region at exactly p, or the nearest (later wins
    // on equal distances), looking in the running list first.
    bool removeObjectAt(WorldRegion& region, const Float3& p);
    bool removeNearestObject(WorldRegion& region, const Float3& p);
    // Builds the region's batches unless they exist; adds what it built to the counts.
    bool buildRegion(WorldRegion& region, int& nbBuffers, int& nbVertices);
    void drawRegion(WorldRegion& region, int& nbBuffers, int& nbVertices, bool& built);
    void drawOutline(const Int3& posIndex);
    // Progress bars of loading (growing) and freeing (shrinking): redrawn at most every
    // progressBarPeriod microseconds, only while a window exists.
    static const int64_t progressBarPeriod = 100000;
    // The bar's right end in window pixels after k of nbCells regions.
    static int progressBarEnd(long long k, long long nbCells, bool shrinking);
    static void drawProgressBar(int barEnd, bool setupState);

    CubeTypeList& types;
    float sizeOneCube;
    std::vector<WorldRegion*> tableRegions;
    ObjectRunner* objectRunner = nullptr;
};
