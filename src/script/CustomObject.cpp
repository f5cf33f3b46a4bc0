// The script side of CustomObject (world/CustomObject.h): the type usage table and the
// calls of the type functions.
#include "world/CustomObject.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "core/FatalError.h"
#include "draw/BoxGeometry.h"
#include "gl/GLManager.h"
#include "gl/Scene3D.h"
#include "script/LuaFuncs.h"
#include "script/LuaStateCell.h"
#include "world/WorldIndexator.h"

std::vector<int32_t> CustomObject::customObjectIsUsed;
Float3 CustomObject::playerPosition(0.f, 0.f, 0.f);
bool CustomObject::showEditorMarker = false;

namespace {

// "lua_unload_" and an int fit easily.
char functionName[64];

// currentObject points at the record being run while its manage function runs. Afterwards
// it points at this copy of the record as its manage function left it: the region lists
// move their records around (growth, objects moved between regions), so a pointer into
// them would not stay valid until the next object runs.
CustomObject lastManaged;

class TypeScriptRunner : public ObjectRunner {
public:
    void manage(CustomObject& object) override { CustomObject::manage(object); }
    void draw(const CustomObject& object) override { CustomObject::draw(object); }
};

TypeScriptRunner typeScriptRunner;

float distanceBetween(const Float3& a, const Float3& b)
{
    float dx = a.x() - b.x(), dy = a.y() - b.y(), dz = a.z() - b.z();
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

ObjectRunner* CustomObject::runner()
{
    return &typeScriptRunner;
}

void CustomObject::ensureType(int32_t type)
{
    ASSERT(type >= 0 && type <= maxType, "CustomObject::ensureType : the object type is out of range");
    int32_t id = type;
    if ((size_t)id < customObjectIsUsed.size())
        return;
    customObjectIsUsed.resize((size_t)id + 1, CUSTOM_OBJECT_NOT_LOADED);
    ASSERT(customObjectIsUsed[id] == 0, nullptr);
}

void CustomObject::callTypeFunction(int32_t type, const char* baseName)
{
    std::snprintf(functionName, sizeof functionName, "%s_%d", baseName, (int)type);
    ASSERT(LuaFuncs::luaStateCell != NULL, "CustomObject::callTypeFunction : no script runs");
    LuaFuncs::callScriptFunction(LuaFuncs::luaStateCell->lua, functionName);
}

void CustomObject::manage(CustomObject& object)
{
    ensureType(object.type);
    currentObject = &object;
    LuaFuncs::distanceToPlayer = distanceBetween(object.position, playerPosition);
    int32_t type = object.type;
    if (customObjectIsUsed[type] == CUSTOM_OBJECT_NOT_LOADED) {
        callTypeFunction(type, "lua_load");
        customObjectIsUsed[type] = CUSTOM_OBJECT_LOADED;
    }
    customObjectIsUsed[type] = CUSTOM_OBJECT_RUN;
    callTypeFunction(type, "lua_manage");
    lastManaged = object;
    currentObject = &lastManaged;
}

void CustomObject::draw(const CustomObject& object)
{
    ensureType(object.type);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(object.position.x(), object.position.y(), object.position.z());
    if (showEditorMarker)
        drawBox(nullptr, Float3(editorMarkerSize, editorMarkerSize, editorMarkerSize), Float3(1.f, 1.f, 1.f), false);
    int32_t type = object.type;
    if (customObjectIsUsed[type] == CUSTOM_OBJECT_NOT_LOADED) {
        callTypeFunction(type, "lua_load");
        customObjectIsUsed[type] = CUSTOM_OBJECT_LOADED;
    }
    callTypeFunction(type, "lua_draw");
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void CustomObject::startFrame()
{
    for (int32_t& state : customObjectIsUsed)
        if (state == CUSTOM_OBJECT_RUN)
            state = CUSTOM_OBJECT_LOADED;
}

void CustomObject::unloadUnused()
{
    // Without a script no type can be loaded: entries left by a script that is gone (its
    // state freed without its stop) are simply forgotten.
    if (LuaFuncs::luaStateCell == nullptr) {
        for (int32_t& state : customObjectIsUsed)
            state = CUSTOM_OBJECT_NOT_LOADED;
        return;
    }
    for (size_t type = 0; type < customObjectIsUsed.size(); type++)
        if (customObjectIsUsed[type] == CUSTOM_OBJECT_LOADED) {
            callTypeFunction((int32_t)type, "lua_unload");
            customObjectIsUsed[type] = CUSTOM_OBJECT_NOT_LOADED;
        }
}
