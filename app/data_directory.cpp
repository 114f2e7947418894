#include "app/data_directory.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/executable.h"

namespace {

// Whether directory holds the model as a file that can be read. Only a
// regular file counts, asked before opening it: opening a pipe would make the
// start wait for a writer. Any other kind is named in note.
bool holdsModel(const std::string& directory, std::string& note) {
    namespace fs = std::filesystem;
    const std::string path = directory + "/" + kModelFileName;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) return false;
    if (!fs::is_regular_file(status)) {
        note = std::string("; its ") + kModelFileName + " is not a regular file";
        return false;
    }
    return std::ifstream(path).is_open();
}

// Resolves "." and ".." by name and drops repeated slashes.
std::string normalised(const std::string& path) {
    std::vector<std::string> parts;
    std::istringstream in(path);
    for (std::string part; std::getline(in, part, '/');) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (path[0] != '/') {
                parts.push_back(part);  // above a relative start: keep it
            }
            continue;
        }
        parts.push_back(part);
    }
    std::string out = path[0] == '/' ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? "/" : "") + parts[i];
    return out.empty() ? "." : out;
}

}  // namespace

std::string installedDataDirectory(const std::string& executable, const std::string& relative) {
    const size_t slash = executable.rfind('/');
    if (executable.empty() || slash == std::string::npos || relative.empty()) return "";
    return normalised(executable.substr(0, slash + 1) + relative);
}

DataChoice findDataDirectory(const DataSearch& search) {
    DataChoice choice;
    std::vector<std::string> seen;  // a directory met twice is looked in once
    auto look = [&](const std::string& directory, const char* what, DataSource source) {
        for (const std::string& s : seen)
            if (s == directory) return false;
        seen.push_back(directory);
        std::string note;
        const bool holds = holdsModel(directory, note);
        choice.looked.push_back(directory + " (" + what + note + ")");
        if (!holds) return false;
        choice.source = source;
        choice.directory = directory;
        choice.holdsModel = true;
        return true;
    };

    if (!search.requested.empty()) {
        if (!look(search.requested, "--data", DataSource::Requested)) {
            choice.source = DataSource::Requested;
            choice.directory = search.requested;
        }
        return choice;
    }
    const std::string working = search.workingDirectory.empty() ? "." : search.workingDirectory;
    if (look(working, "working directory", DataSource::WorkingDirectory)) return choice;
    const std::string installed =
        installedDataDirectory(search.executable, search.installedRelative);
    if (!installed.empty() && look(installed, "installed", DataSource::Installed)) return choice;
    const bool isBuildTreeProgram =
        !search.executable.empty() && search.executable == search.buildExecutable;
    if (isBuildTreeProgram && !search.buildDataDirectory.empty() &&
        look(search.buildDataDirectory, "build tree", DataSource::BuildTree))
        return choice;
    choice.source = DataSource::None;
    choice.directory = working;
    return choice;
}

std::string missingModelMessage(const DataChoice& choice) {
    if (choice.holdsModel) return "";
    std::string places;
    for (size_t i = 0; i < choice.looked.size(); ++i) {
        if (i > 0) places += i + 1 == choice.looked.size() ? " or " : ", ";
        places += choice.looked[i];
    }
    return std::string("found no ") + kModelFileName + " in " + places +
           "; going on without the model (--data DIR names the scene's directory)";
}

const std::vector<std::string>& dataSearchHelp() {
    static const std::vector<std::string> lines = {
        "--data DIR, when given",
        std::string("the working directory, when it holds ") + kModelFileName,
        installedDataPlace(VELMORA_INSTALLED_DATA),
        "build/data of the build tree, for the program built there",
    };
    return lines;
}

std::string currentDirectory() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    return error ? std::string() : path.generic_string();
}

std::string resolvedPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved =
        path.empty() ? std::filesystem::path() : std::filesystem::canonical(path, error);
    return error ? std::string() : resolved.generic_string();
}
