#include "app/frame_update.h"

bool updatePass(FrameLoop& loop, std::uint32_t now, const KeyState& keys, KeyMapTargets& t,
                std::ostream& flightOut) {
    const std::uint32_t elapsed = now - loop.lastTick;  // modulo 2^32: right across a wrap

    const bool wasFlying = t.flight.flightTarget != kNoFlight;
    applyKeyMap(keys, t);

    if (t.flight.flightTarget != kNoFlight) {
        // lastTick stays where the flight began, so each step covers more ground:
        // the flight accelerates.
        const bool arrived = flightStep(t.flight, t.camera, t.viewpoints, elapsed, flightOut);
        return !arrived;
    }
    // A viewpoint key ended the flight: the pass ends as an arrival does. The
    // clock still stands where the flight began, so update would integrate the
    // whole flight's time as motion.
    if (wasFlying) return false;

    const double seconds = elapsed / 1000.0;
    t.camera.update(seconds);
    // The intro needs frames until its time-out; the help screen has none to
    // reach, so at rest it lets the loop stop like an empty view.
    if (t.camera.isStill() && !t.overlay.awaitsTimeOut()) return false;
    loop.lastTick = now;
    return true;
}
