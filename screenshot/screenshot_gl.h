// Reads the frame just drawn, before it is swapped to the screen.
#pragma once

#include "screenshot/screenshot.h"

// The back buffer's pixels over the viewport (x, y, width, height), rows from
// the top. Expects a current GL context with the frame drawn; changes the
// pack alignment to 1 and the read buffer to GL_BACK, and leaves them so.
FramePixels readFrame(int x, int y, int width, int height);
