// The camera flight as a user meets it when other keys come in during it:
// every flight ends, and the program goes idle again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace {

class Flight : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ok());
        ASSERT_TRUE(velmora.waitForWindow());
        ASSERT_TRUE(idle(15.0)) << "busy at rest";
    }

    bool idle(double withinSeconds) const { return velmora.goesIdle(withinSeconds); }
    std::size_t printed() const { return flightDistances(velmora.output()).size(); }

    // Starts a flight and waits until it has printed a few distances.
    void startFlight() {
        const std::size_t before = printed();
        velmora.press("t", 0.1);
        ASSERT_TRUE(waitUntil([&] { return printed() >= before + 3; }, 10.0))
            << "no flight under way";
    }

    XvfbScreen screen{1024, 768};
    Program velmora{screen, {"--windowed"}};
};

TEST_F(Flight, AViewpointKeyDuringAFlightEndsItThereAndTheProgramGoesIdle) {
    velmora.press("1");
    ASSERT_TRUE(idle(15.0));
    const Image corner = velmora.screenshot();
    velmora.press("5");
    ASSERT_TRUE(idle(15.0));

    // The unseeded generator's first target is viewpoint 3, a flight of a few
    // seconds; 1 comes in while it is still far off.
    startFlight();
    velmora.press("1");
    ASSERT_TRUE(idle(5.0)) << "the flight ran on after the viewpoint key";
    const std::vector<double> distances = flightDistances(velmora.output());
    sleepSeconds(1.0);
    EXPECT_EQ(printed(), distances.size()) << "distances still printed";
    for (double d : distances) EXPECT_GE(d, 2.0) << "the flight arrived before the key";
    EXPECT_LT(differingFraction(corner, velmora.screenshot()), 0.001)
        << "not at viewpoint 1 as at rest";

    // T flies again, and that flight arrives.
    const std::size_t before = distances.size();
    startFlight();
    ASSERT_TRUE(idle(30.0)) << "the second flight did not end";
    const std::vector<double> again = flightDistances(velmora.output());
    ASSERT_GT(again.size(), before);
    EXPECT_LT(again.back(), 2.0);
}

TEST_F(Flight, RisingThroughAFlightStillEndsIt) {
    // Control+Up lifts the eye 0.1 units on every pass, far off the flight's
    // line before it reaches the target; the flight arrives all the same.
    startFlight();
    velmora.keyDown("ctrl+Up");
    sleepSeconds(2.0);
    velmora.keyUp("ctrl+Up");
    ASSERT_TRUE(idle(30.0)) << "the flight ran on after rising";
    const std::size_t done = printed();
    sleepSeconds(1.0);
    EXPECT_EQ(printed(), done);
}

}  // namespace
