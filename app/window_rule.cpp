#include "app/window_rule.h"

#include <algorithm>
#include <cstdint>

WindowGeometry fitWindow(int screenWidth, int screenHeight) {
    const int sw = screenWidth;
    const int sh = screenHeight;
    WindowGeometry g;
    // The products are compared as unsigned 32-bit values; divisions truncate.
    if (static_cast<std::uint32_t>(sh * 16) > static_cast<std::uint32_t>(sw * 9)) {
        g.width = sw;
        g.height = sw * 9 / 16;
    } else {
        g.height = sh;
        g.width = sh * 16 / 9;
    }
    g.x = 0;
    g.y = static_cast<int>(static_cast<std::uint32_t>(sh - g.height) / 2u);
    return g;
}

WindowGeometry fitFramedWindow(const ScreenRect& area, const FrameExtents& frame) {
    const int horizontal = frame.left + frame.right;
    const int vertical = frame.top + frame.bottom;
    WindowGeometry g =
        fitWindow(std::max(area.width - horizontal, 1), std::max(area.height - vertical, 1));
    const int framedHeight = g.height + vertical;
    g.x = area.x;
    g.y = area.y + std::max(area.height - framedHeight, 0) / 2;
    return g;
}
