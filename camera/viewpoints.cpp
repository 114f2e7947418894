#include "camera/viewpoints.h"

#include <cmath>
#include <cstddef>
#include <ostream>

#include "scene/scene_numbers.h"

namespace {

constexpr double kArrivalDistance = 2.0;  // units
constexpr double kStandingOnTarget = 0.1;

// Horizontal part of v as a unit vector, or fallback when v has none.
Vector3 horizontalHeading(const Vector3& v, const Vector3& fallback) {
    const Vector3 h{v.x, 0.0, v.z};
    const double len = length(h);
    return len > 0.0 ? h / len : fallback;
}

}  // namespace

Viewpoints presetViewpoints() {
    Viewpoints viewpoints;
    for (std::size_t i = 0; i < viewpoints.size(); ++i) {
        const scene::ViewpointSpec& v = scene::kViewpoints[i];
        viewpoints[i] = {{v.x, v.y, v.z}, v.pitch, v.heading};
    }
    return viewpoints;
}

void goToViewpoint(Camera& camera, const Viewpoints& viewpoints, int index) {
    const Viewpoint& v = viewpoints[static_cast<std::size_t>(index)];
    camera.setPitch(v.pitch);
    camera.setPosition(v.position);
    camera.setHeading(v.heading);
}

void takeViewpoint(FlightState& flight, Camera& camera, const Viewpoints& viewpoints, int index) {
    goToViewpoint(camera, viewpoints, index);
    flight.flightTarget = kNoFlight;
}

void startFlight(FlightState& flight, const Camera& camera, const Viewpoints& viewpoints,
                 const std::function<int()>& random) {
    flight.flightTarget = random() % 4;
    Vector3 d = viewpoints[flight.flightTarget].position - camera.getPosition();
    if (length(d) < kStandingOnTarget) {
        flight.flightTarget = random() % 4;
        d = viewpoints[flight.flightTarget].position - camera.getPosition();
    }
    // A second draw can name the viewpoint the camera stands on; a zero velocity
    // then makes the first step arrive at once.
    const double len = length(d);
    flight.flightVelocity = len > 0.0 ? d / len / 10.0 : Vector3{};
    flight.flightHeading = horizontalHeading(camera.getDirection(), flight.flightHeading);
}

bool flightStep(FlightState& flight, Camera& camera, const Viewpoints& viewpoints,
                std::uint32_t elapsedMs, std::ostream& out) {
    const Vector3 step = flight.flightVelocity * static_cast<double>(elapsedMs) / 1000.0;
    camera.setPosition(camera.getPosition() + step);

    // Standing exactly on the look point leaves no direction to face: keep the old one.
    const Vector3 toLookPoint = flightLookPoint - camera.getPosition();
    if (length(toLookPoint) > 0.0) camera.setDirection(normalise(toLookPoint));

    const Vector3 target = viewpoints[flight.flightTarget].position;
    const double dist = length(camera.getPosition() - target);
    out << dist << '\n';
    // Along the line the distance falls until the point nearest the target and
    // grows after it. A flight past that point outside 2 units would run on for
    // ever; on the line to the target it only happens when one late step jumps
    // the whole 2-unit sphere. A zero velocity has nothing ahead and ends here.
    const bool passedTarget = dot(flight.flightVelocity, target - camera.getPosition()) <= 0.0;
    if (dist < kArrivalDistance || passedTarget) {
        goToViewpoint(camera, viewpoints, flight.flightTarget);
        flight.flightTarget = kNoFlight;
        return true;
    }
    return false;
}

Vector3 viewUp(const Vector3& direction, const Vector3& up, const Vector3& heading) {
    const Vector3 side = cross(direction, up);
    // Relative test: a direction within ~1e-9 rad of vertical counts as vertical.
    if (length(side) > 1e-9 * length(direction) * length(up)) return up;
    return direction.y < 0.0 ? heading : heading * -1.0;
}
