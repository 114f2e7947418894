#include "desktop_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/x11/properties.h"

namespace {

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

// Starts argv in a process group of its own with the given environment
// additions, its output going to log.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::string& log) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    setpgid(0, 0);
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, STDOUT_FILENO);
    dup2(out, STDERR_FILENO);
    const int devnull = open("/dev/null", O_RDONLY);
    dup2(devnull, STDIN_FILENO);
    for (const std::string& e : environment) putenv(const_cast<char*>(e.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

Geometry geometryOf(Display* d, Window w) {
    XWindowAttributes a{};
    XGetWindowAttributes(d, w, &a);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return Geometry{x, y, a.width, a.height};
}

bool hasState(Display* d, Window w, const char* state) {
    const Atom atom = XInternAtom(d, state, False);
    for (long a : longProperty(d, w, "_NET_WM_STATE")) {
        if (static_cast<Atom>(a) == atom) return true;
    }
    return false;
}

// focus is window, inside it, or its frame.
bool focusIsOn(Display* d, Window focus, Window window) {
    for (Window w = focus; w; w = parentOf(d, w)) {
        if (w == window) return true;
    }
    for (Window w = window; w; w = parentOf(d, w)) {
        if (w == focus) return true;
    }
    return false;
}

}  // namespace

std::string nameOf(WindowManager wm) {
    switch (wm) {
        case WindowManager::Openbox:
            return "openbox";
        case WindowManager::Xfwm4:
            return "xfwm4";
        case WindowManager::Mutter:
            return "mutter";
        case WindowManager::Weston:
            return "weston";
    }
    return "";
}

void PrintTo(WindowManager wm, std::ostream* out) {
    *out << nameOf(wm);
}

DesktopScreen::DesktopScreen(WindowManager wm, int width, int height) {
    char logTemplate[] = "/tmp/velmora-desktop-log-XXXXXX";
    const int fd = mkstemp(logTemplate);
    if (fd >= 0) close(fd);
    log_ = logTemplate;
    const bool started = wm == WindowManager::Weston ? startWeston(width, height)
                                                     : startXWindowManager(wm, width, height);
    if (started && !waitForManager(20.0)) {
        std::ifstream in(log_);
        std::ostringstream text;
        text << in.rdbuf();
        failure_ = nameOf(wm) + " did not start managing windows; its log:\n" + text.str();
    }
}

DesktopScreen::~DesktopScreen() {
    disconnect();
    stopChild(manager_);
    delete xvfb_;
    unlink(log_.c_str());
    if (!runtimeDirectory_.empty()) {
        const std::string clear = "rm -rf '" + runtimeDirectory_ + "'";
        if (std::system(clear.c_str()) != 0) {
        }
    }
}

bool DesktopScreen::startXWindowManager(WindowManager wm, int width, int height) {
    std::vector<std::string> argv;
    switch (wm) {
        case WindowManager::Openbox:
            argv = {"openbox", "--sm-disable"};
            break;
        case WindowManager::Xfwm4:
            // Its settings come over D-Bus (xfconf): a session bus of its own.
            argv = {"dbus-run-session", "--", "xfwm4", "--compositor=off", "--sm-client-disable"};
            break;
        case WindowManager::Mutter:
            argv = {"dbus-run-session", "--", "mutter", "--x11", "--replace", "--sm-disable"};
            break;
        case WindowManager::Weston:
            break;
    }
    std::vector<std::pair<std::string, std::string>> needed{{nameOf(wm), nameOf(wm)}};
    if (argv[0] == "dbus-run-session") needed.push_back({"dbus-run-session", "dbus-daemon"});
    for (const auto& [program, package] : needed) {
        if (!onPath(program)) {
            missing_ = true;
            failure_ = program + " is not installed (Debian package " + package + ")";
            return false;
        }
    }
    xvfb_ = new XvfbScreen(width, height);
    if (!xvfb_->ok()) {
        failure_ = "Xvfb did not start";
        return false;
    }
    manager_ = spawn(argv, {"DISPLAY=" + xvfb_->name(), "NO_AT_BRIDGE=1"}, log_);
    connect(xvfb_->name());
    return ok();
}

bool DesktopScreen::startWeston(int width, int height) {
    for (const char* program : {"weston", "Xwayland"}) {
        if (!onPath(program)) {
            missing_ = true;
            failure_ = std::string(program) + " is not installed (Debian package " +
                       (std::string(program) == "weston" ? "weston" : "xwayland") + ")";
            return false;
        }
    }
    if (FILE* version = popen("weston --version 2>/dev/null", "r")) {
        if (std::fscanf(version, "weston %d", &westonVersion_) != 1) westonVersion_ = 0;
        pclose(version);
    }
    char runtimeTemplate[] = "/tmp/velmora-weston-XXXXXX";  // mode 0700, as Wayland wants
    if (!mkdtemp(runtimeTemplate)) return false;
    runtimeDirectory_ = runtimeTemplate;
    mkdir("/tmp/.X11-unix", 01777);  // where Xwayland's socket goes; there on most systems
    const std::string socket = "velmora-" + std::to_string(getpid());
    manager_ = spawn(
        {"weston", "--backend=headless-backend.so", "--width=" + std::to_string(width),
         "--height=" + std::to_string(height), "--xwayland", "--socket=" + socket, "--idle-time=0"},
        {"XDG_RUNTIME_DIR=" + runtimeDirectory_, "DISPLAY=", "WAYLAND_DISPLAY="}, log_);
    // weston names the display it gave Xwayland in its log.
    const std::string listening = "xserver listening on display :";
    std::string display;
    waitUntil(
        [&] {
            std::ifstream in(log_);
            std::ostringstream text;
            text << in.rdbuf();
            const std::string all = text.str();
            const std::size_t at = all.find(listening);
            if (at == std::string::npos) return false;
            const std::size_t digits = at + listening.size() - 1;  // from the colon
            const std::size_t end = all.find_first_not_of("0123456789", digits + 1);
            if (end > digits + 1) display = all.substr(digits, end - digits);
            return !display.empty();
        },
        15.0);
    if (display.empty()) {
        failure_ = "weston did not start Xwayland";
        return false;
    }
    connect(display);  // Xwayland starts on this first connection
    return ok();
}

bool DesktopScreen::waitForManager(double seconds) {
    Display* d = display();
    return waitUntil(
        [&] { return !longProperty(d, DefaultRootWindow(d), "_NET_SUPPORTING_WM_CHECK").empty(); },
        seconds);
}

ManagedWindow managedWindow(const XScreen& screen, unsigned long window) {
    Display* d = screen.display();
    XSync(d, False);
    ManagedWindow m;
    m.client = geometryOf(d, window);
    m.frame = m.client;
    const std::vector<long> extents = longProperty(d, window, "_NET_FRAME_EXTENTS");
    if (extents.size() >= 4) {
        m.frame.x -= static_cast<int>(extents[0]);
        m.frame.y -= static_cast<int>(extents[2]);
        m.frame.width += static_cast<int>(extents[0] + extents[1]);
        m.frame.height += static_cast<int>(extents[2] + extents[3]);
    } else {
        Window top = window;
        while (Window parent = parentOf(d, top)) top = parent;
        m.frame = geometryOf(d, top);
    }
    m.maximised = hasState(d, window, "_NET_WM_STATE_MAXIMIZED_VERT") ||
                  hasState(d, window, "_NET_WM_STATE_MAXIMIZED_HORZ");
    m.fullScreen = hasState(d, window, "_NET_WM_STATE_FULLSCREEN");
    return m;
}

unsigned long createOtherWindow(const XScreen& screen, const std::string& title) {
    Display* d = screen.display();
    const int width = 400;
    const int height = 300;
    // Centred, where a pointer left alone rests: where nobody sets the focus
    // (weston's Xwayland without a keyboard), the keys go to it there.
    const int x = (DisplayWidth(d, DefaultScreen(d)) - width) / 2;
    const int y = (DisplayHeight(d, DefaultScreen(d)) - height) / 2;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), x, y, width, height, 0, 0,
                                         WhitePixel(d, DefaultScreen(d)));
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = x;
    hints.y = y;
    hints.width = width;
    hints.height = height;
    XSetWMNormalHints(d, w, &hints);
    XStoreName(d, w, title.c_str());
    XSelectInput(d, w, KeyPressMask | KeyReleaseMask);
    XMapRaised(d, w);
    XSync(d, False);
    waitUntil(
        [&] {
            XWindowAttributes a{};
            return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
        },
        5.0);
    return w;
}

void destroyWindow(const XScreen& screen, unsigned long window) {
    XDestroyWindow(screen.display(), window);
    XSync(screen.display(), False);
}

bool keysGoTo(const XScreen& screen, unsigned long window) {
    Display* d = screen.display();
    XSync(d, False);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    if (focus == None) return false;
    if (focus == PointerRoot || focus == DefaultRootWindow(d)) {
        Window root = 0;
        Window child = 0;
        int rx = 0, ry = 0, wx = 0, wy = 0;
        unsigned int mask = 0;
        XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rx, &ry, &wx, &wy, &mask);
        return child && focusIsOn(d, window, child);
    }
    return focusIsOn(d, focus, window);
}

bool focusWindow(const XScreen& screen, unsigned long window) {
    Display* d = screen.display();
    const Window root = DefaultRootWindow(d);
    auto focused = [&] { return keysGoTo(screen, window); };
    if (!longProperty(d, root, "_NET_SUPPORTING_WM_CHECK").empty()) {
        // As a task bar asks for it (source 2: a pager), which managers honour.
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = window;
        e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = 2;
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(d);
        if (waitUntil(focused, 2.0)) return true;
    }
    // Nobody gives the focus (a bare server): set it.
    XSetInputFocus(d, window, RevertToParent, CurrentTime);
    return waitUntil(focused, 1.0);
}
