// WorldFileWriter: the bytes of a world file, built in memory field by field and then
// saved in one piece (temporary file, checked writes, sync, rename; see core/AtomicFile).
// Integers are 32-bit two's complement and reals 32-bit IEEE 754, both little-endian.
//
// Depends on: core/BasicVector, core/AtomicFile.
#pragma once

#include <cstdint>
#include <string>

#include "core/BasicVector.h"

class WorldFileWriter {
public:
    void writeInt(int32_t value);
    void writeFloat(float value);
    void writeByte(uint8_t value);
    void writeInt3(const Int3& v);
    void writeFloat3(const Float3& v);
    void writeBytes(const std::string& bytes) { data += bytes; }

    const std::string& bytes() const { return data; }
    void reserve(size_t count) { data.reserve(count); }

    // Replaces the file only when every byte reached the disk; false and a reason otherwise,
    // the previous file being left as it was.
    bool saveTo(const std::string& fileName, std::string* reason) const;

private:
    std::string data;
};
