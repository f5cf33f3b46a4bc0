// The world file without cube types or a window: its exact bytes, the region part's round
// trip, the extra lengths, and every kind of damage a file can carry.
#include <gtest/gtest.h>

#include <cstring>

#include "core/FatalError.h"
#include "world/CubeTypeList.h"
#include "world/CubeZone.h"
#include "world/IndexedWorld.h"
#include "world/WorldFileReader.h"
#include "world/WorldFileWriter.h"
#include "world/WorldIndexator.h"

namespace {

// Builds world file bytes field by field.
struct Bytes {
    WorldFileWriter out;
    Bytes& i(int32_t v) { out.writeInt(v); return *this; }
    Bytes& f(float v) { out.writeFloat(v); return *this; }
    Bytes& s(const std::string& text) { out.writeBytes(text); return *this; }
    Bytes& header(int nbTypes = 0) { return s("WORLD").i(1).i(nbTypes); }
    Bytes& table(int mx, int my, int mz, int sx, int sy, int sz) { return i(mx).i(my).i(mz).i(sx).i(sy).i(sz); }
    Bytes& emptyRegions(int n)
    {
        for (int k = 0; k < 4 * n; k++)
            i(0);
        return *this;
    }
    std::string bytes() const { return out.bytes(); }
};

// Reads a whole file the way loading does, with no cube types.
void readWorld(const std::string& bytes, WorldIndexator& regions, const std::string& name = "test.dat")
{
    WorldFileReader in(bytes, name);
    IndexedWorld::readHeader(in);
    regions.reset();
    regions.read(in);
}

std::string writeRegions(const WorldIndexator& regions)
{
    Bytes b;
    b.header();
    regions.write(b.out);
    return b.bytes();
}

CustomObject object(float x, float y, float z, int type)
{
    CustomObject o;
    o.position = Float3(x, y, z);
    o.type = type;
    return o;
}

}  // namespace

TEST(WorldFile, EmptyWorldIs165Bytes)
{
    CubeTypeList types;
    WorldIndexator regions(10.f, types, 1.f);
    std::string bytes = writeRegions(regions);
    ASSERT_EQ(bytes.size(), 165u);
    std::string expected = Bytes().header().table(-1, -1, -1, 2, 2, 2).emptyRegions(8).bytes();
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(0, 9), std::string("WORLD\x01\0\0\0", 9));
}

TEST(WorldFile, RegionsRoundTripByteForByteWithGrownTable)
{
    CubeTypeList types;
    WorldIndexator regions(10.f, types, 1.f);
    ASSERT_TRUE(regions.addObject(object(5.f, 5.f, 5.f, 2)));
    ASSERT_TRUE(regions.addObject(object(-25.f, 3.f, 41.f, 0)));
    CustomObject scripted = object(1.f, -7.f, 2.f, 7);
    scripted.localVariable1 = 3.5f;
    ASSERT_TRUE(regions.addObject(scripted));
    std::string first = writeRegions(regions);

    WorldIndexator loaded(10.f, types, 1.f);
    readWorld(first, loaded);
    EXPECT_EQ(loaded.tableMin, Int3(-3, -1, -1));
    EXPECT_EQ(loaded.tableRegionSize, Int3(4, 2, 6));
    EXPECT_EQ(writeRegions(loaded), first);

    // Objects keep position and type; the script's numbers are not stored.
    WorldRegion* region = loaded.getRegion(loaded.regionIndexOfPoint(Float3(1.f, -7.f, 2.f)));
    ASSERT_EQ(region->objects.size(), 1u);
    EXPECT_EQ(region->objects[0].type, 7);
    EXPECT_EQ(region->objects[0].localVariable1, 0.f);
}

TEST(WorldFile, ExtraLengthsAreSkipped)
{
    // One region (0, 0, 0) of the table holds 12 unknown bytes after its (empty) aggregate list
    // and 4 after its object list.
    Bytes b;
    b.header().table(-1, -1, -1, 2, 2, 2).emptyRegions(7);
    b.i(0).i(12).s(std::string(12, '\x7f'));
    b.i(1).i(4).f(3.f).f(4.f).f(5.f).i(9).s("junk");
    CubeTypeList types;
    WorldIndexator regions(10.f, types, 1.f);
    readWorld(b.bytes(), regions);
    WorldRegion* region = regions.getRegion(Int3(1, 1, 1));
    ASSERT_EQ(region->objects.size(), 1u);
    EXPECT_EQ(region->objects[0].position, Float3(3.f, 4.f, 5.f));
    EXPECT_EQ(region->objects[0].type, 9);
}

// Each damaged file ends in a fatal report that names the file and what is wrong.
struct DamagedFile {
    const char* name;
    std::string bytes;
    const char* report;  // a regular expression
};

class WorldFileDeathTest : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(WorldFileDeathTest, FatalReportNamesFileAndFault)
{
    const DamagedFile& c = GetParam();
    EXPECT_EXIT(
        {
            CubeTypeList types;
            WorldIndexator regions(10.f, types, 1.f);
            readWorld(c.bytes, regions, "damaged.dat");
        },
        ::testing::ExitedWithCode(1), c.report);
}

namespace {

std::string table(int mx, int my, int mz, int sx, int sy, int sz)
{
    return Bytes().header().table(mx, my, mz, sx, sy, sz).bytes();
}

// A file of the initial table whose first region record is `region`, the others empty.
std::string firstRegion(const Bytes& region)
{
    return Bytes().header().table(-1, -1, -1, 2, 2, 2).s(region.bytes()).emptyRegions(7).bytes();
}

// The first region holds six objects, the last region is cut after its aggregate list.
std::string truncatedBody()
{
    Bytes b;
    b.header().table(-1, -1, -1, 2, 2, 2).i(0).i(0).i(6).i(0);
    for (int k = 0; k < 6; k++)
        b.f(1.f).f(2.f).f(3.f).i(0);
    std::string bytes = b.emptyRegions(7).bytes();
    return bytes.substr(0, bytes.size() - 8);
}

const std::string damaged = "World file 'damaged.dat' is damaged at byte [0-9]+: ";

const DamagedFile damagedFiles[] = {
    {"LowerCaseMagic", Bytes().s("world").i(1).i(0).bytes(),
     "Condition: std::string\\(buf\\) == std::string\\(\"WORLD\"\\)\nMessage: The file 'damaged.dat' is not a world file"},
    {"Version2", Bytes().s("WORLD").i(2).i(0).bytes(),
     "Condition: versionFile == 1\nMessage: The world file 'damaged.dat' has version 2"},
    {"ShortFile", std::string("WORLD\x01", 6), "Condition: versionFile == 1\nMessage: .*version -1"},
    {"NegativeCubeTypeCount", Bytes().s("WORLD").i(1).i(-3).bytes(), "cube type count is negative \\(-3\\)"},
    {"CubeTypeCountBeyondFile", Bytes().s("WORLD").i(1).i(1000).bytes(),
     "cube type count \\(1000\\) is larger than the rest of the file"},
    {"NegativeNameLength", Bytes().header(1).i(-1).s(std::string(40, 'a')).bytes(), "texture name length is negative"},
    {"NameLongerThanFile", Bytes().header(1).i(400).s(std::string(40, 'a')).bytes(),
     "texture name length \\(400\\) is larger"},
    {"TableSizeZero", table(-1, -1, -1, 2, 0, 2), "region table size is not positive"},
    {"TableSizeNegative", table(-1, -1, -1, -2, 2, 2), "region table size is not positive"},
    {"TableMinimumAboveMinusOne", table(0, -1, -1, 2, 2, 2), "does not start at \\(-1, -1, -1\\) or below"},
    {"TableMissesCoordinateZero", table(-5, -1, -1, 2, 2, 2), "reach coordinate 0"},
    {"TableBeyondTheEngineLimit", table(-1, -1, -1, 200, 200, 200), "holds more regions than this engine allows"},
    {"TableLargerThanFile", table(-1, -1, -1, 100, 100, 100), "region table \\(1000000 regions\\) is larger"},
    {"NegativeAggregateCount", firstRegion(Bytes().i(-1).i(0).i(0).i(0)), "aggregate count is negative"},
    {"AggregateCountBeyondFile", firstRegion(Bytes().i(50).i(0).i(0).i(0)), "aggregate count \\(50\\) is larger"},
    {"AggregateOfMissingCubeType",
     firstRegion(Bytes().i(1).i(0).f(5).f(5).f(5).f(1).f(1).f(1).i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0)),
     "an aggregate uses cube type 0 but the file has 0 cube types"},
    {"NonFiniteAggregateSize",
     firstRegion(Bytes().i(1).i(0).f(5).f(5).f(5).f(INFINITY).f(1).f(1).i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0).i(0)),
     "the aggregate size is not a finite number"},
    {"NegativeExtraLength", firstRegion(Bytes().i(0).i(-4).i(0).i(0)), "aggregate extra length is negative"},
    {"ExtraLengthBeyondFile", firstRegion(Bytes().i(0).i(0).i(0).i(4000)), "object extra length \\(4000\\) is larger"},
    {"NegativeObjectType", firstRegion(Bytes().i(0).i(0).i(1).i(0).f(1).f(2).f(3).i(-2)),
     "an object has the negative type -2"},
    {"ObjectTypeAboveTheLargest", firstRegion(Bytes().i(0).i(0).i(1).i(0).f(1).f(2).f(3).i(2000000)),
     "an object has the type 2000000, above the largest object type 1048576"},
    {"NonFiniteObjectPosition", firstRegion(Bytes().i(0).i(0).i(1).i(0).f(1).f(NAN).f(3).i(0)),
     "the object position is not a finite number"},
    {"TruncatedBody", truncatedBody(), "the file ends inside the object count"},
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Cases, WorldFileDeathTest, ::testing::ValuesIn(damagedFiles),
                         [](const ::testing::TestParamInfo<DamagedFile>& info) { return std::string(info.param.name); });

// The generic reports start with the file name and the offset.
TEST(WorldFileDeathTest, ReportCarriesFileAndOffset)
{
    std::string bytes = table(-1, -1, -1, 0, 2, 2);
    EXPECT_EXIT(
        {
            CubeTypeList types;
            WorldIndexator regions(10.f, types, 1.f);
            readWorld(bytes, regions, "damaged.dat");
        },
        ::testing::ExitedWithCode(1), damaged + "the region table size");
}

// Aggregate records whose shadow lists are damaged (the file has one cube type).
TEST(WorldFileDeathTest, DamagedShadowTriangleLists)
{
    auto aggregate = [](int32_t firstFaceCount) {
        Bytes b;
        b.f(5).f(5).f(5).f(1).f(1).f(1).i(0).i(0).i(firstFaceCount);
        for (int k = 0; k < 3 * 3 + 5; k++)  // three points, then five empty faces
            b.f(0.f);
        return b.bytes();
    };
    auto readAggregate = [](const std::string& bytes) {
        WorldFileReader in(bytes, "damaged.dat");
        CubeZone zone;
        zone.read(in, 1);
    };
    EXPECT_EXIT(readAggregate(aggregate(4)), ::testing::ExitedWithCode(1),
                damaged + "a shadow triangle list holds 4 points, not a multiple of 3");
    EXPECT_EXIT(readAggregate(aggregate(-2)), ::testing::ExitedWithCode(1),
                damaged + "a shadow triangle count is negative \\(-2\\)");
    EXPECT_EXIT(readAggregate(aggregate(300)), ::testing::ExitedWithCode(1),
                damaged + "a shadow triangle count \\(300\\) is larger than the rest of the file");
    // Three points followed by five empty faces: a sound record.
    WorldFileReader in(aggregate(3), "sound.dat");
    CubeZone zone;
    zone.read(in, 1);
    EXPECT_EQ(zone.shadowTriangles[0].size(), 3u);
    EXPECT_EQ(in.remaining(), 0u);
}
