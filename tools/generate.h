// Writes every data file the program reads into one directory, the way the
// program looks them up relative to its working directory.
#pragma once

#include <string>
#include <vector>

namespace assets {

// Sizes in pixels.
constexpr int kGroundSize = 2048;
constexpr int kStoneSize = 512;
constexpr int kMaterialTextureSize = 256;
constexpr int kSkySize = 512;
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
