#include "app/options.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "app/data_directory.h"
#include "app/help_text.h"
#include "platform/user_folders.h"
#include "settings/setting_options.h"

namespace {

// What each of our options that takes a value needs, for the one line that
// says it is missing.
const std::vector<std::pair<std::string, std::string>>& valueNames() {
    static const std::vector<std::pair<std::string, std::string>> names = {
        {"--data", "a directory"},  {"--config", "a file"},
        {"--screenshot", "a file"}, {"--viewpoint", "a number"},
        {"--time", "a time"},       {"--lights", "digits"},
        {"--size", "WxH"}};
    return names;
}

std::string missingValue(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        const bool last = i + 1 == args.size() || args[i + 1].rfind("--", 0) == 0;
        if (!last) continue;
        for (const auto& [option, what] : valueNames())
            if (args[i] == option) return option + " needs " + what;
        for (const SettingKey& key : settingKeys())
            if (args[i] == std::string("--") + key.key) return args[i] + " needs a value";
    }
    return "";
}

CLI::Validator checked(const std::string& what, std::function<bool(const std::string&)> good) {
    return CLI::Validator(
        [what, good](std::string& v) { return good(v) ? "" : "'" + v + "' is not " + what; }, what);
}

bool parseSize(const std::string& v, int& width, int& height) {
    const size_t x = v.find('x');
    if (x == std::string::npos || x == 0 || x + 1 == v.size() || x > 5 || v.size() - x > 6 ||
        v.find_first_not_of("0123456789x") != std::string::npos ||
        v.find('x', x + 1) != std::string::npos)
        return false;
    width = std::stoi(v.substr(0, x));
    height = std::stoi(v.substr(x + 1));
    return width >= 16 && height >= 16 && width <= 16384 && height <= 16384;
}

}  // namespace

Options parseOptions(int argc, const char* const* argv, const Settings& base) {
    Options o;
    o.settings = base;
    if (argc > 0) o.glutArgs.push_back(argv[0]);
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);

    CLI::App app;
    app.set_help_flag();
    app.allow_extras();  // GLUT's own options (-display, -geometry, ...) pass through
    addSettingOptions(app, o.settings);
    bool fullScreen = false;
    bool windowed = false;
    std::string size;
    app.add_flag("--fullscreen", fullScreen);
    app.add_flag("--windowed", windowed);
    app.add_flag("--help,-h", o.help);
    app.add_flag("--version", o.version);
    app.add_option("--data", o.dataDir);
    app.add_option("--config", o.configFile);
    app.add_option("--screenshot", o.screenshotFile);
    app.add_option("--viewpoint", o.viewpoint)
        ->check(checked("a viewpoint from 1 to 5", [](const std::string& v) {
            return v.size() == 1 && v[0] >= '1' && v[0] <= '5';
        }));
    app.add_option("--time", o.time)
        ->check(checked("day, twilight or night", [](const std::string& v) {
            return v == "day" || v == "twilight" || v == "night";
        }));
    app.add_option("--lights", o.lights)
        ->check(checked("digits from 1 to 4", [](const std::string& v) {
            return v.find_first_not_of("1234") == std::string::npos;
        }));
    app.add_option("--size", size)
        ->check(checked("a size WxH (16 to 16384 pixels)", [](const std::string& v) {
            int w = 0, h = 0;
            return parseSize(v, w, h);
        }));

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them so
        app.parse(reversed);
    } catch (const CLI::ArgumentMismatch& e) {
        o.error = missingValue(args);
        if (o.error.empty()) o.error = e.what();
        return o;
    } catch (const CLI::ParseError& e) {
        o.error = e.what();
        return o;
    }
    if (fullScreen) o.settings.screen = ScreenChoice::FullScreen;
    if (windowed) o.settings.screen = ScreenChoice::Windowed;
    if (!size.empty()) parseSize(size, o.width, o.height);

    const std::vector<std::string> rest = app.remaining();
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i].rfind("--", 0) == 0) {
            o.error = "unknown option " + rest[i].substr(0, rest[i].find('='));
            return o;
        }
        if (rest[i] == "-display" && i + 1 < rest.size()) o.displayName = rest[i + 1];
        o.glutArgs.push_back(rest[i]);
    }
    return o;
}

namespace {

void appendRows(std::string& text, const std::vector<HelpRow>& rows, size_t column) {
    for (const HelpRow& row : rows) {
        std::string what = row.what;
        what.resize(std::max(what.size() + 1, column), ' ');
        text += "  " + what + row.meaning + "\n";
    }
}

}  // namespace

std::string usageText(const std::string& programName) {
    std::string text = "Usage: " + programName +
                       " [--fullscreen | --windowed] [--data DIR] [--config FILE] [--KEY VALUE]\n"
                       "               [--screenshot FILE [--viewpoint N] [--time TIME]"
                       " [--lights DIGITS] [--size WxH]] [GLUT options]\n"
                       "\n"
                       "A first-person walk through a prehistoric stone circle.\n"
                       "\n";
    appendRows(text, optionHelp(), 19);
    text += "\nSettings, KEY = default, read from the lines of\n  " +
            std::string(settingsFileDescription()) +
            "\nor of --config FILE (# starts a comment); each is also an option --KEY VALUE:\n";
    appendRows(text, settingHelp(), 35);
    text += "\nThe scene (" + std::string(kModelFileName) +
            " and its images) is read from the first of:\n";
    int place = 0;
    for (const std::string& line : dataSearchHelp())
        text += "  " + std::to_string(++place) + ". " + line + "\n";
    text += "\nKeys:\n";
    appendRows(text, keyHelp(), 23);
    return text;
}

const char* programVersion() {
    return VELMORA_VERSION;
}

std::string versionText(const std::string& programName) {
    return programName + " " + programVersion() + "\n";
}
