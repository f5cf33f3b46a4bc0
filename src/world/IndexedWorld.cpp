#include "world/IndexedWorld.h"

#include <cstring>
#include <iostream>

#include "core/FatalError.h"
#include "gl/DeviceManager.h"
#include "world/WorldFileReader.h"
#include "world/WorldFileWriter.h"

namespace {

const int worldFileVersion = 1;
// The smallest cube type record: six empty names and four bytes.
const size_t minCubeTypeRecordSize = 6 * 4 + 4;

float readSizeOneCube()
{
    ASSERT(deviceManager, "IndexedWorld : no device manager");
    float size = (float)deviceManager->config.getDouble("size_one_cube");
    ASSERT(size > 0.f, "IndexedWorld : \"size_one_cube\" must be greater than 0");
    return size;
}

float readSizeOneRegion(float sizeOneCube)
{
    return (float)deviceManager->config.getInt("size_one_region") * sizeOneCube;
}

}  // namespace

IndexedWorld::IndexedWorld(Font* parFont, SoundManager* parSoundManager, const std::string& worldFileName)
    : font(parFont),
      soundManager(parSoundManager),
      sizeOneCube(readSizeOneCube()),
      worldIndexator(readSizeOneRegion(sizeOneCube), cubeTypeManager, sizeOneCube)
{
    loadWorld(worldFileName);
    water.reset(new Water(sizeOneCube));
}

std::vector<CubeTypeDescription> IndexedWorld::readHeader(WorldFileReader& in)
{
    char buf[6] = {};
    std::string magic = in.readAtMost(5);
    std::memcpy(buf, magic.data(), magic.size());
    ASSERT(std::string(buf) == std::string("WORLD"),
           ("The file '" + in.fileName() + "' is not a world file (it does not begin with WORLD)").c_str());
    int versionFile = -1;
    if (in.remaining() >= 4)
        versionFile = in.readInt("version");
    ASSERT(versionFile == 1, ("The world file '" + in.fileName() + "' has version " + std::to_string(versionFile) +
                              "; this engine reads version 1").c_str());

    int32_t nbTypes = in.readCount("cube type count", minCubeTypeRecordSize);
    std::vector<CubeTypeDescription> descriptions((size_t)nbTypes);
    for (CubeTypeDescription& description : descriptions)
        description.read(in);
    return descriptions;
}

void IndexedWorld::loadWorld(const std::string& fileName)
{
    std::cout << "==== Loading world from file '" << fileName << "'\n";
    WorldFileReader in = WorldFileReader::openFile(fileName);
    std::vector<CubeTypeDescription> descriptions = readHeader(in);
    cubeTypeManager.clearCubeTypes();
    for (const CubeTypeDescription& description : descriptions)
        cubeTypeManager.appendCubeType(description);
    worldIndexator.reset();
    worldIndexator.read(in);
    std::cout << "==== Loading world done\n";
}

bool IndexedWorld::saveWorld(const std::string& fileName)
{
    std::cout << "==== Saving world to file '" << fileName << "'\n";
    WorldFileWriter out;
    out.writeBytes("WORLD");
    out.writeInt(worldFileVersion);
    out.writeInt(cubeTypeManager.getNbCubeType());
    for (int i = 0; i < cubeTypeManager.getNbCubeType(); i++)
        cubeTypeManager.getCubeType(i)->write(out);
    worldIndexator.write(out);
    std::string reason;
    if (!out.saveTo(fileName, &reason)) {
        reportProblem("The world could not be saved to '" + fileName + "' (" + reason +
                      "); the file keeps its previous content.");
        return false;
    }
    std::cout << "==== World saved to file\n";
    return true;
}

void IndexedWorld::clearWorld()
{
    worldIndexator.reset();
}

bool IndexedWorld::addCubeZone(const Float3& size, const Float3& position, int cubeTypeIndex)
{
    if (cubeTypeIndex < 0 || cubeTypeIndex >= cubeTypeManager.getNbCubeType())
        return false;
    return worldIndexator.addCubeZone(CubeZone(size, position, cubeTypeIndex));
}

void IndexedWorld::addObject(const Float3& position, int objectType)
{
    CustomObject object;
    object.position = position;
    object.type = objectType;
    bool res = objectType >= 0 && worldIndexator.addObject(object);
    ASSERT(res, "IndexedWorld::addObject : the object cannot be placed (negative type, or a position no region can hold)");
}

bool IndexedWorld::removeLastCubeType()
{
    int last = cubeTypeManager.getNbCubeType() - 1;
    if (last < 0) {
        std::cout << "No cube type to remove\n";
        return false;
    }
    int nbUsers = worldIndexator.countCubeZonesOfType(last);
    if (nbUsers > 0) {
        std::cout << "The last cube type is not removed: " << nbUsers << " cube aggregates still use it\n";
        return false;
    }
    cubeTypeManager.removeLastCubeType();
    return true;
}
