#include "platform/desktop.h"

#include <windows.h>

namespace {

// The window whose GL context is current (freeglut's).
HWND ourWindow() {
    const HDC dc = wglGetCurrentDC();
    return dc != nullptr ? WindowFromDC(dc) : nullptr;
}

}  // namespace

// Windows always has its window manager: the work area leaves out the task
// bar, the frame is that of freeglut's top-level style, and freeglut's full
// screen gives back the window as it was.
Desktop readDesktop(const char*) {
    Desktop desktop;
    desktop.managed = true;
    desktop.fullScreenState = true;
    RECT area{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
        desktop.workArea = {area.left, area.top, area.right - area.left, area.bottom - area.top};
    } else {
        desktop.workArea = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    RECT frame{0, 0, 0, 0};
    if (AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0)) {
        desktop.frame = {-frame.left, frame.right, -frame.top, frame.bottom};
    }
    return desktop;
}

bool shownFrameExtents(FrameExtents& frame) {
    const HWND window = ourWindow();
    RECT outer{};
    RECT client{};
    POINT origin{0, 0};
    if (window == nullptr || !GetWindowRect(window, &outer) || !GetClientRect(window, &client) ||
        !ClientToScreen(window, &origin)) {
        return false;
    }
    frame.left = origin.x - outer.left;
    frame.top = origin.y - outer.top;
    frame.right = outer.right - (origin.x + client.right);
    frame.bottom = outer.bottom - (origin.y + client.bottom);
    return true;
}

bool windowIsMaximised() {
    const HWND window = ourWindow();
    return window != nullptr && IsZoomed(window);
}
