// The heightmap: gentle rolling downland, level where the circle stands,
// falling away a little along the axis, rising into a low bank at the edge
// of the ground beyond the walkable square so the land's end is not seen.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/image.h"

namespace assets {

// The land's height in metres at scene (x, z), before it is quantised into
// the heightmap's 0.137 m steps.
double designedHeight(double sceneX, double sceneZ);

struct Heightmap {
    std::vector<uint8_t> samples;  // kTerrainSize^2, row = scene x, column = scene z

    // The height the program gives grid point (row, column).
    float gridHeight(int row, int column) const;
    // The height of the program's terrain mesh at scene (x, z): its triangle
    // strips split each cell along the diagonal from (r + 1, c) to (r, c + 1).
    double heightAt(double sceneX, double sceneZ) const;
};

Heightmap makeHeightmap();

// One channel, 8 bits, 100 x 100: the program reads one byte per grid point.
Image heightmapImage(const Heightmap& map);

}  // namespace assets
