#include "image/SpriteManager.h"

#include <algorithm>

#include "core/FatalError.h"
#include "image/Image.h"
#include "image/Sprite.h"

std::map<std::string, LoadedImageInfo> SpriteManager::images;
std::vector<Sprite*> SpriteManager::sprites;

Sprite* SpriteManager::getSprite(const char* name, const std::string& defaultName, int hotSpotAlignment)
{
    return getSprite(name != nullptr ? std::string(name) : defaultName, defaultName, hotSpotAlignment);
}

Sprite* SpriteManager::getSprite(const std::string& name, const std::string& defaultName, int hotSpotAlignment)
{
    (void)defaultName;  // the name is always given here
    auto found = images.find(name);
    Image* image;
    if (found != images.end()) {
        found->second.nbSpritesUsingThisImage++;
        image = found->second.image;
    } else {
        image = new Image(name, false);
        images[name] = LoadedImageInfo{image, 1};
    }
    Sprite* tmpsprite = new Sprite(std::vector<Image*>(1, image), hotSpotAlignment);
    ASSERT(tmpsprite != NULL, "SpriteManager::getSprite : the sprite was not made");
    sprites.push_back(tmpsprite);
    return tmpsprite;
}

void SpriteManager::removeSprite(Sprite* sprite)
{
    auto listed = std::find(sprites.begin(), sprites.end(), sprite);
    if (listed != sprites.end())
        sprites.erase(listed);
    for (Image* image : sprite->images) {
        auto entry = std::find_if(images.begin(), images.end(),
                                  [image](const std::pair<const std::string, LoadedImageInfo>& e) {
                                      return e.second.image == image;
                                  });
        if (entry == images.end())
            continue;
        LoadedImageInfo* lii = &entry->second;
        ASSERT(lii->nbSpritesUsingThisImage > 0, "SpriteManager::removeSprite : the sprite has no image ?");
        if (--lii->nbSpritesUsingThisImage == 0) {
            delete lii->image;
            images.erase(entry);
        }
    }
    delete sprite;
}

void SpriteManager::checkAllReleased()
{
    ASSERT(sprites.size() == 0, "SpriteManager : sprites are still in use at shutdown");
    for (auto it = sprites.begin(); it != sprites.end(); it = sprites.begin()) {
        ASSERT((*it) != NULL, "SpriteManager : an empty sprite entry");
        removeSprite(*it);
    }
}

int SpriteManager::getNbUsers(const std::string& fileName)
{
    auto found = images.find(fileName);
    return found == images.end() ? 0 : found->second.nbSpritesUsingThisImage;
}
