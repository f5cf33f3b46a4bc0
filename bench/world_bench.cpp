// World content benchmarks: building the batches of one dense region (1000 one-cube
// aggregates; 200 larger ones), the hidden-face test through the grid index against the
// plain search over the same region, and loading and saving a world of 100 000 aggregates.
//
// Runs in a temporary folder with its own configuration and textures, in the engine's
// window (needs DISPLAY). Example: world_bench --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "AssetWriter.h"
#include "gl/DeviceManager.h"
#include "gl/VBOBatchSet.h"
#include "world/CubeZoneIndex.h"
#include "world/IndexedWorld.h"

namespace {

const int regionEdge = 32;  // cubes; one cube is one world unit
IndexedWorld* world = nullptr;

// Region (0, 0, 0): a solid block of 10 x 10 x 10 one-cube aggregates.
std::vector<CubeZone> oneCubeRegion()
{
    std::vector<CubeZone> zones;
    for (int x = 0; x < 10; x++)
        for (int y = 0; y < 10; y++)
            for (int z = 0; z < 10; z++)
                zones.emplace_back(Float3(1.f, 1.f, 1.f), Float3(x + 0.5f, y + 0.5f, z + 0.5f), 0);
    return zones;
}

// Region (0, 0, 0): 5 x 8 x 5 blocks of 4 x 4 x 4 cubes side by side (200 aggregates).
std::vector<CubeZone> largeRegion()
{
    std::vector<CubeZone> zones;
    for (int x = 0; x < 5; x++)
        for (int y = 0; y < 8; y++)
            for (int z = 0; z < 5; z++)
                zones.emplace_back(Float3(4.f, 4.f, 4.f), Float3(4 * x + 2.f, 4 * y + 2.f, 4 * z + 2.f), 0);
    return zones;
}

WorldRegion& regionWith(const std::vector<CubeZone>& zones)
{
    world->clearWorld();
    for (const CubeZone& zone : zones)
        world->worldIndexator.addCubeZone(zone);
    WorldIndexator& regions = world->worldIndexator;
    return *regions.getRegion(regions.regionIndexOfPoint(Float3(0.5f, 0.5f, 0.5f)));
}

void buildBatches(benchmark::State& state, const std::vector<CubeZone>& zones, bool upload)
{
    WorldRegion& region = regionWith(zones);
    int nbQuads = 0;
    for (auto _ : state) {
        VBOBatchSet set;
        region.fillBatches(set, world->cubeTypeManager, 1.f);
        if (upload)
            nbQuads = set.upload().nbVertices / 4;
        benchmark::DoNotOptimize(set);
    }
    state.counters["aggregates"] = (double)zones.size();
    if (upload)
        state.counters["quads"] = nbQuads;
}

void BM_BuildBatches_1000OneCube(benchmark::State& state) { buildBatches(state, oneCubeRegion(), false); }
void BM_BuildBatches_200Large(benchmark::State& state) { buildBatches(state, largeRegion(), false); }
void BM_BuildAndUpload_1000OneCube(benchmark::State& state) { buildBatches(state, oneCubeRegion(), true); }
void BM_BuildAndUpload_200Large(benchmark::State& state) { buildBatches(state, largeRegion(), true); }

// Every face of every aggregate of the region, as building does; the grid index is built
// once per pass, as building does.
void hiddenFaces(benchmark::State& state, const std::vector<CubeZone>& zones, bool indexed)
{
    std::vector<bool> collidable(zones.size(), true);
    CubeTypeDescription options;
    std::vector<std::vector<Float3>> points;
    for (const CubeZone& zone : zones) {
        CubeZoneFace faces[nbCubeFaces];
        zone.faces(options, 1.f, faces);
        for (int f = 0; f < nbCubeFaces; f++) {
            std::vector<Float3> p(4);
            zone.hiddenFaceTestPoints(f, faces[f], p.data());
            points.push_back(p);
        }
    }
    int nbHidden = 0;
    for (auto _ : state) {
        nbHidden = 0;
        CubeZoneIndex index(zones, collidable);
        for (size_t i = 0; i < points.size(); i++) {
            int self = (int)(i / nbCubeFaces);
            int cover = indexed ? index.findCover(points[i].data(), self)
                                : CubeZoneIndex::findCoverLinear(zones, collidable, points[i].data(), self);
            nbHidden += cover >= 0;
        }
        benchmark::DoNotOptimize(nbHidden);
    }
    state.counters["hidden"] = nbHidden;
}

void BM_HiddenFaces_1000OneCube_Indexed(benchmark::State& state) { hiddenFaces(state, oneCubeRegion(), true); }
void BM_HiddenFaces_1000OneCube_Quadratic(benchmark::State& state) { hiddenFaces(state, oneCubeRegion(), false); }
void BM_HiddenFaces_200Large_Indexed(benchmark::State& state) { hiddenFaces(state, largeRegion(), true); }
void BM_HiddenFaces_200Large_Quadratic(benchmark::State& state) { hiddenFaces(state, largeRegion(), false); }

// A ground of 500 x 200 one-cube aggregates over 16 x 7 regions, saved once.
void makeBigWorld()
{
    world->clearWorld();
    for (int x = 0; x < 500; x++)
        for (int z = 0; z < 200; z++)
            world->addCubeZone(Float3(1.f, 1.f, 1.f), Float3(x + 0.5f, 0.5f, z + 0.5f), 0);
    world->saveWorld("big.dat");
}

void BM_LoadWorld_100000(benchmark::State& state)
{
    makeBigWorld();
    for (auto _ : state)
        world->loadWorld("big.dat");
}

void BM_SaveWorld_100000(benchmark::State& state)
{
    makeBigWorld();
    for (auto _ : state)
        world->saveWorld("saved.dat");
}

BENCHMARK(BM_BuildBatches_1000OneCube)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildBatches_200Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndUpload_1000OneCube)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAndUpload_200Large)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiddenFaces_1000OneCube_Indexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiddenFaces_1000OneCube_Quadratic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiddenFaces_200Large_Indexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HiddenFaces_200Large_Quadratic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWorld_100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWorld_100000)->Unit(benchmark::kMillisecond);

std::string png(unsigned char grey)
{
    std::vector<unsigned char> pixels(2 * 2 * 4, grey);
    return AssetWriter::encodePng(2, 2, 4, pixels);
}

// A temporary working folder with the configuration, the textures and an empty world.
std::string makeFolder()
{
    char folderTemplate[] = "/tmp/world_bench_XXXXXX";
    std::string folder = mkdtemp(folderTemplate);
    mkdir((folder + "/cube_textures").c_str(), 0755);
    mkdir((folder + "/cube_shadowed_textures").c_str(), 0755);
    AssetWriter::writeFile(folder + "/world.xml",
                           "<c><double><size_one_cube>1</size_one_cube></double><int><size_one_region>" +
                               std::to_string(regionEdge) + "</size_one_region></int></c>");
    for (const char* name : {"/cube_textures/a.png", "/cube_shadowed_textures/a.png", "/black_semi_transparent.png",
                             "/water.png", "/water_sub.png"})
        AssetWriter::writeFile(folder + name, png(128));
    std::string empty("WORLD\x01\0\0\0\0\0\0\0", 13);
    for (int v : {-1, -1, -1, 2, 2, 2})
        empty += std::string((const char*)&v, 4);
    empty += std::string(8 * 16, '\0');
    AssetWriter::writeFile(folder + "/empty.dat", empty);
    return folder;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::string folder = makeFolder();
    if (chdir(folder.c_str()) != 0)
        return 1;
    // The engine's log lines would drown the table: they go nowhere, the table to stderr.
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        return 1;
    DeviceManager::create("world_bench", "", 800, 600, false);
    deviceManager->config.load("world.xml");
    world = new IndexedWorld(nullptr, nullptr, "empty.dat");
    CubeTypeDescription type;
    for (std::string& name : type.textureNames)
        name = "a.png";
    world->addCubeType(type);

    benchmark::ConsoleReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    delete world;
    std::system(("rm -rf " + folder).c_str());
    return 0;
}
