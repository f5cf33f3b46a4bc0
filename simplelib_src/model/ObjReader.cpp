#include "model/ObjReader.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/FatalError.h"
#include "core/FileManager.h"

namespace {

// One line of a file, split into whitespace-separated words.
struct Line {
    int number;            // from 1
    std::string text;      // without its line end
    std::vector<std::string> words;
    size_t keywordEnd = 0;  // where the text after the first word begins

    // The text after the keyword, blanks included.
    std::string rest() const { return text.substr(keywordEnd); }
    // The text after the keyword without its leading blanks (a group's name).
    std::string argument() const
    {
        size_t begin = text.find_first_not_of(" \t\r\v\f", keywordEnd);
        return begin == std::string::npos ? "" : text.substr(begin);
    }
};

[[noreturn]] void failAt(const char* reader, const std::string& path, int lineNumber, const std::string& what)
{
    std::string message = std::string(reader) + "() failed: " + what + " in \"" + path + "\" at line " +
                           std::to_string(lineNumber);
    FATAL(message.c_str());
}

// Splits the whole file into lines; a line too long for the line buffer is fatal, and so
// is a failed read (a folder of that name, a disk error), which would otherwise give an
// empty or cut model without a word.
std::vector<Line> splitLines(FILE* file, const char* reader, const std::string& path)
{
    std::string content;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        content.append(chunk, got);
    bool readFailed = std::ferror(file) != 0;
    int readError = errno;
    std::fclose(file);
    if (readFailed) {
        std::string message = std::string(reader) + "() failed: can't read \"" + path + "\": " + std::strerror(readError);
        FATAL(message.c_str());
    }

    std::vector<Line> lines;
    size_t begin = 0;
    int number = 1;
    while (begin < content.size()) {
        size_t end = content.find('\n', begin);
        if (end == std::string::npos)
            end = content.size();
        Line line;
        line.number = number++;
        line.text = content.substr(begin, end - begin);
        if (!line.text.empty() && line.text.back() == '\r')
            line.text.pop_back();
        if (line.text.size() > ObjReader::maxLineLength)
            failAt(reader, path, line.number, "line longer than " + std::to_string(ObjReader::maxLineLength) +
                                                  " characters");
        const char* blanks = " \t\r\v\f";
        size_t pos = line.text.find_first_not_of(blanks);
        while (pos != std::string::npos) {
            size_t wordEnd = line.text.find_first_of(blanks, pos);
            if (wordEnd == std::string::npos)
                wordEnd = line.text.size();
            line.words.push_back(line.text.substr(pos, wordEnd - pos));
            if (line.words.size() == 1)
                line.keywordEnd = wordEnd;
            pos = line.text.find_first_not_of(blanks, wordEnd);
        }
        begin = end + 1;
        if (!line.words.empty())
            lines.push_back(line);
    }
    return lines;
}

// Reads count floats from the words after the keyword.
void readFloats(const Line& line, int count, float* values, const char* reader, const std::string& path)
{
    if ((int)line.words.size() < count + 1)
        failAt(reader, path, line.number, "missing number after \"" + line.words[0] + "\"");
    for (int i = 0; i < count; i++) {
        const char* text = line.words[i + 1].c_str();
        char* end = nullptr;
        values[i] = std::strtof(text, &end);
        if (end == text || *end != '\0')
            failAt(reader, path, line.number, "bad number \"" + line.words[i + 1] + "\"");
    }
}

// --- faces -------------------------------------------------------------------------

enum FaceForm { FACE_VERTEX_NORMAL, FACE_VERTEX_TEXTURE_NORMAL, FACE_VERTEX_TEXTURE, FACE_VERTEX };

struct Corner {
    long vertex = 0, texture = 0, normal = 0;
};

// Reads an integer at text and advances past it. A number too large for any index
// reads as the nearest long, which the index check then refuses.
bool readIndex(const char*& text, long& value)
{
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    if (end == text)
        return false;
    text = end;
    return true;
}

bool readSlash(const char*& text)
{
    if (*text != '/')
        return false;
    text++;
    return true;
}

bool parseCorner(const std::string& word, FaceForm form, Corner& corner)
{
    const char* text = word.c_str();
    bool ok = readIndex(text, corner.vertex);
    switch (form) {
    case FACE_VERTEX_NORMAL:
        ok = ok && readSlash(text) && readSlash(text) && readIndex(text, corner.normal);
        break;
    case FACE_VERTEX_TEXTURE_NORMAL:
        ok = ok && readSlash(text) && readIndex(text, corner.texture) && readSlash(text) &&
             readIndex(text, corner.normal);
        break;
    case FACE_VERTEX_TEXTURE:
        ok = ok && readSlash(text) && readIndex(text, corner.texture);
        break;
    case FACE_VERTEX:
        break;
    }
    return ok && *text == '\0';
}

// The corners of a face line. The first word decides the form; the face goes on while
// further words have the same form.
std::vector<Corner> parseFace(const Line& line, const std::string& path, FaceForm& form)
{
    std::vector<Corner> corners;
    if (line.words.size() < 2)
        failAt("glmReadOBJ", path, line.number, "face without vertices");
    const std::string& first = line.words[1];
    form = FACE_VERTEX;
    Corner corner;
    if (first.find("//") != std::string::npos)
        form = FACE_VERTEX_NORMAL;
    else if (parseCorner(first, FACE_VERTEX_TEXTURE_NORMAL, corner))
        form = FACE_VERTEX_TEXTURE_NORMAL;
    else if (parseCorner(first, FACE_VERTEX_TEXTURE, corner))
        form = FACE_VERTEX_TEXTURE;
    for (size_t i = 1; i < line.words.size(); i++) {
        if (!parseCorner(line.words[i], form, corner)) {
            if (i == 1)
                failAt("glmReadOBJ", path, line.number, "bad face vertex \"" + first + "\"");
            break;
        }
        corners.push_back(corner);
    }
    if (corners.size() < 3)
        failAt("glmReadOBJ", path, line.number, "face with fewer than three vertices");
    return corners;
}

void checkIndex(long index, size_t count, const char* what, const Line& line, const std::string& path)
{
    if (index < 1 || (size_t)index > count)
        failAt("glmReadOBJ", path, line.number,
               std::string(what) + " index " + std::to_string(index) + " out of range (the file has " +
                   std::to_string(count) + ")");
}

// " -s su sv sw name" (single blanks) gives the texture scale and the file name; any other
// argument is the file name after its leading blank, with the scale (1, 1, 1).
void parseMapArgument(const std::string& argument, Float3& scale, std::string& fileName)
{
    scale = Float3(1.f, 1.f, 1.f);
    fileName = argument.empty() ? "" : argument.substr(1);
    if (argument.compare(0, 4, " -s ") != 0)
        return;
    const char* text = argument.c_str() + 3;  // the blank before the first number
    Float3 parsed(1.f, 1.f, 1.f);
    for (int i = 0; i < 3; i++) {
        if (text[0] != ' ' || text[1] == '\0' || std::isspace((unsigned char)text[1]))
            return;
        char* end = nullptr;
        parsed[i] = std::strtof(text + 1, &end);
        if (end == text + 1)
            return;
        text = end;
    }
    if (*text != ' ')
        return;
    scale = parsed;
    fileName = text + 1;
}

struct Counts {
    size_t vertices = 0, normals = 0, texcoords = 0;
};

// --- the two passes ------------------------------------------------------------------

Counts firstPass(ObjMesh& mesh, const std::vector<Line>& lines)
{
    Counts counts;
    for (const Line& line : lines) {
        const std::string& keyword = line.words[0];
        switch (keyword[0]) {
        case 'v':
            if (keyword == "v")
                counts.vertices++;
            else if (keyword == "vn")
                counts.normals++;
            else if (keyword == "vt")
                counts.texcoords++;
            else {
                std::fprintf(stderr, "glmFirstPass(): Unknown token \"%s\".\n", keyword.c_str());
                std::exit(1);
            }
            break;
        case 'g':
            mesh.addGroup(line.argument());
            break;
        case 'm':
            if (line.words.size() < 2)
                failAt("glmReadOBJ", mesh.pathname, line.number, "material library without a name");
            mesh.mtllibname = line.words[1];
            ObjReader::readMtl(mesh, mesh.mtllibname);
            break;
        default:
            break;
        }
    }
    return counts;
}

void secondPass(ObjMesh& mesh, const std::vector<Line>& lines, const Counts& counts)
{
    mesh.vertices.reserve(counts.vertices);
    mesh.normals.reserve(counts.normals);
    mesh.texcoords.reserve(counts.texcoords);
    ObjGroup* group = mesh.findGroup("default");
    int material = 0;
    float values[3];
    for (const Line& line : lines) {
        const std::string& keyword = line.words[0];
        switch (keyword[0]) {
        case 'v':
            if (keyword == "v") {
                readFloats(line, 3, values, "glmReadOBJ", mesh.pathname);
                mesh.vertices.push_back(Float3(values[0], values[1], values[2]));
            } else if (keyword == "vn") {
                readFloats(line, 3, values, "glmReadOBJ", mesh.pathname);
                mesh.normals.push_back(Float3(values[0], values[1], values[2]));
            } else {
                readFloats(line, 2, values, "glmReadOBJ", mesh.pathname);
                mesh.texcoords.push_back(Float2(values[0], 1.f - values[1]));
            }
            break;
        case 'f': {
            FaceForm form;
            std::vector<Corner> corners = parseFace(line, mesh.pathname, form);
            const bool withNormals = form == FACE_VERTEX_NORMAL || form == FACE_VERTEX_TEXTURE_NORMAL;
            const bool withTexture = form == FACE_VERTEX_TEXTURE || form == FACE_VERTEX_TEXTURE_NORMAL;
            for (const Corner& corner : corners) {
                checkIndex(corner.vertex, counts.vertices, "vertex", line, mesh.pathname);
                if (withNormals)
                    checkIndex(corner.normal, counts.normals, "normal", line, mesh.pathname);
                if (withTexture)
                    checkIndex(corner.texture, counts.texcoords, "texture coordinate", line, mesh.pathname);
            }
            for (size_t i = 2; i < corners.size(); i++) {
                const Corner* fan[3] = {&corners[0], &corners[i - 1], &corners[i]};
                ObjTriangle triangle;
                for (int k = 0; k < 3; k++) {
                    triangle.vindices[k] = (int)fan[k]->vertex;
                    triangle.nindices[k] = (int)fan[k]->normal;
                    triangle.tindices[k] = (int)fan[k]->texture;
                }
                group->triangles.push_back((int)mesh.triangles.size());
                mesh.triangles.push_back(triangle);
            }
            break;
        }
        case 'g':
            group = mesh.findGroup(line.argument());
            group->material = material;
            break;
        case 'u':
            if (line.words.size() < 2)
                failAt("glmReadOBJ", mesh.pathname, line.number, "usemtl without a name");
            material = mesh.findMaterial(line.words[1]);
            group->material = material;
            break;
        default:
            break;
        }
    }
}

}  // namespace

ObjMesh* ObjReader::readObj(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT(file, ("glmReadOBJ() failed: can't open data file:" + path).c_str());
    std::vector<Line> lines = splitLines(file, "glmReadOBJ", path);

    ObjMesh* mesh = new ObjMesh();
    mesh->pathname = path;
    mesh->addGroup("default");
    Counts counts = firstPass(*mesh, lines);
    secondPass(*mesh, lines, counts);
    return mesh;
}

void ObjReader::readMtl(ObjMesh& mesh, const std::string& name)
{
    size_t slash = mesh.pathname.rfind('/');
    std::string path = (slash == std::string::npos ? "" : mesh.pathname.substr(0, slash + 1)) + name;
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT(file, "glmReadMTL() failed: can't open material file \"%s\".");
    std::vector<Line> lines = splitLines(file, "glmReadMTL", path);

    size_t count = 1;
    for (const Line& line : lines)
        if (line.words[0][0] == 'n')
            count++;
    mesh.materials.assign(count, ObjMaterial());
    mesh.materials[0].name = "default";

    const std::string textureFolder = FileManager::getDirectory(mesh.pathname);
    size_t current = 0;
    float values[3];
    for (const Line& line : lines) {
        const std::string& keyword = line.words[0];
        ObjMaterial& material = mesh.materials[current];
        switch (keyword[0]) {
        case 'n':
            if (line.words.size() < 2)
                failAt("glmReadMTL", path, line.number, "material without a name");
            mesh.materials[++current].name = line.words[1];
            break;
        case 'K':
            if (keyword == "Ka" || keyword == "Kd" || keyword == "Ks") {
                readFloats(line, 3, values, "glmReadMTL", path);
                float* target = keyword == "Ka" ? material.ambient : keyword == "Kd" ? material.diffuse : material.specular;
                for (int i = 0; i < 3; i++)
                    target[i] = values[i];
            }
            break;
        case 'N':
            readFloats(line, 1, values, "glmReadMTL", path);
            material.shininess = values[0] / 1000.f * 128.f;
            break;
        case 'm': {
            if (keyword == "map_Ka")
                material.hasAmbientMap = true;
            else if (material.hasAmbientMap)
                break;  // a "map_Ka" line wins over the other maps
            std::string fileName;
            parseMapArgument(line.rest(), material.textureScale, fileName);
            material.textureFile = textureFolder + fileName;
            break;
        }
        default:
            break;
        }
    }
}
