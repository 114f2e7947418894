// Writes every data file the program reads into one directory, the way the
// program looks them up relative to its working directory.
#pragma once

#include <string>
#include <vector>

namespace assets {

// Sizes in pixels. The program compresses every texture to DXT, which the
// software rasteriser samples slowly, the more so the larger the image: these
// keep a full-screen frame of the scene close to one textured quad's cost and
// start-up short. The ground gives about 10 cm a texel; the sky is soft and
// bears magnifying; stone.png maps whole onto every stone face.
constexpr int kGroundSize = 1024;
constexpr int kStoneSize = 256;
constexpr int kMaterialTextureSize = 128;  // loaded with the materials, never drawn
constexpr int kSkySize = 256;
constexpr int kSkyJpegQuality = 90;

// The files written, relative to the output directory.
std::vector<std::string> generatedFiles();

struct GenerateOptions {
    std::string outputDirectory;
    std::string fontDirectory = "/usr/share/fonts/truetype/dejavu";
    bool verbose = false;  // one line per file with its time
};

// Writes everything; false if anything could not be written or a font was
// missing (the rest is still written).
bool generateAll(const GenerateOptions& options);

}  // namespace assets
