#include "script/ScriptHandles.h"

#include <lua.hpp>
#include <string>

#include "core/FatalError.h"

std::set<void*> ScriptHandles::live[ScriptHandles::HANDLE_NB_KINDS];

void ScriptHandles::add(HandleKind kind, void* handle)
{
    live[kind].insert(handle);
}

void ScriptHandles::remove(HandleKind kind, void* handle)
{
    live[kind].erase(handle);
}

bool ScriptHandles::isLive(HandleKind kind, void* handle)
{
    return live[kind].count(handle) == 1;
}

void ScriptHandles::clear()
{
    for (std::set<void*>& handles : live)
        handles.clear();
}

static const char* const kindNames[ScriptHandles::HANDLE_NB_KINDS] = {"model", "sprite", "sound"};

void* ScriptHandles::check(lua_State* lua, int index, HandleKind kind, const char* functionName)
{
    void* handle = lua_touserdata(lua, index);
    // The null checks are written out so each report names its own condition.
    if (kind == HANDLE_MODEL) {
        void* modelp = handle;
        ASSERT(modelp != 0, nullptr);
    } else if (kind == HANDLE_SPRITE) {
        void* spritep = handle;
        ASSERT(spritep != 0, nullptr);
    } else {
        void* soundp = handle;
        ASSERT(soundp != 0, nullptr);
    }
    if (!isLive(kind, handle)) {
        std::string message = std::string("Argument ") + std::to_string(index) + " of " + functionName +
                              " is not a loaded " + kindNames[kind] + " (unloaded already, or another kind of handle).";
        fatalError(__DATE__, __FILE__, "ScriptHandles::isLive(kind, handle)", __LINE__, __TIME__,
                   message.c_str());
    }
    return handle;
}
