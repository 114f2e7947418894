#include "app/frame_update.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "platform/virtual_keys.h"
#include "scene_state.h"

namespace {

struct Loop : SceneState {
    FrameLoop loop;
    std::ostringstream flightOut;

    bool pass(std::uint32_t now, std::initializer_list<int> keys = {}) {
        return updatePass(loop, now, held(keys), targets, flightOut);
    }
};

TEST(FrameUpdate, HoldingUpRunsTheLoopAndReleaseLetsItStopAtRest) {
    Loop l;
    l.loop.lastTick = 1000;
    std::uint32_t now = 1000;
    for (int i = 0; i < 7; ++i) {
        now += 16;
        EXPECT_TRUE(l.pass(now, {VK_UP}));
        EXPECT_EQ(l.loop.lastTick, now);
    }
    EXPECT_EQ(l.camera.getForwardSpeed(), 5.0);  // limit reached within 0.1 s

    int passes = 0;
    bool running = true;
    while (running && passes < 100) {
        now += 16;
        running = l.pass(now);
        ++passes;
    }
    EXPECT_FALSE(running);
    EXPECT_TRUE(l.camera.isStill());
    EXPECT_NE(l.loop.lastTick, now);  // the stopping pass leaves the clock alone
    EXPECT_GT(passes, 10);
}

TEST(FrameUpdate, TheIntroKeepsTheLoopRunningAtRestButTheHelpScreenDoesNot) {
    Loop l;
    l.overlay.visible = true;  // the intro, screen 0
    EXPECT_TRUE(l.pass(50));
    EXPECT_EQ(l.loop.lastTick, 50u);
    l.overlay.currentScreen = 2;  // any screen with a time-out
    EXPECT_TRUE(l.pass(60));
    l.overlay.visible = false;
    EXPECT_FALSE(l.pass(70));

    // The help screen has no time-out to reach: at rest the loop stops with
    // it showing, also in the very pass in which H brings it over the intro.
    l.overlay.visible = true;
    l.overlay.currentScreen = 0;
    EXPECT_FALSE(l.pass(80, {'H'}));
    EXPECT_TRUE(l.overlay.visible);
    EXPECT_EQ(l.overlay.currentScreen, 1);
    EXPECT_FALSE(l.pass(90));
    // ... but not while the camera moves.
    EXPECT_TRUE(l.pass(100, {VK_UP}));
}

TEST(FrameUpdate, HActsOncePerPressAcrossPassesWithoutKeys) {
    Loop l;
    // A tap at rest: the key-down pass shows the help, the key-up pass (no
    // key down, so the map does not run) still counts H as released.
    EXPECT_FALSE(l.pass(10, {'H'}));
    EXPECT_TRUE(l.overlay.visible);
    EXPECT_FALSE(l.pass(20));
    EXPECT_FALSE(l.pass(30, {'H'}));
    EXPECT_FALSE(l.overlay.visible);
    EXPECT_FALSE(l.pass(35));
    // Held over many passes while the camera moves: one toggle.
    for (std::uint32_t now = 40; now < 400; now += 16) l.pass(now, {'H', VK_UP});
    EXPECT_TRUE(l.overlay.visible);
    EXPECT_EQ(l.overlay.currentScreen, 1);
}

TEST(FrameUpdate, ElapsedTimeIsTakenModuloTwoToThe32) {
    Loop l;
    l.loop.lastTick = 0xFFFFFFF0u;
    EXPECT_TRUE(l.pass(0x00000050u, {VK_UP}));  // 0x60 = 96 ms, not ~49 days
    EXPECT_DOUBLE_EQ(l.camera.getForwardSpeed(), 4.8);
    EXPECT_EQ(l.loop.lastTick, 0x50u);
}

TEST(FrameUpdate, APassWithoutElapsedTimeStillAppliesStepKeys) {
    Loop l;
    l.loop.lastTick = 500;
    EXPECT_FALSE(l.pass(500, {VK_SHIFT, VK_DOWN}));
    EXPECT_EQ(l.camera.getPitch(), 5.0);
    EXPECT_TRUE(l.pass(500, {VK_UP}));  // the acceleration alone keeps it running
    EXPECT_EQ(l.camera.getForwardSpeed(), 0.0);
    // Accelerations last one pass: cleared before the next map is applied.
    EXPECT_FALSE(l.pass(500));
    EXPECT_EQ(l.camera.getForwardAccel(), 0.0);
}

TEST(FrameUpdate, FlightPassesKeepTheClockSoTheFlightAccelerates) {
    Loop l;
    l.loop.lastTick = 1000;
    l.nextRandom = 1;  // viewpoint 1, the far corner
    EXPECT_TRUE(l.pass(1016, {'T'}));
    EXPECT_EQ(l.flight.flightTarget, 1);
    const Vector3 p1 = l.camera.getPosition();
    EXPECT_TRUE(l.pass(1032, {VK_UP}));  // arrow keys have no effect in flight
    const Vector3 p2 = l.camera.getPosition();
    EXPECT_TRUE(l.pass(1048));
    const Vector3 p3 = l.camera.getPosition();
    EXPECT_EQ(l.loop.lastTick, 1000u);
    EXPECT_GT(length(p3 - p2), length(p2 - p1));

    bool running = true;
    std::uint32_t now = 1048;
    while (running && now < 200000) {
        now += 16;
        running = l.pass(now);
    }
    EXPECT_FALSE(running);  // arrival stops the loop, clock untouched
    EXPECT_EQ(l.loop.lastTick, 1000u);
    EXPECT_EQ(l.camera.getPosition(), l.viewpoints[1].position);
    EXPECT_EQ(l.flight.flightTarget, -1);
}

// T, then 1 while the camera flew: the flight ran on from viewpoint 1 in its
// old direction for ever, printing a rising distance on every pass.
TEST(FrameUpdate, AViewpointKeyDuringAFlightEndsItThereAndTheLoopStops) {
    Loop l;
    l.loop.lastTick = 1000;
    l.nextRandom = 3;
    EXPECT_TRUE(l.pass(1016, {'T'}));
    EXPECT_TRUE(l.pass(1032));
    ASSERT_EQ(l.flight.flightTarget, 3);
    const std::string printed = l.flightOut.str();

    // Up held with it: the clock still stands where the flight began, and that
    // time is not integrated as a walk.
    EXPECT_FALSE(l.pass(1048, {'1', VK_UP}));
    EXPECT_EQ(l.flight.flightTarget, -1);
    EXPECT_EQ(l.camera.getPosition(), l.viewpoints[1].position);
    EXPECT_EQ(l.camera.getForwardSpeed(), 0.0);
    EXPECT_EQ(l.loop.lastTick, 1000u);
    EXPECT_FALSE(l.pass(1064));
    EXPECT_EQ(l.flightOut.str(), printed);  // nothing more printed

    EXPECT_TRUE(l.pass(1080, {'T'}));  // and T flies again
    EXPECT_EQ(l.draws, 2);
    EXPECT_NE(l.flight.flightTarget, -1);
}

// Runs passes 16 ms apart with the keys held until the loop may stop; the
// number of passes, or -1 if it was still running after maxPasses.
int passesUntilStop(Loop& l, std::uint32_t& now, std::initializer_list<int> keys, int maxPasses) {
    for (int passes = 1; passes <= maxPasses; ++passes) {
        now += 16;
        if (!l.pass(now, keys)) return passes;
    }
    return -1;
}

TEST(FrameUpdate, RiseKeysHeldThroughAFlightStillLetItArrive) {
    for (const int rise : {VK_UP, VK_DOWN}) {
        SCOPED_TRACE(rise);
        Loop l;
        l.loop.lastTick = 1000;
        l.nextRandom = 1;  // level with the start view, 68 units off
        std::uint32_t now = 1016;
        EXPECT_TRUE(l.pass(now, {'T', VK_CONTROL, rise}));
        // Held throughout, the eye leaves the flight's line by 0.1 units a pass,
        // about 30 units before it draws level with the target.
        const int passes = passesUntilStop(l, now, {VK_CONTROL, rise}, 20000);
        ASSERT_NE(passes, -1) << "the flight never ended";
        EXPECT_LT(passes, 400);  // as long as a flight without the key
        EXPECT_EQ(l.flight.flightTarget, -1);
        EXPECT_EQ(l.camera.getPosition(), l.viewpoints[1].position);

        EXPECT_TRUE(l.pass(now + 16, {'T'}));
        EXPECT_NE(l.flight.flightTarget, -1);
    }
}

TEST(FrameUpdate, ALateStepAcrossTheTwoUnitSphereArrivesAndTFliesAgain) {
    Loop l;
    l.loop.lastTick = 1000;
    l.nextRandom = 1;
    EXPECT_TRUE(l.pass(1016, {'T'}));
    // 700 s since the flight began: one step of 70 units, 2 past the target.
    EXPECT_FALSE(l.pass(701000));
    EXPECT_EQ(l.flight.flightTarget, -1);
    EXPECT_EQ(l.camera.getPosition(), l.viewpoints[1].position);
    EXPECT_EQ(l.camera.getPitch(), l.viewpoints[1].pitch);
    EXPECT_EQ(l.loop.lastTick, 1000u);
    std::istringstream lines(l.flightOut.str());
    double first = 0.0;
    double last = 0.0;
    lines >> first >> last;
    EXPECT_GE(last, 2.0);

    EXPECT_TRUE(l.pass(701016, {'T'}));
    EXPECT_EQ(l.flight.flightTarget, 2);
}

}  // namespace
