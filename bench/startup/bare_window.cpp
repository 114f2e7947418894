// The floor under the program's start-up: a bare GLUT window of the program's
// size and title that makes one mipmapped DXT texture (256 × 256, from pixels
// in memory) and draws one textured quad over the window, then idles.
// startup_bench launches it like the program; any arguments are ignored.
#include <GL/freeglut.h>

#include <cstdlib>
#include <memory>

#include "app/window_rule.h"
#include "image/texture_gl.h"

namespace {

unsigned texture = 0;

void draw() {
    if (texture == 0) {
        DecodedImage image;
        image.width = image.height = 256;
        image.channels = 3;
        image.pixels = std::make_unique<std::uint8_t[]>(image.byteCount());
        for (std::size_t i = 0; i < image.byteCount(); ++i)
            image.pixels[i] = static_cast<std::uint8_t>(128 + i % 97);
        texture = createTexture(image, kSceneTextureFlags);
    }
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glutSwapBuffers();
}

void closeWindowSystem() {
    if (glutGet(GLUT_INIT_STATE)) glutExit();
}

}  // namespace

int main(int argc, char** argv) {
    int glutArgc = 1;
    glutInit(&glutArgc, argv);
    (void)argc;
    const WindowGeometry window =
        fitWindow(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(window.width, window.height);
    glutInitWindowPosition(window.x, window.y);
    glutCreateWindow("Velmora");
    std::atexit(closeWindowSystem);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutDisplayFunc(draw);
    glutMainLoop();
    return 0;
}
