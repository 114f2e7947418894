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

// The sizes of the Windows icon (pixels): the Start menu, Explorer and the
// title bar choose among them.
inline constexpr int kWindowsIconSizes[] = {16, 32, 48, 256};

// A Windows .ico file holding the given RGBA images (at most 256 pixels a
// side): those of 256 as PNG, smaller ones as 32-bit bitmaps with their mask,
// the form every reader of icons takes (windres, makensis, Windows XP on).
std::vector<uint8_t> windowsIconFile(const std::vector<Image>& images);

// As writeIcon, the icon drawn at each of kWindowsIconSizes, as an .ico file.
bool writeWindowsIcon(const std::string& path);

}  // namespace assets
