// Reading velmora.conf and the command line over it: every key with good and
// bad values, comments, and the command line winning.
#include "settings/settings.h"

#include <gtest/gtest.h>

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

}  // namespace
