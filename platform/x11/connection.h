// The program's own connection to the X server, beside GLUT's: key polling,
// the keyboard focus, the desktop's properties and the window's identity go
// through it. X11 only; the interfaces in the other headers hide it.
#pragma once

struct _XDisplay;  // Xlib's Display, declared here so that users need not include Xlib

// Opens the connection once (nullptr: $DISPLAY) and keeps it until the process
// ends; later calls return the same one. Null when the display cannot be opened.
_XDisplay* openX11Connection(const char* displayName);

// The connection opened before, or null.
_XDisplay* x11Connection();
