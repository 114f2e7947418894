#include "platform/tick.h"

#include "platform/internal.h"

namespace {

std::uint32_t platformMilliseconds() {
    return millisecondsOfTimer(platformTimerValue(), platformTimerFrequency());
}

TickSource tickSource = platformMilliseconds;

}  // namespace

std::uint32_t millisecondsOfTimer(std::uint64_t value, std::uint64_t frequency) {
    // Whole seconds and the rest apart, so that value * 1000 cannot overflow.
    const std::uint64_t ms = value / frequency * 1000u + value % frequency * 1000u / frequency;
    return static_cast<std::uint32_t>(ms);  // keeps the low 32 bits, as GetTickCount does
}

std::uint32_t getTickCount() {
    return tickSource();
}

void setTickSource(TickSource source) {
    tickSource = source ? source : platformMilliseconds;
}
