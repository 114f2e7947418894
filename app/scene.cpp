#include "app/scene.h"

Camera camera;
Viewpoints viewpoints{};
FlightState flight;
std::string timeOfDay = "day";
SpotLightSwitches spotLightOn{};
ObjModel model;
Terrain terrain;
Skybox skybox;
OverlayScreens overlayScreens;

Settings settings;

KeyState keyState;
FrameLoop frameLoop;
MouseLook mouseLook;

bool fullScreen = false;
int windowWidth = 0;
int windowHeight = 0;
int savedWindowX = 0;
int savedWindowY = 0;

Capture pendingCapture = Capture::None;
std::string screenshotFile;
int exitStatus = 0;
