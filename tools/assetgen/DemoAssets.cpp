#include "DemoAssets.h"

#include "AssetOutput.h"
#include "CubeTextures.h"
#include "DemoWorld.h"
#include "FontPicture.h"
#include "GameSounds.h"
#include "HeightmapPicture.h"
#include "Canvas.h"
#include "MenuPictures.h"
#include "PlayerModel.h"
#include "PropModels.h"
#include "SkyPictures.h"
#include "TitlePicture.h"
#include "WaterPictures.h"

namespace assetgen {

std::vector<std::string> DemoAssets::generate(const Settings& settings)
{
    AssetOutput output(settings.outputFolder);
    CubeTextures::generate(output);
    SkyPictures::generate(output);
    WaterPictures::generate(output);
    MenuPictures::generate(output, settings.fontFolder);
    FontPicture::generate(output, settings.fontFolder);
    HeightmapPicture::generate(output);
    PlayerModel::generate(output);
    PropModels::generate(output);
    GameSounds::generate(output);
    TitlePicture::generate(output, settings.fontFolder);
    DemoWorld::generate(output);
    // The texture of untextured drawing and of models without a map.
    output.writePng("whiteTexture.png", Canvas(8, 8, Colour(1, 1, 1)), false);
    return output.written();
}

}  // namespace assetgen
