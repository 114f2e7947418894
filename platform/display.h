// Whether the X display opens at all, asked before start-up: without one,
// freeglut would end the process with its own bare "failed to open display".
#pragma once

#include <string>

// The display a window would open on: `name` (GLUT's -display) when given,
// else $DISPLAY; "" when neither is set.
std::string displayToOpen(const std::string& name);

// True when a connection to that display opens. The connection stays open
// until the process ends: were it the server's only client, closing it would
// make a fresh X server (Xvfb, xvfb-run) reset just as GLUT connects.
bool canOpenDisplay(const std::string& name);
