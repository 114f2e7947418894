// Reading velmora.conf and the command line over it: every key with good and
// bad values, comments, and the command line winning.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/options.h"

namespace {

// The settings in one line, so a table row can say what it expects.
std::string shown(const Settings& s) {
    std::ostringstream out;
    const char* screens[] = {"ask", "fullscreen", "window"};
    out << screens[static_cast<int>(s.screen)] << " walk " << s.walkSpeed << " turn " << s.turnSpeed
        << " mouse " << s.mouseSensitivity << (s.invertMouse ? " inverted" : "") << " fov "
        << s.fieldOfView << (s.intro ? "" : " no-intro") << " dir '" << s.screenshotDir << "'";
    return out.str();
}

struct Case {
    const char* name;
    const char* file;
    std::vector<const char*> commandLine;
    const char* expected;  // shown() of the result
    const char* report;    // what the file's problems print
};

const Case kCases[] = {
    {"no file, no options", "", {}, "ask walk 1 turn 1 mouse 0.2 fov 60 dir ''", ""},
    {"every key",
     R"(# every key, with comments and blank lines

screen = window
walk-speed = 1.5
turn-speed=0.5
  mouse-sensitivity = 0.1   # a comment after the value
invert-mouse = true
field-of-view = 75
intro = no
screenshot-dir = /tmp/My Pictures
)",
     {},
     "window walk 1.5 turn 0.5 mouse 0.1 inverted fov 75 no-intro dir '/tmp/My Pictures'",
     ""},
    {"the range's ends",
     "walk-speed = 0.25\nturn-speed = 4\nmouse-sensitivity = 2\n"
     "field-of-view = 20\nscreen = \"fullscreen\"\n",
     {},
     "fullscreen walk 0.25 turn 4 mouse 2 fov 20 dir ''",
     ""},
    {"bad lines keep the defaults",
     R"(screen = maybe
walk-speed = 9
turn-speed = fast
mouse-sensitivity = nan
invert-mouse = 2
field-of-view = 10
intro = perhaps
colour = red
walk-speed = 2
view.colour = red
)",
     {},
     "ask walk 2 turn 1 mouse 0.2 fov 60 dir ''",
     "v.conf:1: screen: 'maybe' is not ask, window or fullscreen; the default ask is kept\n"
     "v.conf:2: walk-speed: '9' is not a number from 0.25 to 4; the default 1 is kept\n"
     "v.conf:3: turn-speed: 'fast' is not a number from 0.25 to 4; the default 1 is kept\n"
     "v.conf:4: mouse-sensitivity: 'nan' is not a number from 0.02 to 2; the default 0.2 is "
     "kept\n"
     "v.conf:5: invert-mouse: '2' is not true or false; the default false is kept\n"
     "v.conf:6: field-of-view: '10' is not a number from 20 to 120; the default 60 is kept\n"
     "v.conf:7: intro: 'perhaps' is not true or false; the default true is kept\n"
     "v.conf:8: colour: unknown key; the line is ignored\n"
     "v.conf:10: view.colour: unknown key; the line is ignored\n"},
    {"the command line wins",
     "walk-speed = 2\nscreen = fullscreen\nintro = false\n",
     {"--walk-speed", "3", "--windowed", "--invert-mouse=true", "--field-of-view=90",
      "--screenshot-dir", "shots"},
     "window walk 3 turn 1 mouse 0.2 inverted fov 90 no-intro dir 'shots'",
     ""},
    {"--screen over the file",
     "screen = window\n",
     {"--screen", "ask", "--turn-speed=0.25"},
     "ask walk 1 turn 0.25 mouse 0.2 fov 60 dir ''",
     ""},
};

TEST(Settings, FileThenCommandLine) {
    for (const Case& c : kCases) {
        std::istringstream file(c.file);
        std::ostringstream report;
        Settings fromFile;
        readSettings(file, "v.conf", fromFile, report);
        std::vector<const char*> args = c.commandLine;
        args.insert(args.begin(), "velmora");
        const Options o = parseOptions(static_cast<int>(args.size()), args.data(), fromFile);
        EXPECT_EQ(o.error, "") << c.name;
        EXPECT_EQ(shown(o.settings), c.expected) << c.name;
        EXPECT_EQ(report.str(), c.report) << c.name;
    }
}

// The installed example names every key, commented out, and as it stands
// changes nothing.
TEST(Settings, TheExampleFileHasEveryKeyCommentedOut) {
    std::ifstream in(std::string(VELMORA_TEST_DATA) + "/../../packaging/velmora.conf");
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_FALSE(text.str().empty());
    for (const SettingKey& key : settingKeys())
        EXPECT_NE(text.str().find(std::string("\n# ") + key.key + " = "), std::string::npos)
            << key.key;
    std::ostringstream report;
    Settings s;
    readSettings(text, "velmora.conf", s, report);
    EXPECT_EQ(report.str(), "");
    EXPECT_EQ(shown(s), shown(Settings{}));
}

TEST(Settings, ABadValueOnTheCommandLineIsAnErrorNamingTheOption) {
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
        {{"--walk-speed", "5"}, "--walk-speed: '5' is not a number from 0.25 to 4"},
        {{"--invert-mouse=sometimes"}, "--invert-mouse: 'sometimes' is not true or false"},
        {{"--time", "noon"}, "--time: 'noon' is not day, twilight or night"},
        {{"--viewpoint", "6"}, "--viewpoint: '6' is not a viewpoint from 1 to 5"},
        {{"--lights", "15"}, "--lights: '15' is not digits from 1 to 4"},
        {{"--size", "640"}, "--size: '640' is not a size WxH"},
        {{"--field-of-view"}, "--field-of-view needs a value"},
        {{"--screenshot"}, "--screenshot needs a file"},
    };
    for (const auto& [options, error] : cases) {
        std::vector<const char*> args = options;
        args.insert(args.begin(), "velmora");
        const Options o = parseOptions(static_cast<int>(args.size()), args.data());
        EXPECT_NE(o.error.find(error), std::string::npos) << o.error;
    }
    const char* view[] = {"velmora", "--screenshot", "a.png", "--viewpoint", "2",      "--time",
                          "night",   "--lights",     "13",    "--size",      "640x360"};
    const Options o = parseOptions(11, view);
    EXPECT_EQ(o.screenshotFile + " " + std::to_string(o.viewpoint) + " " + o.time + " " + o.lights +
                  " " + std::to_string(o.width) + "x" + std::to_string(o.height),
              "a.png 2 night 13 640x360");
}

}  // namespace
