// PropModels: the models of the demo's script objects, under "models/".
//
// "gem.obj" (a cut gem to collect, centred on the origin), "coin.obj" (a gold coin
// standing on its edge, facing +Z), "boat.obj" (a sail boat, its keel at y = 0 and its
// bow toward +Z) and "bird_frame1.obj" / "bird_frame2.obj" (a gull with its wings up
// and down, flying toward +Z). All use the colour swatches of "models/palette.png"
// through the material library "models/props.mtl": each face takes the colour of one
// swatch, so the models need no painted texture of their own.
//
// Depends on: AssetOutput, Canvas, ObjBuilder.
#pragma once

namespace assetgen {

class AssetOutput;

class PropModels {
public:
    static void generate(AssetOutput& output);
};

}  // namespace assetgen
