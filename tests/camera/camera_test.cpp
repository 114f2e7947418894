#include "camera/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

Camera walkingCamera() {
    Camera c;
    c.setBounds(Vector3{98.0, 0.0, 98.0}, Vector3{2.0, 0.0, 2.0});
    c.setPosition(Vector3{50.0, 1.8, 50.0});
    return c;
}

TEST(Camera, ConstructedAtRestLookingAlongX) {
    Camera c;
    EXPECT_TRUE(c.isStill());
    EXPECT_EQ(c.getPosition(), (Vector3{0.0, 2.0, 0.0}));
    EXPECT_EQ(c.getLookAt(), (Vector3{1.0, 2.0, 0.0}));
    EXPECT_EQ(c.getUp(), (Vector3{0.0, 1.0, 0.0}));
    EXPECT_EQ(c.getPitch(), 0.0);
}

TEST(Camera, ZeroElapsedTimeChangesNothingNotEvenDamping) {
    Camera c = walkingCamera();
    c.setForwardSpeed(3.0);
    c.setStrafeSpeed(-2.0);
    c.setTurnRate(40.0);
    c.setForwardAccel(50.0);
    c.update(0.0);
    EXPECT_EQ(c.getForwardSpeed(), 3.0);
    EXPECT_EQ(c.getStrafeSpeed(), -2.0);
    EXPECT_EQ(c.getTurnRate(), 40.0);
    EXPECT_EQ(c.getPosition(), (Vector3{50.0, 1.8, 50.0}));
}

TEST(Camera, ForwardMotionUsesTheTrapezoidRuleAndTheSpeedLimit) {
    // From rest: speed 5 after 0.1 s at 50, distance (0 + 5) / 2 × 0.1.
    Camera c = walkingCamera();
    c.setForwardAccel(50.0);
    c.update(0.1);
    EXPECT_DOUBLE_EQ(c.getForwardSpeed(), 5.0);
    EXPECT_DOUBLE_EQ(c.getPosition().x, 50.25);
    EXPECT_EQ(c.getPosition().y, 1.8);

    // Already at the limit: the new speed 10 is limited to 5, distance 0.5.
    Camera d = walkingCamera();
    d.setForwardSpeed(5.0);
    d.setForwardAccel(50.0);
    d.update(0.1);
    EXPECT_DOUBLE_EQ(d.getForwardSpeed(), 5.0);
    EXPECT_DOUBLE_EQ(d.getPosition().x, 50.5);

    // Backwards the limit keeps its sign.
    Camera b = walkingCamera();
    b.setForwardAccel(-50.0);
    b.update(1.0);
    EXPECT_DOUBLE_EQ(b.getForwardSpeed(), -5.0);
}

TEST(Camera, StrafingMovesToTheRightOfTheHeading) {
    Camera c = walkingCamera();
    c.setStrafeSpeed(5.0);
    c.setStrafeAccel(50.0);
    c.update(1.0);
    EXPECT_DOUBLE_EQ(c.getPosition().x, 50.0);
    EXPECT_DOUBLE_EQ(c.getPosition().z, 55.0);  // heading 0: right is +z
    EXPECT_DOUBLE_EQ(c.getStrafeSpeed(), 5.0);  // driven, so not damped
}

TEST(Camera, ClampsOnlyXAndZToTheWalkableArea) {
    Camera c = walkingCamera();
    c.setPosition(Vector3{97.9, 1.8, 50.0});
    c.setForwardSpeed(5.0);
    c.setForwardAccel(50.0);
    c.update(0.1);
    EXPECT_EQ(c.getPosition().x, 98.0);

    c.setPosition(Vector3{50.0, 1.8, 2.05});
    c.setHeading(-90.0);  // towards −z
    c.update(0.1);
    EXPECT_EQ(c.getPosition().z, 2.0);

    c.rise(-40.0);  // nothing limits the height
    EXPECT_DOUBLE_EQ(c.getPosition().y, -38.2);
}

TEST(Camera, DampingAndDeadZoneUseSinglePrecisionConstants) {
    Camera c = walkingCamera();
    c.setForwardSpeed(5.0);
    c.setTurnRate(10.0);
    c.setStrafeSpeed(1.0);
    c.update(0.016);
    EXPECT_DOUBLE_EQ(c.getPosition().x, 50.08);
    EXPECT_EQ(c.getForwardSpeed(), 5.0 * static_cast<double>(0.8f));
    EXPECT_EQ(c.getTurnRate(), 10.0 * static_cast<double>(0.9f));
    EXPECT_EQ(c.getStrafeSpeed(), 1.0 * static_cast<double>(0.8f));

    // 0.2 as a float is 0.200000002980232: a speed of exactly 0.2 lies below it.
    Camera d = walkingCamera();
    d.setForwardSpeed(0.2 / static_cast<double>(0.8f));
    d.update(0.001);
    EXPECT_EQ(d.getForwardSpeed(), 0.0);

    // Released keys bring the camera to rest after a number of passes.
    int passes = 0;
    while (!c.isStill() && passes < 100) {
        c.update(0.016);
        ++passes;
    }
    EXPECT_TRUE(c.isStill());
    EXPECT_LT(passes, 40);  // the turn rate, damped by 0.9 a pass, is last
}

TEST(Camera, IsStillIgnoresStrafeAccelButNotTheOthers) {
    Camera c;
    c.setStrafeAccel(50.0);
    EXPECT_TRUE(c.isStill());
    c.setForwardAccel(50.0);
    EXPECT_FALSE(c.isStill());
    Camera t;
    t.turn(5.0);
    EXPECT_FALSE(t.isStill());
}

TEST(Camera, PitchAndTurnRateLimits) {
    Camera c;
    c.setPitch(78.0);
    c.changePitch(5.0);
    EXPECT_EQ(c.getPitch(), 80.0);
    c.setPitch(-78.0);
    c.changePitch(-5.0);
    EXPECT_EQ(c.getPitch(), -80.0);
    c.setPitch(90.0);  // viewpoints may go past the keys' limit
    EXPECT_EQ(c.getPitch(), 90.0);

    c.setTurnRate(88.0);
    c.turn(5.0);
    EXPECT_EQ(c.getTurnRate(), 90.0);
    c.setTurnRate(-88.0);
    c.turn(-5.0);
    EXPECT_EQ(c.getTurnRate(), -90.0);
}

TEST(Camera, HeadingsTurnFromXTowardsZ) {
    Camera c;
    c.rotateHeading(90.0);
    EXPECT_NEAR(c.getDirection().x, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(c.getDirection().z, 1.0);
    c.setHeading(-70.0);
    EXPECT_DOUBLE_EQ(c.getDirection().x, std::cos(-70.0 * M_PI / 180.0));
    EXPECT_DOUBLE_EQ(c.getDirection().z, std::sin(-70.0 * M_PI / 180.0));

    // A held turning key settles near 50 degrees per second.
    Camera t;
    for (int i = 0; i < 200; ++i) {
        t.turn(5.0);
        t.update(0.016);
    }
    EXPECT_NEAR(t.getTurnRate(), 45.0, 5.5);
}

}  // namespace
