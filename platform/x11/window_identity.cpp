#include "platform/window_identity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <limits.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/x11/connection.h"

void setWindowIdentity(const WindowIdentity& identity) {
    Display* d = x11Connection();
    const Window window = glXGetCurrentDrawable();
    if (!d || !window) return;

    std::string instance = identity.instanceName;
    std::string className = identity.className;
    XClassHint hint{instance.data(), className.data()};
    XSetClassHint(d, window, &hint);

    const long pid = static_cast<long>(getpid());
    XChangeProperty(d, window, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        XChangeProperty(d, window, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(host),
                        static_cast<int>(std::strlen(host)));
    }

    // _NET_WM_ICON: width, height, then the pixels, for each size; format 32
    // travels as longs in Xlib.
    std::vector<long> icon;
    for (const WindowIcon& image : identity.icons) {
        icon.push_back(image.width);
        icon.push_back(image.height);
        icon.insert(icon.end(), image.argb.begin(), image.argb.end());
    }
    const Atom iconAtom = XInternAtom(d, "_NET_WM_ICON", False);
    if (icon.empty()) {
        XDeleteProperty(d, window, iconAtom);
    } else {
        XChangeProperty(d, window, iconAtom, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(icon.data()),
                        static_cast<int>(icon.size()));
    }
    XFlush(d);
}
