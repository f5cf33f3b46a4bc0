// ScriptHandles: the models and sprites a script currently holds.
//
// Handles reach the script as light userdata holding an engine object's address. A
// handle that is null ends in the report "modelp != 0", "spritep != 0" or
// "soundp != 0". A handle the script already unloaded, or one of another kind (a sprite
// given where a model is expected), would otherwise reach freed or foreign memory: the
// engine remembers which handles are live and ends such a call with a report naming the
// function instead. Sounds stay owned by the sound manager for the whole run.
//
// Depends on: Lua 5.1 C API, core/FatalError.
#pragma once

#include <set>

struct lua_State;

class ScriptHandles {
public:
    enum HandleKind { HANDLE_MODEL, HANDLE_SPRITE, HANDLE_SOUND, HANDLE_NB_KINDS };

    static void add(HandleKind kind, void* handle);
    static void remove(HandleKind kind, void* handle);
    static bool isLive(HandleKind kind, void* handle);
    // Forgets every handle (the script state is gone).
    static void clear();

    // The handle at that argument: fatal report when it is null or not a live handle of
    // that kind.
    static void* check(lua_State* lua, int index, HandleKind kind, const char* functionName);

private:
    static std::set<void*> live[HANDLE_NB_KINDS];
};
