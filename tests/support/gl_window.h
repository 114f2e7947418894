// One GLUT window per test process, for tests that read OpenGL state and
// pixels back from a real context (Xvfb + Mesa under scripts/with-xvfb).
// Double-buffered with depth: draw, then glReadPixels from the back buffer.
#pragma once

#include <GL/freeglut.h>

#include <cstdlib>

namespace test_gl {

constexpr int kWindowSize = 64;  // pixels, square

inline int window = 0;  // GLUT's id of the test window; 0 while there is none

// Ends the window, its context and freeglut's display connection, so that
// llvmpipe's threads and JIT code are gone before static destructors run:
// LLVM's own statics crash when they are destroyed under a live context.
// gl_test_main.cpp calls it once the tests have run; at exit it is the
// fallback for a test that ends the process itself.
inline void destroyContext() {
    if (window == 0) return;
    window = 0;
    if (glutGet(GLUT_INIT_STATE)) glutExit();  // destroys the window and closes the display
}

// Creates the window and its context on first use; later calls make sure it
// is current again, drawing to and reading from the back buffer over the
// whole window.
inline void ensureContext() {
    if (window == 0) {
        int argc = 1;
        char name[] = "velmora-test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(kWindowSize, kWindowSize);
        window = glutCreateWindow("velmora-test");
        static const bool registered = std::atexit(destroyContext) == 0;
        (void)registered;
    }
    glutSetWindow(window);
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
