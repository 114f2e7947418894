// The window's identity for docks, task bars and window switchers: its class
// (matched against the desktop entry), its process and its icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WindowIcon {
    int width = 0;  // pixels
    int height = 0;
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, not premultiplied; rows from the top
};

struct WindowIdentity {
    std::string instanceName;       // X11 WM_CLASS's first part: "velmora"
    std::string className;          // its second part, the desktop entry's StartupWMClass
    std::vector<WindowIcon> icons;  // the same picture at several sizes, largest first
};

// Sets it on the window whose GL context is current; on X11 also its process
// id and host (_NET_WM_PID, WM_CLIENT_MACHINE).
void setWindowIdentity(const WindowIdentity& identity);
