// A desktop as users run the program on: a window manager on a private X
// server (openbox, xfwm4, mutter), or weston with Xwayland on its headless
// back end, a Wayland session. Everything is started in process groups of its
// own and stopped by pid.
#pragma once

#include <ostream>
#include <string>

#include "harness.h"

enum class WindowManager { Openbox, Xfwm4, Mutter, Weston };

std::string nameOf(WindowManager wm);
// How GoogleTest names the parameter in test listings.
void PrintTo(WindowManager wm, std::ostream* out);

class DesktopScreen : public XScreen {
  public:
    DesktopScreen(WindowManager wm, int width, int height);
    ~DesktopScreen() override;

    // Why the desktop could not be started ("" when it runs): a missing
    // program is said with the Debian package that brings it.
    const std::string& failure() const { return failure_; }
    bool missingProgram() const { return missing_; }
    // weston's major version (10 on Debian 12, 14 on Debian 13); 0 for the others.
    int westonVersion() const { return westonVersion_; }

  private:
    bool startXWindowManager(WindowManager wm, int width, int height);
    bool startWeston(int width, int height);
    bool waitForManager(double seconds);

    XvfbScreen* xvfb_ = nullptr;  // the X server under an X11 window manager
    pid_t manager_ = -1;          // the manager's process group
    std::string runtimeDirectory_;
    std::string log_;
    std::string failure_;
    bool missing_ = false;
    int westonVersion_ = 0;
};

// What the window manager says about a client window and its frame.
struct ManagedWindow {
    Geometry client;  // the client area on the screen
    Geometry frame;   // the framed window: the client and the manager's frame extents
    bool maximised = false;
    bool fullScreen = false;
};

ManagedWindow managedWindow(const XScreen& screen, unsigned long window);

// A plain window of the tests' own, another X client to type into, in the
// middle of the screen.
unsigned long createOtherWindow(const XScreen& screen, const std::string& title);
void destroyWindow(const XScreen& screen, unsigned long window);

// Whether keys typed now go to window: the X focus is on it, inside it or on
// its frame; or nobody holds the focus (PointerRoot: weston's Xwayland without
// a keyboard resets it there) and the pointer is over it.
bool keysGoTo(const XScreen& screen, unsigned long window);

// Gives it the keyboard focus as a task bar does (the manager's active
// window), or sets the X focus where nobody manages it; true once keysGoTo.
bool focusWindow(const XScreen& screen, unsigned long window);
