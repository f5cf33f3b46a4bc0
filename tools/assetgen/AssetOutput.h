// AssetOutput: the folder the demo's assets are written into.
//
// Every generator writes through it: pictures as PNG, models as text, sounds as
// bytes. It makes the sub-folders a name needs, keeps the list of the files written
// (in order) and ends the program with a message on any write failure, so a broken
// asset build never looks like a finished one.
//
// Depends on: Canvas, AssetWriter (PNG encoding).
#pragma once

#include <string>
#include <vector>

namespace assetgen {

class Canvas;

class AssetOutput {
public:
    explicit AssetOutput(const std::string& parRoot);

    const std::string& root() const { return rootFolder; }
    const std::vector<std::string>& written() const { return names; }

    // Writes the picture as an 8-bit PNG, RGBA when withAlpha, else RGB.
    void writePng(const std::string& name, const Canvas& canvas, bool withAlpha);
    // Writes text or binary content as it is.
    void writeBytes(const std::string& name, const std::string& bytes);
    // Ends the asset build with the message (an input it needs is missing).
    [[noreturn]] static void failure(const std::string& text);

    // The absolute path of a name inside the folder, its folders made.
    std::string prepare(const std::string& name);

private:
    std::string rootFolder;
    std::vector<std::string> names;
};

}  // namespace assetgen
