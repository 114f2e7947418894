// The scene's keys as a user meets them: viewpoints and the camera flight.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace {

class Scene : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ok());
        ASSERT_TRUE(velmora.waitForWindow());
        ASSERT_TRUE(goesIdle()) << "busy at rest";
    }

    void press(const std::string& key, double seconds = 0.25) { velmora.press(key, seconds); }
    bool goesIdle(double withinSeconds = 15.0) { return velmora.goesIdle(withinSeconds); }

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

    const std::vector<double> distances = flightDistances(velmora.output());
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
        const std::vector<double> log = flightDistances(velmora.output().substr(logStart));
        const double last = log.empty() ? 1e9 : log.back();
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

// Mean colour of the top middle of the start view, where only sky is.
void skyColour(const Image& img, double out[3]) {
    img.meanColour(img.width * 2 / 5, 0, img.width * 3 / 5, img.height / 10, out);
}

TEST_F(Scene, TabStepsTheSkyFromDayToTwilightToNightAndBack) {
    double day[3];
    double twilight[3];
    double night[3];
    skyColour(velmora.screenshot(), day);
    EXPECT_GT(day[2], day[0] + 30.0) << "a day sky is blue";

    press("Tab");
    ASSERT_TRUE(goesIdle());
    skyColour(velmora.screenshot(), twilight);
    const double change = std::abs(twilight[0] - day[0]) + std::abs(twilight[1] - day[1]) +
                          std::abs(twilight[2] - day[2]);
    EXPECT_GT(change, 60.0) << "the sunset images replace the day's";

    press("Tab");
    ASSERT_TRUE(goesIdle());
    skyColour(velmora.screenshot(), night);
    // No sky at night: the clear colour (0.15, 0.15, 0.2) shows.
    EXPECT_NEAR(night[0], 38.0, 1.0);
    EXPECT_NEAR(night[1], 38.0, 1.0);
    EXPECT_NEAR(night[2], 51.0, 1.0);

    press("Tab");
    ASSERT_TRUE(goesIdle());
    double again[3];
    skyColour(velmora.screenshot(), again);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(again[c], day[c], 1.0);
}

// How yellow a picture is: the mean of red and green over blue.
double yellowness(const Image& img) {
    double m[3];
    img.meanColour(0, 0, img.width, img.height, m);
    return (m[0] + m[1]) / 2.0 - m[2];
}

TEST_F(Scene, F1CastsAYellowLightOnTheGroundAndF1AgainTakesItAway) {
    press("Tab");
    press("Tab");  // night: only the ambient light is left
    press("2");    // high above the middle, looking down on the lights' pools
    ASSERT_TRUE(goesIdle());
    const Image dark = velmora.screenshot();

    press("F1");
    ASSERT_TRUE(goesIdle());
    const Image lit = velmora.screenshot();
    EXPECT_GT(yellowness(lit), yellowness(dark) + 2.0);
    EXPECT_GT(differingFraction(dark, lit), 0.02);

    press("F1");
    ASSERT_TRUE(goesIdle());
    EXPECT_EQ(differingFraction(dark, velmora.screenshot()), 0.0);
}

TEST(Intro, LiesOverTheViewForAboutFiveSecondsThenGoesByItself) {
    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    Program velmora(screen, {"--windowed"});
    ASSERT_TRUE(velmora.waitForWindow());
    const double start = velmora.cpuSeconds();
    ASSERT_TRUE(waitUntil([&] { return velmora.centrePixel() != 0; }, 20.0, 0.01));
    const auto firstFrame = std::chrono::steady_clock::now();
    sleepSeconds(1.0);
    const Image withIntro = velmora.screenshot();
    EXPECT_GT(velmora.cpuSeconds(), start) << "the loop runs while the intro shows";

    // The loop stops once the intro has gone.
    ASSERT_TRUE(waitUntil(
        [&] {
            const double before = velmora.cpuSeconds();
            sleepSeconds(0.5);
            return velmora.cpuSeconds() - before < 0.02;
        },
        20.0, 0.0));
    const std::chrono::duration<double> shown = std::chrono::steady_clock::now() - firstFrame;
    EXPECT_GT(shown.count(), 5.0);
    EXPECT_LT(shown.count(), 9.0);
    const Image without = velmora.screenshot();
    EXPECT_GT(differingFraction(withIntro, without), 0.3);
}

TEST_F(Scene, PAndShiftPCycleTheModelsNormalsVisibly) {
    press("4");  // the overview: every stone in sight
    ASSERT_TRUE(goesIdle());
    const Image fileNormals = velmora.screenshot();

    press("p");
    ASSERT_TRUE(goesIdle());
    const Image perFace = velmora.screenshot();
    EXPECT_GT(differingFraction(fileNormals, perFace), 0.01) << "flat shading shows";

    press("p");
    ASSERT_TRUE(goesIdle());
    const Image perVertex = velmora.screenshot();
    EXPECT_GT(differingFraction(perFace, perVertex), 0.01) << "smooth shading shows";

    // Shift+P goes back: per vertex → per face → from the file.
    velmora.keyDown("shift");
    press("p");
    ASSERT_TRUE(goesIdle());
    EXPECT_EQ(differingFraction(perFace, velmora.screenshot()), 0.0);
    press("p");
    velmora.keyUp("shift");
    ASSERT_TRUE(goesIdle());
    EXPECT_EQ(differingFraction(fileNormals, velmora.screenshot()), 0.0);
}

}  // namespace
