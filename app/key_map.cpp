#include "app/key_map.h"

#include "platform/virtual_keys.h"

namespace {

constexpr int kKeyP = vkLetter('P');
constexpr int kKeyT = vkLetter('T');
constexpr int kKeyW = vkLetter('W');
constexpr int kKeyA = vkLetter('A');
constexpr int kKeyS = vkLetter('S');
constexpr int kKeyD = vkLetter('D');
constexpr int kKeyH = vkLetter('H');
constexpr double kAccel = 50.0;        // units per second², forwards and sideways
constexpr double kTurnImpulse = 5.0;   // degrees per second added per pass
constexpr double kPitchStep = 5.0;     // degrees per pass
constexpr double kRiseStep = 0.1;      // units per pass
constexpr double kWalkSpeed = 5.0;     // units per second, forwards and sideways
constexpr double kMaxTurnRate = 90.0;  // degrees per second
constexpr double kRunFactor = 2.0;     // Shift with W A S D

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
void applyMovementKeys(const KeyState& k, Camera& camera, double walk, double turn) {
    const bool shift = k.held(VK_SHIFT);
    const bool control = k.held(VK_CONTROL);
    const bool left = k.held(VK_LEFT);
    const bool right = k.held(VK_RIGHT);
    const bool upKey = k.held(VK_UP);
    const bool downKey = k.held(VK_DOWN);

    if (shift && left && !control && !right) camera.setStrafeAccel(-kAccel * walk);
    if (shift && right && !control && !left) camera.setStrafeAccel(kAccel * walk);
    if (shift && upKey && !control && !downKey) camera.changePitch(-kPitchStep);
    if (shift && downKey && !control && !upKey) camera.changePitch(kPitchStep);

    if (control && upKey && !shift && !downKey) camera.rise(kRiseStep);
    if (control && downKey && !shift && !upKey) camera.rise(-kRiseStep);

    const bool plain = !shift && !control;
    if (plain && left && !right) camera.turn(-kTurnImpulse * turn);
    if (plain && right && !left) camera.turn(kTurnImpulse * turn);
    if (plain && upKey && !downKey) camera.setForwardAccel(kAccel * walk);
    if (plain && downKey && !upKey) camera.setForwardAccel(-kAccel * walk);
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
    } else if (k.held(kKeyT) && t.flight.flightTarget == kNoFlight) {
        startFlight(t.flight, t.camera, t.viewpoints, t.random);
    }
}

// W and S walk like Up and Down, A and D step like Shift + Left and Right;
// with Shift they run, at twice the walking speed and acceleration, and none
// of them acts while Control is held. A letter with its arrow counts once (W
// with Up is 50, not 100); forwards and backwards cancel whichever keys give
// them (W with S, W with Down, S with Up), as A and D do. Runs after the
// arrows' rows, whose acceleration it overrides only when a letter is held;
// with Shift the arrows keep their own meanings beside the running letters.
void applyLetterMovementKeys(const KeyState& k, Camera& camera, double walk, double turn) {
    const bool w = k.held(kKeyW);
    const bool s = k.held(kKeyS);
    const bool a = k.held(kKeyA);
    const bool d = k.held(kKeyD);
    // Shift runs only with a letter: Shift with the arrows keeps the walking speed.
    const bool run = k.held(VK_SHIFT) && !k.held(VK_CONTROL) && (w || s || a || d);
    const double accel = kAccel * walk * (run ? kRunFactor : 1.0);
    const double limit = kWalkSpeed * walk * (run ? kRunFactor : 1.0);
    camera.setSpeedLimits(limit, limit, kMaxTurnRate * turn);
    if (k.held(VK_CONTROL)) return;
    if (w || s) {
        // Shift + Up and Down look up and down: they walk only without Shift.
        const bool forwards = w || (!run && k.held(VK_UP));
        const bool backwards = s || (!run && k.held(VK_DOWN));
        if (forwards && !backwards) camera.setForwardAccel(accel);
        if (backwards && !forwards) camera.setForwardAccel(-accel);
        if (forwards && backwards) camera.setForwardAccel(0.0);
    }
    if (a && !d) camera.setStrafeAccel(-accel);
    if (d && !a) camera.setStrafeAccel(accel);
}

}  // namespace

void applyKeyMap(const KeyState& k, KeyMapTargets& t) {
    // Accelerations hold for one pass, only while their keys stay down.
    t.camera.setForwardAccel(0.0);
    t.camera.setStrafeAccel(0.0);
    if (!k.anyKeyDown()) {
        releaseAllKeys(t);
        return;
    }
    applyModelKeys(k, t);
    if (k.held(VK_TAB)) stepTimeOfDay(t.timeOfDay);
    applyMovementKeys(k, t.camera, t.walkSpeed, t.turnSpeed);
    if (k.held(VK_F5)) {
        t.fullScreen = !t.fullScreen;
        t.toggleFullScreen(t.fullScreen);
    }
    for (int light = 0; light < 4; ++light) {
        if (k.held(VK_F1 + light)) t.spotLightOn[light] = !t.spotLightOn[light];
    }
    applyViewpointKeys(k, t);

    // Beside the map: the letters, F11, H and F12 once per press (F11 not
    // while F5 toggles on its own), and Esc.
    applyLetterMovementKeys(k, t.camera, t.walkSpeed, t.turnSpeed);
    const bool fullScreenKey = k.held(VK_F11);
    if (fullScreenKey && !t.memory.fullScreenKeyHeld && !k.held(VK_F5)) {
        t.fullScreen = !t.fullScreen;
        t.toggleFullScreen(t.fullScreen);
    }
    t.memory.fullScreenKeyHeld = fullScreenKey;
    const bool help = k.held(kKeyH);
    if (help && !t.memory.helpKeyHeld) t.overlay.toggleHelp();
    t.memory.helpKeyHeld = help;
    const bool screenshot = k.held(VK_F12);
    if (screenshot && !t.memory.screenshotKeyHeld && t.screenshot) t.screenshot();
    t.memory.screenshotKeyHeld = screenshot;
    if (k.held(VK_ESCAPE) && t.quit) t.quit();
}

void releaseAllKeys(KeyMapTargets& t) {
    t.memory = KeyMapMemory{};
}

void releaseKey(KeyMapMemory& memory, int virtualKey) {
    if (virtualKey == kKeyH) memory.helpKeyHeld = false;
    if (virtualKey == VK_F11) memory.fullScreenKeyHeld = false;
    if (virtualKey == VK_F12) memory.screenshotKeyHeld = false;
}
