#include "WorldTestFolder.h"

#include <unistd.h>

#include <climits>
#include <stdexcept>

#include "AssetWriter.h"
#include "GLTestWindow.h"
#include "gl/DeviceManager.h"

namespace {

std::string png(unsigned char r, unsigned char g, unsigned char b, unsigned char a)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 4; i++)
        pixels.insert(pixels.end(), {r, g, b, a});
    return AssetWriter::encodePng(2, 2, 4, pixels);
}

}  // namespace

WorldTestFolder::WorldTestFolder(bool renderUnderWater, const std::vector<std::string>& textures)
{
    openGLTestWindow();
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd) != nullptr)
        previousFolder = cwd;
    dir.write("world.xml", std::string("<config><double><size_one_cube>1</size_one_cube></double>"
                                       "<int><size_one_region>10</size_one_region></int>"
                                       "<bool><render_under_water>") +
                               (renderUnderWater ? "true" : "false") + "</render_under_water></bool></config>\n");
    deviceManager->config.load(dir.file("world.xml"));
    for (const std::string& name : textures) {
        dir.write("cube_textures/" + name, png(200, 100, 50, 255));
        dir.write("cube_shadowed_textures/" + name, png(100, 50, 25, 255));
    }
    dir.write("black_semi_transparent.png", png(0, 0, 0, 128));
    dir.write("water.png", png(0, 0, 200, 128));  // the indexed world's water
    dir.write("water_sub.png", png(0, 0, 150, 128));
    std::string empty = std::string("WORLD\x01\0\0\0\0\0\0\0", 13);
    for (int v : {-1, -1, -1, 2, 2, 2})
        empty += std::string((const char*)&v, 4);  // this machine is little-endian, as the file
    empty += std::string(8 * 16, '\0');
    dir.write("empty.dat", empty);
    if (chdir(dir.path().c_str()) != 0)
        throw std::runtime_error("cannot enter the test folder");
}

WorldTestFolder::~WorldTestFolder()
{
    if (!previousFolder.empty() && chdir(previousFolder.c_str()) != 0)
        previousFolder.clear();
}

CubeTypeDescription WorldTestFolder::type(const std::string& texture, bool collidable)
{
    CubeTypeDescription d;
    for (std::string& name : d.textureNames)
        name = texture;
    d.collidable = collidable;
    return d;
}
