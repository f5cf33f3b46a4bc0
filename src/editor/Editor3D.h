// Editor3D: the world editor, a mode of the running game that edits the world in place.
//
// The World owns one editor and an editor-mode flag. While the flag is set the World hands
// the editor the keys, the mouse, the camera placement and both drawing passes; while it is
// clear the editor only serves the script-driven cube creation. The editor keeps an edit
// cursor in cube units, the cube type dialogue state and the creation corners.
//
// This is the editor's frame: its state and the entry points the World calls. Key bindings,
// menus, the cursor marks, the overlay and the script-driven creation are not built yet;
// their entry points below are marked and change nothing.
//
// Depends on: core/BasicVector, world/IndexedWorld (the content it edits), gl/GLManager and
// gl/Scene3D (mouse events, camera).
#pragma once

#include <string>

#include "core/BasicVector.h"
#include "gl/GLManager.h"

class Font;
class IndexedWorld;

class Editor3D {
public:
    Editor3D(Font* parFont, IndexedWorld* parIndexedWorld, const std::string& parWorldDataFile,
             const std::string& parScriptFile);

    // The cursor's world position: each component times "size_one_cube", truncated toward zero.
    Float3 cursorWorldPosition() const;

    // Once a frame in editor mode: looks at the cursor from cameraDistance, at the editor's
    // fixed pitch and yaw.
    void placeCamera();

    // Not built yet (editor issue): key bindings and cube type dialogue, mouse and menus,
    // the 3D cursor marks, the 2D overlay, the marks of the script-driven creation.
    void keyPressed(unsigned char key, int nbScriptObjectTypes) {}
    void mouseEvent(const MouseEvent& event, int nbScriptObjectTypes) {}
    void draw3D() {}
    void draw2D(Font* parFont, int nbScriptObjectTypes) {}
    void drawScriptCreation() {}

    // The script-driven creation takes keys and mouse events while it runs (true keeps them
    // from the player); it never starts until the editor issue brings it.
    bool scriptCreationKey(unsigned char key) { return scriptCreationActive; }
    bool scriptCreationMouse(const MouseEvent& event) { return scriptCreationActive; }

    Int3 cursor = Int3(0, 0, 0);
    Int3 creationCorner = Int3(0, 0, 0);
    bool creationStarted = false;
    float cameraPitch = 30.f;
    float cameraYaw = 180.f;
    float cameraRoll = 0.f;
    int cameraQuadrant = 0;
    int currentScriptObjectType = 0;
    int currentCubeType = 0;
    int typeDialogStep = 0;
    IndexedWorld* indexedWorld;
    float cameraDistance = 30.f;
    bool scriptCreationActive = false;
    Int3 scriptCreationStart = Int3(0, 0, 0);
    Int3 scriptCreationEnd = Int3(0, 0, 0);
    bool scriptCreationConfirmed = false;
    std::string worldDataFile;

private:
    Font* font;
    std::string scriptFile;  // kept, read by no operation
};
