// The window as a user meets it: title, the 16:9 fit on several screens, full
// screen and back, walking with the arrow keys, and an idle process at rest.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

struct ScreenCase {
    int sw, sh;
    Geometry expected;
};

TEST(Window, IsTitledVelmoraAndFittedToEveryScreen) {
    const ScreenCase cases[] = {
        {1920, 1080, {0, 0, 1920, 1080}},  {1024, 768, {0, 96, 1024, 576}},
        {1920, 1200, {0, 60, 1920, 1080}}, {2560, 1080, {0, 0, 1920, 1080}},
        {1366, 768, {0, 0, 1365, 768}},
    };
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.sw) + "x" + std::to_string(c.sh));
        XvfbScreen screen(c.sw, c.sh);
        ASSERT_TRUE(screen.ok());
        Program velmora(screen, {"--windowed"});
        ASSERT_TRUE(velmora.waitForWindow()) << velmora.errorOutput();
        EXPECT_EQ(velmora.title(), "Velmora");
        const Geometry g = velmora.geometry();
        EXPECT_EQ(g.x, c.expected.x);
        EXPECT_EQ(g.y, c.expected.y);
        EXPECT_EQ(g.width, c.expected.width);
        EXPECT_EQ(g.height, c.expected.height);
    }
}

TEST(Window, HoldingUpWalksAndReleaseLetsTheProcessGoIdle) {
    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    Program velmora(screen, {"--windowed"});
    ASSERT_TRUE(velmora.waitForWindow());
    ASSERT_TRUE(velmora.goesIdle(15.0)) << "busy at rest before any key";
    const Image before = velmora.screenshot();

    velmora.press("Up", 1.0);
    ASSERT_TRUE(velmora.goesIdle(10.0)) << "still busy after the key was released";
    const Image after = velmora.screenshot();
    EXPECT_GT(differingFraction(before, after), 0.05);

    // At rest nothing is drawn again: the view stays as it is.
    sleepSeconds(0.5);
    EXPECT_EQ(differingFraction(after, velmora.screenshot()), 0.0);
}

TEST(Window, F5GoesFullScreenAndBackToTheSameGeometry) {
    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    Program velmora(screen, {"--windowed"});
    ASSERT_TRUE(velmora.waitForWindow());
    ASSERT_TRUE(velmora.goesIdle(15.0));
    const Geometry windowed = velmora.geometry();

    velmora.press("F5");
    EXPECT_TRUE(waitUntil([&] { return velmora.geometry().height == 768; }, 5.0));
    const Geometry full = velmora.geometry();
    EXPECT_EQ(full.width, 1024);
    EXPECT_EQ(full.x, 0);
    EXPECT_EQ(full.y, 0);

    velmora.press("F5");
    EXPECT_TRUE(waitUntil([&] { return velmora.geometry().height == 576; }, 5.0));
    const Geometry back = velmora.geometry();
    EXPECT_EQ(back.x, windowed.x);
    EXPECT_EQ(back.y, windowed.y);
    EXPECT_EQ(back.width, windowed.width);
    EXPECT_EQ(back.height, windowed.height);
}

TEST(Window, StartsFullScreenWhenAskedAndHelpPrintsTheKeys) {
    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    Program velmora(screen, {"--fullscreen"});
    ASSERT_TRUE(velmora.waitForWindow());
    EXPECT_TRUE(waitUntil([&] { return velmora.geometry().height == 768; }, 5.0));

    Program help(screen, {"--help"});
    EXPECT_TRUE(waitUntil([&] { return !help.running(); }, 5.0));
    EXPECT_NE(help.output().find("Shift + Up / Down"), std::string::npos);
}

TEST(Window, ClosingTheWindowEndsTheProgramCleanly) {
    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    Program velmora(screen, {"--windowed"});
    ASSERT_TRUE(velmora.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return velmora.centrePixel() != 0; }, 20.0, 0.01));
    // Leave llvmpipe some work of every kind behind: new lights, another sky,
    // other normals. With a context still alive at exit, LLVM's static
    // destructors crashed (SIGILL, SIGSEGV) after such frames.
    for (const char* key : {"F1", "Tab", "p", "F2", "Tab"}) velmora.press(key);
    velmora.closeWindow();
    EXPECT_EQ(velmora.waitForExit(10.0), 0) << velmora.errorOutput();
}

}  // namespace
