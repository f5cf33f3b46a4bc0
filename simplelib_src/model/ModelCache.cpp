#include "model/ModelCache.h"

#include <GL/gl.h>

#include <cstdio>
#include <iostream>

#include "core/FatalError.h"
#include "gl/GLManager.h"
#include "image/Image.h"
#include "image/Sprite.h"
#include "image/SpriteManager.h"
#include "model/ObjReader.h"

namespace {

// Vertex normals are shared between triangles meeting at less than this angle (degrees).
const float vertexNormalAngle = 90.f;

void setMaterial(const ObjMaterial& material)
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, material.shininess);
}

// Issues the mesh's drawing commands (compiled into its display list): smooth vertex
// normals, texture coordinates and materials when the model has them. A material
// without a texture leaves the bound texture as it is.
void drawMesh(const ObjMesh& mesh)
{
    const bool withTexcoords = !mesh.texcoords.empty();
    const bool withMaterials = !mesh.materials.empty();
    if (!withTexcoords)
        std::fprintf(stderr, "glmDraw() warning: texture render mode requested with no texture coordinates defined.\n");
    if (!withMaterials)
        std::fprintf(stderr, "glmDraw() warning: material render mode requested with no materials defined.\n");
    if (withMaterials)
        glDisable(GL_COLOR_MATERIAL);

    for (const ObjGroup& group : mesh.groups) {
        Float3 textureScale(1.f, 1.f, 1.f);
        if (withMaterials) {
            const ObjMaterial& material = mesh.materials[group.material];
            setMaterial(material);
            textureScale = material.textureScale;
            if (material.texture != nullptr)
                glBindTexture(GL_TEXTURE_2D, material.texture->images[0]->textureId);
        }
        glBegin(GL_TRIANGLES);
        for (int index : group.triangles) {
            const ObjTriangle& triangle = mesh.triangles[index];
            for (int corner = 0; corner < 3; corner++) {
                if (triangle.nindices[corner] > 0)
                    glNormal3fv(&mesh.normals[triangle.nindices[corner] - 1][0]);
                if (withTexcoords) {
                    Float2 st(0.f, 0.f);
                    if (triangle.tindices[corner] > 0)
                        st = mesh.texcoords[triangle.tindices[corner] - 1];
                    glTexCoord2f(st.x() * textureScale.x(), st.y() * textureScale.y());
                }
                glVertex3fv(&mesh.vertices[triangle.vindices[corner] - 1][0]);
            }
        }
        glEnd();
    }
}

ObjMesh* loadMesh(const std::string& name, float scale, float weldDistance, unsigned int& displayList)
{
    ObjMesh* mesh = ObjReader::readObj(name);
    for (ObjMaterial& material : mesh->materials)
        if (!material.textureFile.empty())
            material.texture = SpriteManager::getSprite(material.textureFile, GLManager::whiteTexturePath,
                                                        SPRITE_HOTSPOT_TOP_LEFT);
    if (scale != 1.f)
        mesh->scale(scale);
    mesh->computeFacetNormals();
    mesh->computeVertexNormals(vertexNormalAngle);
    if (weldDistance > 0.f)
        mesh->weld(weldDistance);
    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    drawMesh(*mesh);
    glEndList();
    return mesh;
}

}  // namespace

std::vector<ModelCache::Entry>& ModelCache::entries()
{
    static std::vector<Entry> list;
    return list;
}

int ModelCache::getModel(const std::string& name, float scale, float weldDistance)
{
    std::vector<Entry>& list = entries();
    for (size_t i = 0; i < list.size(); i++)
        if (list[i].name == name) {
            list[i].nbUses++;
            std::cout << "Getting model '" << name << "'" << std::endl;
            return (int)i;
        }

    std::cout << "Loading model '" << name << "' ... " << std::endl;
    Entry entry;
    entry.model = loadMesh(name, scale, weldDistance, entry.displayList);
    entry.name = name;
    entry.nbUses = 1;
    list.push_back(entry);
    std::cout << "...loading model done" << std::endl;
    return (int)list.size() - 1;
}

void ModelCache::releaseModel(int index)
{
    ASSERT(index >= 0 && index < getNbEntries(), "ModelCache::releaseModel : no such model");
    Entry& element = entries()[index];
    element.nbUses--;
    ASSERT(element.nbUses >= 0, "ModelCache::releaseModel : the model is no longer in use");
    if (element.nbUses > 0) {
        std::cout << "Ungetting model '" << element.name << "'" << std::endl;
        return;
    }
    std::cout << "Unloading model " << element.name << " ..." << std::endl;
    glDeleteLists(element.displayList, 1);
    element.displayList = 0;
    for (ObjMaterial& material : element.model->materials)
        if (material.texture != nullptr)
            SpriteManager::removeSprite(material.texture);
    delete element.model;
    element.model = nullptr;
    element.name = "";
    std::cout << "... unloading model done" << std::endl;
}

const ModelCache::Entry& ModelCache::getEntry(int index)
{
    ASSERT(index >= 0 && index < getNbEntries(), "ModelCache::getEntry : no such model");
    return entries()[index];
}

int ModelCache::getNbEntries()
{
    return (int)entries().size();
}
