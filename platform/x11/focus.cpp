#include "platform/focus.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <vector>

#include "platform/x11/connection.h"
#include "platform/x11/properties.h"

namespace {

// w and the windows that hold it up to the root (frames), root left out.
std::vector<Window> selfAndAncestors(Display* d, Window w) {
    std::vector<Window> chain;
    for (int depth = 0; w && depth < 16; ++depth) {
        chain.push_back(w);
        w = parentOf(d, w);
    }
    return chain;
}

bool contains(const std::vector<Window>& windows, Window w) {
    for (Window o : windows) {
        if (o == w) return true;
    }
    return false;
}

}  // namespace

bool windowHasKeyboardFocus() {
    Display* d = x11Connection();
    const Window ours = glXGetCurrentDrawable();
    if (!d || !ours) return true;
    Window focus = None;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    if (focus == ours) return true;
    if (focus == None) return false;  // keys go nowhere
    bool has = false;
    ignoringErrors(d, [&] {
        const Window root = DefaultRootWindow(d);
        if (focus == PointerRoot || focus == root) {
            // Nobody sets the focus: the window under the pointer gets the keys.
            Window rootReturn = 0;
            Window child = 0;
            int rx = 0, ry = 0, wx = 0, wy = 0;
            unsigned int mask = 0;
            if (!XQueryPointer(d, root, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask)) return;
            focus = child;  // the top-level window under the pointer, if any
            if (!focus) return;
        }
        // The focus on our frame counts, and so does a window inside ours:
        // their chains up to the root meet below it.
        const std::vector<Window> ourChain = selfAndAncestors(d, ours);
        for (Window w : selfAndAncestors(d, focus)) {
            if (contains(ourChain, w)) {
                has = true;
                return;
            }
        }
    });
    return has;
}
