#include "app/key_map.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/virtual_keys.h"
#include "scene_state.h"

namespace {

constexpr int P = 'P';
constexpr int T = 'T';

struct Scene : SceneState {
    void press(std::initializer_list<int> keys) { press(std::vector<int>(keys)); }
    void press(const std::vector<int>& keys) {
        KeyState k;
        for (int key : keys) k.set(key, true);
        k.updateAnyKeyDown();
        applyKeyMap(k, targets);
    }
};

TEST(KeyMap, PCyclesNormalModesForwardsAndShiftPBackwards) {
    Scene s;
    int seen[4];
    for (int i = 0; i < 4; ++i) {
        seen[i] = s.normalMode;
        s.press({P});
    }
    EXPECT_EQ(seen[1], 1);
    EXPECT_EQ(seen[2], 2);
    EXPECT_EQ(seen[3], 0);
    ASSERT_EQ(s.normalMode, 1);
    s.press({P, VK_SHIFT});
    EXPECT_EQ(s.normalMode, 0);
    s.press({P, VK_SHIFT});
    EXPECT_EQ(s.normalMode, 2);
    s.press({P, VK_SHIFT});
    EXPECT_EQ(s.normalMode, 1);
}

TEST(KeyMap, TabFunctionKeysAndF5ActOnEveryPassTheyAreHeld) {
    Scene s;
    s.press({VK_TAB});
    EXPECT_EQ(s.timeOfDay, "twilight");
    s.press({VK_TAB});
    s.press({VK_TAB});
    EXPECT_EQ(s.timeOfDay, "day");

    s.press({VK_F1, VK_F3});
    EXPECT_EQ(s.spotLightOn, (SpotLightSwitches{true, false, true, false}));
    s.press({VK_F1, VK_F2, VK_F4});
    EXPECT_EQ(s.spotLightOn, (SpotLightSwitches{false, true, true, true}));

    s.press({VK_F5});
    EXPECT_TRUE(s.fullScreen);
    s.press({VK_F5});
    EXPECT_FALSE(s.fullScreen);
    EXPECT_EQ(s.toggles, 2);
}

TEST(KeyMap, PlainArrowsWalkAndTurnAndOppositesCancel) {
    Scene s;
    s.press({VK_UP});
    EXPECT_EQ(s.camera.getForwardAccel(), 50.0);
    s.press({VK_DOWN});
    EXPECT_EQ(s.camera.getForwardAccel(), -50.0);
    s.press({VK_UP, VK_DOWN});
    EXPECT_EQ(s.camera.getForwardAccel(), 0.0);
    s.press({VK_LEFT});
    EXPECT_EQ(s.camera.getTurnRate(), -5.0);
    s.press({VK_RIGHT});
    s.press({VK_RIGHT});
    EXPECT_EQ(s.camera.getTurnRate(), 5.0);
    s.press({VK_LEFT, VK_RIGHT});
    EXPECT_EQ(s.camera.getTurnRate(), 5.0);
}

TEST(KeyMap, ShiftStrafesAndTiltsControlRisesAndBothTogetherDoNothing) {
    Scene s;
    s.press({VK_SHIFT, VK_LEFT});
    EXPECT_EQ(s.camera.getStrafeAccel(), -50.0);
    EXPECT_EQ(s.camera.getTurnRate(), 0.0);
    s.press({VK_SHIFT, VK_RIGHT});
    EXPECT_EQ(s.camera.getStrafeAccel(), 50.0);
    s.press({VK_SHIFT, VK_LEFT, VK_RIGHT});
    EXPECT_EQ(s.camera.getStrafeAccel(), 0.0);
    s.press({VK_SHIFT, VK_UP});
    EXPECT_EQ(s.camera.getPitch(), -5.0);
    EXPECT_EQ(s.camera.getForwardAccel(), 0.0);
    s.press({VK_SHIFT, VK_DOWN});
    s.press({VK_SHIFT, VK_DOWN});
    EXPECT_EQ(s.camera.getPitch(), 5.0);

    const double y = s.camera.getPosition().y;
    s.press({VK_CONTROL, VK_UP});
    EXPECT_DOUBLE_EQ(s.camera.getPosition().y, y + 0.1);
    s.press({VK_CONTROL, VK_DOWN});
    s.press({VK_CONTROL, VK_DOWN});
    EXPECT_DOUBLE_EQ(s.camera.getPosition().y, y - 0.1);
    s.press({VK_CONTROL, VK_LEFT});  // Control gives Left and Right no meaning
    s.press({VK_CONTROL, VK_UP, VK_DOWN});
    EXPECT_EQ(s.camera.getTurnRate(), 0.0);
    EXPECT_DOUBLE_EQ(s.camera.getPosition().y, y - 0.1);

    const Camera before = s.camera;
    s.press({VK_SHIFT, VK_CONTROL, VK_UP, VK_LEFT});
    EXPECT_EQ(s.camera.getPitch(), before.getPitch());
    EXPECT_EQ(s.camera.getPosition(), before.getPosition());
    EXPECT_EQ(s.camera.getStrafeAccel(), 0.0);
    EXPECT_EQ(s.camera.getForwardAccel(), 0.0);
    EXPECT_EQ(s.camera.getTurnRate(), 0.0);
}

TEST(KeyMap, WAndSWalkLikeUpAndDownAndForwardsWithBackwardsCancel) {
    Scene s;
    const std::pair<std::vector<int>, double> cases[] = {
        {{'W'}, 50.0},
        {{'S'}, -50.0},
        {{'W', VK_UP}, 50.0},  // the same as one of them, not 100
        {{'S', VK_DOWN}, -50.0},
        {{'W', 'S'}, 0.0},
        {{'W', VK_DOWN}, 0.0},
        {{'S', VK_UP}, 0.0},
        {{'W', VK_UP, VK_DOWN}, 0.0},
        {{'W', 'S', VK_UP}, 0.0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        s.press(cases[i].first);
        EXPECT_EQ(s.camera.getForwardAccel(), cases[i].second) << "case " << i;
    }
    EXPECT_EQ(s.camera.getStrafeAccel(), 0.0);
    EXPECT_EQ(s.camera.getTurnRate(), 0.0);
}

TEST(KeyMap, AAndDStepSidewaysCancelAndLeaveTheArrowsTheirMeaning) {
    Scene s;
    s.press({'A'});
    EXPECT_EQ(s.camera.getStrafeAccel(), -50.0);
    s.press({'D'});
    EXPECT_EQ(s.camera.getStrafeAccel(), 50.0);
    s.press({'A', 'D'});
    EXPECT_EQ(s.camera.getStrafeAccel(), 0.0);
    EXPECT_EQ(s.camera.getTurnRate(), 0.0);
    EXPECT_EQ(s.camera.getForwardAccel(), 0.0);
    // A steps, Left turns: both act.
    s.press({'A', VK_LEFT});
    EXPECT_EQ(s.camera.getStrafeAccel(), -50.0);
    EXPECT_EQ(s.camera.getTurnRate(), -5.0);
}

// Shift runs with the letters at twice the walk, the settings' factors scale
// walking and turning, and Control stops the letters. Each row: the keys, the
// walk and turn factors, then the accelerations the pass sets and the speed
// limit a long pass reaches.
TEST(KeyMap, ShiftRunsTheLettersAndTheSettingsScaleWalkingAndTurning) {
    struct Case {
        std::vector<int> keys;
        double walk, turn;
        double forwardAccel, strafeAccel, speed, turnRate;
    };
    const Case cases[] = {
        {{'W'}, 1.0, 1.0, 50.0, 0.0, 5.0, 0.0},
        {{VK_SHIFT, 'W'}, 1.0, 1.0, 100.0, 0.0, 10.0, 0.0},
        {{VK_SHIFT, 'A'}, 1.0, 1.0, 0.0, -100.0, 0.0, 0.0},
        {{VK_SHIFT, 'D'}, 0.5, 1.0, 0.0, 50.0, 0.0, 0.0},
        {{VK_UP}, 2.0, 1.0, 100.0, 0.0, 10.0, 0.0},
        {{VK_SHIFT, VK_UP, 'S'}, 1.0, 1.0, -100.0, 0.0, -10.0, 0.0},  // and looks up
        {{VK_SHIFT, VK_RIGHT}, 0.25, 1.0, 0.0, 12.5, 0.0, 0.0},
        {{VK_RIGHT}, 1.0, 2.0, 0.0, 0.0, 0.0, 10.0},
        {{VK_CONTROL, 'W'}, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0},
        {{VK_CONTROL, VK_SHIFT, 'D'}, 1.0, 1.0, 0.0, 0.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        Scene s;
        s.targets.walkSpeed = c.walk;
        s.targets.turnSpeed = c.turn;
        s.press(c.keys);
        const std::string row = ::testing::PrintToString(c.keys);
        EXPECT_EQ(s.camera.getForwardAccel(), c.forwardAccel) << row;
        EXPECT_EQ(s.camera.getStrafeAccel(), c.strafeAccel) << row;
        EXPECT_EQ(s.camera.getTurnRate(), c.turnRate) << row;
        double seconds = 1.0;  // long enough for any speed to reach its limit
        s.camera.update(seconds);
        EXPECT_EQ(s.camera.getForwardSpeed(), c.speed) << row;
    }

    // Shift with an arrow alone steps at the walking speed: only the letters run.
    Scene side;
    side.press({VK_SHIFT, VK_RIGHT});
    double second = 1.0;
    side.camera.update(second);
    EXPECT_EQ(side.camera.getStrafeSpeed(), 5.0);

    // The modifiers' own rows are left as they are: Shift + Up still looks up
    // with W held, and a letter does not undo Control's rise.
    Scene s;
    const Camera before = s.camera;
    s.press({VK_SHIFT, VK_UP, 'W'});
    EXPECT_EQ(s.camera.getPitch(), -5.0);
    s.press({VK_CONTROL, VK_UP, 'S'});
    EXPECT_DOUBLE_EQ(s.camera.getPosition().y, before.getPosition().y + 0.1);
    EXPECT_EQ(s.camera.getForwardAccel(), 0.0);
}

TEST(KeyMap, F11TogglesOncePerPressAndNotBesideF5) {
    Scene s;
    s.press({VK_F11});
    EXPECT_TRUE(s.fullScreen);
    s.press({VK_F11});  // held: the same press
    s.press({VK_F11, VK_UP});
    EXPECT_TRUE(s.fullScreen);
    EXPECT_EQ(s.toggles, 1);
    s.press({VK_UP});  // released, another key still down
    s.press({VK_F11});
    EXPECT_FALSE(s.fullScreen);
    releaseKey(s.targets.memory, VK_F11);  // released and pressed again between two passes
    s.press({VK_F11});
    EXPECT_TRUE(s.fullScreen);
    releaseKey(s.targets.memory, 'H');  // another key's release leaves F11 held
    s.press({VK_F11});
    EXPECT_TRUE(s.fullScreen);
    releaseAllKeys(s.targets);  // a pass with no key down
    s.press({VK_F5, VK_F11});   // F5 toggles, F11 waits for a press of its own
    s.press({VK_F5, VK_F11});
    EXPECT_TRUE(s.fullScreen);
    EXPECT_EQ(s.toggles, 5);
}

TEST(KeyMap, F12SavesOncePerPress) {
    Scene s;
    int shots = 0;
    s.targets.screenshot = [&shots] { ++shots; };
    for (const auto& keys :
         std::vector<std::vector<int>>{{VK_F12}, {VK_F12, VK_UP}, {VK_UP}, {VK_F12}})
        s.press(keys);
    EXPECT_EQ(shots, 2);
    releaseKey(s.targets.memory, VK_F12);
    s.press({VK_F12});
    EXPECT_EQ(shots, 3);
}

TEST(KeyMap, HShowsAndHidesTheHelpScreenOncePerPress) {
    Scene s;
    s.overlay.visible = true;  // the intro
    s.press({'H'});
    EXPECT_TRUE(s.overlay.visible);
    EXPECT_EQ(s.overlay.currentScreen, 1);  // the help takes the intro's place
    s.press({'H'});
    s.press({'H', VK_SHIFT});  // still the same press
    EXPECT_TRUE(s.overlay.visible);

    s.press({VK_UP});  // H released, another key still down
    s.press({'H', VK_UP});
    EXPECT_FALSE(s.overlay.visible);
    s.press({'H'});
    EXPECT_FALSE(s.overlay.visible);

    releaseAllKeys(s.targets);  // a pass with no key down
    s.press({'H'});
    EXPECT_TRUE(s.overlay.visible);
    EXPECT_EQ(s.overlay.currentScreen, 1);
}

TEST(KeyMap, EscapeQuitsAndLeavesTheOtherRowsAlone) {
    Scene s;
    s.press({VK_ESCAPE});
    EXPECT_EQ(s.quits, 1);
    s.press({VK_ESCAPE, VK_TAB});
    EXPECT_EQ(s.quits, 2);
    EXPECT_EQ(s.timeOfDay, "twilight");
    s.press({VK_TAB});
    EXPECT_EQ(s.quits, 2);
}

TEST(KeyMap, ViewpointAndFlightKeysFormOneChain) {
    Scene s;
    s.press({'1', T});
    EXPECT_EQ(s.camera.getPosition(), s.viewpoints[1].position);
    EXPECT_EQ(s.flight.flightTarget, -1);
    EXPECT_EQ(s.draws, 0);

    s.press({'4', '2', '3'});
    EXPECT_EQ(s.camera.getPosition(), s.viewpoints[2].position);
    s.press({'5', '4'});
    EXPECT_EQ(s.camera.getPosition(), s.viewpoints[4].position);
    s.press({'5'});
    EXPECT_EQ(s.camera.getPosition(), s.viewpoints[0].position);

    s.press({T});
    EXPECT_NE(s.flight.flightTarget, -1);
    const int draws = s.draws;
    s.press({T});  // a flight cannot be restarted or cancelled
    EXPECT_EQ(s.draws, draws);

    // A viewpoint key during a flight ends it at the viewpoint the key names.
    s.press({'3'});
    EXPECT_EQ(s.camera.getPosition(), s.viewpoints[3].position);
    EXPECT_EQ(s.flight.flightTarget, -1);
}

}  // namespace
