// The ground and stone images.
#pragma once

#include <vector>

#include "tools/image.h"
#include "tools/stone_circle.h"
#include "tools/terrain.h"

namespace assets {

// "ground.png": the whole image is stretched once over the terrain, image
// column along scene z and image row against scene x (the image is flipped
// on load, so its top row lies at scene x = 100). Grass and chalk downland,
// worn under the circle and along the path out to the heel stone, with the
// faint bank and ditch of the earthwork and the avenue, and bare earth at
// the feet of the stones (`stones` in site coordinates).
Image makeGroundTexture(int size, const std::vector<Footprint>& stones);

enum class Rock { Sarsen, Bluestone };

// Weathered stone with lichen. Every triangle of the model maps the whole
// image, large or small, so it has no feature that marks a scale or a
// direction, and its brightness stays even across it.
Image makeStoneTexture(int size, Rock rock);

}  // namespace assets
