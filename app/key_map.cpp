#include "app/key_map.h"

#include "platform/virtual_keys.h"

namespace {

constexpr int kKeyP = vkLetter('P');
constexpr int kKeyT = vkLetter('T');
constexpr double kAccel = 50.0;       // units per second², forwards and sideways
constexpr double kTurnImpulse = 5.0;  // degrees per second added per pass
constexpr double kPitchStep = 5.0;    // degrees per pass
constexpr double kRiseStep = 0.1;     // units per pass

void applyModelKeys(const KeyState& k, KeyMapTargets& t) {
    if (k.held(kKeyP) && !k.held(VK_SHIFT)) {
        t.normalMode = (t.normalMode + 1) % 3;
    }
    if (k.held(kKeyP) && k.held(VK_SHIFT)) {
        t.normalMode = t.normalMode - 1 < 0 ? 2 : t.normalMode - 1;
    }
}

// The three movement groups exclude one another through their modifier
// conditions; opposite keys cancel within a group.
void applyMovementKeys(const KeyState& k, Camera& camera) {
    const bool shift = k.held(VK_SHIFT);
    const bool control = k.held(VK_CONTROL);
    const bool left = k.held(VK_LEFT);
    const bool right = k.held(VK_RIGHT);
    const bool upKey = k.held(VK_UP);
    const bool downKey = k.held(VK_DOWN);

    if (shift && left && !control && !right) camera.setStrafeAccel(-kAccel);
    if (shift && right && !control && !left) camera.setStrafeAccel(kAccel);
    if (shift && upKey && !control && !downKey) camera.changePitch(-kPitchStep);
    if (shift && downKey && !control && !upKey) camera.changePitch(kPitchStep);

    if (control && upKey && !shift && !downKey) camera.rise(kRiseStep);
    if (control && downKey && !shift && !upKey) camera.rise(-kRiseStep);

    const bool plain = !shift && !control;
    if (plain && left && !right) camera.turn(-kTurnImpulse);
    if (plain && right && !left) camera.turn(kTurnImpulse);
    if (plain && upKey && !downKey) camera.setForwardAccel(kAccel);
    if (plain && downKey && !upKey) camera.setForwardAccel(-kAccel);
}

// At most one of the viewpoint and flight rows acts: the first whose key is held.
// A viewpoint key ends a flight under way at the viewpoint it names.
void applyViewpointKeys(const KeyState& k, KeyMapTargets& t) {
    if (k.held(vkDigit('1'))) {
        takeViewpoint(t.flight, t.camera, t.viewpoints, 1);
    } else if (k.held(vkDigit('2'))) {
        takeViewpoint(t.flight, t.camera, t.viewpoints, 2);
    } else if (k.held(vkDigit('3'))) {
        takeViewpoint(t.flight, t.camera, t.viewpoints, 3);
    } else if (k.held(vkDigit('4'))) {
        takeViewpoint(t.flight, t.camera, t.viewpoints, 4);
    } else if (k.held(vkDigit('5'))) {
        takeViewpoint(t.flight, t.camera, t.viewpoints, 0);  // the start view
    } else if (k.held(kKeyT) && t.flight.flightTarget == -1) {
        startFlight(t.flight, t.camera, t.viewpoints, t.random);
    }
}

}  // namespace

void applyKeyMap(const KeyState& k, KeyMapTargets& t) {
    applyModelKeys(k, t);
    if (k.held(VK_TAB)) stepTimeOfDay(t.timeOfDay);
    applyMovementKeys(k, t.camera);
    if (k.held(VK_F5)) {
        t.fullScreen = !t.fullScreen;
        t.toggleFullScreen(t.fullScreen);
    }
    for (int light = 0; light < 4; ++light) {
        if (k.held(VK_F1 + light)) t.spotLightOn[light] = !t.spotLightOn[light];
    }
    applyViewpointKeys(k, t);
}
