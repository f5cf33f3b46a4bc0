#include "editor/Editor3D.h"

#include "gl/GLManager.h"
#include "gl/Scene3D.h"
#include "world/IndexedWorld.h"

Editor3D::Editor3D(Font* parFont, IndexedWorld* parIndexedWorld, const std::string& parWorldDataFile,
                   const std::string& parScriptFile)
    : indexedWorld(parIndexedWorld), worldDataFile(parWorldDataFile), font(parFont), scriptFile(parScriptFile)
{
}

Float3 Editor3D::cursorWorldPosition() const
{
    const float sizeOneCube = indexedWorld->getSizeOneCube();
    return Float3((float)(int)((float)cursor.x() * sizeOneCube), (float)(int)((float)cursor.y() * sizeOneCube),
                  (float)(int)((float)cursor.z() * sizeOneCube));
}

void Editor3D::placeCamera()
{
    // The free view of a left-button drag (and its snapping to a quadrant) comes with the
    // editor's mouse handling; until then the view keeps the fixed pitch and yaw.
    Scene3D* scene = GLManager::scene3D;
    scene->camera.setRotation(Float3(-cameraPitch, -cameraYaw, -cameraRoll));
    scene->placeCamera(cursorWorldPosition(), cameraDistance);
}
