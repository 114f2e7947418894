// The command line: our own options, and the rest, which goes to glutInit.
#pragma once

#include <string>
#include <vector>

struct Options {
    enum class Screen { Ask, FullScreen, Windowed };
    Screen screen = Screen::Ask;
    bool help = false;
    bool version = false;
    std::string dataDir;                // --data DIR: where the scene's files are
    std::string displayName;            // GLUT's -display, for key polling
    std::vector<std::string> glutArgs;  // argv[0] and everything not ours
    std::string error;                  // set for an option we do not know or a missing value
};

Options parseOptions(int argc, const char* const* argv);

// Usage, the options, where the scene is read from and the key table, for --help.
std::string usageText(const std::string& programName);

// "velmora 0.1\n", for --version; the number is the project's version in CMake.
std::string versionText(const std::string& programName);
const char* programVersion();
