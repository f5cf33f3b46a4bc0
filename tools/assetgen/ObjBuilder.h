// ObjBuilder: builds a model out of boxes and polygons and writes it as Wavefront OBJ
// text with its MTL material library.
//
// Faces are written counter-clockwise seen from outside (the engine culls back faces
// and derives facet normals from the winding), as "v/vt/vn" triples, one group per
// part, with lines far below the engine reader's 128-byte line limit. Texture
// coordinates are given in pixels of the model's texture picture (origin top-left)
// and written in the OBJ convention (t = 0 at the picture's bottom).
//
// Depends on: the standard library only.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
    float x = 0, y = 0, z = 0;
    Vec3() = default;
    Vec3(float parX, float parY, float parZ) : x(parX), y(parY), z(parZ) {}
    Vec3 operator+(const Vec3& o) const { return Vec3(x + o.x, y + o.y, z + o.z); }
    Vec3 operator-(const Vec3& o) const { return Vec3(x - o.x, y - o.y, z - o.z); }
    Vec3 operator*(float k) const { return Vec3(x * k, y * k, z * k); }
};

// A rotation followed by a translation.
struct Transform {
    float m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 offset;

    static Transform identity() { return Transform(); }
    static Transform translation(const Vec3& offset);
    // Rotations by degrees about an axis through the origin (right-handed).
    static Transform rotationX(float degrees);
    static Transform rotationY(float degrees);
    static Transform rotationZ(float degrees);
    // Rotation by degrees about the X axis through a pivot point.
    static Transform rotationXAbout(const Vec3& pivot, float degrees);

    Vec3 apply(const Vec3& p) const;
    Vec3 rotate(const Vec3& v) const;
    // This transform applied after `first`.
    Transform after(const Transform& first) const;
};

// A rectangle of the texture picture in pixels: left, top, right, bottom.
struct UvRect {
    float u0, v0, u1, v1;
};

class ObjBuilder {
public:
    // Face order of boxes: top (+Y), bottom (-Y), front (+Z), back (-Z), left (-X), right (+X).
    enum BoxFace { FACE_TOP, FACE_BOTTOM, FACE_FRONT, FACE_BACK, FACE_LEFT, FACE_RIGHT };

    ObjBuilder(int parTextureWidth, int parTextureHeight);

    // Starts a new group (a named part) using a material of the library.
    void group(const std::string& name, const std::string& material);
    // A box from its minimum to its maximum corner, each face textured with its rectangle,
    // placed by the transform.
    void box(const Vec3& low, const Vec3& high, const UvRect faces[6], const Transform& place = Transform());
    // The same with one rectangle on every face.
    void box(const Vec3& low, const Vec3& high, const UvRect& all, const Transform& place = Transform());
    // A convex polygon, corners counter-clockwise seen from outside, textured with one
    // point of the texture (a flat colour of a palette).
    void polygon(const std::vector<Vec3>& corners, float u, float v, const Transform& place = Transform());

    int nbTriangles() const { return triangleCount; }

    // The OBJ text, naming the material library.
    std::string objText(const std::string& materialLibrary, const std::string& comment) const;

private:
    void quad(const Vec3 corners[4], const UvRect& rect, const Transform& place);
    int addVertex(const Vec3& p);
    int addTexCoord(float u, float v);
    int addNormal(const Vec3& n);
    void addFace(const std::vector<int>& v, const std::vector<int>& t, int n);

    int textureWidth, textureHeight;
    std::vector<Vec3> vertices, normals;
    std::vector<std::pair<float, float>> texCoords;
    std::string body;
    int triangleCount = 0;
};

// One material of a library: name, colours, shininess (0..1000) and texture file.
struct MaterialSpec {
    std::string name;
    float diffuse[3];
    float ambient[3];
    float specular[3];
    float shininess;
    std::string texture;
};

std::string materialLibraryText(const std::vector<MaterialSpec>& materials);

}  // namespace assetgen
