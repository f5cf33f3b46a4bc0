// ScriptApi: the one table of the 63 engine functions a script can call, in their
// registration order, and their registration as globals of a script state.
//
// The functions themselves live in one class per API area (ScriptApiAssets,
// ScriptApiDrawing, ScriptApiInput, ScriptApiGame, ScriptApiWorld, ScriptApiPlayer,
// ScriptApiObjects). Each checks its argument count first (the fatal report names the
// failed condition, such as "argc == 3"), then its handles, then acts.
//
// Depends on: Lua 5.1 C API, the ScriptApi* area classes.
#pragma once

struct lua_State;

typedef int (*ScriptApiFunction)(lua_State*);

struct ScriptApiEntry {
    const char* name;
    ScriptApiFunction function;
};

class ScriptApi {
public:
    static const int nbFunctions = 63;
    // The functions in registration order.
    static const ScriptApiEntry functions[nbFunctions];

    // Sets every function as a global of the state (a host function with no upvalues).
    static void registerAll(lua_State* lua);
};
