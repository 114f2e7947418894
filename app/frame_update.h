// One update pass, without the GLUT calls around it: the elapsed time since
// lastTick, the key map, then either the camera's own motion or a flight step.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "app/key_map.h"

struct FrameLoop {
    // Milliseconds up to which elapsed time has been accounted. Set at start-up,
    // by a key event while the camera is still, and by a pass that keeps the loop
    // running without a flight.
    std::uint32_t lastTick = 0;
};

// keys must already hold this pass's sample. Returns true when the loop must
// keep running (the caller registers onIdle again), false when it may stop:
// at rest it runs on only while the overlay awaits its time-out (the intro),
// read after the keys have acted. Flight distances go to flightOut.
bool updatePass(FrameLoop& loop, std::uint32_t now, const KeyState& keys, KeyMapTargets& t,
                std::ostream& flightOut);
