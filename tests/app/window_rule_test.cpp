#include "app/window_rule.h"

#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
