#include "world/WorldFileWriter.h"

#include <cstring>

#include "core/AtomicFile.h"

void WorldFileWriter::writeInt(int32_t value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    char bytes[4] = {(char)(bits & 0xff), (char)((bits >> 8) & 0xff), (char)((bits >> 16) & 0xff),
                     (char)((bits >> 24) & 0xff)};
    data.append(bytes, 4);
}

void WorldFileWriter::writeFloat(float value)
{
    int32_t bits;
    std::memcpy(&bits, &value, 4);
    writeInt(bits);
}

void WorldFileWriter::writeByte(uint8_t value)
{
    data.push_back((char)value);
}

void WorldFileWriter::writeInt3(const Int3& v)
{
    writeInt(v.x());
    writeInt(v.y());
    writeInt(v.z());
}

void WorldFileWriter::writeFloat3(const Float3& v)
{
    writeFloat(v.x());
    writeFloat(v.y());
    writeFloat(v.z());
}

bool WorldFileWriter::saveTo(const std::string& fileName, std::string* reason) const
{
    return writeFileAtomically(fileName, data, reason);
}
