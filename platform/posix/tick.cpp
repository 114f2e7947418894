#include <ctime>

#include "platform/internal.h"

std::uint64_t platformTimerValue() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000000000u +
           static_cast<std::uint64_t>(ts.tv_nsec);
}

std::uint64_t platformTimerFrequency() {
    return 1000000000u;  // nanoseconds
}
