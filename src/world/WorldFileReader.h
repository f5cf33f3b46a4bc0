// WorldFileReader: the bounded, checked reading of a world file's bytes.
//
// A world file is never trusted. Every field is read through this class, which knows how
// many bytes remain: a count or a length that is negative or larger than what is left, and
// a body that ends early, stop the program with a fatal report that names the file, the
// byte offset and what is wrong. Integers are 32-bit two's complement and reals 32-bit
// IEEE 754, both little-endian.
//
// Depends on: core/FatalError, core/BasicVector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/BasicVector.h"

class WorldFileReader {
public:
    // Reads the whole file; a file that cannot be opened is the fatal report "fd != NULL".
    static WorldFileReader openFile(const std::string& fileName);
    // Reads bytes already in memory; fileName is only used in reports.
    WorldFileReader(std::string bytes, std::string fileName);

    const std::string& fileName() const { return name; }
    size_t remaining() const { return data.size() - offset; }
    size_t position() const { return offset; }

    // Each "what" names the field in the report ("aggregate count").
    int32_t readInt(const char* what);
    float readFloat(const char* what);
    uint8_t readByte(const char* what);
    Int3 readInt3(const char* what);
    Float3 readFloat3(const char* what);
    // A float that must be finite (positions and sizes).
    Float3 readFiniteFloat3(const char* what);
    std::string readBytes(size_t count, const char* what);
    // A count of records that each take at least recordSize bytes: never negative, and never
    // more records than the rest of the file could hold.
    int32_t readCount(const char* what, size_t recordSize);
    // Skips bytes that this engine does not read (the extra lengths of region records).
    void skip(size_t count, const char* what);

    // Up to count bytes, fewer when the file ends (used for the magic, whose report is its own).
    std::string readAtMost(size_t count);

    // The fatal report for a damaged file: "World file 'NAME' is damaged at byte N: WHAT".
    [[noreturn]] void fail(const std::string& what) const;

private:
    void need(size_t count, const char* what);

    std::string data;
    std::string name;
    size_t offset = 0;
};
