// The window's own icon, for title bars and window switchers: the program's
// icon image (icon.png in the scene's directory, written by the asset
// generator with the menu icon) at the sizes window managers pick from.
#pragma once

#include <vector>

#include "image/image_file.h"
#include "platform/window_identity.h"

constexpr const char* kWindowIconFile = "icon.png";

// The image at 128, 64, 32 and 16 pixels square (those no larger than it),
// each pixel the mean of the image's pixels it covers, colours weighted by
// their alpha so that the clear surround does not darken the edge.
std::vector<WindowIcon> windowIconsOf(const DecodedImage& image);

// WM_CLASS "velmora", "Velmora" (the desktop entry's StartupWMClass) and the
// icons read from the working directory; none when the file cannot be read.
WindowIdentity programIdentity();
