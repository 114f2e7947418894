// The scene's keys as a user meets them: viewpoints and the camera flight.
#include <gtest/gtest.h>

#include <sstream>

#include "harness.h"

namespace {

class Scene : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ok());
        ASSERT_TRUE(velmora.waitForWindow());
        ASSERT_TRUE(goesIdle()) << "busy at rest";
    }

    // Holds a key long enough for the update loop to sample it.
    void press(const std::string& key, double seconds = 0.25) {
        velmora.keyDown(key);
        sleepSeconds(seconds);
        velmora.keyUp(key);
    }

    bool goesIdle(double withinSeconds = 15.0) {
        return waitUntil(
            [&] {
                const double before = velmora.cpuSeconds();
                sleepSeconds(1.0);
                return velmora.cpuSeconds() - before < 0.03;
            },
            withinSeconds, 0.0);
    }

    XvfbScreen screen{1024, 768};
    Program velmora{screen, {"--windowed"}};
};

TEST_F(Scene, ViewpointKeysMoveTheViewAndFiveReturnsToTheStart) {
    const Image start = velmora.screenshot();
    press("2");
    ASSERT_TRUE(goesIdle());
    const Image top = velmora.screenshot();
    EXPECT_GT(differingFraction(start, top), 0.2);

    press("5");
    ASSERT_TRUE(goesIdle());
    EXPECT_LT(differingFraction(start, velmora.screenshot()), 0.001);
}

TEST_F(Scene, TFliesToAViewpointPrintingDecreasingDistances) {
    const Image start = velmora.screenshot();
    press("t");
    ASSERT_TRUE(goesIdle(30.0)) << "the flight did not end";

    std::istringstream lines(velmora.output());
    std::vector<double> distances;
    for (double d; lines >> d;) distances.push_back(d);
    ASSERT_GE(distances.size(), 3u) << velmora.output();
    for (std::size_t i = 1; i < distances.size(); ++i) EXPECT_LT(distances[i], distances[i - 1]);
    EXPECT_LT(distances.back(), 2.0);
    EXPECT_GE(distances[distances.size() - 2], 2.0);
    EXPECT_GT(differingFraction(start, velmora.screenshot()), 0.2);
}

// Fraction of pixels that show something other than the clear colour
// (0.15, 0.15, 0.2): 0 for a frame in which nothing was drawn.
double drawnFraction(const Image& img) {
    Image clear = img;
    for (std::size_t i = 0; i < clear.rgb.size(); i += 3) {
        clear.rgb[i] = 38;
        clear.rgb[i + 1] = 38;
        clear.rgb[i + 2] = 51;
    }
    return differingFraction(img, clear, 3);
}

TEST_F(Scene, AVerticalFlightKeepsShowingTheScene) {
    // The unseeded generator's first draws are 3, then 2: the second flight
    // goes from the start view straight up to the top view, along the vertical
    // line through the point the flight looks at.
    press("t");
    ASSERT_TRUE(goesIdle(30.0));
    press("5");
    ASSERT_TRUE(goesIdle());
    const std::size_t logStart = velmora.output().size();
    press("t", 0.1);
    // While the eye is below the look point it looks straight up into the
    // empty sky; from there on it looks straight down at the circle.
    int checked = 0;
    for (int i = 0; i < 200 && checked < 5; ++i) {
        std::istringstream log(velmora.output().substr(logStart));
        double last = 1e9;
        for (double d; log >> d;) last = d;
        if (last < 2.0) break;
        if (last > 47.0) {
            sleepSeconds(0.05);
            continue;
        }
        EXPECT_GT(drawnFraction(velmora.screenshot()), 0.5) << "blank frame at " << last;
        ++checked;
        sleepSeconds(0.3);
    }
    EXPECT_GT(checked, 1);
    ASSERT_TRUE(goesIdle());
    EXPECT_GT(drawnFraction(velmora.screenshot()), 0.5);
}

}  // namespace
