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

constexpr int kIconSize = 256;  // pixels
// The sizes (pixels) the hicolor icon theme is given, each rendered at its own size.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

Image makeIcon(const StoneModel& model, const Heightmap& map, int size = kIconSize);

// Builds the land and the circle as generateAll does and writes the icon at
// each of kIconSizes as DIRECTORY/<n>x<n>/apps/velmora.png, the hicolor
// theme's layout; false after naming the file when one cannot be written.
bool writeIcons(const std::string& directory);

}  // namespace assets
