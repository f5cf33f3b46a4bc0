// SpriteManager: the one way the engine obtains pictures, as sprites named by file.
//
// Each image file is loaded once and shared by every sprite made from it; the manager counts
// the sprites using each image and frees the image (and its texture) with the last one. The
// textures of cube faces, the skybox, model materials and the water are sprites' first images
// too. Every sprite must be released before the window goes: checkAllReleased, run when the
// GL manager is destroyed, makes a sprite left over a fatal error.
//
// One manager for the process: all state is class-wide.
//
// Depends on: image/Image, image/Sprite, core/FatalError.
#pragma once

#include <map>
#include <string>
#include <vector>

class Image;
class Sprite;

struct LoadedImageInfo {
    Image* image;
    int nbSpritesUsingThisImage;
};

class SpriteManager {
public:
    // A new sprite of the named image (the default name when `name` is null), loading the
    // image on its first use. Callers pass GLManager::whiteTexturePath as the default.
    static Sprite* getSprite(const char* name, const std::string& defaultName, int hotSpotAlignment);
    static Sprite* getSprite(const std::string& name, const std::string& defaultName, int hotSpotAlignment);
    // Releases the sprite and its share of its images, then deletes it.
    static void removeSprite(Sprite* sprite);
    // Shutdown check: no sprite may be left.
    static void checkAllReleased();

    static int getNbSprites() { return (int)sprites.size(); }
    // How many sprites use the image loaded from the file (0 when it is not loaded).
    static int getNbUsers(const std::string& fileName);

private:
    static std::map<std::string, LoadedImageInfo> images;
    static std::vector<Sprite*> sprites;
};
