// The sky: five faces (top and four sides) of a cube of half-size 100 units
// centred on the eye, drawn first with no depth, so everything else covers
// it. "cloudy/" images by day, "sunset/" at twilight, no sky at night.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "camera/vector3.h"

// Cube corners in units relative to the eye; y up.
extern const std::array<std::array<float, 3>, 8> skyCorners;
// Corner indices of the six faces: 0 top, 1 x = +100, 2 z = +100, 3 x = −100,
// 4 z = −100, 5 bottom (never drawn). Each side face starts at the bottom.
extern const std::array<std::array<std::uint16_t, 4>, 6> skyFaces;
// (s, t) for the four corners of every face, in corner order.
extern const std::array<std::array<float, 2>, 4> skyTexCoords;
constexpr unsigned kSkyFacesDrawn = 5;
constexpr unsigned kSkyTextureCount = 10;

// The first texture slot for timeOfDay: 0 (day set) for any text but
// "twilight" (5) and "night" (−1: no sky).
int skyTextureBase(const std::string& timeOfDay);

// (slot, file) in the order the images are read: cloudy/0.jpg into slot 0,
// sunset/0.jpg into slot 5, cloudy/1.jpg into slot 1, … sunset/4.jpg into 9.
std::vector<std::pair<unsigned, std::string>> skyImageFiles();

class Skybox {
  public:
    // GL texture names: slots 0–4 the day faces, 5–9 the twilight faces; 0 for
    // an image that failed (that face is drawn untextured). Empty until load.
    std::vector<std::uint32_t> textures;

    // Needs a current GL context. Reads the ten images relative to the
    // working directory.
    void load();
    // Needs the view transform on the model-view matrix (the current mode).
    // eyePosition is the look-at eye, scene units. See skybox_gl.cpp for the
    // GL state it leaves.
    void draw(const Vector3& eyePosition, std::string timeOfDay);

    // Decimal text of n, no padding: 0 → "0".
    static std::string toString(unsigned n);
};
