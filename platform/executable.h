// The running program's own file, from which its installed scene is found.
#pragma once

#include <string>

// Its absolute path with forward slashes and symlinks resolved; "" when the
// system does not say.
std::string runningExecutable();

// The installed scene's place in words, for --help and the manual: `relative`
// is its directory relative to the program's own, as this build installs it.
std::string installedDataPlace(const std::string& relative);
