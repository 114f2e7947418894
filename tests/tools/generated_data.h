// The data files as the build generated them for the program, and small
// readers for them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets_test {

// Directory holding the generated files.
const std::string& dataDir();

std::string readFile(const std::string& path);

struct Decoded {
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> pixels;  // channels as stored in the file
    const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels]; }
    float luminance(int x, int y) const;  // 0..1
};
Decoded decode(const std::string& path);

// The program's terrain: height of heightmap sample v, and of its mesh at
// scene (x, z), read from the file.
float sampleHeight(int v);
struct TerrainFile {
    Decoded image;
    float grid(int row, int column) const {
        return sampleHeight(image.pixels[size_t(row) * 100 + column]);
    }
    double at(double x, double z) const;
};
const TerrainFile& terrainFile();

}  // namespace assets_test
