// The key map: what held keys do in one update pass. Keys are level-triggered,
// so every row acts on every pass in which its keys are held; H, F11 and F12
// act once per press, since the help screen would flicker otherwise and a press
// of F11 should change the screen once, whatever the frame rate.
#pragma once

#include <functional>
#include <string>

#include "app/key_state.h"
#include "camera/camera.h"
#include "camera/viewpoints.h"
#include "overlay/overlay_screens.h"
#include "sky/time_of_day.h"

// What the map remembers from one pass to the next.
struct KeyMapMemory {
    bool helpKeyHeld = false;        // H was down in the last pass: no new press yet
    bool fullScreenKeyHeld = false;  // so was F11
    bool screenshotKeyHeld = false;  // and F12
};

// The scene state the keys act on.
struct KeyMapTargets {
    Camera& camera;
    const Viewpoints& viewpoints;
    FlightState& flight;
    std::string& timeOfDay;
    SpotLightSwitches& spotLightOn;
    bool& fullScreen;
    int& normalMode;  // the model's: 0 file normals, 1 per face, 2 per vertex
    std::function<void(bool&)> toggleFullScreen;
    std::function<int()> random;  // the flight's target draw
    OverlayScreens& overlay;      // H shows and hides the help screen
    std::function<void()> quit;   // Esc: ends the program as closing the window does
    KeyMapMemory memory{};
    std::function<void()> screenshot{};  // F12: saves the frame this pass leads to
    double walkSpeed = 1.0;              // the settings' factors on walking and turning
    double turnSpeed = 1.0;
};

// The keys' part of an update pass. The last pass's accelerations end first.
// When a key is down the map acts group by group in this order: model normals
// (P), time of day (Tab), the arrows' movement, full screen (F5), spot lights
// (F1-F4), viewpoints and flight (1-5, T); then the keys beside them (W A S D,
// F11 and H once per press, Esc). When none is down, releaseAllKeys.
void applyKeyMap(const KeyState& keys, KeyMapTargets& t);

// For a pass in which no key is down, where the map does not run: every key
// counts as released, so the next H is a new press.
void releaseAllKeys(KeyMapTargets& t);

// A key-up event of the window: the key was released even when no pass saw it
// up (a quick release and press between two slow frames), so its next press
// is a new one. Auto-repeat sends no release between its presses.
void releaseKey(KeyMapMemory& memory, int virtualKey);
