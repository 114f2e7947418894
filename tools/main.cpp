// velmora_assets: writes the scene's data files (model, heightmap, images),
// or with --icons the program's icon at each size, in the hicolor theme's layout.
//   velmora_assets [--fonts DIR] [--verbose] OUTPUT_DIR
//   velmora_assets --icons DIR
//   velmora_assets --windows-icon FILE.ico
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/generate.h"
#include "tools/icon.h"

int main(int argc, char** argv) {
    assets::GenerateOptions options;
    std::string icons;
    std::string windowsIcon;
    bool bad = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
            options.fontDirectory = argv[++i];
        } else if (std::strcmp(argv[i], "--icons") == 0 && i + 1 < argc) {
            icons = argv[++i];
        } else if (std::strcmp(argv[i], "--windows-icon") == 0 && i + 1 < argc) {
            windowsIcon = argv[++i];
        } else if (std::strcmp(argv[i], "--verbose") == 0) {
            options.verbose = true;
        } else if (argv[i][0] != '-' && options.outputDirectory.empty()) {
            options.outputDirectory = argv[i];
        } else {
            bad = true;
        }
    }
    // Exactly one of the three things it writes.
    const int wanted =
        int(!icons.empty()) + int(!windowsIcon.empty()) + int(!options.outputDirectory.empty());
    if (bad || wanted != 1) {
        std::fprintf(stderr,
                     "usage: %s [--fonts DIR] [--verbose] OUTPUT_DIR\n"
                     "       %s --icons DIR\n"
                     "       %s --windows-icon FILE.ico\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool ok = !icons.empty()         ? assets::writeIcons(icons)
                    : !windowsIcon.empty() ? assets::writeWindowsIcon(windowsIcon)
                                           : assets::generateAll(options);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("velmora_assets: %s %s in %.1f s\n", ok ? "wrote" : "FAILED writing",
                icons.empty() ? options.outputDirectory.c_str() : icons.c_str(), ms / 1000.0);
    return ok ? 0 : 1;
}
