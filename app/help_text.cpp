#include "app/help_text.h"

const std::vector<HelpRow>& optionHelp() {
    static const std::vector<HelpRow> rows = {
        {"--fullscreen", "start full screen without asking"},
        {"--windowed", "start in a window without asking"},
        {"--data DIR", "read the scene's files from DIR"},
        {"--help", "print the options and keys, and exit"},
        {"--version", "print the version, and exit"},
    };
    return rows;
}

const std::vector<HelpRow>& keyHelp() {
    static const std::vector<HelpRow> rows = {
        {"Up / Down", "walk forwards / backwards"},
        {"W / S", "walk forwards / backwards"},
        {"Left / Right", "turn left / right"},
        {"Shift + Left / Right", "step sideways"},
        {"A / D", "step left / right"},
        {"Shift + Up / Down", "look up / down"},
        {"Left-button drag", "look around (0.2 degrees per pixel)"},
        {"Ctrl + Up / Down", "rise / sink"},
        {"1 2 3 4 5", "jump to a viewpoint (5: the start view)"},
        {"T", "fly to a random viewpoint"},
        {"Tab", "day, twilight, night"},
        {"F1 F2 F3 F4", "yellow, cyan, red, pale blue spot light"},
        {"P / Shift + P", "model normals: file, per face, per vertex"},
        {"F5 or F11", "full screen on / off"},
        {"H", "help screen on / off"},
        {"Esc", "quit"},
    };
    return rows;
}
