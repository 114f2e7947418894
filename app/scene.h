// The scene's global objects, in the order they are built. GLUT's callbacks
// take no user pointer, so they reach the scene through these.
#pragma once

#include <string>

#include "app/frame_update.h"
#include "app/key_state.h"
#include "app/mouse_look.h"
#include "camera/camera.h"
#include "camera/viewpoints.h"
#include "model/obj_model.h"
#include "overlay/overlay_screens.h"
#include "settings/settings.h"
#include "sky/skybox.h"
#include "sky/time_of_day.h"
#include "terrain/terrain.h"

extern Camera camera;
extern Viewpoints viewpoints;  // all zero until start-up fills it
extern FlightState flight;
extern std::string timeOfDay;
extern SpotLightSwitches spotLightOn;
extern ObjModel model;
extern Terrain terrain;  // built by main() once the working directory is settled
extern Skybox skybox;
extern OverlayScreens overlayScreens;

extern Settings settings;  // the file's under the command line's, set before start-up

extern KeyState keyState;
extern FrameLoop frameLoop;
extern MouseLook mouseLook;

// The window (start-up and F5).
extern bool fullScreen;
extern int windowWidth;
extern int windowHeight;
extern int savedWindowX;
extern int savedWindowY;

// A frame to save once it is drawn, before it is swapped to the screen: F12's
// into the screenshot folder, or --screenshot's into its file, after which
// the program ends with exitStatus.
enum class Capture { None, ScreenshotKey, ScreenshotFile };
extern Capture pendingCapture;
extern std::string screenshotFile;
extern int exitStatus;
void captureFrame();

// GLUT callbacks and the operations they share.
void onIdle();
void onDisplay();
void onReshape(int width, int height);
void onKey();
void onKeyboardDown(unsigned char key, int x, int y);
void onKeyboardUp(unsigned char key, int x, int y);
void onSpecialDown(int key, int x, int y);
void onSpecialUp(int key, int x, int y);
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);
void pollKeys();
void onKeyReleased(int virtualKey);  // a key-up event: the next press is a new one
void toggleFullScreen(bool& flag);

// Ends freeglut, its window and context, if it still runs (at exit, before
// static destructors). Safe to call more than once.
void closeWindowSystem();

struct Options;
// Start-up up to the main loop: the question, the camera, the scene, the window,
// GL state and callbacks. Benchmarks call it to draw frames themselves.
void createScene(const Options& options);
// createScene, then GLUT's main loop, which never returns.
[[noreturn]] void startUp(const Options& options);
