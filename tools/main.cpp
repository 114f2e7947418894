// velmora_assets: writes the scene's data files (model, heightmap, images),
// or with --icon the program's icon.
//   velmora_assets [--fonts DIR] [--verbose] OUTPUT_DIR
//   velmora_assets --icon FILE.png
//   velmora_assets --windows-icon FILE.ico
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/generate.h"
#include "tools/icon.h"

int main(int argc, char** argv) {
    assets::GenerateOptions options;
    std::string icon;
    bool windowsIcon = false;
    bool bad = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
            options.fontDirectory = argv[++i];
        } else if (std::strcmp(argv[i], "--icon") == 0 && i + 1 < argc) {
            icon = argv[++i];
        } else if (std::strcmp(argv[i], "--windows-icon") == 0 && i + 1 < argc) {
            icon = argv[++i];
            windowsIcon = true;
        } else if (std::strcmp(argv[i], "--verbose") == 0) {
            options.verbose = true;
        } else if (argv[i][0] != '-' && options.outputDirectory.empty()) {
            options.outputDirectory = argv[i];
        } else {
            bad = true;
        }
    }
    if (bad || icon.empty() == options.outputDirectory.empty()) {
        std::fprintf(stderr,
                     "usage: %s [--fonts DIR] [--verbose] OUTPUT_DIR\n"
                     "       %s --icon FILE.png\n"
                     "       %s --windows-icon FILE.ico\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool ok = !icon.empty()
                        ? (windowsIcon ? assets::writeWindowsIcon(icon) : assets::writeIcon(icon))
                        : assets::generateAll(options);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("velmora_assets: %s %s in %.1f s\n", ok ? "wrote" : "FAILED writing",
                icon.empty() ? options.outputDirectory.c_str() : icon.c_str(), ms / 1000.0);
    return ok ? 0 : 1;
}
