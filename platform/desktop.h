// The desktop the window opens on: whether a window manager runs, the part of
// the screen it leaves to windows, and the frame it draws around them.
#pragma once

struct ScreenRect {
    int x = 0;  // screen pixels
    int y = 0;
    int width = 0;
    int height = 0;
};

// What a window manager adds around the client area on each side, in pixels.
struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

struct Desktop {
    bool managed = false;          // a window manager runs
    bool fullScreenState = false;  // it makes a window full screen on request and restores it
    ScreenRect workArea;           // the current desktop's usable area; the screen when not told
    FrameExtents frame;            // its frame for a normal top-level window; zero when not told
};

// Read before the program's window exists (X11: on the program's own
// connection, which this opens; displayName nullptr for $DISPLAY). Without a
// window manager: managed false, the whole screen, no frame.
Desktop readDesktop(const char* displayName);

// The frame around the program's window (the one whose GL context is current)
// as the window manager drew it; false when there is none to measure.
bool shownFrameExtents(FrameExtents& frame);

// What the program's window takes up beyond the frame as drawn, on each side
// (Windows 10 and 11: invisible resize borders; elsewhere none). A window
// asked for at (x, y) draws its frame at (x + left, y + top).
FrameExtents invisibleBorders();

// Whether the window manager keeps the program's window maximised or full
// screen, whatever size the program asked for.
bool windowIsMaximised();
