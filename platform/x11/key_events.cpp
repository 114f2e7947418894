#include "platform/key_events.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>

bool reportRepeatsAsPressesOnly() {
    // GLUT's own connection, whose events the window receives.
    Display* d = glXGetCurrentDisplay();
    if (!d) return false;
    Bool supported = False;
    XkbSetDetectableAutoRepeat(d, True, &supported);
    return supported;
}
