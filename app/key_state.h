// The key table each update pass samples: 256 flags indexed by Windows
// virtual-key code, and anyKeyDown after them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct KeyState {
    static constexpr int kAnyKeyDown = 256;
    std::array<std::uint8_t, 257> entries{};

    bool held(int virtualKey) const { return entries[static_cast<std::size_t>(virtualKey)] != 0; }
    bool anyKeyDown() const { return entries[kAnyKeyDown] != 0; }
    void set(int virtualKey, bool down) {
        entries[static_cast<std::size_t>(virtualKey)] = down ? 1 : 0;
    }
    // Recomputes anyKeyDown from entries 0..255.
    void updateAnyKeyDown();
};
