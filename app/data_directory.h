// Where the scene's files are read from. The program reads them relative to
// its working directory; this finds the directory to change to first, in a
// fixed order, and says where it looked when none holds the model. The search
// itself sees no process state: the caller passes the working directory and
// the running executable, so tests use fake paths and temporary directories.
#pragma once

#include <string>
#include <vector>

// The model file whose presence marks a directory as holding the scene.
inline constexpr const char* kModelFileName = "sthenge3.obj";

struct DataSearch {
    std::string requested;         // --data DIR; "" when not given
    std::string workingDirectory;  // absolute
    std::string executable;        // the running program, symlinks resolved; "" if unknown
    // The installed scene relative to the executable's directory ("../share/velmora",
    // "../share/games/velmora" in the Debian package).
    std::string installedRelative;
    // The build tree's own program and the scene the build generated beside it.
    // Consulted only when `executable` is that very program, so an installed
    // copy never depends on a build path.
    std::string buildExecutable;
    std::string buildDataDirectory;
};

enum class DataSource { Requested, WorkingDirectory, Installed, BuildTree, None };

struct DataChoice {
    DataSource source = DataSource::None;
    // Where to read from: the requested or found directory; for None the
    // working directory, where the program stays.
    std::string directory;
    bool holdsModel = false;  // false for None, and for a requested directory without the model
    // Each place looked in, in order: "DIR (what)", or "DIR (what; its
    // sthenge3.obj is not a regular file)" for a pipe, a directory, a device.
    std::vector<std::string> looked;
};

// --data DIR, taken as given; else the first of the working directory, the
// installed directory (<exe dir>/<installedRelative>) and the build tree's data
// directory (build tree's program only) that holds the model; else None.
DataChoice findDataDirectory(const DataSearch& search);

// One line for standard error when the choice lacks the model, naming every
// place looked in; "" when it holds it.
std::string missingModelMessage(const DataChoice& choice);

// <directory of executable>/<relative>, with "." and ".." resolved by name
// (the executable's path is already free of symlinks). "" without an executable.
std::string installedDataDirectory(const std::string& executable, const std::string& relative);

// The search order in words, one line a place, for --help, the manual and README.
const std::vector<std::string>& dataSearchHelp();

// The process's side (the running executable is platform/executable.h's):
// the working directory, and a path with its symlinks resolved, both with
// forward slashes; "" when unknown.
std::string currentDirectory();
std::string resolvedPath(const std::string& path);
