// The viewpoint and flight keys on other keyboard layouts than US, as a user
// meets them: keys go by what they are labelled, on a French AZERTY keyboard
// whose digit row types & é " ' ( without Shift, and after the layout changes
// while the program runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace {

// The view after the program has come to rest, and after each key in turn.
struct Views {
    Image start;
    std::vector<Image> after;
};

Views viewsAfter(XvfbScreen& screen, const std::vector<std::string>& keys) {
    Views views;
    Program velmora(screen, {"--windowed"});
    EXPECT_TRUE(velmora.waitForWindow());
    EXPECT_TRUE(velmora.goesIdle()) << "busy at rest";
    views.start = velmora.screenshot();
    for (const std::string& key : keys) {
        velmora.press(key);
        EXPECT_TRUE(velmora.goesIdle());
        views.after.push_back(velmora.screenshot());
    }
    return views;
}

// How many of the program's output lines are a bare number: a flight prints
// its remaining distance on every pass.
int numberLines(const std::string& output) {
    std::istringstream lines(output);
    int n = 0;
    for (std::string line; std::getline(lines, line);) {
        char* end = nullptr;
        std::strtod(line.c_str(), &end);
        if (end != line.c_str() && *end == '\0') ++n;
    }
    return n;
}

TEST(FrenchLayout, TheKeyLabelled2GoesToTheTopViewAndTheOneLabelled5Back) {
    Image usTop;
    {
        XvfbScreen us(1024, 768);
        ASSERT_TRUE(us.ok());
        const Views views = viewsAfter(us, {"2"});
        ASSERT_EQ(views.after.size(), 1u);
        usTop = views.after[0];
        ASSERT_GT(differingFraction(views.start, usTop), 0.2) << "2 shows the top view on US";
    }

    XvfbScreen fr(1024, 768);
    ASSERT_TRUE(fr.ok());
    ASSERT_TRUE(setKeyboardLayout(fr, "-layout fr"));
    // eacute and parenleft are what the keys labelled 2 and 5 type without
    // Shift on AZERTY; xdotool presses the key that has them.
    const Views views = viewsAfter(fr, {"eacute", "parenleft"});
    ASSERT_EQ(views.after.size(), 2u);
    EXPECT_LT(differingFraction(views.after[0], usTop), 0.001) << "the top view, as on US";
    EXPECT_LT(differingFraction(views.after[1], views.start), 0.001) << "back at the start view";
}

TEST(LayoutChangedWhileRunning, TheKeyLabelledTOnTheNewLayoutStartsAFlight) {
    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    Program velmora(screen, {"--windowed"});
    ASSERT_TRUE(velmora.waitForWindow());
    ASSERT_TRUE(velmora.goesIdle());
    const Image start = velmora.screenshot();

    // On Dvorak, T sits where US has K: the keycode that was K must now be T.
    ASSERT_TRUE(setKeyboardLayout(screen, "-layout us -variant dvorak"));
    velmora.press("t");
    ASSERT_TRUE(velmora.goesIdle(30.0)) << "the flight did not end";
    EXPECT_GE(numberLines(velmora.output()), 3) << velmora.output();
    EXPECT_GT(differingFraction(start, velmora.screenshot()), 0.2);
}

}  // namespace
