// Fits the 16:9 window to the screen: full width on a screen taller than 16:9
// (centred vertically), full height otherwise (at x = 0, not centred).
#pragma once

#include "platform/desktop.h"

struct WindowGeometry {
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
};

WindowGeometry fitWindow(int screenWidth, int screenHeight);

// The same rule on a desktop with a window manager. The area is the usable
// work area (screen pixels, panels and docks left out); the frame is what the
// manager adds around the window on each side. The client area is fitted to the
// area less the frame, and the framed window is placed by the rule inside the
// area: at its left edge, centred vertically. width and height are the client
// area's; x and y the framed window's top-left corner, which is where a
// window manager puts the frame when asked for that position (north-west
// gravity).
WindowGeometry fitFramedWindow(const ScreenRect& workArea, const FrameExtents& frame);
