// One GLUT window per test process, for tests that read OpenGL state and
// pixels back from a real context (Xvfb + Mesa under scripts/with-xvfb).
// Double-buffered with depth: draw, then glReadPixels from the back buffer.
#pragma once

#include <GL/freeglut.h>

#include <cstdlib>

namespace test_gl {

constexpr int kWindowSize = 64;  // pixels, square

// Creates the window and its context on first use; later calls make sure it
// is current again, drawing to and reading from the back buffer over the
// whole window.
inline void ensureContext() {
    static bool created = false;
    if (!created) {
        int argc = 1;
        char name[] = "velmora-test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(kWindowSize, kWindowSize);
        glutCreateWindow("velmora-test");
        // Work still queued at exit would be compiled by llvmpipe while its
        // LLVM statics are being destroyed, which crashes: finish it first.
        std::atexit([] { glFinish(); });
        created = true;
    }
    glViewport(0, 0, kWindowSize, kWindowSize);
    glReadBuffer(GL_BACK);
    glDrawBuffer(GL_BACK);
}

// RGBA of the pixel at (x, y), y up from the bottom row.
struct Pixel {
    int r, g, b, a;
};
inline Pixel readPixel(int x, int y) {
    unsigned char p[4] = {0, 0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
}

}  // namespace test_gl
