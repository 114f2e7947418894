#include "harness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

int xErrorIgnorer(Display*, XErrorEvent*) {
    return 0;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The viewable window named name under parent, searched down to the depth
// where window managers put their clients (inside a frame or two), or 0.
Window findWindow(Display* d, Window parent, const std::string& name, int depth = 3) {
    Window rootReturn = 0;
    Window grandparent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, parent, &rootReturn, &grandparent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        // The deepest match first: a frame drawn by another client (mutter's
        // own frames since GNOME 44) carries the title of the window it holds.
        if (depth > 1) found = findWindow(d, children[i], name, depth - 1);
        char* title = nullptr;
        if (!found && XFetchName(d, children[i], &title) && title) {
            XWindowAttributes a;
            if (name == title && XGetWindowAttributes(d, children[i], &a) &&
                a.map_state == IsViewable) {
                found = children[i];
            }
        }
        if (title) XFree(title);
    }
    if (children) XFree(children);
    return found;
}

}  // namespace

void sleepSeconds(double s) {
    std::this_thread::sleep_for(std::chrono::duration<double>(s));
}

void stopChild(pid_t& pid) {
    if (pid <= 0) return;
    // The group goes too when the child leads one (window managers and their
    // helpers); otherwise this is the child alone.
    const bool leader = getpgid(pid) == pid;
    kill(leader ? -pid : pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            if (leader) kill(-pid, SIGKILL);  // helpers that outlived it
            pid = -1;
            return;
        }
        sleepSeconds(0.02);
    }
    kill(leader ? -pid : pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

XScreen::~XScreen() {
    disconnect();
}

void XScreen::connect(const std::string& name) {
    name_ = name;
    display_ = XOpenDisplay(name_.c_str());
    XSetErrorHandler(xErrorIgnorer);  // windows may vanish while we look at them
}

void XScreen::disconnect() {
    if (display_) XCloseDisplay(display_);
    display_ = nullptr;
}

XvfbScreen::XvfbScreen(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDERR_FILENO);
        dup2(devnull, STDOUT_FILENO);
        const std::string fd = std::to_string(fds[1]);
        // -noreset: a layout set with setxkbmap stays when its client leaves.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "+extension", "GLX", "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) return;
    connect(":" + number);
}

XvfbScreen::~XvfbScreen() {
    disconnect();
    stopChild(pid_);
}

void Image::meanColour(int x0, int y0, int x1, int y1, double out[3]) const {
    double sum[3] = {0, 0, 0};
    long n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = at(x, y);
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
            ++n;
        }
    }
    for (int c = 0; c < 3; ++c) out[c] = n ? sum[c] / n : 0.0;
}

double differingFraction(const Image& a, const Image& b, int tolerance) {
    if (a.width != b.width || a.height != b.height || a.rgb.empty()) return 1.0;
    long differing = 0;
    for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
        for (int c = 0; c < 3; ++c) {
            if (std::abs(a.rgb[i + c] - b.rgb[i + c]) > tolerance) {
                ++differing;
                break;
            }
        }
    }
    return static_cast<double>(differing) / (a.rgb.size() / 3);
}

Program::Program(const XScreen& screen, const std::vector<std::string>& args,
                 const std::string& workingDirectory, const std::string& program)
    : screen_(screen) {
    char outTemplate[] = "/tmp/velmora-e2e-out-XXXXXX";
    char errTemplate[] = "/tmp/velmora-e2e-err-XXXXXX";
    const int outFd = mkstemp(outTemplate);
    const int errFd = mkstemp(errTemplate);
    outPath_ = outTemplate;
    errPath_ = errTemplate;
    const std::string binary = program.empty() ? programPath() : program;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        const int devnull = open("/dev/null", O_RDONLY);
        dup2(devnull, STDIN_FILENO);
        setenv("DISPLAY", screen.name().c_str(), 1);
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) _exit(126);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(binary.c_str()));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    close(outFd);
    close(errFd);
}

Program::~Program() {
    stopChild(pid_);
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

bool Program::waitForWindow(double seconds) {
    Display* d = screen_.display();
    return waitUntil(
        [&] {
            window_ = findWindow(d, DefaultRootWindow(d), "Velmora");
            return window_ != 0;
        },
        seconds);
}

std::string Program::title() const {
    char* name = nullptr;
    std::string t;
    if (XFetchName(screen_.display(), window_, &name) && name) {
        t = name;
        XFree(name);
    }
    return t;
}

Geometry Program::geometry() const {
    Display* d = screen_.display();
    XSync(d, False);
    XWindowAttributes a{};
    XGetWindowAttributes(d, window_, &a);
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(d, window_, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return Geometry{x, y, a.width, a.height};
}

Image Program::screenshot() const {
    Display* d = screen_.display();
    const Geometry g = geometry();
    Image img;
    XImage* x = XGetImage(d, window_, 0, 0, g.width, g.height, AllPlanes, ZPixmap);
    if (!x) return img;
    img.width = g.width;
    img.height = g.height;
    img.rgb.resize(static_cast<std::size_t>(g.width) * g.height * 3);
    for (int yy = 0; yy < g.height; ++yy) {
        for (int xx = 0; xx < g.width; ++xx) {
            const unsigned long p = XGetPixel(x, xx, yy);
            std::uint8_t* o = &img.rgb[(static_cast<std::size_t>(yy) * g.width + xx) * 3];
            o[0] = static_cast<std::uint8_t>((p >> 16) & 0xFF);
            o[1] = static_cast<std::uint8_t>((p >> 8) & 0xFF);
            o[2] = static_cast<std::uint8_t>(p & 0xFF);
        }
    }
    XDestroyImage(x);
    return img;
}

unsigned long Program::centrePixel() const {
    const Geometry g = geometry();
    XImage* x =
        XGetImage(screen_.display(), window_, g.width / 2, g.height / 2, 1, 1, AllPlanes, ZPixmap);
    if (!x) return 0;
    const unsigned long p = XGetPixel(x, 0, 0) & 0xFFFFFF;
    XDestroyImage(x);
    return p;
}

void Program::closeWindow() const {
    Display* d = screen_.display();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window_;
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window_, False, NoEventMask, &e);
    XFlush(d);
}

int Program::waitForExit(double seconds) {
    int status = 0;
    const bool ended =
        waitUntil([&] { return pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_; }, seconds);
    if (!ended) return -1;
    pid_ = -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

bool Program::running() {
    return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0;
}

double Program::cpuSeconds() const {
    std::ifstream in("/proc/" + std::to_string(pid_) + "/stat");
    std::string stat;
    std::getline(in, stat);
    // Fields after the command name, which sits in parentheses and may hold spaces.
    std::istringstream rest(stat.substr(stat.rfind(')') + 2));
    std::string field;
    unsigned long long utime = 0;
    unsigned long long stime = 0;
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return static_cast<double>(utime + stime) / sysconf(_SC_CLK_TCK);
}

std::string Program::output() const {
    return readFile(outPath_);
}
std::string Program::errorOutput() const {
    return readFile(errPath_);
}

void Program::xdotool(const std::string& arguments) const {
    const std::string command = "DISPLAY=" + screen_.name() + " xdotool " + arguments;
    if (std::system(command.c_str()) != 0) std::fprintf(stderr, "failed: %s\n", command.c_str());
}

void Program::press(const std::string& key, double seconds) const {
    keyDown(key);
    sleepSeconds(seconds);
    keyUp(key);
}

bool Program::goesIdle(double withinSeconds) const {
    // Each try takes a second of its own, so the deadline is counted in tries.
    for (double waited = 0.0; waited < withinSeconds; waited += 1.0) {
        const double before = cpuSeconds();
        sleepSeconds(1.0);
        if (cpuSeconds() - before < 0.03) return true;
    }
    return false;
}

std::vector<double> flightDistances(const std::string& output) {
    std::istringstream lines(output);
    std::vector<double> distances;
    for (std::string line; std::getline(lines, line);) {
        char* end = nullptr;
        const double d = std::strtod(line.c_str(), &end);
        if (end != line.c_str() && *end == '\0') distances.push_back(d);
    }
    return distances;
}

std::string programPath() {
    // VELMORA_PROGRAM points the tests and benchmarks at another build.
    const char* other = std::getenv("VELMORA_PROGRAM");
    return other != nullptr && *other != '\0' ? other : VELMORA_BINARY;
}

std::string dataDirectory() {
    return VELMORA_DATA_DIR;
}

bool setKeyboardLayout(const XScreen& screen, const std::string& setxkbmapArguments) {
    const std::string command = "DISPLAY=" + screen.name() + " setxkbmap " + setxkbmapArguments;
    return std::system(command.c_str()) == 0;
}
