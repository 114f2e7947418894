// The program's icon for desktop menus: the generated stone circle on its
// land, seen from above the avenue in a low evening sun, rendered in software
// (z-buffer, smooth normals, sun shadows, 4 x 4 samples a pixel) on a round
// badge. RGBA; clear outside the badge.
#pragma once

#include <string>

#include "tools/image.h"
#include "tools/stone_circle.h"
#include "tools/terrain.h"

namespace assets {

constexpr int kIconSize = 256;  // pixels; installed as hicolor/256x256

Image makeIcon(const StoneModel& model, const Heightmap& map, int size = kIconSize);

// Builds the land and the circle as generateAll does and writes the icon as a
// PNG; false after naming the file when it cannot be written.
bool writeIcon(const std::string& path);

}  // namespace assets
