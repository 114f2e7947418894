// Where the generated data lands in the scene. The program reads the files
// with fixed rules (the scale and offset of scene/scene_numbers.h, bounding-box
// centre to the origin, turned -90 degrees about y; terrain rows along x,
// columns along z); these helpers state those rules once so every generator
// agrees.
//
// "Site" coordinates are metres with the origin on the ground at the circle's
// centre and y up; they are the model's own axes before the file's scale.
#pragma once

#include <cmath>

#include "camera/vector3.h"
#include "scene/scene_numbers.h"

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

using scene::kModelOffsetX;
using scene::kModelOffsetY;
using scene::kModelOffsetZ;
using scene::kModelScale;

// glRotatef(-90, 0, 1, 0) takes model (x, z) to scene (-z, x); the bounding-box
// centre, which the generator makes the circle's centre, sits at the offset.
inline ScenePoint siteToScene(double siteX, double siteZ) {
    return {kModelOffsetX - siteZ, kModelOffsetZ + siteX};
}
inline void sceneToSite(double sceneX, double sceneZ, double& siteX, double& siteZ) {
    siteX = sceneZ - kModelOffsetZ;
    siteZ = kModelOffsetX - sceneX;
}

// The circle's axis runs from the great trilithon out to the heel stone, away
// from the twilight sun: seen from the heel stone the sun sets through the
// great trilithon. Horizontal unit vector in scene coordinates (heading -51.5
// degrees); in site coordinates the same direction is (kAxisSceneZ, -kAxisSceneX).
constexpr double kAxisSceneX = -scene::kSunX, kAxisSceneZ = -scene::kSunZ;

// The heightmap: one byte per grid point, row = scene x, column = scene z.
using scene::kTerrainSize;
inline float heightOfSample(int v) {
    const float scaled =
        static_cast<float>(v) * scene::kTerrainHeightScale;  // rounded to float first
    return scaled - scene::kTerrainHeightBase;
}

}  // namespace assets
