// The scene state the key map and the update pass act on, standing alone for
// tests: the camera at the start view inside the walkable area, a full-screen
// switch and a way out that count their calls, a scripted flight draw, and an
// overlay showing nothing.
#pragma once

#include <initializer_list>
#include <string>

#include "app/key_map.h"

struct SceneState {
    Camera camera;
    Viewpoints viewpoints = presetViewpoints();
    FlightState flight;
    std::string timeOfDay = "day";
    SpotLightSwitches spotLightOn{};
    bool fullScreen = false;
    int normalMode = 0;
    int toggles = 0;     // toggleFullScreen calls
    int draws = 0;       // flight target draws
    int nextRandom = 0;  // what the next draw returns; each draw adds 1
    OverlayScreens overlay;
    int quits = 0;  // quit calls
    KeyMapTargets targets{camera,
                          viewpoints,
                          flight,
                          timeOfDay,
                          spotLightOn,
                          fullScreen,
                          normalMode,
                          [this](bool&) { ++toggles; },
                          [this] {
                              ++draws;
                              return nextRandom++;
                          },
                          overlay,
                          [this] { ++quits; }};

    SceneState() {
        camera.setBounds(Vector3{98.0, 0.0, 98.0}, Vector3{2.0, 0.0, 2.0});
        goToViewpoint(camera, viewpoints, 0);
    }

    static KeyState held(std::initializer_list<int> keys) {
        KeyState k;
        for (int key : keys) k.set(key, true);
        k.updateAnyKeyDown();
        return k;
    }
};
