// Saving the frame just drawn: F12's screenshot into the screenshot folder,
// or --screenshot's one frame into its file, which then ends the program.
#include <GL/freeglut.h>

#include <iostream>
#include <new>
#include <string>

#include "app/scene.h"
#include "platform/user_folders.h"
#include "screenshot/screenshot_gl.h"

namespace {

std::string screenshotFolder() {
    if (!settings.screenshotDir.empty()) return settings.screenshotDir;
    const std::string pictures = picturesFolder();
    return pictures.empty() ? "" : pictures + "/Velmora";
}

void saveKeyScreenshot(const FramePixels& frame) {
    const std::string folder = screenshotFolder();
    std::string error = "no pictures folder to put it in; set screenshot-dir";
    const std::string path = folder.empty() ? "" : saveScreenshot(folder, frame, error);
    if (path.empty()) {
        std::cerr << "velmora: screenshot not saved: " << error << std::endl;
    } else {
        std::cout << "screenshot: " << path << std::endl;
    }
}

void saveFileScreenshot(const FramePixels& frame) {
    std::string error;
    if (writePngFile(screenshotFile, frame, error)) {
        exitStatus = 0;
    } else {
        std::cerr << "velmora: cannot write " << screenshotFile << ": " << error << std::endl;
        exitStatus = 1;
    }
    glutLeaveMainLoop();
}

}  // namespace

void captureFrame() {
    const Capture capture = pendingCapture;
    pendingCapture = Capture::None;
    FramePixels frame;
    try {
        frame = readFrame(0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
    } catch (const std::bad_alloc&) {
        frame = FramePixels{};  // too little memory for the picture: said below, and on we go
    }
    if (capture == Capture::ScreenshotKey) saveKeyScreenshot(frame);
    if (capture == Capture::ScreenshotFile) saveFileScreenshot(frame);
}
