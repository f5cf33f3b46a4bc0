#include "core/FileManager.h"

#include <sys/stat.h>

#include <cstdio>

bool FileManager::fileExists(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

std::string FileManager::getFileName(const std::string& path)
{
    size_t position = path.rfind('/');
    if (position == std::string::npos)
        position = path.rfind('\\');
    if (position == std::string::npos)
        return path;
    return path.substr(position + 1);
}

std::string FileManager::getDirectory(const std::string& path)
{
    size_t position = path.find_last_of("/\\");
    if (position == std::string::npos)
        return "";
    return path.substr(0, position + 1);
}
