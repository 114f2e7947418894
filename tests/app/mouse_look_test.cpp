#include "app/mouse_look.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

double headingOf(const Camera& c) {
    const Vector3 d = c.getDirection();
    return std::atan2(d.z, d.x) * 180.0 / M_PI;
}

TEST(MouseLook, ALeftButtonDragTurnsTwoTenthsOfADegreePerPixelFromTheLastPosition) {
    Camera camera;  // heading 0, pitch 0
    MouseLook mouse;
    EXPECT_FALSE(mouse.moveTo(300, 300, camera));  // no button: nothing
    EXPECT_DOUBLE_EQ(headingOf(camera), 0.0);

    mouse.leftButton(true, 100, 100);
    EXPECT_TRUE(mouse.dragging());
    EXPECT_TRUE(mouse.moveTo(150, 100, camera));  // 50 px right: turn right 10°
    EXPECT_NEAR(headingOf(camera), 10.0, 1e-12);
    EXPECT_EQ(camera.getPitch(), 0.0);
    EXPECT_TRUE(mouse.moveTo(150, 80, camera));  // 20 px up: look up 4°
    EXPECT_NEAR(camera.getPitch(), -4.0, 1e-12);
    EXPECT_NEAR(headingOf(camera), 10.0, 1e-12);
    EXPECT_FALSE(mouse.moveTo(150, 80, camera));  // no motion since the last one
    EXPECT_TRUE(mouse.moveTo(100, 100, camera));  // back where it began
    EXPECT_NEAR(headingOf(camera), 0.0, 1e-12);
    EXPECT_NEAR(camera.getPitch(), 0.0, 1e-12);
    EXPECT_NEAR(length(camera.getDirection()), 1.0, 1e-12);
    // Turning the view is no motion: the update loop may stop after it.
    EXPECT_TRUE(camera.isStill());

    mouse.leftButton(false, 400, 400);  // released elsewhere: the drag ends
    EXPECT_FALSE(mouse.dragging());
    EXPECT_FALSE(mouse.moveTo(500, 500, camera));
    EXPECT_NEAR(headingOf(camera), 0.0, 1e-12);

    // A new drag starts from its own press, not from the last motion.
    mouse.leftButton(true, 10, 10);
    EXPECT_TRUE(mouse.moveTo(5, 10, camera));
    EXPECT_NEAR(headingOf(camera), -1.0, 1e-12);
}

TEST(MouseLook, PitchStaysWithin80AndALevelDragLeavesTheTopViewsPitch) {
    Camera camera;
    MouseLook mouse;
    mouse.leftButton(true, 0, 0);
    mouse.moveTo(0, 1000, camera);  // 200° down
    EXPECT_EQ(camera.getPitch(), 80.0);
    mouse.moveTo(0, -1000, camera);
    EXPECT_EQ(camera.getPitch(), -80.0);

    camera.setPitch(90.0);  // the top view looks straight down
    mouse.moveTo(40, -1000, camera);
    EXPECT_EQ(camera.getPitch(), 90.0);
    mouse.moveTo(40, -999, camera);
    EXPECT_EQ(camera.getPitch(), 80.0);  // the camera's own limit, as Shift + Down
}

}  // namespace
