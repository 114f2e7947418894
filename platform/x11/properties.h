// Reading and writing window properties on the program's own X connection,
// for the X11 sources of the desktop, focus and identity interfaces.
#pragma once

#include <X11/Xlib.h>

#include <vector>

// A 32-bit property (CARDINAL, WINDOW, ATOM ...) as longs, Xlib's format-32
// representation; empty when missing or of another format.
std::vector<long> longProperty(Display* d, Window w, const char* name);

// The top-level ancestor of w (a child of the root): its frame, or w itself
// where nothing reparented it; 0 when w is gone.
Window topLevelOf(Display* d, Window w);

// The parent of w, or 0 at the root or when w is gone.
Window parentOf(Display* d, Window w);

// Runs f with X errors ignored (a window may vanish while we look at it).
template <typename F>
void ignoringErrors(Display* d, F f) {
    XSync(d, False);
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    f();
    XSync(d, False);
    XSetErrorHandler(previous);
}
