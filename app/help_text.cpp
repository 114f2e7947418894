#include "app/help_text.h"

#include <string>

#include "settings/settings.h"

const std::vector<HelpRow>& optionHelp() {
    static const std::vector<HelpRow> rows = {
        {"--fullscreen", "start full screen without asking"},
        {"--windowed", "start in a window without asking"},
        {"--data DIR", "read the scene's files from DIR"},
        {"--config FILE", "read the settings from FILE instead of velmora.conf"},
        {"--KEY VALUE", "a setting (below), over the file's; also --KEY=VALUE"},
        {"--screenshot FILE", "draw one frame into FILE (PNG) and exit; no question, no intro"},
        {"--viewpoint N", "start at viewpoint N, 1 to 5 as the keys (5: the start view)"},
        {"--time TIME", "start at day, twilight or night"},
        {"--lights DIGITS", "start with the spot lights of these F keys on (13: F1 and F3)"},
        {"--size WxH", "the window's size in pixels, and so the picture's"},
        {"--help", "print the options and keys, and exit"},
        {"--version", "print the version, and exit"},
    };
    return rows;
}

const std::vector<HelpRow>& keyHelp() {
    static const std::vector<HelpRow> rows = {
        {"Up / Down", "walk forwards / backwards"},
        {"W / S", "walk forwards / backwards"},
        {"Shift + W / A / S / D", "run: twice the walking speed"},
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
        {"F12", "save a screenshot in screenshot-dir"},
        {"Esc", "quit"},
    };
    return rows;
}

const std::vector<HelpRow>& settingHelp() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const SettingKey& key : settingKeys())
            n.push_back(std::string(key.key) + " = " + key.defaultValue);
        return n;
    }();
    static const std::vector<HelpRow> rows = [] {
        std::vector<HelpRow> r;
        for (size_t i = 0; i < settingKeys().size(); ++i)
            r.push_back({names[i].c_str(), settingKeys()[i].values});
        return r;
    }();
    return rows;
}
