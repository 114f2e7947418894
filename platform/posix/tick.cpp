#include "platform/tick.h"

#include <ctime>

namespace {

std::uint32_t monotonicMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::uint64_t ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                             static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);  // keeps the low 32 bits, as GetTickCount does
}

TickSource tickSource = monotonicMilliseconds;

}  // namespace

std::uint32_t getTickCount() {
    return tickSource();
}

void setTickSource(TickSource source) {
    tickSource = source ? source : monotonicMilliseconds;
}
