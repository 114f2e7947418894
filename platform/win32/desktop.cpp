#include "platform/desktop.h"

#include <dwmapi.h>
#include <windows.h>

// velmora.exe declares per-monitor (v2) DPI awareness in its manifest
// (packaging/windows/velmora.manifest): every size and position here is in
// the screen's own pixels, and the frame must be the one drawn at the
// screen's scaling, not at 100 %.

namespace {

// The window whose GL context is current (freeglut's).
HWND ourWindow() {
    const HDC dc = wglGetCurrentDC();
    return dc != nullptr ? WindowFromDC(dc) : nullptr;
}

// A user32 function that older Windows lack (null there).
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

// The frame of freeglut's top-level style at the primary screen's scaling
// (the window opens there). Windows before 10 (1607) scale the whole
// desktop alike, and AdjustWindowRectEx gives that frame.
RECT frameOfStyle() {
    using GetDpiForSystem = UINT(WINAPI*)();
    using AdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    const auto dpiForSystem = user32Function<GetDpiForSystem>("GetDpiForSystem");
    const auto adjustForDpi = user32Function<AdjustWindowRectExForDpi>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    const bool done = dpiForSystem != nullptr && adjustForDpi != nullptr
                          ? adjustForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpiForSystem())
                          : AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return done ? frame : RECT{0, 0, 0, 0};
}

// The window's rectangle and the part of it that is drawn. Windows 10 and 11
// put invisible resize borders around the drawn frame, inside the window's
// rectangle; the desktop window manager reports the drawn bounds. Where it
// does not (no composition, Wine), the rectangle is all drawn.
bool windowBounds(HWND window, RECT& outer, RECT& drawn) {
    if (!GetWindowRect(window, &outer)) return false;
    if (FAILED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &drawn, sizeof drawn)) ||
        drawn.right <= drawn.left || drawn.bottom <= drawn.top) {
        drawn = outer;
    }
    return true;
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
    const RECT frame = frameOfStyle();
    desktop.frame = {-frame.left, frame.right, -frame.top, frame.bottom};
    return desktop;
}

bool shownFrameExtents(FrameExtents& frame) {
    const HWND window = ourWindow();
    RECT outer{};
    RECT drawn{};
    RECT client{};
    POINT origin{0, 0};
    if (window == nullptr || !windowBounds(window, outer, drawn) ||
        !GetClientRect(window, &client) || !ClientToScreen(window, &origin)) {
        return false;
    }
    frame.left = origin.x - drawn.left;
    frame.top = origin.y - drawn.top;
    frame.right = drawn.right - (origin.x + client.right);
    frame.bottom = drawn.bottom - (origin.y + client.bottom);
    return true;
}

FrameExtents invisibleBorders() {
    const HWND window = ourWindow();
    RECT outer{};
    RECT drawn{};
    if (window == nullptr || !windowBounds(window, outer, drawn)) return {};
    return {drawn.left - outer.left, outer.right - drawn.right, drawn.top - outer.top,
            outer.bottom - drawn.bottom};
}

bool windowIsMaximised() {
    const HWND window = ourWindow();
    return window != nullptr && IsZoomed(window);
}
