// The per-frame work of the region index around the camera, and its progress bars.
#include "world/WorldIndexator.h"

#include <GL/glew.h>

#include <iostream>

#include "core/FatalError.h"
#include "draw/BoxGeometry.h"
#include "gl/DeviceManager.h"
#include "gl/Scene2D.h"
#include "gl/Scene3D.h"
#include "gl/VBOBatchSet.h"
#include "world/CubeTypeList.h"

namespace {

void setLighting(bool on)
{
    GLManager::scene3D->lightingEnabled = on;
    if (on)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
}

}  // namespace

Int3 WorldIndexator::viewerRegionIndex() const
{
    ASSERT(GLManager::scene3D != NULL, "WorldIndexator : no 3D scene");
    return regionIndexOfPoint(GLManager::scene3D->camera.position);
}

int WorldIndexator::walkHalfWidth() const
{
    return (int)(viewDistance / sizeOneRegion) + 1;
}

void WorldIndexator::update()
{
    // The walked cube in absolute coordinates: a script may grow the table while it runs.
    Int3 center = viewerRegionIndex() + tableMin;
    int d = walkHalfWidth();
    std::vector<CustomObject> moved;
    for (int x = center.x() - d; x <= center.x() + d; x++)
        for (int y = center.y() - d; y <= center.y() + d; y++)
            for (int z = center.z() - d; z <= center.z() + d; z++) {
                Int3 index = Int3(x, y, z) - tableMin;
                if (isInTable(index))
                    updateRegion(*getRegion(index), moved);
            }

    for (const CustomObject& object : moved) {
        Int3 index;
        bool isOk = regionIndexOfBox(object.position, Float3(0.f, 0.f, 0.f), index);
        ASSERT(isOk, "WorldIndexator::update : a moved object cannot be placed");
        WorldRegion* region = getRegion(index);
        region->freeVBO();
        region->objects.push_back(object);
    }

    int nbRemoved = 0;
    for (WorldRegion* region : tableRegions) {
        if (region->visited) {
            region->visited = false;
        } else if (region->vbo != nullptr) {
            if (region->vbo->getNbVertices() > 0)
                nbRemoved++;
            region->freeVBO();
        }
    }
    if (nbRemoved > 0)
        std::cout << "Removed " << nbRemoved << " regions\n";
}

void WorldIndexator::updateRegion(WorldRegion& region, std::vector<CustomObject>& moved)
{
    region.visited = true;
    int nbTypes = types.getNbCubeType();
    for (const CubeZone& zone : region.cubeZones)
        if (zone.id < nbTypes)
            types.getCubeType(zone.id);
    if (objectRunner == nullptr || region.objects.empty())
        return;

    running.assign(region.objects.begin(), region.objects.end());
    region.objects.clear();
    runningRemoved.assign(running.size(), 0);
    runningRegion = &region;
    std::vector<char> hasMoved(running.size(), 0);
    for (size_t i = 0; i < running.size(); i++) {
        if (runningRemoved[i])
            continue;
        Float3 before = running[i].position;
        objectRunner->manage(running[i]);
        hasMoved[i] = running[i].position != before;
    }
    runningRegion = nullptr;

    // Kept objects in their order, then those added while the objects ran.
    std::vector<CustomObject> kept;
    kept.reserve(running.size() + region.objects.size());
    bool changed = false;
    for (size_t i = 0; i < running.size(); i++) {
        if (runningRemoved[i]) {
            changed = true;
        } else if (hasMoved[i]) {
            moved.push_back(running[i]);
            changed = true;
        } else {
            kept.push_back(running[i]);
        }
    }
    changed = changed || !region.objects.empty();
    kept.insert(kept.end(), region.objects.begin(), region.objects.end());
    region.objects.swap(kept);
    // `running` keeps its records: the record run last stays readable until the next update.
    if (changed)
        region.freeVBO();
}

void WorldIndexator::draw(bool showOutlines)
{
    ASSERT(deviceManager, "WorldIndexator::draw : no device manager");
    // The drawn cube in absolute coordinates: a draw function may grow the table.
    Int3 c = viewerRegionIndex() + tableMin;
    int d = walkHalfWidth();
    bool renderUnderWater = deviceManager->config.getBool("render_under_water");

    glEnable(GL_TEXTURE_2D);
    setLighting(false);
    glPolygonMode(GL_BACK, GL_LINE);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);

    int nbRegions = 0, nbBuffers = 0, nbVertices = 0;
    bool borderBuilt = false;
    for (int x = c.x() - d; x <= c.x() + d; x++)
        for (int y = c.y() - d; y <= c.y() + d; y++)
            for (int z = c.z() - d; z <= c.z() + d; z++) {
                Int3 index = Int3(x, y, z) - tableMin;
                if (!isInTable(index))
                    continue;
                WorldRegion& region = *getRegion(index);
                bool border = x == c.x() - d || x == c.x() + d || y == c.y() - d || y == c.y() + d ||
                              z == c.z() - d || z == c.z() + d;
                if (border) {
                    // Prepared one frame ahead, never drawn.
                    if (progressiveLoading && region.vbo == nullptr && !borderBuilt) {
                        int ignoredBuffers = 0, ignoredVertices = 0;
                        borderBuilt = buildRegion(region, ignoredBuffers, ignoredVertices);
                    }
                    continue;
                }
                if (renderUnderWater || y >= 0) {
                    bool built = false;
                    drawRegion(region, nbBuffers, nbVertices, built);
                    if (built)
                        nbRegions++;
                }
                if (showOutlines)
                    drawOutline(index);
            }
    if (nbRegions > 0)
        std::cout << "Loaded " << nbRegions << " regions (" << nbBuffers << " VBO, " << nbVertices << " vertices)\n";
}

bool WorldIndexator::buildRegion(WorldRegion& region, int& nbBuffers, int& nbVertices)
{
    if (region.vbo != nullptr)
        return false;
    region.vbo = new VBOBatchSet();
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    region.fillBatches(*region.vbo, types, sizeOneCube);
    VBOUploadResult uploaded = region.vbo->upload();
    nbBuffers += uploaded.nbBuffers;
    nbVertices += uploaded.nbVertices;
    return true;
}

void WorldIndexator::drawRegion(WorldRegion& region, int& nbBuffers, int& nbVertices, bool& built)
{
    built = buildRegion(region, nbBuffers, nbVertices);
    setLighting(false);
    region.vbo->draw();
    if (objectRunner != nullptr) {
        setLighting(true);
        // By index and by copy: a draw function may add objects to this very list.
        for (size_t i = 0; i < region.objects.size(); i++) {
            CustomObject object = region.objects[i];
            objectRunner->draw(object);
        }
    }
    setLighting(false);
}

void WorldIndexator::drawOutline(const Int3& posIndex)
{
    Float3 center;
    for (int a = 0; a < 3; a++)
        center[a] = (float)(tableMin[a] + posIndex[a]) * sizeOneRegion + sizeOneRegion / 2.f;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(GLManager::scene3D->viewMatrix);
    glTranslatef(center.x(), center.y(), center.z());
    // Untextured: both faces as lines, no culling; the 3D pass's modes come back after.
    drawBox(nullptr, Float3(sizeOneRegion, sizeOneRegion, sizeOneRegion), Float3(1.f, 1.f, 1.f), false);
    glPopMatrix();
}

int WorldIndexator::progressBarEnd(long long k, long long nbCells, bool shrinking)
{
    long long width = GLManager::windowSize.x();
    long long step = nbCells > 0 ? k * (width - 20) / nbCells : 0;
    return (int)(shrinking ? width - 10 - step : 10 + step);
}

void WorldIndexator::drawProgressBar(int barEnd, bool setupState)
{
    if (deviceManager == nullptr || GLManager::scene2D == nullptr)
        return;  // no window to show it in
    int w = GLManager::windowSize.x(), h = GLManager::windowSize.y();
    if (setupState)
        GLManager::begin2DPass();
    GLManager::clearScreen(0, 0, 0, 255);
    glDisable(GL_TEXTURE_2D);
    GLManager::scene2D->drawRectangle2D(Int2(10, h - 50), Int2(w - 10, h - 30), false);
    GLManager::scene2D->drawRectangle2D(Int2(10, h - 50), Int2(barEnd, h - 30), true);
    GLManager::nextFrame();
}
