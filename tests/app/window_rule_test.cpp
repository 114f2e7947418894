#include "app/window_rule.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

void expectWindow(int sw, int sh, int w, int h, int x, int y) {
    const WindowGeometry g = fitWindow(sw, sh);
    EXPECT_EQ(g.width, w) << sw << "x" << sh;
    EXPECT_EQ(g.height, h) << sw << "x" << sh;
    EXPECT_EQ(g.x, x) << sw << "x" << sh;
    EXPECT_EQ(g.y, y) << sw << "x" << sh;
}

TEST(WindowRule, FitsA16By9WindowCentredVerticallyOnly) {
    expectWindow(1920, 1080, 1920, 1080, 0, 0);  // exactly 16:9
    expectWindow(1024, 768, 1024, 576, 0, 96);   // taller: full width
    expectWindow(1920, 1200, 1920, 1080, 0, 60);
    expectWindow(2560, 1080, 1920, 1080, 0, 0);  // wider: full height, not centred
    expectWindow(1366, 768, 1365, 768, 0, 0);    // 768 × 16 / 9 truncates
    expectWindow(1280, 1024, 1280, 720, 0, 152);
    expectWindow(1, 1, 1, 0, 0, 0);
}

struct FramedCase {
    ScreenRect area;
    FrameExtents frame;
    WindowGeometry expected;  // client size, framed top-left
};

TEST(WindowRule, FitsTheClientToTheWorkAreaLessTheFrameAndPlacesTheFrameInside) {
    const FramedCase cases[] = {
        // openbox's frame on a bare 16:9 desktop: 1 px sides, 20 px title, 5 px foot
        {{0, 0, 1920, 1080}, {1, 1, 20, 5}, {1875, 1055, 0, 0}},
        // a 30 px panel at the top; xfwm4's 24 px title
        {{0, 30, 1920, 1050}, {0, 0, 24, 0}, {1824, 1026, 0, 30}},
        // taller than 16:9 once the frame is off: full width, centred in the area
        {{0, 0, 1024, 768}, {4, 4, 24, 4}, {1016, 571, 0, 84}},
        // a panel on the left; no frame at all gives the screen rule within the area
        {{48, 0, 1872, 1080}, {0, 0, 0, 0}, {1872, 1053, 48, 13}},
        // a frame larger than the area leaves a 1 px window, never a negative one
        {{0, 0, 10, 10}, {20, 20, 20, 20}, {1, 0, 0, 0}},
    };
    for (const FramedCase& c : cases) {
        const WindowGeometry g = fitFramedWindow(c.area, c.frame);
        SCOPED_TRACE(std::to_string(c.area.width) + "x" + std::to_string(c.area.height));
        EXPECT_EQ(g.width, c.expected.width);
        EXPECT_EQ(g.height, c.expected.height);
        EXPECT_EQ(g.x, c.expected.x);
        EXPECT_EQ(g.y, c.expected.y);
        EXPECT_TRUE(g.height == g.width * 9 / 16 || g.width == g.height * 16 / 9);  // 16:9
        // The framed window lies within the area.
        if (c.area.width > 20) {
            EXPECT_LE(g.x + c.frame.left + g.width + c.frame.right, c.area.x + c.area.width);
            EXPECT_LE(g.y + c.frame.top + g.height + c.frame.bottom, c.area.y + c.area.height);
            EXPECT_GE(g.y, c.area.y);
        }
    }
}

}  // namespace
