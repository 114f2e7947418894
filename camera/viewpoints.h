// The five preset viewpoints and the camera flight to a random one of them.
// A flight moves the eye in a straight line towards its target while facing
// flightLookPoint, and snaps to the viewpoint within 2 units of it, or once
// its motion leads away from the target, so that every flight ends.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>

#include "camera/camera.h"

struct Viewpoint {
    Vector3 position;
    double pitch = 0.0;    // degrees, positive looks down
    double heading = 0.0;  // degrees, 0 looks along +x, 90 along +z
};

using Viewpoints = std::array<Viewpoint, 5>;

// The table start-up fills: 0 is the start view (key 5), 1-4 the keys 1-4.
Viewpoints presetViewpoints();

// flightTarget while no flight is under way.
inline constexpr int kNoFlight = -1;

struct FlightState {
    int flightTarget = kNoFlight;  // viewpoint index, or kNoFlight
    Vector3 flightVelocity;        // unit direction to the target / 10: units per ms × 1000
    // The horizontal heading the camera had when the flight began. While the
    // flight looks straight up or down, the view takes its "up" from it.
    Vector3 flightHeading{1.0, 0.0, 0.0};
};

inline constexpr Vector3 flightLookPoint{50.0, 2.0, 50.0};

void goToViewpoint(Camera& camera, const Viewpoints& viewpoints, int index);

// What a viewpoint key does: goToViewpoint, and a flight under way ends there,
// at the viewpoint the user chose, without arriving at its target.
void takeViewpoint(FlightState& flight, Camera& camera, const Viewpoints& viewpoints, int index);

// Draws the target with random() mod 4 (the unseeded std::rand by default),
// once more if the camera already stands on it.
void startFlight(FlightState& flight, const Camera& camera, const Viewpoints& viewpoints,
                 const std::function<int()>& random);

// Moves the camera by flightVelocity × elapsed / 1000 and writes the remaining
// distance on its own line to out. Returns true on arrival, which ends the flight
// at its target: within 2 units of it, or when the target no longer lies ahead
// along flightVelocity (a late step jumped past it, or the rise keys took the
// eye off the line), since from there the distance only grows.
bool flightStep(FlightState& flight, Camera& camera, const Viewpoints& viewpoints,
                std::uint32_t elapsedMs, std::ostream& out);

// The up vector for the view transform: the camera's up, unless the view
// direction is vertical, where that up vector gives no orientation. Then the
// top of the screen points along the heading when looking down (as a level
// view tilted down does) and against it when looking up.
Vector3 viewUp(const Vector3& direction, const Vector3& up, const Vector3& heading);
