#include "platform/x11/connection.h"

#include <X11/Xlib.h>

namespace {
Display* connection = nullptr;
}

Display* openX11Connection(const char* displayName) {
    if (!connection) connection = XOpenDisplay(displayName);
    return connection;
}

Display* x11Connection() {
    return connection;
}
