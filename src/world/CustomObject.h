// CustomObject: the record of one script object placed in the world, and the running of
// the object types' script functions.
//
// A point with an object type number and two numbers that belong to the script. Regions
// hold these records by value (world/WorldRegion); the world file keeps only the position
// and the type, so both local variables are 0 after loading.
//
// The type functions: for type N the script defines "lua_load_N", "lua_manage_N",
// "lua_draw_N" and "lua_unload_N". A type is loaded the first time one of its objects is
// run or drawn and unloaded at the end of a World update in which none of its objects ran.
// The region index reaches manage and draw through the ObjectRunner of runner()
// (world/WorldIndexator); the World brackets its region pass with startFrame and
// unloadUnused. That side is the script host's and lives in script/CustomObject.cpp.
//
// Depends on: core/BasicVector; script/CustomObject.cpp on script/LuaFuncs, gl/Scene3D,
// draw/BoxGeometry.
#pragma once

#include <cstdint>
#include <vector>

#include "core/BasicVector.h"

class ObjectRunner;

// States of an object type in the usage table.
enum CustomObjectTypeState {
    CUSTOM_OBJECT_NOT_LOADED = 0,
    CUSTOM_OBJECT_LOADED = 1,       // loaded, not run during the current frame
    CUSTOM_OBJECT_RUN = 2,          // loaded and run during the current frame
};

struct CustomObject {
    Float3 position = Float3(0.f, 0.f, 0.f);
    int32_t type = 0;
    float localVariable1 = 0.f;
    float localVariable2 = 0.f;

    // Type numbers the usage table accepts (0 to maxType): one entry each.
    static const int32_t maxType = 1 << 20;
    // Edge of the wireframe box that marks each object in editor mode.
    static constexpr float editorMarkerSize = 5.f;

    // One CustomObjectTypeState per type number, empty at start.
    static std::vector<int32_t> customObjectIsUsed;
    // Set by the World: the player's position for the distance of managed objects, and
    // whether drawn objects show their editor marker box.
    static Float3 playerPosition;
    static bool showEditorMarker;

    // The per-frame step of one object: the script's current object while "lua_manage_N"
    // runs (loading the type first when needed), with its distance to the player.
    static void manage(CustomObject& object);
    // Draws the object through "lua_draw_N" with the modelview at its position (loading the
    // type first when needed); the current object does not change.
    static void draw(const CustomObject& object);
    // Start and end of the objects' part of a frame: run types become merely loaded; then
    // every type still merely loaded is unloaded, in increasing type order.
    static void startFrame();
    static void unloadUnused();
    // Formats "<baseName>_<type>" and calls that script function (fatal report on error).
    static void callTypeFunction(int32_t type, const char* baseName);
    // Grows the usage table to hold the type; a negative type or one above maxType is fatal.
    static void ensureType(int32_t type);
    // The runner to give the region index.
    static ObjectRunner* runner();
};
