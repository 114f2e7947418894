// Frame cost of the real scene from each viewpoint, next to a floor frame
// (clear, one full-screen mipmapped textured quad, swap) and a bare clear and
// swap, all measured in one window in one run. Needs an X display
// (scripts/with-xvfb gives a 1920x1080 one). Prints figures; asserts nothing.
#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/data_directory.h"
#include "app/options.h"
#include "app/scene.h"
#include "platform/executable.h"

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds per frame: the median of several batches, after a warm-up.
double msPerFrame(const std::function<void()>& frame, int framesPerBatch = 10, int batches = 5) {
    for (int i = 0; i < 3; ++i) frame();
    glFinish();
    std::vector<double> results;
    for (int b = 0; b < batches; ++b) {
        const auto start = Clock::now();
        for (int i = 0; i < framesPerBatch; ++i) frame();
        glFinish();
        const std::chrono::duration<double, std::milli> spent = Clock::now() - start;
        results.push_back(spent.count() / framesPerBatch);
    }
    std::sort(results.begin(), results.end());
    return results[results.size() / 2];
}

GLuint makeFloorTexture() {
    const int size = 1024;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(size) * size * 3);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            unsigned char* p = &pixels[(static_cast<std::size_t>(y) * size + x) * 3];
            p[0] = static_cast<unsigned char>(x ^ y);
            p[1] = static_cast<unsigned char>(x * 3 + y);
            p[2] = static_cast<unsigned char>(y * 5);
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, size, size, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    return texture;
}

void floorFrame(GLuint texture) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glutSwapBuffers();
}

}  // namespace

int main(int argc, char** argv) {
    // A build-tree tool: the scene named on the command line, else the working
    // directory's, else the one this build generated.
    DataSearch search;
    search.requested = argc > 1 ? argv[1] : "";
    search.workingDirectory = currentDirectory();
    search.executable = search.buildExecutable = runningExecutable();
    search.buildDataDirectory = VELMORA_DATA_DIR;
    const DataChoice data = findDataDirectory(search);
    if (data.source != DataSource::WorkingDirectory && data.source != DataSource::None &&
        chdir(data.directory.c_str()) != 0) {
        std::perror(data.directory.c_str());
        return 1;
    }
    terrain.build(100, 100);
    Options options;
    options.settings.screen = Options::Screen::Windowed;
    options.glutArgs = {"frame_bench"};

    const auto launch = Clock::now();
    createScene(options);
    for (int i = 0; i < 20; ++i) glutMainLoopEvent();  // map the window, reshape
    onDisplay();
    glFinish();
    const std::chrono::duration<double, std::milli> toFirstFrame = Clock::now() - launch;

    std::printf("window %dx%d, scene set-up and first frame: %.0f ms\n", glutGet(GLUT_WINDOW_WIDTH),
                glutGet(GLUT_WINDOW_HEIGHT), toFirstFrame.count());
    const double bare = msPerFrame([] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glutSwapBuffers();
    });
    const GLuint texture = makeFloorTexture();
    const double floor = msPerFrame([texture] { floorFrame(texture); });
    std::printf("clear + swap:             %6.2f ms\n", bare);
    std::printf("floor (textured quad):    %6.2f ms\n", floor);

    overlayScreens.visible = false;
    for (const char* t : {"night", "twilight"}) {
        timeOfDay = t;
        goToViewpoint(camera, viewpoints, 0);
        std::printf("%-9s viewpoint 0:   %6.2f ms\n", t, msPerFrame(onDisplay));
    }
    timeOfDay = "day";
    for (int v = 0; v < 5; ++v) {
        goToViewpoint(camera, viewpoints, v);
        const double scene = msPerFrame(onDisplay);
        std::printf("scene from viewpoint %d:   %6.2f ms  (%.2f x floor)\n", v, scene,
                    scene / floor);
    }
    return 0;
}
