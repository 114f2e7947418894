// A private temporary directory for reader tests: files are written from text
// in the test and removed with the directory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/test_files.h"

class TempDir {
  public:
    TempDir() { path_ = test_files::makeTemporaryDirectory("velmora_model_") + "/"; }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory, ending in "/".
    const std::string& path() const { return path_; }

    // Writes text (bytes as given, no newline added) and returns the full path.
    std::string write(const std::string& name, const std::string& text) const {
        const std::string full = path_ + name;
        std::filesystem::create_directories(std::filesystem::path(full).parent_path());
        std::ofstream out(full, std::ios::binary);
        out << text;
        return full;
    }

  private:
    std::string path_;
};
