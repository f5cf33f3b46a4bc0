// ScriptApiDrawing: 2D drawing, text and colours for scripts.
//
// "draw2DSprite", "drawSpriteFullscreen", "drawSpriteFullscreenStretched", "drawText",
// "drawTextCenter", "setColor", "setFogColor", "clearBackground". 2D positions are window
// pixels from the top-left corner (Scene2D). The current colour set by "setColor" tints
// every following sprite, text and model; "setFogColor" sets the colour that
// "clearBackground" clears with and that the game manager hands to the world each frame.
//
// Depends on: script/LuaFuncs, script/ScriptHandles, image/Sprite, image/Font,
// gl/GLManager, gl/Scene2D, OpenGL.
#pragma once

struct lua_State;
class Sprite;

class ScriptApiDrawing {
public:
    static int draw2DSprite(lua_State* lua);
    static int drawSpriteFullscreen(lua_State* lua);
    static int drawSpriteFullscreenStretched(lua_State* lua);
    static int drawText(lua_State* lua);
    static int drawTextCenter(lua_State* lua);
    static int setColor(lua_State* lua);
    static int setFogColor(lua_State* lua);
    static int clearBackground(lua_State* lua);
};
