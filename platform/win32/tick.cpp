#include <windows.h>

#include "platform/internal.h"

// GetTickCount's milliseconds, which wrap at 2^32 as the program's clock does.
std::uint64_t platformTimerValue() {
    return GetTickCount();
}

std::uint64_t platformTimerFrequency() {
    return 1000u;
}
