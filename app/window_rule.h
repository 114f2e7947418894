// Fits the 16:9 window to the screen: full width on a screen taller than 16:9
// (centred vertically), full height otherwise (at x = 0, not centred).
#pragma once

struct WindowGeometry {
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
};

WindowGeometry fitWindow(int screenWidth, int screenHeight);
