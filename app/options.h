// The command line: our own options and settings, and the rest, which goes
// to glutInit.
#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

struct Options {
    using Screen = ScreenChoice;
    Settings settings;  // the file's (given to parseOptions), under the command line's
    bool help = false;
    bool version = false;
    std::string dataDir;                // --data DIR: where the scene's files are
    std::string configFile;             // --config FILE: the settings file to read
    std::string displayName;            // GLUT's -display, for key polling
    std::vector<std::string> glutArgs;  // argv[0] and everything not ours
    std::string error;                  // set for an option we do not know or a bad value

    // The view to start with, also for --screenshot FILE: one frame drawn
    // into FILE, without the question and the intro.
    std::string screenshotFile;
    int viewpoint = 5;         // as the keys number them: 1 to 4, 5 the start view
    std::string time = "day";  // day, twilight or night
    std::string lights;        // digits of the F keys whose spot lights are on
    int width = 0;             // --size WxH in pixels; 0: the usual window rule
    int height = 0;
};

// Parses the command line over the settings in base (the file's).
Options parseOptions(int argc, const char* const* argv, const Settings& base = Settings{});

// Usage, the options, the settings, where the scene is read from and the key
// table, for --help.
std::string usageText(const std::string& programName);

// "velmora 0.1\n", for --version; the number is the project's version in CMake.
std::string versionText(const std::string& programName);
const char* programVersion();
