// Where the scene's files are read from. The program reads them relative to
// its working directory; this picks the directory to change to first.
#pragma once

#include <string>

// The model file whose presence marks a directory as holding the scene.
inline constexpr const char* kModelFileName = "sthenge3.obj";

// requested (--data) wins; else the working directory if it holds the model;
// else the bundled scene's directory if it holds it; else "" (stay where we are).
std::string chooseDataDirectory(const std::string& requested, const std::string& bundled);
