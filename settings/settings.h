// The visitor's settings: how the walk starts and feels, where screenshots go.
// They come from velmora.conf ("key = value" lines, # for comments) and from
// the command line, which wins; every default is the program's behaviour
// without either. Nothing here writes the file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

enum class ScreenChoice { Ask, FullScreen, Windowed };

struct Settings {
    ScreenChoice screen = ScreenChoice::Ask;  // ask the full-screen question, or not
    double walkSpeed = 1.0;                   // factor on walking and stepping
    double turnSpeed = 1.0;                   // factor on turning with the keys
    double mouseSensitivity = 0.2;            // degrees per pixel of drag
    bool invertMouse = false;                 // true: dragging up looks down
    double fieldOfView = 60.0;                // vertical, in degrees
    bool intro = true;                        // the intro image at start
    std::string screenshotDir;                // "" is the pictures folder's Velmora
};

// One key of the file (and its command-line option --KEY), for --help, the
// manual and README.
struct SettingKey {
    const char* key;           // "walk-speed"
    const char* defaultValue;  // "1"
    const char* values;        // "a factor on walking and stepping, 0.25 to 4"
};
const std::vector<SettingKey>& settingKeys();

// Reads the lines of a settings file into s. A line with an unknown key or a
// bad value is told on `report` in one line, naming fileName and the line's
// number, and changes nothing.
void readSettings(std::istream& in, const std::string& fileName, Settings& s, std::ostream& report);

// readSettings on a file; a file that cannot be read is one line on report
// unless it is missing and was not asked for (the usual case: no file).
void readSettingsFile(const std::string& path, bool asked, Settings& s, std::ostream& report);
