#include <filesystem>
#include <iostream>
#include <string>

#include "app/data_directory.h"
#include "app/options.h"
#include "app/scene.h"
#include "platform/console.h"
#include "platform/display.h"
#include "platform/executable.h"
#include "platform/user_folders.h"
#include "scene/scene_numbers.h"

namespace {

// Where the program finds its scene: the order is the data directory's; the
// places are this build's (the install layout and the build tree).
DataSearch dataSearch(const Options& options) {
    DataSearch search;
    search.requested = options.dataDir;
    search.workingDirectory = currentDirectory();
    search.executable = runningExecutable();
    search.installedRelative = VELMORA_INSTALLED_DATA;
    search.buildExecutable = resolvedPath(VELMORA_BUILD_EXECUTABLE);
    search.buildDataDirectory = VELMORA_DATA_DIR;
    return search;
}

// The command line over the settings file, which the command line may name.
// The file's problems are told one line each, and the walk goes on.
Options readOptions(int argc, char** argv) {
    const Options commandLine = parseOptions(argc, argv);
    if (!commandLine.error.empty() || commandLine.help || commandLine.version) return commandLine;
    const bool asked = !commandLine.configFile.empty();
    const std::string path = asked ? commandLine.configFile : settingsFilePath();
    Settings fromFile;
    if (!path.empty()) readSettingsFile(path, asked, fromFile, std::cerr);
    return parseOptions(argc, argv, fromFile);
}

}  // namespace

int main(int argc, char** argv) {
    attachConsole();
    const Options options = readOptions(argc, argv);
    if (!options.error.empty()) {
        std::cerr << "velmora: " << options.error << "\n\n" << usageText("velmora");
        return 2;
    }
    if (options.help) {
        std::cout << usageText("velmora");
        return 0;
    }
    if (options.version) {
        std::cout << versionText("velmora");
        return 0;
    }

    // Before the question and the loading: without a display nothing can be
    // shown, and freeglut would end the process with a bare message of its own.
    if (!canOpenDisplay(options.displayName)) {
        const std::string display = displayToOpen(options.displayName);
        std::cerr << "velmora: "
                  << (display.empty() ? std::string("no X display to open (DISPLAY is not set)")
                                      : "cannot open the X display '" + display + "'")
                  << "; run it on a desktop, or under a virtual X server"
                     " (scripts/with-xvfb in the source tree)\n";
        return 1;
    }

    // Every file is read relative to the working directory, so settle it before
    // anything is loaded.
    const DataChoice data = findDataDirectory(dataSearch(options));
    std::error_code changed;
    if (data.source != DataSource::WorkingDirectory && data.source != DataSource::None) {
        std::filesystem::current_path(data.directory, changed);
    }
    if (changed) {
        showNotice("velmora: cannot use the data directory '" + data.directory +
                   "': " + changed.message());
        return 2;
    }
    if (!data.holdsModel) showNotice("velmora: " + missingModelMessage(data));
    terrain.build(scene::kTerrainSize, scene::kTerrainSize);
    startUp(options);
}
