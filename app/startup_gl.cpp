// Start-up: the question, the camera, the scene's data, the 16:9 window, the
// GL state and callbacks; then GLUT's main loop, which never returns.
#include <GL/freeglut.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/data_directory.h"
#include "app/options.h"
#include "app/scene.h"
#include "app/window_icon.h"
#include "app/window_rule.h"
#include "image/texture_ahead.h"
#include "image/texture_flags.h"
#include "model/model_gl.h"
#include "model/obj_reader.h"
#include "model/text_convert.h"
#include "overlay/overlay_screens.h"
#include "platform/ask.h"
#include "platform/desktop.h"
#include "platform/key_events.h"
#include "platform/keyboard.h"
#include "platform/tick.h"
#include "platform/window_identity.h"
#include "scene/scene_numbers.h"
#include "sky/lighting.h"
#include "sky/skybox.h"
#include "terrain/terrain.h"

namespace {

// Where a window manager runs, full screen is its state: it covers the screen
// and, leaving it, gives back the window the user had, frame and place and
// all. Positioning the window ourselves would mistake client and frame
// coordinates and drift by the frame on every round trip.
bool fullScreenByManager = false;

// The window manager's frame as it turned out (weston's, which it does not
// announce, or one that differs from its answer): fit the window again to the
// work area less that frame, unless the manager keeps it maximised anyway.
void refitToShownFrame(const Desktop& desktop) {
    FrameExtents shown;
    if (windowIsMaximised() || !shownFrameExtents(shown)) return;
    const FrameExtents& asked = desktop.frame;
    if (shown.left == asked.left && shown.right == asked.right && shown.top == asked.top &&
        shown.bottom == asked.bottom) {
        return;
    }
    const WindowGeometry window = fitFramedWindow(desktop.workArea, shown);
    windowWidth = window.width;
    windowHeight = window.height;
    glutReshapeWindow(window.width, window.height);
    // The rule places the frame as drawn; the window reaches beyond it by
    // any invisible borders.
    const FrameExtents border = invisibleBorders();
    glutPositionWindow(window.x - border.left, window.y - border.top);
}

// The view to start with: a viewpoint (1 to 4; 5 is the start view, where
// the camera already stands), a time of day and spot lights, all as the keys
// would leave them.
void applyStartView(const Options& options) {
    if (options.viewpoint >= 1 && options.viewpoint <= 4)
        goToViewpoint(camera, viewpoints, options.viewpoint);
    timeOfDay = options.time;
    for (const char digit : options.lights) spotLightOn[static_cast<size_t>(digit - '1')] = true;
}

// --size sets the window's size, and so the picture's, instead of the desktop's rule.
bool sizeGiven(const Options& options) {
    return options.width > 0 && options.height > 0;
}

}  // namespace

void toggleFullScreen(bool& flag) {
    if (flag) {
        savedWindowX = glutGet(GLUT_WINDOW_X);
        savedWindowY = glutGet(GLUT_WINDOW_Y);
        windowWidth = glutGet(GLUT_WINDOW_WIDTH);
        windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
        // Without a window manager, freeglut covers the screen by moving the
        // window back by its own offset, which lands it off screen unless it
        // already stands at the origin.
        if (!fullScreenByManager) glutPositionWindow(0, 0);
        glutFullScreen();
    } else if (fullScreenByManager) {
        glutLeaveFullScreen();
    } else {
        glutReshapeWindow(windowWidth, windowHeight);
        glutPositionWindow(savedWindowX, savedWindowY);
    }
}

void closeWindowSystem() {
    // glutGet(GLUT_INIT_STATE) is the one query freeglut answers before glutInit
    // and after glutExit.
    if (glutGet(GLUT_INIT_STATE)) glutExit();
}

namespace {

// The images become textures once the window exists; worker threads
// decode them and make their levels meanwhile, the largest first.
void requestImagesAhead() {
    std::vector<TextureRequest> ahead = {{kGroundImageFile, kSceneTextureFlags},
                                         {kIntroImageFile, kIntroTextureFlags}};
    for (const auto& [slot, file] : skyImageFiles()) ahead.push_back({file, kSceneTextureFlags});
    ahead.push_back({kStoneImageFile, kSceneTextureFlags});
    programTexturesAhead().request(ahead);
    programTexturesAhead().requestPixels({kHelpImageFile, kOutroImageFile});
}

bool startsFullScreen(Options::Screen screen) {
    switch (screen) {
        case Options::Screen::FullScreen:
            return true;
        case Options::Screen::Windowed:
            return false;
        case Options::Screen::Ask:
            return askYesNo("Would you like full screen?", "Window size");
    }
    return false;
}

void placeCamera() {
    const scene::ViewpointSpec& start = scene::kViewpoints[0];
    camera.setPosition(Vector3{start.x, start.y, start.z});
    camera.rotateHeading(start.heading);  // from the constructor's +x to the start view's heading
    camera.setBounds(Vector3{scene::kWalkMax, 0.0, scene::kWalkMax},
                     Vector3{scene::kWalkMin, 0.0, scene::kWalkMin});
}

void loadModel() {
    loadObjModel(kModelFileName, model);
    std::vector<TextureRequest> materials;
    for (const auto& [file, entry] : model.textures)
        materials.push_back({directoryOf(kModelFileName) + entry.fileName, kSceneTextureFlags});
    programTexturesAhead().request(materials);
    // Scene units are the file's units × kModelScale (single precision); the
    // bounding box's centre goes to the origin, where the frame places it.
    model.scale(scene::kModelScale);
    model.computeBounds();
    model.moveCentreToOrigin();
    model.computeBounds();
}

// GLUT, then the window sized for the desktop it reads. Returns that desktop.
Desktop openWindow(const Options& options, const char* displayName) {
    // freeglut answers glutGet only after glutInit, so it comes before the
    // screen size is read; the size and position rules are unchanged.
    std::vector<std::string> args = options.glutArgs;
    std::vector<char*> glutArgv;
    for (std::string& a : args) glutArgv.push_back(a.data());
    glutArgv.push_back(nullptr);
    int glutArgc = static_cast<int>(args.size());
    glutInit(&glutArgc, glutArgv.data());

    const int sw = glutGet(GLUT_SCREEN_WIDTH);
    const int sh = glutGet(GLUT_SCREEN_HEIGHT);
    // With a window manager the window fits the desktop's work area less the
    // manager's frame; on a bare server it fits the screen.
    const Desktop desktop = readDesktop(displayName);
    fullScreenByManager = desktop.managed && desktop.fullScreenState;
    WindowGeometry window =
        desktop.managed ? fitFramedWindow(desktop.workArea, desktop.frame) : fitWindow(sw, sh);
    if (sizeGiven(options))
        window = WindowGeometry{options.width, options.height, window.x, window.y};
    windowWidth = window.width;
    windowHeight = window.height;

    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(window.x, window.y);
    glutCreateWindow("Velmora");
    // Whatever ends the process, the window and its context go first: under
    // llvmpipe, LLVM's static destructors crash while a context is alive.
    std::atexit(closeWindowSystem);
    // Closing the window returns from glutMainLoop, which ends the program.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    return desktop;
}

// The keyboard, the window's identity, its frame and full screen, once it is shown.
void settleWindow(const Desktop& desktop, const char* displayName, bool refit) {
    openKeyboard(displayName);
    reportRepeatsAsPressesOnly();  // so that a key-up event means a release (F11, H)
    // freeglut has mapped the window by now; task bars and switchers follow a
    // class and icon set just after (libwnck, GNOME Shell, openbox's icons).
    setWindowIdentity(programIdentity());
    if (desktop.managed && refit) refitToShownFrame(desktop);
    if (fullScreen) toggleFullScreen(fullScreen);
}

// One frame alone (--screenshot) has neither the idle pass nor input.
void startFrameLoop(bool oneFrame) {
    frameLoop.lastTick = getTickCount();
    if (!oneFrame) glutIdleFunc(onIdle);
    glClearColor(0.15f, 0.15f, 0.2f, 0.0f);
    initLights();
    glEnable(GL_DEPTH_TEST);

    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    if (oneFrame) return;
    glutKeyboardFunc(onKeyboardDown);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);  // only while a button is held
}

// The images that need a GL context. The model's material textures are
// loaded here rather than while the model is read, where no context exists.
void loadSceneTextures(bool showIntro) {
    loadTextures(model, directoryOf(kModelFileName));
    skybox.load();
    terrain.loadTexture();
    overlayScreens.load();
    overlayScreens.visible = showIntro;
    overlayScreens.currentScreen = kIntroScreen;
}

// --screenshot: the first frame drawn is written to the file, then the program ends.
void captureFirstFrame(const std::string& file) {
    screenshotFile = file;
    pendingCapture = Capture::ScreenshotFile;
    exitStatus = 1;  // unless that frame is written
}

}  // namespace

void createScene(const Options& options) {
    const bool oneFrame = !options.screenshotFile.empty();  // --screenshot: no question, no input
    settings = options.settings;
    requestImagesAhead();
    fullScreen = !oneFrame && startsFullScreen(settings.screen);
    placeCamera();
    loadModel();
    flight.flightTarget = kNoFlight;
    viewpoints = presetViewpoints();
    applyStartView(options);
    mouseLook.setSensitivity(settings.mouseSensitivity, settings.invertMouse);
    const char* displayName = options.displayName.empty() ? nullptr : options.displayName.c_str();
    const Desktop desktop = openWindow(options, displayName);
    settleWindow(desktop, displayName, !sizeGiven(options));
    startFrameLoop(oneFrame);
    loadSceneTextures(settings.intro && !oneFrame);
    if (oneFrame) captureFirstFrame(options.screenshotFile);
}

void startUp(const Options& options) {
    createScene(options);
    glutMainLoop();  // returns once the window is closed, after freeglut has ended
    std::exit(exitStatus);
}
