// velmora_assets: writes the scene's data files (model, heightmap, images).
//   velmora_assets [--fonts DIR] [--verbose] OUTPUT_DIR
#include <chrono>
#include <cstdio>
#include <cstring>

#include "tools/generate.h"

int main(int argc, char** argv) {
    assets::GenerateOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
            options.fontDirectory = argv[++i];
        } else if (std::strcmp(argv[i], "--verbose") == 0) {
            options.verbose = true;
        } else if (argv[i][0] != '-' && options.outputDirectory.empty()) {
            options.outputDirectory = argv[i];
        } else {
            options.outputDirectory.clear();
            break;
        }
    }
    if (options.outputDirectory.empty()) {
        std::fprintf(stderr, "usage: %s [--fonts DIR] [--verbose] OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool ok = assets::generateAll(options);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("velmora_assets: %s %s in %.1f s\n", ok ? "wrote" : "FAILED writing",
                options.outputDirectory.c_str(), ms / 1000.0);
    return ok ? 0 : 1;
}
