// Runs the real program as a user meets it: a private Xvfb screen, the binary
// in a window, key events through xdotool, and the screen read back by pixels.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;  // Xlib's Display, declared here so the tests need not include Xlib

// An X display the program runs on, with the tests' own connection to it.
class XScreen {
  public:
    XScreen() = default;
    virtual ~XScreen();
    XScreen(const XScreen&) = delete;
    XScreen& operator=(const XScreen&) = delete;

    bool ok() const { return display_ != nullptr; }
    const std::string& name() const { return name_; }
    _XDisplay* display() const { return display_; }

  protected:
    // Connects to name (":N"); errors on the connection are ignored from then
    // on, since windows may vanish while the tests look at them.
    void connect(const std::string& name);
    void disconnect();

  private:
    std::string name_;
    _XDisplay* display_ = nullptr;
};

// A private X server on a free display number, stopped by its own pid.
class XvfbScreen : public XScreen {
  public:
    XvfbScreen(int width, int height);
    ~XvfbScreen() override;

  private:
    pid_t pid_ = -1;
};

// Ends a child and its process group (a child started in a group of its own),
// by its pid: SIGTERM, then SIGKILL after two seconds. Sets pid to -1.
void stopChild(pid_t& pid);

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows from the top, 3 bytes a pixel

    const std::uint8_t* at(int x, int y) const { return &rgb[(y * width + x) * 3u]; }
    // Mean of each channel over a rectangle.
    void meanColour(int x0, int y0, int x1, int y1, double out[3]) const;
};

// Fraction of pixels whose channels differ by more than tolerance.
double differingFraction(const Image& a, const Image& b, int tolerance = 8);

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The program, started with args on the given screen; stdout and stderr go to
// files that the test can read. Killed (by its pid) when it goes out of scope.
// `binary` "" is the build's own program (programPath()).
class Program {
  public:
    Program(const XScreen& screen, const std::vector<std::string>& args,
            const std::string& workingDirectory = "", const std::string& binary = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Waits until a window titled "Velmora" is mapped, at the top or inside a
    // window manager's frame; false on time-out.
    bool waitForWindow(double seconds = 20.0);
    unsigned long window() const { return window_; }
    std::string title() const;
    Geometry geometry() const;
    Image screenshot() const;  // the window's contents
    // The centre pixel of the window, as 0xRRGGBB; cheap enough to poll.
    unsigned long centrePixel() const;
    bool running();
    pid_t pid() const { return pid_; }
    // Asks the window to close as a window manager does (WM_DELETE_WINDOW).
    void closeWindow() const;
    // Waits for the process to end; its exit status as the shell shows it
    // (128 + signal when killed by one), or -1 if it is still running.
    int waitForExit(double seconds);
    // User plus system CPU time of the process, in seconds.
    double cpuSeconds() const;
    std::string output() const;       // what it wrote on standard output
    std::string errorOutput() const;  // on standard error

    // xdotool: "keydown Up", "keyup Up", "key Tab" ...
    void xdotool(const std::string& arguments) const;
    void keyDown(const std::string& keys) const { xdotool("keydown " + keys); }
    void keyUp(const std::string& keys) const { xdotool("keyup " + keys); }
    // Holds a key long enough for the update loop to sample it at least once,
    // and short of the X server's auto-repeat.
    void press(const std::string& key, double seconds = 0.25) const;
    // True once the process has used (almost) no CPU for a whole second:
    // the update loop has stopped.
    bool goesIdle(double withinSeconds = 15.0) const;

  private:
    const XScreen& screen_;
    pid_t pid_ = -1;
    unsigned long window_ = 0;
    std::string outPath_;
    std::string errPath_;
};

void sleepSeconds(double s);

// Polls until pred() holds or the time runs out; returns pred()'s last value.
template <typename Pred>
bool waitUntil(Pred pred, double seconds, double step = 0.05) {
    for (double t = 0.0; t < seconds; t += step) {
        if (pred()) return true;
        sleepSeconds(step);
    }
    return pred();
}

// The numbers among the program's output lines: a flight's distances
// (start-up prints its load messages first).
std::vector<double> flightDistances(const std::string& output);

// Where the e2e tests find the program (the build's, or $VELMORA_PROGRAM) and
// the bundled scene.
std::string programPath();
std::string dataDirectory();

// Sets the screen's keyboard layout, as `setxkbmap -layout fr` would; false
// when setxkbmap fails.
bool setKeyboardLayout(const XScreen& screen, const std::string& setxkbmapArguments);
