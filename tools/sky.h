// The sky cube's images: a day sky with soft clouds ("cloudy/0..4.jpg") and
// a twilight sky glowing where the twilight sun sets ("sunset/0..4.jpg").
// Each texel is coloured by the direction it is seen in on the program's
// cube, so the five faces meet without seams.
#pragma once

#include "tools/image.h"
#include "tools/scene_frame.h"

namespace assets {

enum class SkyTime { Day, Twilight };

// The unit direction (scene axes) of texture coordinate (s, t) on face 0..4
// of the program's sky cube: its corner table, each face's corners taking
// (0, 0), (0, 1), (1, 1), (1, 0) in order.
Vec3 skyDirection(int face, double s, double t);

// Colour of the sky seen in direction `d` (unit, scene axes). Below the
// horizon lies a hazy distant land.
Colour skyColour(SkyTime time, Vec3 d);

// Face `face` as an image: the image is flipped on load, so its top row is
// t = 1.
Image makeSkyFace(SkyTime time, int face, int size);

}  // namespace assets
