#include "model/ObjMesh.h"

#include <cmath>
#include <cstdio>

namespace {

float dot(const Float3& a, const Float3& b)
{
    return a.x() * b.x() + a.y() * b.y() + a.z() * b.z();
}

Float3 cross(const Float3& a, const Float3& b)
{
    return Float3(a.y() * b.z() - a.z() * b.y(), a.z() * b.x() - a.x() * b.z(), a.x() * b.y() - a.y() * b.x());
}

// Unit vector, or (0, 0, 0) for a zero vector (never a non-finite normal).
Float3 unit(const Float3& v)
{
    float length = v.length();
    return length > 0.f ? v / length : Float3(0.f, 0.f, 0.f);
}

}  // namespace

ObjGroup* ObjMesh::findGroup(const std::string& name)
{
    for (ObjGroup& group : groups)
        if (group.name == name)
            return &group;
    return nullptr;
}

ObjGroup& ObjMesh::addGroup(const std::string& name)
{
    if (ObjGroup* existing = findGroup(name))
        return *existing;
    groups.push_front(ObjGroup());
    groups.front().name = name;
    return groups.front();
}

int ObjMesh::findMaterial(const std::string& name) const
{
    for (size_t i = 0; i < materials.size(); i++)
        if (materials[i].name == name)
            return (int)i;
    std::fprintf(stderr, "glmFindMaterial():  can't find material \"%s\".\n", name.c_str());
    return 0;
}

void ObjMesh::scale(float factor)
{
    for (Float3& vertex : vertices)
        vertex *= factor;
}

void ObjMesh::computeFacetNormals()
{
    facetNormals.clear();
    for (ObjTriangle& triangle : triangles) {
        const Float3& p0 = vertices[triangle.vindices[0] - 1];
        const Float3& p1 = vertices[triangle.vindices[1] - 1];
        const Float3& p2 = vertices[triangle.vindices[2] - 1];
        triangle.findex = (int)facetNormals.size();
        facetNormals.push_back(unit(cross(p1 - p0, p2 - p0)));
    }
}

void ObjMesh::computeVertexNormals(float angle)
{
    // In double precision, so that 90 degrees gives a tiny positive value and
    // perpendicular faces are not averaged.
    const float cosAngle = (float)std::cos(angle * M_PI / 180.0);

    // The triangles using each vertex, in triangle order.
    std::vector<std::vector<int>> users(vertices.size());
    for (size_t t = 0; t < triangles.size(); t++)
        for (int corner = 0; corner < 3; corner++) {
            std::vector<int>& list = users[triangles[t].vindices[corner] - 1];
            if (list.empty() || list.back() != (int)t)
                list.push_back((int)t);
        }

    std::vector<Float3> rebuilt;
    for (size_t v = 0; v < users.size(); v++) {
        const std::vector<int>& list = users[v];
        if (list.empty()) {
            std::fprintf(stderr, "glmVertexNormals(): vertex w/o a triangle\n");
            continue;
        }
        const Float3& reference = facetNormals[triangles[list[0]].findex];
        std::vector<bool> averaged(list.size());
        Float3 sum(0.f, 0.f, 0.f);
        for (size_t i = 0; i < list.size(); i++) {
            const Float3& facet = facetNormals[triangles[list[i]].findex];
            averaged[i] = dot(facet, reference) > cosAngle;
            if (averaged[i])
                sum += facet;
        }
        rebuilt.push_back(unit(sum));
        const int averageIndex = (int)rebuilt.size();

        for (size_t i = 0; i < list.size(); i++) {
            ObjTriangle& triangle = triangles[list[i]];
            int normalIndex = averageIndex;
            if (!averaged[i]) {
                rebuilt.push_back(facetNormals[triangle.findex]);
                normalIndex = (int)rebuilt.size();
            }
            for (int corner = 0; corner < 3; corner++)
                if (triangle.vindices[corner] == (int)v + 1)
                    triangle.nindices[corner] = normalIndex;
        }
    }
    normals.swap(rebuilt);
}

void ObjMesh::weld(float distance)
{
    std::vector<Float3> kept;
    std::vector<int> newIndex(vertices.size());
    for (size_t i = 0; i < vertices.size(); i++) {
        const Float3& vertex = vertices[i];
        size_t j = 0;
        while (j < kept.size() && !(std::fabs(vertex.x() - kept[j].x()) < distance &&
                                    std::fabs(vertex.y() - kept[j].y()) < distance &&
                                    std::fabs(vertex.z() - kept[j].z()) < distance))
            j++;
        if (j == kept.size())
            kept.push_back(vertex);
        newIndex[i] = (int)j + 1;
    }
    for (ObjTriangle& triangle : triangles)
        for (int& index : triangle.vindices)
            index = newIndex[index - 1];
    vertices.swap(kept);
}

bool ObjMesh::segmentHit(const Float3& start, const Float3& end, Float3& out) const
{
    for (const ObjTriangle& triangle : triangles) {
        const Float3& normal = facetNormals[triangle.findex];
        const Float3& p0 = vertices[triangle.vindices[0] - 1];
        const Float3& p1 = vertices[triangle.vindices[1] - 1];
        const Float3& p2 = vertices[triangle.vindices[2] - 1];
        float startSide = dot(normal, start - p0);
        float endSide = dot(normal, end - p0);
        if (startSide * endSide > 0.f || startSide == endSide)
            continue;  // both ends on one side, or the segment lies in the plane
        Float3 crossing = start + (end - start) * (startSide / (startSide - endSide));
        // Inside when the crossing lies on the inner side of all three edges.
        if (dot(cross(p1 - p0, crossing - p0), normal) >= 0.f &&
            dot(cross(p2 - p1, crossing - p1), normal) >= 0.f &&
            dot(cross(p0 - p2, crossing - p2), normal) >= 0.f) {
            out = crossing;
            return true;
        }
    }
    return false;
}
