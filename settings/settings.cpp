#include "settings/settings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <new>
#include <sstream>
#include <system_error>

#include "settings/setting_options.h"

const std::vector<SettingKey>& settingKeys() {
    static const std::vector<SettingKey> keys = {
        {"screen", "ask", "ask, window or fullscreen: the question at start, or not"},
        {"walk-speed", "1", "a factor on walking and stepping, 0.25 to 4"},
        {"turn-speed", "1", "a factor on turning with the keys, 0.25 to 4"},
        {"mouse-sensitivity", "0.2", "degrees per pixel of drag, 0.02 to 2"},
        {"invert-mouse", "false", "true: dragging up looks down"},
        {"field-of-view", "60", "vertical degrees, 20 to 120"},
        {"intro", "true", "false: no intro image at start"},
        {"screenshot-dir", "PICTURES/Velmora", "the folder F12 saves in (PICTURES: the desktop's)"},
    };
    return keys;
}

namespace {

struct Range {
    double low;
    double high;
};

// The number ranges, by key; the other keys have words for values.
const std::map<std::string, Range>& numberRanges() {
    static const std::map<std::string, Range> ranges = {{"walk-speed", {0.25, 4.0}},
                                                        {"turn-speed", {0.25, 4.0}},
                                                        {"mouse-sensitivity", {0.02, 2.0}},
                                                        {"field-of-view", {20.0, 120.0}}};
    return ranges;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string shortest(double v) {
    std::ostringstream out;
    out << v;
    return out.str();
}

// A CLI11 check whose failure says what a good value of key looks like.
CLI::Validator valuesOf(const std::string& key, std::function<bool(const std::string&)> good) {
    return CLI::Validator(
        [key, good](std::string& value) {
            return good(value) ? std::string() : "'" + value + "' is not " + settingValues(key);
        },
        settingValues(key));
}

CLI::Validator numberIn(const std::string& key) {
    const Range r = numberRanges().at(key);
    return valuesOf(key, [r](const std::string& value) {
        double v = 0.0;  // NaN would slip through a comparison of the bounds
        return CLI::detail::lexical_cast(value, v) && std::isfinite(v) && v >= r.low && v <= r.high;
    });
}

CLI::Validator truthValue(const std::string& key) {
    return valuesOf(key, [](const std::string& value) {
        static const std::vector<std::string> words = {"true", "false", "yes", "no",
                                                       "on",   "off",   "1",   "0"};
        return std::find(words.begin(), words.end(), lower(value)) != words.end();
    });
}

const SettingKey* findKey(const std::string& key) {
    for (const SettingKey& k : settingKeys())
        if (key == k.key) return &k;
    return nullptr;
}

}  // namespace

std::string settingValues(const std::string& key) {
    const auto range = numberRanges().find(key);
    if (range != numberRanges().end())
        return "a number from " + shortest(range->second.low) + " to " +
               shortest(range->second.high);
    if (key == "screen") return "ask, window or fullscreen";
    if (key == "screenshot-dir") return "a folder";
    return "true or false";
}

void addSettingOptions(CLI::App& app, Settings& s) {
    app.add_option_function<std::string>("--screen",
                                         [&s](const std::string& v) {
                                             s.screen = v == "window" ? ScreenChoice::Windowed
                                                        : v == "fullscreen"
                                                            ? ScreenChoice::FullScreen
                                                            : ScreenChoice::Ask;
                                         })
        ->check(valuesOf("screen", [](const std::string& v) {
            return v == "ask" || v == "window" || v == "fullscreen";
        }));
    app.add_option("--walk-speed", s.walkSpeed)->check(numberIn("walk-speed"));
    app.add_option("--turn-speed", s.turnSpeed)->check(numberIn("turn-speed"));
    app.add_option("--mouse-sensitivity", s.mouseSensitivity)->check(numberIn("mouse-sensitivity"));
    app.add_option("--invert-mouse", s.invertMouse)->check(truthValue("invert-mouse"));
    app.add_option("--field-of-view", s.fieldOfView)->check(numberIn("field-of-view"));
    app.add_option("--intro", s.intro)->check(truthValue("intro"));
    app.add_option("--screenshot-dir", s.screenshotDir);
}

namespace {

// Applies one line's key and value through the options; false after telling
// what is wrong with it, after `where` ("file:line: ").
bool applyLine(CLI::App& app, const std::string& name, const std::vector<std::string>& inputs,
               const std::string& where, std::ostream& report) {
    const SettingKey* key = findKey(name);
    if (!key) {
        report << where << name << ": unknown key; the line is ignored\n";
        return false;
    }
    std::string value;
    for (const std::string& input : inputs)
        value += (value.empty() ? "" : " ") + input;  // a folder with spaces, unquoted
    try {
        app.clear();
        app.parse(std::vector<std::string>{"--" + name + "=" + value});
    } catch (const CLI::ParseError&) {
        report << where << name << ": '" << value << "' is not " << settingValues(name)
               << "; the default " << key->defaultValue << " is kept\n";
        return false;
    }
    return true;
}

}  // namespace

void readSettings(std::istream& in, const std::string& fileName, Settings& s,
                  std::ostream& report) {
    CLI::App app;
    app.set_help_flag();  // "help" is no key of the file
    addSettingOptions(app, s);
    const CLI::ConfigBase format;  // key = value, # comments, "quotes" optional
    int number = 0;
    // Line by line, so that each problem names its line and the rest still count.
    for (std::string line; std::getline(in, line);) {
        ++number;
        std::istringstream one(line);
        std::vector<CLI::ConfigItem> items;
        try {
            items = format.from_config(one);
        } catch (const CLI::Error&) {
            report << fileName << ":" << number << ": not a line of key = value; ignored\n";
            continue;
        }
        for (const CLI::ConfigItem& item : items) {
            if (item.name == "++" || item.name == "--") continue;  // a [section]'s ends
            std::string name;
            for (const std::string& parent : item.parents) name += parent + ".";
            name += item.name;
            if (!applyLine(app, name, item.inputs, fileName + ":" + std::to_string(number) + ": ",
                           report))
                break;  // one line a line
        }
    }
}

void readSettingsFile(const std::string& path, bool asked, Settings& s, std::ostream& report) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    // Asked before opening: opening a pipe would wait for a writer.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        report << path << ": not a regular file; the defaults are kept\n";
        return;
    }
    std::ifstream in(path);
    if (!in) {
        // No settings file is the usual case; one that is there and cannot be
        // read, or one named on the command line, is worth a line.
        if (asked || std::filesystem::exists(path, ec))
            report << path << ": cannot read the settings file; the defaults are kept\n";
        return;
    }
    try {
        readSettings(in, path, s, report);
    } catch (const std::bad_alloc&) {  // a line longer than memory holds
        report << path << ": too large to read; the rest is left at the defaults\n";
    }
}
