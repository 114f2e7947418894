#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
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

// The flight step with the 2-unit rule alone, as flights were before a flight
// that passes its target was made to arrive: the reference for every flight
// that arrives that way.
bool twoUnitRuleStep(FlightState& f, Camera& c, const Viewpoints& vp, std::uint32_t elapsedMs,
                     std::ostream& out) {
    c.setPosition(c.getPosition() + f.flightVelocity * static_cast<double>(elapsedMs) / 1000.0);
    const Vector3 toLook = flightLookPoint - c.getPosition();
    if (length(toLook) > 0.0) c.setDirection(normalise(toLook));
    const double dist = length(c.getPosition() - vp[f.flightTarget].position);
    out << dist << '\n';
    if (dist < 2.0) {
        goToViewpoint(c, vp, f.flightTarget);
        f.flightTarget = -1;
        return true;
    }
    return false;
}

// How the passes of a flight come: the elapsed time of pass k (the clock stays
// where the flight began, unless a key event resets it) and the rise keys' step.
struct Schedule {
    const char* name;
    std::uint32_t (*elapsed)(int pass);
    double (*rise)(int pass);  // units added to the eye's height before the step
};

const Schedule kSchedules[] = {
    {"60 Hz", [](int k) { return 16u * (k + 1); }, [](int) { return 0.0; }},
    // Two passes within each tick (each elapsed time twice, from 0), uneven gaps.
    {"uneven", [](int k) { return static_cast<std::uint32_t>(k / 2 * 23 + (k / 10) * (k / 10)); },
     [](int) { return 0.0; }},
    // A key event while the camera is still resets the clock every 40 passes.
    {"clock resets", [](int k) { return 16u * (k % 40); }, [](int) { return 0.0; }},
    {"slow machine", [](int k) { return 250u * (k + 1); }, [](int) { return 0.0; }},
    // Ten minutes without a pass (a stalled machine): the next step is 60 units.
    {"stall", [](int k) { return 16u * (k + 1) + (k >= 20 ? 600000u : 0u); },
     [](int) { return 0.0; }},
    // Control+Down for the first half second, Control+Up for a few passes.
    {"dip", [](int k) { return 16u * (k + 1); }, [](int k) { return k < 30 ? -0.1 : 0.0; }},
    {"lift", [](int k) { return 16u * (k + 1); }, [](int k) { return k < 8 ? 0.1 : 0.0; }},
    // Control+Up or Control+Down held through the whole flight.
    {"rise held", [](int k) { return 16u * (k + 1); }, [](int) { return 0.1; }},
    {"sink held", [](int k) { return 16u * (k + 1); }, [](int) { return -0.1; }},
};

struct FlightRun {
    std::string printed;
    int passes = 0;
    bool arrived = false;
    Camera camera;
};

FlightRun fly(bool (*step)(FlightState&, Camera&, const Viewpoints&, std::uint32_t, std::ostream&),
              const Camera& start, int target, const Schedule& schedule, int maxPasses) {
    const Viewpoints vp = presetViewpoints();
    FlightRun run;
    run.camera = start;
    FlightState f;
    ScriptedRandom r{{target}};  // the same target again on a redraw: a zero velocity
    startFlight(f, run.camera, vp, std::ref(r));
    std::ostringstream out;
    while (!run.arrived && run.passes < maxPasses) {
        run.camera.rise(schedule.rise(run.passes));
        run.arrived = step(f, run.camera, vp, schedule.elapsed(run.passes), out);
        ++run.passes;
    }
    run.printed = out.str();
    return run;
}

std::string firstLines(const std::string& text, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count && end != std::string::npos; ++i) {
        end = text.find('\n', end);
        if (end != std::string::npos) ++end;
    }
    return text.substr(0, end);
}

TEST(Flight, EveryFlightEndsAndThoseThatArriveWithinTwoUnitsStayPassForPass) {
    const Viewpoints vp = presetViewpoints();
    std::vector<Camera> starts;
    for (int i = 0; i < 5; ++i) {
        Camera c;
        goToViewpoint(c, vp, i);
        starts.push_back(c);
    }
    for (const Vector3 p : {Vector3{10.0, 5.0, 90.0}, Vector3{97.0, 1.8, 3.0}, flightLookPoint,
                            Vector3{50.0, 30.0, 50.0}}) {
        Camera c;
        c.setPosition(p);
        starts.push_back(c);
    }

    constexpr int kMaxPasses = 20000;  // over five minutes at 60 Hz
    int unchanged = 0;
    int ended = 0;  // flights the 2-unit rule alone would leave running
    for (const Schedule& schedule : kSchedules) {
        for (std::size_t s = 0; s < starts.size(); ++s) {
            for (int target = 0; target < 4; ++target) {
                SCOPED_TRACE(std::string(schedule.name) + ", start " + std::to_string(s) +
                             ", target " + std::to_string(target));
                const FlightRun before =
                    fly(twoUnitRuleStep, starts[s], target, schedule, kMaxPasses);
                const FlightRun now = fly(flightStep, starts[s], target, schedule, kMaxPasses);
                ASSERT_TRUE(now.arrived);
                // Pass for pass the same steps and distances, up to its end.
                EXPECT_EQ(now.printed, firstLines(before.printed, now.passes));
                EXPECT_EQ(now.camera.getPosition(), vp[target].position);
                EXPECT_EQ(now.camera.getPitch(), vp[target].pitch);
                if (before.arrived) {
                    EXPECT_EQ(now.passes, before.passes);
                    ++unchanged;
                } else {
                    ++ended;
                }
            }
        }
    }
    // Both kinds occur (324 flights: 219 and 105), so neither side is empty.
    EXPECT_GT(unchanged, 200);
    EXPECT_GT(ended, 20);
}

TEST(Flight, ALateStepThatJumpsTheTwoUnitSphereArrivesAtTheTarget) {
    const Viewpoints vp = presetViewpoints();
    for (const double beyond : {1.5, 2.0, 5.0, 60.0}) {
        SCOPED_TRACE(beyond);
        Camera c = cameraAtStartView(vp);
        FlightState f;
        ScriptedRandom r{{1}};
        startFlight(f, c, vp, std::ref(r));
        std::ostringstream out;
        ASSERT_FALSE(flightStep(f, c, vp, 16, out));
        const double remaining = length(vp[1].position - c.getPosition());

        // One step that lands `beyond` units past the target, at a distance
        // smaller than the last one printed.
        const auto late = static_cast<std::uint32_t>(std::lround((remaining + beyond) * 10000.0));
        EXPECT_TRUE(flightStep(f, c, vp, late, out));
        EXPECT_EQ(f.flightTarget, -1);
        EXPECT_EQ(c.getPosition(), vp[1].position);
        EXPECT_EQ(c.getPitch(), vp[1].pitch);
        EXPECT_DOUBLE_EQ(c.getDirection().x, std::cos(45.0 * M_PI / 180.0));
        std::istringstream lines(out.str());
        double first = 0.0;
        double last = 0.0;
        lines >> first >> last;
        EXPECT_NEAR(last, beyond, 1e-4);
        EXPECT_LT(last, first);
    }
}

}  // namespace
