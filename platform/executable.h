// The running program's own file, from which its installed scene is found.
#pragma once

#include <string>

// Its absolute path with forward slashes and symlinks resolved; "" when the
// system does not say.
std::string runningExecutable();
