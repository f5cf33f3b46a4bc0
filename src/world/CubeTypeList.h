// CubeTypeList: the ordered list of cube types of a world. A type's index in the list is
// its identity everywhere (aggregates, the world file, the editor).
//
// Every lookup marks the type used; the world update clears the marks first and frees the
// face textures of the types nobody looked up (nor the editor shows) at its end.
//
// Depends on: world/CubeType.
#pragma once

#include <vector>

#include "world/CubeType.h"

class CubeTypeList {
public:
    CubeTypeList() = default;
    ~CubeTypeList() { clearCubeTypes(); }
    CubeTypeList(const CubeTypeList&) = delete;
    CubeTypeList& operator=(const CubeTypeList&) = delete;

    int getNbCubeType() const { return (int)types.size(); }
    // Marks the type used; the index must be valid.
    CubeType* getCubeType(int index);
    // Logs "Add cube type with <top file>, etc. and collidable = <0|1>"; returns the new index.
    int addCubeType(const CubeTypeDescription& description);
    // Appends a type read from a world file (no log line).
    void appendCubeType(const CubeTypeDescription& description);
    // Destroys the last type. The caller makes sure no aggregate still uses it.
    void removeLastCubeType();
    void clearCubeTypes();
    void clearCubeTypeUsage();
    // Frees the face textures of every type neither used since the last clear nor shown.
    void freeUnusedCubeTypeTextures();

private:
    std::vector<CubeType*> types;
};
