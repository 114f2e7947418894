#include "tools/terrain.h"

#include <algorithm>
#include <cmath>

#include "tools/noise.h"
#include "tools/scene_frame.h"

namespace assets {
namespace {

constexpr double kCircleX = kModelOffsetX, kCircleZ = kModelOffsetZ;

double smooth(double a, double b, double x) {
    const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// The bank beyond the walkable square (grid lines 0 and 1, and 99): the
// outermost lines rise highest.
double bankHeight(int row, int column) {
    auto outside = [](int i) { return i == 0 || i == kTerrainSize - 1 ? 2 : (i == 1 ? 1 : 0); };
    const int e = std::max(outside(row), outside(column));
    if (e == 0) return -100.0;
    const double along = outside(row) >= outside(column) ? column : row;
    const double wobble = fbm(float(along / 9.0), float(row + column) * 0.01f, 0.5f, 3, 21);
    return e == 2 ? 2.5 + 1.1 * wobble : 1.3 + 0.3 * wobble;
}

}  // namespace

double designedHeight(double x, double z) {
    const double dx = x - kCircleX, dz = z - kCircleZ;
    const double d = std::hypot(dx, dz);
    // Along the axis (out towards the heel stone) and across it.
    const double along = dx * kAxisSceneX + dz * kAxisSceneZ;
    const double across = -dx * kAxisSceneZ + dz * kAxisSceneX;

    const double rolling = 0.55 * fbm(float(x / 38.0), float(z / 38.0), 0.3f, 3, 11) +
                           0.22 * fbm(float(x / 13.0), float(z / 13.0), 1.7f, 2, 12);
    const double rim = std::max(std::fabs(dx), std::fabs(dz));
    const double field = rolling + 0.6 * smooth(28.0, 47.0, rim);
    double h = field * smooth(17.0, 30.0, d);  // level ground under the circle

    // Beyond the entrance the land dips into a hollow along the axis and then
    // runs gently down the avenue. A viewpoint looks up at the circle from
    // eye height 0 out there; the hollow keeps the ground more than 0.5 m
    // below that eye, or the near clipping plane would cut the ground away.
    if (along > 15.5) {
        const double hollow =
            0.9 * smooth(15.5, 20.5, along) * std::exp(-std::pow(across / 9.0, 2.0));
        const double avenue =
            0.3 * smooth(21.0, 45.0, along) * std::exp(-std::pow(across / 16.0, 2.0));
        h -= hollow + avenue;
    }

    // Keep the walkable ground below the eye: ease the crests under 0.9 m.
    if (h > 0.6) h = 0.6 + 0.3 * std::tanh((h - 0.6) / 0.3);
    return h;
}

float Heightmap::gridHeight(int row, int column) const {
    row = std::clamp(row, 0, kTerrainSize - 1);
    column = std::clamp(column, 0, kTerrainSize - 1);
    return heightOfSample(samples[size_t(row) * kTerrainSize + column]);
}

double Heightmap::heightAt(double x, double z) const {
    const double cx = std::clamp(x, 0.0, kTerrainSize - 1.0);
    const double cz = std::clamp(z, 0.0, kTerrainSize - 1.0);
    const int r = std::min(int(cx), kTerrainSize - 2), c = std::min(int(cz), kTerrainSize - 2);
    const double fx = cx - r, fz = cz - c;
    const double h00 = gridHeight(r, c), h10 = gridHeight(r + 1, c);
    const double h01 = gridHeight(r, c + 1), h11 = gridHeight(r + 1, c + 1);
    if (fx + fz <= 1.0) return h00 + fx * (h10 - h00) + fz * (h01 - h00);
    return h11 + (1.0 - fx) * (h01 - h11) + (1.0 - fz) * (h10 - h11);
}

Heightmap makeHeightmap() {
    Heightmap map;
    map.samples.resize(size_t(kTerrainSize) * kTerrainSize);
    for (int r = 0; r < kTerrainSize; ++r)
        for (int c = 0; c < kTerrainSize; ++c) {
            const double h = std::max(designedHeight(r, c), bankHeight(r, c));
            const long v = std::lround((h + 30.0) / 0.137);
            map.samples[size_t(r) * kTerrainSize + c] = uint8_t(std::clamp(v, 0L, 255L));
        }
    return map;
}

Image heightmapImage(const Heightmap& map) {
    Image image(kTerrainSize, kTerrainSize, 1);
    image.pixels = map.samples;
    return image;
}

}  // namespace assets
