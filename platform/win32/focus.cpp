#include "platform/focus.h"

#include <windows.h>

// The foreground window is the one that gets the keys; ours is the top-level
// window of the current GL context (freeglut's).
bool windowHasKeyboardFocus() {
    const HDC dc = wglGetCurrentDC();
    const HWND ours = dc != nullptr ? WindowFromDC(dc) : nullptr;
    if (ours == nullptr) return true;
    return GetForegroundWindow() == GetAncestor(ours, GA_ROOT);
}
