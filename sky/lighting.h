// The sun (GL_LIGHT0) and the four coloured spot lights (GL_LIGHT1..4): their
// tables, the sun's position kept between frames, and the GL calls that set
// them. The tables and the sun's position need no GL context.
#pragma once

#include <array>
#include <string>

#include "sky/time_of_day.h"

using Rgba = std::array<float, 4>;

// The sun and the global ambient light for one time of day.
struct SunSetting {
    const char* timeOfDay;  // "day", "twilight" or "night"
    Rgba modelAmbient;      // GL_LIGHT_MODEL_AMBIENT
    Rgba ambient;           // GL_LIGHT0 colours
    Rgba diffuse;
    Rgba specular;
    bool setsHeight;  // false: the sun keeps the height it had
    float height;     // sunPosition y when setsHeight
};

// A spot light's fixed shape and colour, and where it stands in the scene.
struct SpotLight {
    std::array<float, 4> position;   // scene units, w = 1
    std::array<float, 3> direction;  // scene axes, need not be unit length
    Rgba colour;                     // GL_DIFFUSE and GL_SPECULAR
    Rgba ambient;
    float cutoff;    // half-angle of the cone, degrees
    float exponent;  // GL_SPOT_EXPONENT, 0..128
};

// Rows for "day", "twilight" and "night", in that order.
const std::array<SunSetting, 3>& sunSettings();
// The row for timeOfDay, or nullptr for any other text.
const SunSetting* findSunSetting(const std::string& timeOfDay);

// GL_LIGHT1..GL_LIGHT4 (F1..F4): yellow, cyan, red, pale blue.
const std::array<SpotLight, 4>& spotLights();

// The sun's direction as GL_LIGHT0's position, w = 0 (a directional light).
// Starts as the day sun of scene/scene_numbers.h; y is the sun's height.
const std::array<float, 4>& sunPosition();
// Sets the sun's height for "day" (1.0) and "twilight" (0.1); any other text
// keeps the height it has. Returns the position after the change.
const std::array<float, 4>& updateSunPosition(const std::string& timeOfDay);
// Back to the start position (tests).
void resetSunPosition();

// Needs a current GL context; once at start-up. Sets the spot lights' fixed
// colours, cut-offs and exponents; enables nothing.
void initLights();

// Needs the view transform alone on the model-view matrix, so that the
// positions and directions it passes are in scene coordinates. Once a frame,
// before the terrain and the model.
void applyLights(std::string timeOfDay, const SpotLightSwitches& spotLightOn);
