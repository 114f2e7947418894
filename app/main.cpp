#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "app/data_directory.h"
#include "app/options.h"
#include "app/scene.h"

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    if (!options.error.empty()) {
        std::cerr << "velmora: " << options.error << "\n\n" << usageText("velmora");
        return 2;
    }
    if (options.help) {
        std::cout << usageText("velmora");
        return 0;
    }

    // Every file is read relative to the working directory, so settle it before
    // anything is loaded.
    const std::string data = chooseDataDirectory(options.dataDir, VELMORA_DATA_DIR);
    if (!data.empty() && chdir(data.c_str()) != 0) {
        std::cerr << "velmora: cannot use the data directory '" << data
                  << "': " << std::strerror(errno) << "\n";
        return 2;
    }
    terrain.build(100, 100);
    startUp(options);
}
