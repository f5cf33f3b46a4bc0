// ObjMesh: a model as read from an OBJ file and its MTL material library, and the
// geometry work done on it after reading (scale, facet normals, vertex normals,
// welding, the segment test used for collisions).
//
// Vertex, normal and texture-coordinate indices in triangles are numbered from 1 as in
// the file; 0 in a normal or texture-coordinate index means "none". Groups are kept
// most recent first, with the "default" group (created first) last. Material 0 is
// "default". Depends on: core/BasicVector; the sprite of a material's texture is
// filled in by the model cache.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "core/BasicVector.h"

class Sprite;

struct ObjMaterial {
    std::string name;
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 65.0f;
    // The OBJ file's folder followed by the map's file name; empty without a texture.
    std::string textureFile;
    Float3 textureScale = Float3(1.f, 1.f, 1.f);
    // A "map_Ka" line was read: later map lines of this material are ignored.
    bool hasAmbientMap = false;
    // The texture's sprite, obtained and released by the model cache.
    Sprite* texture = nullptr;
};

struct ObjTriangle {
    int vindices[3] = {0, 0, 0};
    int nindices[3] = {0, 0, 0};
    int tindices[3] = {0, 0, 0};
    int findex = 0;  // index into facetNormals (from 0)
};

struct ObjGroup {
    std::string name;
    std::vector<int> triangles;  // indices into ObjMesh::triangles (from 0)
    int material = 0;
};

class ObjMesh {
public:
    std::string pathname;
    std::string mtllibname;
    std::vector<Float3> vertices;   // vertex i of the file is vertices[i - 1]
    std::vector<Float3> normals;    // normal i is normals[i - 1]
    std::vector<Float2> texcoords;  // (s, 1 - t of the file); coordinate i is texcoords[i - 1]
    std::vector<Float3> facetNormals;
    std::vector<ObjTriangle> triangles;
    std::list<ObjGroup> groups;
    std::vector<ObjMaterial> materials;

    ObjGroup* findGroup(const std::string& name);
    // Finds the group or creates it at the front of the list.
    ObjGroup& addGroup(const std::string& name);
    // Index of the first material of that name; an unknown name is reported on the error
    // stream and gives material 0.
    int findMaterial(const std::string& name) const;

    // Multiplies every vertex by the factor.
    void scale(float factor);
    // One unit normal per triangle: (p1 - p0) x (p2 - p0) normalised; (0, 0, 0) for a
    // degenerate triangle.
    void computeFacetNormals();
    // Rebuilds the normals: at each vertex, the triangles whose facet normal is within
    // angle degrees (strictly) of the first triangle using it share the average normal,
    // the others keep their own facet normal.
    void computeVertexNormals(float angle);
    // Merges each vertex into the first kept vertex whose coordinates each differ from
    // it by less than distance, and renumbers the triangles.
    void weld(float distance);

    // The first triangle, in stored order, that the segment from start to end crosses
    // (end points on both sides of its plane, or on it, and the crossing point inside the
    // triangle); out receives the crossing point. Needs the facet normals.
    bool segmentHit(const Float3& start, const Float3& end, Float3& out) const;
};
