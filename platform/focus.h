// Whether the program's window has the keyboard focus: keys count only then.
#pragma once

// For the window whose GL context is current. X11: the input focus is that
// window, a window inside it, or its frame; or, where nobody sets the focus
// (PointerRoot, a bare server), the pointer is over it. True when there is no
// connection or no window to ask about.
bool windowHasKeyboardFocus();
