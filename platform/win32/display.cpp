#include "platform/display.h"

// A Windows desktop always has its screen; GLUT's -display does not apply.
std::string displayToOpen(const std::string& name) {
    return name;
}

bool canOpenDisplay(const std::string&) {
    return true;
}
