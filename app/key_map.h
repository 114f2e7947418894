// The key map: what held keys do in one update pass. Keys are level-triggered,
// so every row acts on every pass in which its keys are held.
#pragma once

#include <functional>
#include <string>

#include "app/key_state.h"
#include "camera/camera.h"
#include "camera/viewpoints.h"
#include "sky/time_of_day.h"

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
};

// Applies the map group by group in table order. Step 4 of the pass (clearing
// the accelerations) is the caller's.
void applyKeyMap(const KeyState& keys, KeyMapTargets& t);
