#include "app/key_state.h"

void KeyState::updateAnyKeyDown() {
    std::uint8_t any = 0;
    for (int k = 0; k < kAnyKeyDown; ++k) any |= entries[static_cast<std::size_t>(k)];
    entries[kAnyKeyDown] = any;
}
