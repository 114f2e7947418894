// Every setting as a command-line option --KEY of a CLI11 parser, writing
// into a Settings. The file's lines go through the same options, so the
// file and the command line accept the same values.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "settings/settings.h"

void addSettingOptions(CLI::App& app, Settings& s);

// What a good value of key looks like, for messages: "a number from 0.25 to 4".
std::string settingValues(const std::string& key);
