// Where the generated data lands in the scene. The program reads the files
// with fixed rules (scale 0.115, bounding-box centre to the origin, drawn at
// (50, 1.9, 49) turned -90 degrees about y; terrain rows along x, columns
// along z); these helpers state those rules once so every generator agrees.
//
// "Site" coordinates are metres with the origin on the ground at the circle's
// centre and y up; they are the model's own axes before the file's scale.
#pragma once

#include <cmath>

#include "camera/vector3.h"

namespace assets {

// The project's vector: site positions, normals and directions.
using Vec3 = ::Vector3;

// Unlike normalise, a zero vector gives straight up, (0, 1, 0).
inline Vec3 normalised(Vec3 a) {
    const double l = length(a);
    return l > 0.0 ? a * (1.0 / l) : Vec3{0.0, 1.0, 0.0};
}

struct ScenePoint {
    double x = 0.0, z = 0.0;  // scene units (metres) on the ground plane
};

// The model's placement in the scene.
constexpr float kModelScale = 0.115f;  // the program's single-precision factor
constexpr double kModelOffsetX = 50.0, kModelOffsetY = 1.9, kModelOffsetZ = 49.0;

// glRotatef(-90, 0, 1, 0) takes model (x, z) to scene (-z, x); the bounding-box
// centre, which the generator makes the circle's centre, sits at the offset.
inline ScenePoint siteToScene(double siteX, double siteZ) {
    return {kModelOffsetX - siteZ, kModelOffsetZ + siteX};
}
inline void sceneToSite(double sceneX, double sceneZ, double& siteX, double& siteZ) {
    siteX = sceneZ - kModelOffsetZ;
    siteZ = kModelOffsetX - sceneX;
}

// The sun of the program's lighting, scene coordinates, pointing at the sun.
constexpr double kDaySunX = -0.62187, kDaySunY = 1.0, kDaySunZ = 0.78312;
constexpr double kTwilightSunX = -0.62187, kTwilightSunY = 0.1, kTwilightSunZ = 0.78312;

// The circle's axis runs from the great trilithon out to the heel stone, away
// from the twilight sun: seen from the heel stone the sun sets through the
// great trilithon. Horizontal unit vector in scene coordinates (heading -51.5
// degrees); in site coordinates the same direction is (kAxisSceneZ, -kAxisSceneX).
constexpr double kAxisSceneX = 0.62187, kAxisSceneZ = -0.78312;

// The heightmap: one byte per grid point, row = scene x, column = scene z.
constexpr int kTerrainSize = 100;
inline float heightOfSample(int v) {
    const float scaled = static_cast<float>(v) * 0.137f;  // rounded to float first
    return scaled - 30.0f;
}

// The camera keeps x and z inside this square; the eye stays at its own height.
constexpr double kWalkMin = 2.0, kWalkMax = 98.0;
constexpr double kEyeHeight = 1.8;

struct ViewpointSpec {
    double x, y, z, pitch, heading;
};
constexpr ViewpointSpec kViewpoints[5] = {
    {50.0, 1.8, 50.0, 0.0, -70.0},  {2.0, 1.8, 2.0, 0.0, 45.0},      {50.0, 50.0, 50.0, 90.0, 0.0},
    {65.0, 0.0, 35.0, -5.0, 130.0}, {46.0, 16.0, 71.0, 40.0, -75.0},
};

}  // namespace assets
