// ObjReader: reads a Wavefront OBJ file and its MTL material library into an ObjMesh.
//
// Two passes over the file: the first counts vertices, normals and texture coordinates,
// creates the groups and reads the material library; the second reads the numbers and
// the faces (fans of triangles). Malformed input never reads out of bounds: an index of
// 0, a negative index, one beyond the file's counts, a face of fewer than three
// vertices, an unreadable number or a line longer than the reader's 128-byte line buffer
// ends the program with a fatal report naming the file and the line. A keyword beginning
// with "v" that is not "v", "vn" or "vt" prints "glmFirstPass(): Unknown token" and ends
// the process with exit code 1. Material textures are only named here (the OBJ's folder
// plus the map's file name); the model cache loads them.
// Depends on: model/ObjMesh, core/FatalError.
#pragma once

#include <string>

#include "model/ObjMesh.h"

class ObjReader {
public:
    // A new mesh owned by the caller. A missing file is the fatal report with the
    // condition "file" and "glmReadOBJ() failed: can't open data file:" + path.
    static ObjMesh* readObj(const std::string& path);
    // Replaces the mesh's materials by those of the library (the OBJ's folder up to its
    // last '/' followed by name), material 0 being "default".
    static void readMtl(ObjMesh& mesh, const std::string& name);

    // The longest line the reader accepts, line end not counted.
    static const size_t maxLineLength = 126;
};
