#include "world/World.h"

#include <GL/glew.h>

#include <iostream>

#include "draw/Skybox.h"
#include "gl/DeviceManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"
#include "model/Animated3DModel.h"
#include "player/Player.h"
#include "script/LuaFuncs.h"
#include "world/CustomObject.h"

const Float3 World::SUN_OFFSET(-3000.f, 10000.f, -3000.f);

namespace {

// The skybox images inside "skybox_directory", in slot order.
const char* const skyboxImageNames[Skybox::nbSlots] = {"/bottom.png", "/top.png",   "/left.png",
                                                       "/right.png",  "/front.png", "/back.png"};

// Colour = the GL manager's drawing colour, as every pass starts from.
void useDrawingColour()
{
    ColorBytes colour = GLManager::getCurrentColor();
    glColor4ub(colour.r, colour.g, colour.b, colour.a);
}

}  // namespace

World::World(const std::string& parWorldDataFile, const std::string& parScriptFile, Font* parFont,
             SoundManager* parSoundManager)
    : indexedWorld(parFont, parSoundManager, parWorldDataFile),
      editor(parFont, &indexedWorld, parWorldDataFile, parScriptFile),
      font(parFont),
      worldDataFile(parWorldDataFile)
{
    showLoadingScreen();

    GLManager::scene3D->fieldOfView = FIELD_OF_VIEW;
    setLighting(true);

    std::cout << "==== Loading player\n";
    player = new Player(*parSoundManager);
    std::cout << "==== Player loaded\n";

    std::cout << "==== Loading skybox\n";
    std::string directory = deviceManager->config.getString("skybox_directory");
    std::string names[Skybox::nbSlots];
    for (int i = 0; i < Skybox::nbSlots; i++)
        names[i] = directory + skyboxImageNames[i];
    skybox = new Skybox(names, skyboxEdgeFor(GLManager::scene3D->farPlane));
    std::cout << "==== Skybox loaded\n";
}

World::~World()
{
    delete player;
    delete skybox;
    // editor, then indexedWorld (regions freed with the progress bar) go with the members.
}

void World::showLoadingScreen()
{
    GLManager::begin2DPass();
    GLManager::clearScreen(0, 0, 0, 255);
    useDrawingColour();
    Sprite* loading = SpriteManager::getSprite("loading.png", GLManager::whiteTexturePath, SPRITE_HOTSPOT_CENTRE);
    loading->position = Int2(GLManager::windowSize.x() / 2, GLManager::windowSize.y() / 2);
    loading->cornersOutdated = true;
    loading->draw();
    GLManager::nextFrame();
    SpriteManager::removeSprite(loading);
}

void World::setLighting(bool on)
{
    Scene3D* scene = GLManager::scene3D;
    scene->lightingEnabled = on;
    if (on)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    gluQuadricNormals(scene->quadric, on ? GLU_FLAT : GLU_NONE);
}

void World::placeLight0()
{
    Scene3D* scene = GLManager::scene3D;
    Float3 base = editorMode ? editor.cursorWorldPosition()
                             : player->model->position + Float3(0.f, PLAYER_LIGHT_RAISE, 0.f);
    Float3 light = base + SUN_OFFSET;
    for (int axis = 0; axis < 3; axis++)
        scene->lightPositions[0][axis] = light[axis];
    scene->lightRanges[0] = -1.f;
    glEnable(GL_LIGHT0);
    scene->lightEnabled[0] = true;
}

void World::update(LuaStateCell* parLuaState)
{
    GLManager::scene3D->farPlane = farPlaneFor(viewDistance);
    placeLight0();
    LuaFuncs::luaStateCell = parLuaState;

    indexedWorld.cubeTypeManager.clearCubeTypeUsage();
    CustomObject::playerPosition = player->model->position;
    CustomObject::startFrame();
    indexedWorld.worldIndexator.update();
    indexedWorld.cubeTypeManager.freeUnusedCubeTypeTextures();
    CustomObject::unloadUnused();

    if (!editorMode && !hidden && !editor.scriptCreationActive)
        player->move(*this);
}

void World::placeCameraForFrame()
{
    if (editorMode)
        editor.placeCamera();
    else
        GLManager::scene3D->placeCamera(player->model->position + Float3(0.f, CAMERA_TARGET_RAISE, 0.f),
                                        player->cameraDistance);
}

void World::draw()
{
    glDisable(GL_FOG);
    if (hidden)
        return;
    Scene3D* scene = GLManager::scene3D;

    skybox->setSize(skyboxEdgeFor(scene->farPlane));
    skybox->draw();

    useDrawingColour();
    setLighting(true);
    player->draw();
    setLighting(false);

    scene->setFog(fogColour[0], fogColour[1], fogColour[2], fogColour[3], fogDistanceFor(viewDistance));
    // Fog by the signed distance to the eye plane: with the default absolute depth, a surface
    // that reaches behind the viewer (the sea's quads are kilometres wide) takes the depth of
    // its far corners everywhere and shows as plain fog right under the camera.
    if (GLEW_NV_fog_distance)
        glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_PLANE);
    indexedWorld.worldIndexator.viewDistance = viewDistance;
    CustomObject::showEditorMarker = editorMode;
    indexedWorld.worldIndexator.draw(editorMode);

    if (editorMode)
        editor.draw3D();
    else
        editor.drawScriptCreation();

    indexedWorld.water->updateAndDraw(0.f, waterOuterExtentFor(viewDistance));
    glDisable(GL_FOG);
}

void World::draw2D(int nbScriptObjectTypes)
{
    hidden = LuaFuncs::fullscreenPictureDrawn;
    if (!hidden && deviceManager->config.getBool("enable_water"))
        indexedWorld.water->drawUnderWaterTint();
    useDrawingColour();
    if (editorMode)
        editor.draw2D(font, nbScriptObjectTypes);
}

void World::keyPressed(unsigned char key, int nbScriptObjectTypes)
{
    unsigned char lower = (key >= 'A' && key <= 'Z') ? (unsigned char)(key - 'A' + 'a') : key;
    if (lower == 'a' && editor.typeDialogStep < 1)
        editorMode = !editorMode;
    if (editorMode)
        editor.keyPressed(key, nbScriptObjectTypes);
    else if (!editor.scriptCreationKey(key))
        player->handleKey(key);
}

void World::setReverseMouseYCamera(bool b)
{
    player->isReverseMouseYCamera = b;
    std::cout << "isReverseMouseYCamera: " << (b ? 1 : 0) << "\n";
}

void World::setProgressiveLoading(bool b)
{
    std::cout << "Set optimizsation world load progressive: " << (b ? 1 : 0) << "\n";
    indexedWorld.worldIndexator.progressiveLoading = b;
}

bool World::isInside(const Float3& point)
{
    return indexedWorld.worldIndexator.containsPoint(point);
}

bool World::collide(const Float3& start, const Float3& end, Float3& out)
{
    if (!isInside(end))
        return false;
    out = start;
    return true;
}

bool World::intersect(const Float3& a, const Float3& b, Float3& out)
{
    return indexedWorld.worldIndexator.segmentHit(b, a, out);
}
