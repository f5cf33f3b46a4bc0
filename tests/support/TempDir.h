// TempDir: a fresh folder under /tmp for one test, removed with everything in it.
#pragma once

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    // The absolute path of a file inside the folder.
    std::string file(const std::string& name) const { return root + "/" + name; }
    // Writes the bytes into a file of the folder (making its sub-folders), returns its path.
    std::string write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string root;
};
