// The scene's fixed numbers, which the program and the generator of its files
// must agree on: where the model stands and at what scale, the terrain grid,
// the sun, where the visitor may walk and the five viewpoints. Scene
// coordinates are units (metres), y up; the ground is the x-z plane.
#pragma once

namespace scene {

// The model: the file's units × kModelScale (single precision) are scene
// units; its bounding box's centre is drawn at the offset, turned −90 degrees
// about y.
constexpr float kModelScale = 0.115f;
constexpr double kModelOffsetX = 50.0, kModelOffsetY = 1.9, kModelOffsetZ = 49.0;

// The heightmap's grid: kTerrainSize samples a side, one unit apart; a sample
// v stands at v × kTerrainHeightScale − kTerrainHeightBase units (the product
// in single precision).
constexpr int kTerrainSize = 100;
constexpr float kTerrainHeightScale = 0.137f;
constexpr float kTerrainHeightBase = 30.0f;

// The sun's direction (towards the sun) by day; at twilight it stands lower,
// at the same bearing.
constexpr double kSunX = -0.62187, kSunZ = 0.78312;
constexpr double kDaySunHeight = 1.0, kTwilightSunHeight = 0.1;

// The camera keeps x and z inside this square; the eye stays at its own height.
constexpr double kWalkMin = 2.0, kWalkMax = 98.0;
constexpr double kEyeHeight = 1.8;

// Position, pitch (degrees, positive looks down) and heading (degrees, 0 looks
// along +x, 90 along +z): 0 is the start view (key 5), 1-4 the keys 1-4.
struct ViewpointSpec {
    double x, y, z, pitch, heading;
};
constexpr ViewpointSpec kViewpoints[5] = {
    {50.0, 1.8, 50.0, 0.0, -70.0},  {2.0, 1.8, 2.0, 0.0, 45.0},      {50.0, 50.0, 50.0, 90.0, 0.0},
    {65.0, 0.0, 35.0, -5.0, 130.0}, {46.0, 16.0, 71.0, 40.0, -75.0},
};

}  // namespace scene
