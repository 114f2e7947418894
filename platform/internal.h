// What a platform supplies. Each interface header in platform/ (ask, console,
// desktop, display, executable, focus, gl_proc, key_events, keyboard,
// window_identity) has one source per platform, in the folder named by what it
// wraps: x11/ with posix/ and linux/ on Linux, win32/ on Windows; CMakeLists.txt
// chooses them. The shared sources here (tick.cpp, virtual_keys.cpp) build on
// the raw calls below, which each platform supplies too.
#pragma once

#include <cstdint>

// A monotonic counter and its counts per second (at least 1000).
std::uint64_t platformTimerValue();
std::uint64_t platformTimerFrequency();
