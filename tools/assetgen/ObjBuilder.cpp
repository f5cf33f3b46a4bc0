#include "ObjBuilder.h"

#include <cmath>
#include <cstdio>

namespace assetgen {

namespace {

constexpr float degreesToRadians = 3.14159265f / 180.f;

Vec3 cross(const Vec3& a, const Vec3& b)
{
    return Vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vec3 normalised(const Vec3& v)
{
    float l = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return l > 0.f ? v * (1.f / l) : Vec3(0, 1, 0);
}

std::string number(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", std::fabs(v) < 0.00005f ? 0.f : v);
    return text;
}

}  // namespace

Transform Transform::translation(const Vec3& parOffset)
{
    Transform t;
    t.offset = parOffset;
    return t;
}

Transform Transform::rotationX(float degrees)
{
    float c = std::cos(degrees * degreesToRadians), s = std::sin(degrees * degreesToRadians);
    Transform t;
    t.m[1][1] = c;
    t.m[1][2] = -s;
    t.m[2][1] = s;
    t.m[2][2] = c;
    return t;
}

Transform Transform::rotationY(float degrees)
{
    float c = std::cos(degrees * degreesToRadians), s = std::sin(degrees * degreesToRadians);
    Transform t;
    t.m[0][0] = c;
    t.m[0][2] = s;
    t.m[2][0] = -s;
    t.m[2][2] = c;
    return t;
}

Transform Transform::rotationZ(float degrees)
{
    float c = std::cos(degrees * degreesToRadians), s = std::sin(degrees * degreesToRadians);
    Transform t;
    t.m[0][0] = c;
    t.m[0][1] = -s;
    t.m[1][0] = s;
    t.m[1][1] = c;
    return t;
}

Transform Transform::rotationXAbout(const Vec3& pivot, float degrees)
{
    return translation(pivot).after(rotationX(degrees).after(translation(pivot * -1.f)));
}

Vec3 Transform::rotate(const Vec3& v) const
{
    return Vec3(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

Vec3 Transform::apply(const Vec3& p) const { return rotate(p) + offset; }

Transform Transform::after(const Transform& first) const
{
    Transform t;
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++) {
            t.m[i][j] = 0.f;
            for (int k = 0; k < 3; k++) t.m[i][j] += m[i][k] * first.m[k][j];
        }
    t.offset = apply(first.offset);
    return t;
}

ObjBuilder::ObjBuilder(int parTextureWidth, int parTextureHeight)
    : textureWidth(parTextureWidth), textureHeight(parTextureHeight)
{
}

void ObjBuilder::group(const std::string& name, const std::string& material)
{
    body += "g " + name + "\nusemtl " + material + "\n";
}

void ObjBuilder::box(const Vec3& l, const Vec3& h, const UvRect faces[6], const Transform& place)
{
    // Corners of each face counter-clockwise seen from outside, starting bottom-left of
    // the picture as seen from outside (so pictures stand upright on the sides).
    const Vec3 corners[6][4] = {
        {{l.x, h.y, h.z}, {h.x, h.y, h.z}, {h.x, h.y, l.z}, {l.x, h.y, l.z}},  // top: front edge at the bottom
        {{l.x, l.y, l.z}, {h.x, l.y, l.z}, {h.x, l.y, h.z}, {l.x, l.y, h.z}},  // bottom
        {{l.x, l.y, h.z}, {h.x, l.y, h.z}, {h.x, h.y, h.z}, {l.x, h.y, h.z}},  // front (+Z)
        {{h.x, l.y, l.z}, {l.x, l.y, l.z}, {l.x, h.y, l.z}, {h.x, h.y, l.z}},  // back (-Z)
        {{l.x, l.y, l.z}, {l.x, l.y, h.z}, {l.x, h.y, h.z}, {l.x, h.y, l.z}},  // left (-X)
        {{h.x, l.y, h.z}, {h.x, l.y, l.z}, {h.x, h.y, l.z}, {h.x, h.y, h.z}},  // right (+X)
    };
    for (int f = 0; f < 6; f++) quad(corners[f], faces[f], place);
}

void ObjBuilder::box(const Vec3& low, const Vec3& high, const UvRect& all, const Transform& place)
{
    const UvRect faces[6] = {all, all, all, all, all, all};
    box(low, high, faces, place);
}

void ObjBuilder::quad(const Vec3 corners[4], const UvRect& rect, const Transform& place)
{
    // Picture corners matching the face corners: bottom-left, bottom-right, top-right, top-left.
    const float uv[4][2] = {{rect.u0, rect.v1}, {rect.u1, rect.v1}, {rect.u1, rect.v0}, {rect.u0, rect.v0}};
    std::vector<int> v, t;
    Vec3 p[4];
    for (int i = 0; i < 4; i++) p[i] = place.apply(corners[i]);
    for (int i = 0; i < 4; i++) {
        v.push_back(addVertex(p[i]));
        t.push_back(addTexCoord(uv[i][0], uv[i][1]));
    }
    addFace(v, t, addNormal(normalised(cross(p[1] - p[0], p[2] - p[0]))));
}

void ObjBuilder::polygon(const std::vector<Vec3>& corners, float u, float v, const Transform& place)
{
    std::vector<int> vi, ti;
    std::vector<Vec3> p;
    for (const Vec3& c : corners) p.push_back(place.apply(c));
    int texture = addTexCoord(u, v);
    for (const Vec3& c : p) {
        vi.push_back(addVertex(c));
        ti.push_back(texture);
    }
    addFace(vi, ti, addNormal(normalised(cross(p[1] - p[0], p[2] - p[0]))));
}

int ObjBuilder::addVertex(const Vec3& p)
{
    vertices.push_back(p);
    return int(vertices.size());
}

int ObjBuilder::addTexCoord(float u, float v)
{
    texCoords.push_back({u / textureWidth, 1.f - v / textureHeight});
    return int(texCoords.size());
}

int ObjBuilder::addNormal(const Vec3& n)
{
    normals.push_back(n);
    return int(normals.size());
}

void ObjBuilder::addFace(const std::vector<int>& v, const std::vector<int>& t, int n)
{
    body += "f";
    for (size_t i = 0; i < v.size(); i++)
        body += " " + std::to_string(v[i]) + "/" + std::to_string(t[i]) + "/" + std::to_string(n);
    body += "\n";
    triangleCount += int(v.size()) - 2;
}

std::string ObjBuilder::objText(const std::string& materialLibrary, const std::string& comment) const
{
    std::string text = "# " + comment + "\nmtllib " + materialLibrary + "\n";
    for (const Vec3& p : vertices) text += "v " + number(p.x) + " " + number(p.y) + " " + number(p.z) + "\n";
    for (const auto& t : texCoords) text += "vt " + number(t.first) + " " + number(t.second) + "\n";
    for (const Vec3& n : normals) text += "vn " + number(n.x) + " " + number(n.y) + " " + number(n.z) + "\n";
    return text + body;
}

std::string materialLibraryText(const std::vector<MaterialSpec>& materials)
{
    std::string text;
    auto colour = [](const char* key, const float c[3]) {
        return std::string(key) + " " + number(c[0]) + " " + number(c[1]) + " " + number(c[2]) + "\n";
    };
    for (const MaterialSpec& m : materials) {
        text += "newmtl " + m.name + "\n";
        text += colour("Ka", m.ambient) + colour("Kd", m.diffuse) + colour("Ks", m.specular);
        text += "Ns " + number(m.shininess) + "\n";
        if (!m.texture.empty()) text += "map_Kd " + m.texture + "\n";
        text += "\n";
    }
    return text;
}

}  // namespace assetgen
