#include "screenshot/screenshot_gl.h"

#include <GL/gl.h>

#include <algorithm>

FramePixels readFrame(int x, int y, int width, int height) {
    FramePixels frame;
    if (width <= 0 || height <= 0) return frame;
    frame.width = width;
    frame.height = height;
    frame.rgb.resize(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    // GL's rows go from the bottom up; a picture's from the top down.
    const size_t row = static_cast<size_t>(width) * 3;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(frame.rgb.begin() + top * row, frame.rgb.begin() + (top + 1) * row,
                         frame.rgb.begin() + bottom * row);
    return frame;
}
