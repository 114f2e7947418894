#include "platform/display.h"

#include <X11/Xlib.h>

#include <cstdlib>

std::string displayToOpen(const std::string& name) {
    if (!name.empty()) return name;
    const char* env = std::getenv("DISPLAY");
    return env ? env : "";
}

bool canOpenDisplay(const std::string& name) {
    const std::string target = displayToOpen(name);
    if (target.empty()) return false;
    return XOpenDisplay(target.c_str()) != nullptr;  // left open: see the header
}
