// The sky cube's tables and which images go where: plain data, no GL.
#include "sky/skybox.h"

#include <sstream>

const std::array<std::array<float, 3>, 8> skyCorners = {{
    {100.0f, 100.0f, -100.0f},
    {-100.0f, 100.0f, -100.0f},
    {-100.0f, 100.0f, 100.0f},
    {100.0f, 100.0f, 100.0f},
    {100.0f, -100.0f, -100.0f},
    {-100.0f, -100.0f, -100.0f},
    {-100.0f, -100.0f, 100.0f},
    {100.0f, -100.0f, 100.0f},
}};

// The side faces wind so that images 1 to 4 form one band around the cube,
// each starting where the previous one ends.
const std::array<std::array<std::uint16_t, 4>, 6> skyFaces = {{
    {0, 1, 2, 3},
    {4, 0, 3, 7},
    {7, 3, 2, 6},
    {6, 2, 1, 5},
    {5, 1, 0, 4},
    {4, 7, 6, 5},
}};

// The textures are read with their rows inverted, so t = 1 is the image's top
// row: on the sides t runs from 0 at the bottom to 1 at the top.
const std::array<std::array<float, 2>, 4> skyTexCoords = {{
    {0.0f, 0.0f},
    {0.0f, 1.0f},
    {1.0f, 1.0f},
    {1.0f, 0.0f},
}};

int skyTextureBase(const std::string& timeOfDay) {
    if (timeOfDay == "night") return -1;
    if (timeOfDay == "twilight") return static_cast<int>(kSkyFacesDrawn);
    return 0;
}

std::vector<std::pair<unsigned, std::string>> skyImageFiles() {
    std::vector<std::pair<unsigned, std::string>> files;
    for (unsigned n = 0; n < kSkyFacesDrawn; ++n) {
        files.emplace_back(n, "cloudy/" + Skybox::toString(n) + ".jpg");
        files.emplace_back(n + kSkyFacesDrawn, "sunset/" + Skybox::toString(n) + ".jpg");
    }
    return files;
}

std::string Skybox::toString(unsigned n) {
    std::ostringstream out;
    out << n;
    return out.str();
}
