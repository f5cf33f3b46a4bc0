#include "world/WorldFileReader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "core/FatalError.h"

WorldFileReader WorldFileReader::openFile(const std::string& fileName)
{
    FILE* fd = std::fopen(fileName.c_str(), "rb");
    ASSERT(fd != NULL, ("Cannot open the world file '" + fileName + "' for reading").c_str());
    std::string bytes;
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, fd)) > 0)
        bytes.append(buffer, got);
    bool readError = std::ferror(fd) != 0;
    std::fclose(fd);
    if (readError)
        FATAL(("Cannot read the world file '" + fileName + "'").c_str());
    return WorldFileReader(std::move(bytes), fileName);
}

WorldFileReader::WorldFileReader(std::string bytes, std::string fileName)
    : data(std::move(bytes)), name(std::move(fileName))
{
}

void WorldFileReader::fail(const std::string& what) const
{
    std::string text = "World file '" + name + "' is damaged at byte " + std::to_string(offset) + ": " + what;
    FATAL(text.c_str());
}

void WorldFileReader::need(size_t count, const char* what)
{
    if (count > remaining())
        fail(std::string("the file ends inside the ") + what);
}

int32_t WorldFileReader::readInt(const char* what)
{
    need(4, what);
    const unsigned char* p = (const unsigned char*)data.data() + offset;
    uint32_t bits = (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
    offset += 4;
    int32_t value;
    std::memcpy(&value, &bits, 4);
    return value;
}

float WorldFileReader::readFloat(const char* what)
{
    int32_t bits = readInt(what);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

uint8_t WorldFileReader::readByte(const char* what)
{
    need(1, what);
    return (uint8_t)data[offset++];
}

Int3 WorldFileReader::readInt3(const char* what)
{
    int32_t x = readInt(what);
    int32_t y = readInt(what);
    int32_t z = readInt(what);
    return Int3(x, y, z);
}

Float3 WorldFileReader::readFloat3(const char* what)
{
    float x = readFloat(what);
    float y = readFloat(what);
    float z = readFloat(what);
    return Float3(x, y, z);
}

Float3 WorldFileReader::readFiniteFloat3(const char* what)
{
    Float3 v = readFloat3(what);
    if (!std::isfinite(v.x()) || !std::isfinite(v.y()) || !std::isfinite(v.z())) {
        offset -= 12;
        fail(std::string("the ") + what + " is not a finite number");
    }
    return v;
}

std::string WorldFileReader::readBytes(size_t count, const char* what)
{
    need(count, what);
    std::string bytes = data.substr(offset, count);
    offset += count;
    return bytes;
}

int32_t WorldFileReader::readCount(const char* what, size_t recordSize)
{
    int32_t count = readInt(what);
    if (count < 0) {
        offset -= 4;
        fail(std::string("the ") + what + " is negative (" + std::to_string(count) + ")");
    }
    if ((uint64_t)count * recordSize > remaining()) {
        offset -= 4;
        fail(std::string("the ") + what + " (" + std::to_string(count) + ") is larger than the rest of the file");
    }
    return count;
}

void WorldFileReader::skip(size_t count, const char* what)
{
    need(count, what);
    offset += count;
}

std::string WorldFileReader::readAtMost(size_t count)
{
    size_t taken = count < remaining() ? count : remaining();
    std::string bytes = data.substr(offset, taken);
    offset += taken;
    return bytes;
}
