// The user's own folders, as the desktop names them: where velmora.conf is
// read from and where pictures go.
#pragma once

#include <string>

// The settings file: $XDG_CONFIG_HOME/velmora/velmora.conf, or
// ~/.config/velmora/velmora.conf; on Windows %APPDATA%\Velmora\velmora.conf.
// "" when there is no home to put it in.
std::string settingsFilePath();
// The same, as --help and the manual say it.
const char* settingsFileDescription();

// The desktop's pictures folder: XDG_PICTURES_DIR of user-dirs.dirs (what
// `xdg-user-dir PICTURES` answers), else ~/Pictures; on Windows the Pictures
// known folder. "" when there is none.
std::string picturesFolder();
