// ModelCache: the process-wide list of loaded OBJ models with use counts, so that every
// ObjModel (and every frame of every animated model) made from the same file shares one
// mesh and one display list.
//
// Entries are never removed: an unloaded entry keeps its place with an empty name, which
// no request can match. A file keeps the geometry of its first load (its scale and weld
// distance); later requests only count a use. Loading reads the file (ObjReader),
// scales it, computes facet and vertex normals, welds when asked, loads the material
// textures through the sprite manager and compiles one display list.
// Depends on: model/ObjReader, model/ObjMesh, image/SpriteManager, gl/GLManager,
// OpenGL (a current context for loading and unloading).
#pragma once

#include <string>
#include <vector>

#include "model/ObjMesh.h"

class ModelCache {
public:
    struct Entry {
        ObjMesh* model = nullptr;
        std::string name;  // the file name; empty once unloaded
        unsigned int displayList = 0;
        int nbUses = 0;
    };

    // The index of the entry holding the file, loaded on its first request.
    static int getModel(const std::string& name, float scale, float weldDistance);
    // One use less; the last one unloads the model (display list, textures, mesh).
    static void releaseModel(int index);
    static const Entry& getEntry(int index);
    static int getNbEntries();

private:
    static std::vector<Entry>& entries();
};
