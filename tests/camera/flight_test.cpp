#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "camera/viewpoints.h"

namespace {

// Returns the given values in turn, then repeats the last.
struct ScriptedRandom {
    std::vector<int> values;
    std::size_t next = 0;
    int operator()() { return values[std::min(next++, values.size() - 1)]; }
};

Camera cameraAtStartView(const Viewpoints& vp) {
    Camera c;
    goToViewpoint(c, vp, 0);
    return c;
}

TEST(Viewpoints, GoToViewpointSetsPitchPositionAndHeadingButKeepsMotion) {
    const Viewpoints vp = presetViewpoints();
    Camera c;
    c.setForwardSpeed(3.0);
    goToViewpoint(c, vp, 3);
    EXPECT_EQ(c.getPosition(), (Vector3{65.0, 0.0, 35.0}));
    EXPECT_EQ(c.getPitch(), -5.0);
    EXPECT_DOUBLE_EQ(c.getDirection().x, std::cos(130.0 * M_PI / 180.0));
    EXPECT_EQ(c.getForwardSpeed(), 3.0);
}

TEST(Flight, RedrawsOnceWhenTheCameraStandsOnTheTarget) {
    const Viewpoints vp = presetViewpoints();
    const Camera c = cameraAtStartView(vp);

    FlightState f;
    ScriptedRandom r{{4, 6}};  // 4 mod 4 = 0, the start view: draw again, 6 mod 4 = 2
    startFlight(f, c, vp, std::ref(r));
    EXPECT_EQ(f.flightTarget, 2);
    EXPECT_EQ(r.next, 2u);
    EXPECT_NEAR(length(f.flightVelocity), 0.1, 1e-15);

    // No third draw: a second hit on the same viewpoint gives a zero velocity,
    // and the first step arrives at once.
    FlightState g;
    ScriptedRandom same{{0, 8, 1}};
    startFlight(g, c, vp, std::ref(same));
    EXPECT_EQ(g.flightTarget, 0);
    EXPECT_EQ(g.flightVelocity, Vector3{});
    Camera moving = c;
    std::ostringstream out;
    EXPECT_TRUE(flightStep(g, moving, vp, 500, out));
    EXPECT_EQ(out.str(), "0\n");
    EXPECT_EQ(g.flightTarget, -1);
}

TEST(Flight, AcceleratesWithTheElapsedTimeAndArrivesWithinTwoUnits) {
    const Viewpoints vp = presetViewpoints();
    Camera c = cameraAtStartView(vp);
    c.setPitch(12.0);
    FlightState f;
    ScriptedRandom r{{3}};
    startFlight(f, c, vp, std::ref(r));
    ASSERT_EQ(f.flightTarget, 3);

    // The caller keeps the clock where the flight began, so elapsed grows each pass.
    std::ostringstream out;
    std::uint32_t elapsed = 0;
    int passes = 0;
    bool arrived = false;
    while (!arrived && passes < 10000) {
        elapsed += 16;
        arrived = flightStep(f, c, vp, elapsed, out);
        ++passes;
        if (!arrived) {
            EXPECT_EQ(c.getPitch(), 12.0);  // pitch untouched during the flight
            const Vector3 toLook = flightLookPoint - c.getPosition();
            EXPECT_NEAR(dot(c.getDirection(), normalise(toLook)), 1.0, 1e-12);
        }
    }
    ASSERT_TRUE(arrived);
    EXPECT_EQ(c.getPosition(), vp[3].position);
    EXPECT_EQ(c.getPitch(), -5.0);

    std::istringstream lines(out.str());
    std::vector<double> distances;
    for (double d; lines >> d;) distances.push_back(d);
    ASSERT_EQ(static_cast<int>(distances.size()), passes);
    for (std::size_t i = 1; i < distances.size(); ++i) EXPECT_LT(distances[i], distances[i - 1]);
    EXPECT_LT(distances.back(), 2.0);
    // Each step covers 0.1 units per second of elapsed time.
    EXPECT_NEAR(distances[0] - distances[1], 0.1 * 0.032, 1e-9);
}

TEST(Flight, ANearbyTargetArrivesOnTheFirstStepAndPrintsSixDigits) {
    Viewpoints vp = presetViewpoints();
    Camera c;
    c.setPosition(Vector3{vp[1].position.x + 1.0, 1.8, vp[1].position.z + 1.0});
    FlightState f;
    ScriptedRandom r{{1}};
    startFlight(f, c, vp, std::ref(r));
    std::ostringstream out;
    EXPECT_TRUE(flightStep(f, c, vp, 10, out));
    EXPECT_EQ(out.str(), "1.41321\n");
}

TEST(Flight, VerticalFlightKeepsAStableViewAndNeverNormalisesZero) {
    // Viewpoints 0 and 2 lie on the vertical line through the look point.
    const Viewpoints vp = presetViewpoints();
    Camera c = cameraAtStartView(vp);
    FlightState f;
    ScriptedRandom r{{2}};
    startFlight(f, c, vp, std::ref(r));
    const Vector3 heading = f.flightHeading;
    EXPECT_NEAR(heading.x, std::cos(-70.0 * M_PI / 180.0), 1e-12);

    std::ostringstream out;
    // 2000 ms: the eye goes from y 1.8 to exactly the look point's height 2.0.
    EXPECT_FALSE(flightStep(f, c, vp, 2000, out));
    EXPECT_NEAR(c.getPosition().y, 2.0, 1e-12);
    for (double v : {c.getDirection().x, c.getDirection().y, c.getDirection().z}) {
        EXPECT_TRUE(std::isfinite(v));
    }
    EXPECT_FALSE(flightStep(f, c, vp, 4000, out));
    EXPECT_EQ(c.getDirection(), (Vector3{0.0, -1.0, 0.0}));

    // Looking straight down, the top of the view points along the old heading;
    // straight up, against it; otherwise the camera's own up.
    const Vector3 up{0.0, 1.0, 0.0};
    EXPECT_EQ(viewUp(Vector3{0.0, -1.0, 0.0}, up, heading), heading);
    EXPECT_EQ(viewUp(Vector3{0.0, 1.0, 0.0}, up, heading), heading * -1.0);
    EXPECT_EQ(viewUp(normalise(Vector3{1.0, -1.0, 0.0}), up, heading), up);
}

}  // namespace
