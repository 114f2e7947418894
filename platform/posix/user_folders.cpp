#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string homeFolder() {
    std::string home = environment("HOME");
    if (home.empty()) {
        if (const passwd* user = getpwuid(getuid())) home = user->pw_dir ? user->pw_dir : "";
    }
    return home;
}

// $XDG_CONFIG_HOME when set to an absolute path, else ~/.config.
std::string configFolder() {
    const std::string config = environment("XDG_CONFIG_HOME");
    if (!config.empty() && config[0] == '/') return config;
    const std::string home = homeFolder();
    return home.empty() ? "" : home + "/.config";
}

}  // namespace

std::string settingsFilePath() {
    const std::string config = configFolder();
    return config.empty() ? "" : config + "/velmora/velmora.conf";
}

const char* settingsFileDescription() {
    return "$XDG_CONFIG_HOME/velmora/velmora.conf (~/.config/velmora/velmora.conf when unset)";
}

std::string picturesFolder() {
    const std::string home = homeFolder();
    // user-dirs.dirs holds shell assignments: XDG_PICTURES_DIR="$HOME/Pictures",
    // the path either absolute or relative to $HOME.
    std::ifstream dirs(configFolder() + "/user-dirs.dirs");
    const std::string key = "XDG_PICTURES_DIR=\"";
    for (std::string line; std::getline(dirs, line);) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') continue;
        std::string path = line.substr(key.size(), line.size() - key.size() - 1);
        if (path.rfind("$HOME", 0) == 0) {
            path = home + path.substr(5);
        } else if (path.empty() || path[0] != '/') {
            continue;
        }
        // "$HOME/" alone means the desktop has no pictures folder of its own.
        if (path != home && path != home + "/") return path;
    }
    return home.empty() ? "" : home + "/Pictures";
}
