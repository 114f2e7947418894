// The GLUT side of the frame loop: the idle pass and the frame it asks for.
#include <GL/freeglut.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "app/scene.h"
#include "platform/tick.h"
#include "scene/scene_numbers.h"
#include "sky/lighting.h"

namespace {

KeyMapTargets keyMapTargets() {
    return KeyMapTargets{
        camera, viewpoints, flight, timeOfDay, spotLightOn, fullScreen, model.normalMode,
        toggleFullScreen, [] { return std::rand(); }, overlayScreens,
        // The same way out as closing the window: glutMainLoop
        // returns after this pass and freeglut ends.
        [] { glutLeaveMainLoop(); }, KeyMapMemory{},
        [] { pendingCapture = Capture::ScreenshotKey; }, settings.walkSpeed, settings.turnSpeed};
}

// The model is drawn centred on this point and turned −90° about y.
constexpr float kModelOffset[3] = {static_cast<float>(scene::kModelOffsetX),
                                   static_cast<float>(scene::kModelOffsetY),
                                   static_cast<float>(scene::kModelOffsetZ)};

// Projection: near and far planes in units; the vertical field of view is the
// settings' (60 degrees unless they say otherwise).
constexpr double kNear = 1.0;
constexpr double kFar = 300.0;

KeyMapTargets& targets() {
    static KeyMapTargets t = keyMapTargets();
    return t;
}

}  // namespace

void onKeyReleased(int virtualKey) {
    releaseKey(targets().memory, virtualKey);
}

void onIdle() {
    glutIdleFunc(nullptr);  // the loop stops unless this pass keeps it running
    const std::uint32_t now = getTickCount();
    pollKeys();
    if (updatePass(frameLoop, now, keyState, targets(), std::cout)) {
        glutIdleFunc(onIdle);
    }
    std::cout.flush();  // flight distances appear as they happen, also in a pipe
    glutPostRedisplay();
}

void onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    // Pitch acts in eye space, after the look-at: positive tilts the view down.
    glRotatef(static_cast<float>(camera.getPitch()), 1.0f, 0.0f, 0.0f);
    const Vector3 eye = camera.getPosition();
    const Vector3 centre = camera.getLookAt();
    const Vector3 up = viewUp(camera.getDirection(), camera.getUp(), flight.flightHeading);
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);

    skybox.draw(eye, timeOfDay);
    // Under the view transform alone, so the lights stand in scene coordinates.
    applyLights(timeOfDay, spotLightOn);
    terrain.draw();

    glTranslatef(kModelOffset[0], kModelOffset[1], kModelOffset[2]);
    glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
    model.draw();
    overlayScreens.draw();                                // last, over everything
    if (pendingCapture != Capture::None) captureFrame();  // the frame as it will show

    glFlush();
    glutSwapBuffers();
    glDisable(GL_TEXTURE_2D);
}

void onReshape(int width, int height) {
    if (height <= 0) height = 1;  // a minimised window has no aspect ratio
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(settings.fieldOfView, static_cast<double>(width) / height, kNear, kFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
