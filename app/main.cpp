#include <iostream>

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
    startUp(argc, argv, options);
}
