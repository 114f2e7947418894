#include "platform/desktop.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/select.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#include "platform/x11/connection.h"
#include "platform/x11/properties.h"

namespace {

// How long a window manager may take to say which frame it would draw.
constexpr std::chrono::milliseconds kFrameAnswerTime{500};

// EWMH: the root names a window that names itself; a stale name is no manager.
bool managerRuns(Display* d, Window root) {
    const std::vector<long> check = longProperty(d, root, "_NET_SUPPORTING_WM_CHECK");
    if (check.empty()) return false;
    bool alive = false;
    ignoringErrors(d, [&] {
        const std::vector<long> self =
            longProperty(d, static_cast<Window>(check[0]), "_NET_SUPPORTING_WM_CHECK");
        alive = !self.empty() && self[0] == check[0];
    });
    return alive;
}

bool supports(Display* d, Window root, const char* name) {
    const Atom atom = XInternAtom(d, name, False);
    for (long a : longProperty(d, root, "_NET_SUPPORTED")) {
        if (static_cast<Atom>(a) == atom) return true;
    }
    return false;
}

FrameExtents extentsOf(const std::vector<long>& v) {
    FrameExtents f;
    if (v.size() < 4) return f;
    f.left = static_cast<int>(v[0]);
    f.right = static_cast<int>(v[1]);
    f.top = static_cast<int>(v[2]);
    f.bottom = static_cast<int>(v[3]);
    return f;
}

// The usable area of the current desktop, kept within the screen.
ScreenRect workArea(Display* d, Window root, const ScreenRect& screen) {
    const std::vector<long> area = longProperty(d, root, "_NET_WORKAREA");
    const std::vector<long> current = longProperty(d, root, "_NET_CURRENT_DESKTOP");
    const std::size_t desktop = current.empty() ? 0 : static_cast<std::size_t>(current[0]);
    if (area.size() < 4 * (desktop + 1)) return screen;
    const long* a = &area[4 * desktop];
    const long x0 = std::max<long>(a[0], 0);
    const long y0 = std::max<long>(a[1], 0);
    const long x1 = std::min<long>(a[0] + a[2], screen.width);
    const long y1 = std::min<long>(a[1] + a[3], screen.height);
    if (x1 <= x0 || y1 <= y0) return screen;
    return ScreenRect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
                      static_cast<int>(y1 - y0)};
}

// Asks the manager which frame it would put around a normal window, with an
// unmapped stand-in that is never shown; zero when no answer comes in time.
FrameExtents requestFrameExtents(Display* d, Window root) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window probe = XCreateWindow(d, root, 0, 0, 1, 1, 0, CopyFromParent, InputOutput,
                                       CopyFromParent, CWEventMask, &attributes);
    const Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = XInternAtom(d, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(d, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    XFlush(d);

    const auto deadline = std::chrono::steady_clock::now() + kFrameAnswerTime;
    bool answered = false;
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        XEvent e;
        if (XCheckTypedWindowEvent(d, probe, PropertyNotify, &e)) {
            answered = e.xproperty.atom == extents;
            continue;
        }
        const int fd = ConnectionNumber(d);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{0, 10000};  // 10 ms
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
    const FrameExtents frame = extentsOf(longProperty(d, probe, "_NET_FRAME_EXTENTS"));
    XDestroyWindow(d, probe);
    XFlush(d);
    return frame;
}

}  // namespace

Desktop readDesktop(const char* displayName) {
    Desktop desktop;
    Display* d = openX11Connection(displayName);
    if (!d) return desktop;
    const Window root = DefaultRootWindow(d);
    const ScreenRect screen{0, 0, DisplayWidth(d, DefaultScreen(d)),
                            DisplayHeight(d, DefaultScreen(d))};
    desktop.workArea = screen;
    desktop.managed = managerRuns(d, root);
    if (!desktop.managed) return desktop;
    // freeglut asks for full screen through the manager on the same condition.
    desktop.fullScreenState =
        supports(d, root, "_NET_WM_STATE") && supports(d, root, "_NET_WM_STATE_FULLSCREEN");
    desktop.workArea = workArea(d, root, screen);
    if (supports(d, root, "_NET_REQUEST_FRAME_EXTENTS")) {
        desktop.frame = requestFrameExtents(d, root);
    }
    return desktop;
}

bool shownFrameExtents(FrameExtents& frame) {
    Display* d = x11Connection();
    const Window window = glXGetCurrentDrawable();
    if (!d || !window) return false;
    bool known = false;
    ignoringErrors(d, [&] {
        const std::vector<long> told = longProperty(d, window, "_NET_FRAME_EXTENTS");
        if (told.size() >= 4) {
            frame = extentsOf(told);
            known = true;
            return;
        }
        // A manager that does not say (weston's): the window's place in its frame.
        const Window top = topLevelOf(d, window);
        XWindowAttributes outer{};
        XWindowAttributes inner{};
        if (!top || top == window || !XGetWindowAttributes(d, top, &outer) ||
            !XGetWindowAttributes(d, window, &inner)) {
            return;
        }
        int x = 0;
        int y = 0;
        Window child = 0;
        if (!XTranslateCoordinates(d, window, top, 0, 0, &x, &y, &child)) return;
        frame = FrameExtents{x, outer.width - inner.width - x, y, outer.height - inner.height - y};
        known = true;
    });
    return known;
}

// X11 window managers draw the whole frame they reserve.
FrameExtents invisibleBorders() {
    return {};
}

bool windowIsMaximised() {
    Display* d = x11Connection();
    const Window window = glXGetCurrentDrawable();
    if (!d || !window) return false;
    const Atom states[] = {XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                           XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False),
                           XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False)};
    bool maximised = false;
    ignoringErrors(d, [&] {
        for (long a : longProperty(d, window, "_NET_WM_STATE")) {
            for (Atom s : states) maximised = maximised || static_cast<Atom>(a) == s;
        }
    });
    return maximised;
}
