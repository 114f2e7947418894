// What the user reads about the program: its options and its keys. One table
// each, so that --help, the manual page and the README say the same.
#pragma once

#include <string>
#include <vector>

struct HelpRow {
    const char* what;     // an option ("--data DIR") or keys ("Shift + Up / Down")
    const char* meaning;  // what it does, one short line
};

// The command-line options, in the order --help lists them.
const std::vector<HelpRow>& optionHelp();

// The keys, in the order --help lists them.
const std::vector<HelpRow>& keyHelp();

// The settings of velmora.conf as "key = default", with their values.
const std::vector<HelpRow>& settingHelp();
