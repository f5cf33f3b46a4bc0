#include "script/ScriptApiInput.h"

#include <lua.hpp>
#include <string>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "gl/KeyboardManager.h"
#include "gl/Scene2D.h"
#include "platform/Clock.h"
#include "script/LuaFuncs.h"

int ScriptApiInput::getKey(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 1, nullptr);
    LuaFuncs::checkString(lua, 1, "getKey");
    size_t length = 0;
    const char* text = lua_tolstring(lua, 1, &length);
    std::string chars(text, length);
    ASSERT(chars.size() == 1, nullptr);
    ASSERT(GLManager::keyboardManager != NULL, "getKey needs the window's keyboard.");
    lua_pushnumber(lua, GLManager::keyboardManager->keyStates[(unsigned char)chars[0]]);
    return 1;
}

int ScriptApiInput::getMouseInfos(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    for (unsigned char held : GLManager::mouseButtons)
        lua_pushnumber(lua, held);
    lua_pushnumber(lua, GLManager::scenePointerPosition.x());
    lua_pushnumber(lua, GLManager::scenePointerPosition.y());
    return 5;
}

int ScriptApiInput::getWindowSize(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    ASSERT(GLManager::scene2D != NULL, "getWindowSize needs the window.");
    lua_pushnumber(lua, GLManager::scene2D->size2D.x());
    lua_pushnumber(lua, GLManager::scene2D->size2D.y());
    return 2;
}

int ScriptApiInput::getTime(lua_State* lua)
{
    int argc = lua_gettop(lua);
    ASSERT(argc == 0, nullptr);
    lua_pushnumber(lua, getTimeMs());
    return 1;
}

int ScriptApiInput::getPeriodDuration(lua_State* lua)
{
    // The one function that takes any arguments.
    lua_pushnumber(lua, (lua_Number)GLManager::periodDuration);
    return 1;
}
