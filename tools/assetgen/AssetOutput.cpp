#include "AssetOutput.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "AssetWriter.h"
#include "Canvas.h"

namespace assetgen {

namespace {

[[noreturn]] void fail(const std::string& text)
{
    std::cerr << "make_demo_assets: " << text << std::endl;
    std::exit(1);
}

}  // namespace

AssetOutput::AssetOutput(const std::string& parRoot) : rootFolder(parRoot)
{
    std::error_code error;
    std::filesystem::create_directories(rootFolder, error);
    if (error) fail("cannot make the folder '" + rootFolder + "': " + error.message());
}

std::string AssetOutput::prepare(const std::string& name)
{
    std::filesystem::path path = std::filesystem::path(rootFolder) / name;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) fail("cannot make the folder of '" + path.string() + "': " + error.message());
    names.push_back(name);
    return path.string();
}

void AssetOutput::writePng(const std::string& name, const Canvas& canvas, bool withAlpha)
{
    std::vector<uint8_t> pixels = canvas.toBytes(withAlpha);
    writeBytes(name, AssetWriter::encodePng(canvas.width(), canvas.height(), withAlpha ? 4 : 3, pixels));
}

void AssetOutput::writeBytes(const std::string& name, const std::string& bytes)
{
    std::string path = prepare(name);
    if (!AssetWriter::writeFile(path, bytes)) fail("cannot write '" + path + "'");
}

void AssetOutput::failure(const std::string& text) { fail(text); }

}  // namespace assetgen
