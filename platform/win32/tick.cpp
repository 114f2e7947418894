#include <windows.h>

#include "platform/tick.h"

namespace {

std::uint32_t systemTicks() {
    return GetTickCount();
}

TickSource tickSource = systemTicks;

}  // namespace

std::uint32_t getTickCount() {
    return tickSource();
}

void setTickSource(TickSource source) {
    tickSource = source ? source : systemTicks;
}
