// FileManager: file tests and path helpers.
#pragma once

#include <string>

class FileManager {
public:
    // True when the path names a file that can be opened for reading (a folder or an
    // unreadable file counts as missing). Never fails.
    static bool fileExists(const std::string& path);

    // What follows the last '/' (only when there is none, the last '\\'); the whole path
    // when there is neither.
    static std::string getFileName(const std::string& path);

    // Everything up to and including the last '/' or '\\', whichever comes last; "" when
    // there is none.
    static std::string getDirectory(const std::string& path);
};
