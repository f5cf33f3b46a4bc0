// PlayerModel: the player's figure, five OBJ frames under "obj_player/".
//
// A small blocky character (head, body, two arms, two legs) facing +Z with its feet
// at the origin, 33 units tall (the engine loads it at scale 0.3, so its head is at
// the player's 10-unit height). Frames 1 to 3 walk (standing, then the legs and arms
// swung one way and the other; frame 1 is also the pose at rest), frames 4 and 5 fly
// (leaning forward, arms ahead, legs trailing, in two beats). All frames share the
// material library "player.mtl" and the texture "player.png".
//
// Depends on: AssetOutput, Canvas, Noise, ObjBuilder.
#pragma once

namespace assetgen {

class AssetOutput;

class PlayerModel {
public:
    static constexpr int nbFrames = 5;
    static constexpr float height = 33.f;

    static void generate(AssetOutput& output);
};

}  // namespace assetgen
