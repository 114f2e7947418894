#include "generated_data.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/test_files.h"
#include "tools/generate.h"

namespace assets_test {
namespace {

bool holdsEveryFile(const std::string& directory) {
    for (const std::string& f : assets::generatedFiles()) {
        if (!std::filesystem::exists(directory + "/" + f)) return false;
    }
    return true;
}

// The files the build wrote for the program; generated afresh into a
// temporary directory only when they are not there. Each test runs in a
// process of its own, so this happens once per test, not once per run.
class GeneratedData : public ::testing::Environment {
  public:
    void SetUp() override {
        if (holdsEveryFile(VELMORA_DATA_DIR)) {
            dir = VELMORA_DATA_DIR;
            return;
        }
        dir = test_files::makeTemporaryDirectory("velmora_assets_test_");
        temporary = true;
        assets::GenerateOptions o;
        o.outputDirectory = dir;
        ASSERT_TRUE(assets::generateAll(o));
    }
    void TearDown() override {
        if (temporary) std::filesystem::remove_all(dir);
    }
    std::string dir;
    bool temporary = false;
};

GeneratedData* environment =
    static_cast<GeneratedData*>(::testing::AddGlobalTestEnvironment(new GeneratedData));

}  // namespace

const std::string& dataDir() {
    return environment->dir;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

float Decoded::luminance(int x, int y) const {
    const uint8_t* p = at(x, y);
    if (channels < 3) return p[0] / 255.0f;
    return (0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2]) / 255.0f;
}

Decoded decode(const std::string& path) {
    Decoded d;
    unsigned char* px = stbi_load(path.c_str(), &d.width, &d.height, &d.channels, 0);
    if (px) {
        d.pixels.assign(px, px + size_t(d.width) * d.height * d.channels);
        stbi_image_free(px);
    }
    return d;
}

float sampleHeight(int v) {
    return float(v) * 0.137f - 30.0f;
}

double TerrainFile::at(double x, double z) const {
    // The program's triangle strips split each cell from (r + 1, c) to (r, c + 1).
    const int r = std::clamp(int(x), 0, 98), c = std::clamp(int(z), 0, 98);
    const double fx = x - r, fz = z - c;
    const double h00 = grid(r, c), h10 = grid(r + 1, c), h01 = grid(r, c + 1),
                 h11 = grid(r + 1, c + 1);
    if (fx + fz <= 1.0) return h00 + fx * (h10 - h00) + fz * (h01 - h00);
    return h11 + (1 - fx) * (h01 - h11) + (1 - fz) * (h10 - h11);
}

const TerrainFile& terrainFile() {
    static const TerrainFile file{decode(dataDir() + "/heightmap.png")};
    return file;
}

}  // namespace assets_test
