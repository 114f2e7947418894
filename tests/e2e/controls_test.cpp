// The controls beyond the arrow keys as a user meets them: Esc leaves, H shows
// and hides the help screen, a left-button drag looks around, W walks, F11
// goes full screen; and the process idles whenever nothing moves.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "harness.h"

namespace {

class Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ok());
        ASSERT_TRUE(velmora.waitForWindow());
        ASSERT_TRUE(velmora.goesIdle()) << "busy at rest";
    }

    // xdotool's pointer commands, in window pixels.
    void pointerTo(int x, int y) {
        velmora.xdotool("mousemove --window " + std::to_string(velmora.window()) + " " +
                        std::to_string(x) + " " + std::to_string(y));
    }

    XvfbScreen screen{1024, 768};
    Program velmora{screen, {"--windowed"}};
};

TEST_F(Controls, EscEndsTheProgramWithStatusZero) {
    velmora.press("Escape");
    EXPECT_EQ(velmora.waitForExit(10.0), 0) << velmora.errorOutput();
}

TEST_F(Controls, HShowsTheHelpOverTheSceneIdlesAndHAgainRestoresTheFrame) {
    const Image scene = velmora.screenshot();
    velmora.press("h");
    ASSERT_TRUE(velmora.goesIdle()) << "the help screen keeps the loop running";
    const Image help = velmora.screenshot();
    EXPECT_GT(differingFraction(scene, help), 0.3);

    // The help panel is dark and see-through only around it: the middle is
    // darker than the scene, while a strip at the quad's left edge, where
    // the image is clear, still shows the scene (the intro would cover it).
    double sceneMiddle[3];
    double helpMiddle[3];
    const int w = help.width;
    const int h = help.height;
    scene.meanColour(w * 2 / 5, h * 2 / 5, w * 3 / 5, h * 3 / 5, sceneMiddle);
    help.meanColour(w * 2 / 5, h * 2 / 5, w * 3 / 5, h * 3 / 5, helpMiddle);
    EXPECT_LT(helpMiddle[0] + helpMiddle[1] + helpMiddle[2],
              0.8 * (sceneMiddle[0] + sceneMiddle[1] + sceneMiddle[2]));
    Image sceneStrip;
    Image helpStrip;
    for (const auto& [from, to] : {std::pair{&scene, &sceneStrip}, std::pair{&help, &helpStrip}}) {
        to->width = w / 20;
        to->height = h / 2;
        for (int y = h / 4; y < h / 4 + h / 2; ++y)
            for (int x = w / 20 + 4; x < w / 20 + 4 + w / 20; ++x)
                to->rgb.insert(to->rgb.end(), from->at(x, y), from->at(x, y) + 3);
    }
    EXPECT_EQ(differingFraction(sceneStrip, helpStrip), 0.0);

    // Idle with the help showing: nothing is drawn again.
    sleepSeconds(0.5);
    EXPECT_EQ(differingFraction(help, velmora.screenshot()), 0.0);

    velmora.press("h");
    ASSERT_TRUE(velmora.goesIdle());
    EXPECT_EQ(differingFraction(scene, velmora.screenshot()), 0.0);
}

TEST_F(Controls, ALeftButtonDragTurnsTheViewAndTheProcessIdlesAfterTheRelease) {
    const Image start = velmora.screenshot();
    const Geometry g = velmora.geometry();
    const int x = g.width / 2;
    const int y = g.height / 2;
    pointerTo(x, y);
    velmora.xdotool("mousedown 1");
    pointerTo(x + 60, y + 20);   // 12 degrees right, 4 down
    pointerTo(x + 100, y + 50);  // 20 degrees right, 10 down in all
    sleepSeconds(0.3);
    const Image turned = velmora.screenshot();
    velmora.xdotool("mouseup 1");
    ASSERT_TRUE(velmora.goesIdle()) << "busy after the release";
    EXPECT_GT(differingFraction(start, turned), 0.2);
    EXPECT_EQ(differingFraction(turned, velmora.screenshot()), 0.0);

    // The same drag back the other way gives the start view again.
    velmora.xdotool("mousedown 1");
    pointerTo(x, y);
    velmora.xdotool("mouseup 1");
    ASSERT_TRUE(velmora.goesIdle());
    EXPECT_LT(differingFraction(start, velmora.screenshot()), 0.001);

    // Motion without a button changes nothing.
    pointerTo(x + 200, y - 100);
    ASSERT_TRUE(velmora.goesIdle());
    EXPECT_LT(differingFraction(start, velmora.screenshot()), 0.001);
}

TEST_F(Controls, WWalksLikeUpToTheSameSpot) {
    // From the top view, heading 0, the walk ends at the edge x = 98 of the
    // walkable area after 48 units (under 10 s at 5 units per second), so
    // where it ends does not depend on how long the key was held beyond that.
    velmora.press("2");
    ASSERT_TRUE(velmora.goesIdle());
    const Image top = velmora.screenshot();
    velmora.press("Up", 11.0);
    ASSERT_TRUE(velmora.goesIdle());
    const Image up = velmora.screenshot();
    ASSERT_GT(differingFraction(top, up), 0.2);

    velmora.press("2");
    ASSERT_TRUE(velmora.goesIdle());
    ASSERT_EQ(differingFraction(top, velmora.screenshot()), 0.0);
    velmora.press("w", 11.0);
    ASSERT_TRUE(velmora.goesIdle());
    EXPECT_EQ(differingFraction(up, velmora.screenshot()), 0.0);
}

TEST_F(Controls, F11GoesFullScreenAndBackLikeF5) {
    const Geometry windowed = velmora.geometry();
    velmora.press("F11");
    EXPECT_TRUE(waitUntil([&] { return velmora.geometry().height == 768; }, 5.0));
    EXPECT_EQ(velmora.geometry().width, 1024);
    velmora.press("F11");
    EXPECT_TRUE(waitUntil([&] { return velmora.geometry().height == 576; }, 5.0));
    const Geometry back = velmora.geometry();
    EXPECT_EQ(back.x, windowed.x);
    EXPECT_EQ(back.y, windowed.y);
    EXPECT_EQ(back.width, windowed.width);
}

}  // namespace
