// The lights' GL calls: fixed spot-light parameters once, then each frame the
// sun by time of day and the spot lights by their switches.
#include <GL/gl.h>

#include <array>
#include <cstddef>
#include <string>

#include "sky/lighting.h"

namespace {

GLenum spotLightName(std::size_t i) {
    return static_cast<GLenum>(GL_LIGHT1 + i);
}

}  // namespace

// Expects a current context. Leaves GL_LIGHT1..4's ambient, diffuse,
// specular, cut-off and exponent set; nothing enabled.
void initLights() {
    for (std::size_t i = 0; i < spotLights().size(); ++i) {
        const SpotLight& spot = spotLights()[i];
        const GLenum light = spotLightName(i);
        glLightfv(light, GL_AMBIENT, spot.ambient.data());
        glLightfv(light, GL_DIFFUSE, spot.colour.data());
        glLightfv(light, GL_SPECULAR, spot.colour.data());
        glLightf(light, GL_SPOT_CUTOFF, spot.cutoff);
        glLightf(light, GL_SPOT_EXPONENT, spot.exponent);
    }
}

// Expects the view transform alone on the model-view matrix (GL transforms
// light positions and spot directions by it when they are set). Leaves:
// smooth shading; colour material on for ambient and diffuse of both faces;
// lighting and GL_LIGHT0 on; GL_LIGHT1..4 on or off by their switches;
// texture environment GL_MODULATE. For a timeOfDay it does not know, the
// sun and ambient colours of the previous frame stay in force.
void applyLights(std::string timeOfDay, const SpotLightSwitches& spotLightOn) {
    glShadeModel(GL_SMOOTH);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    const std::array<float, 4>& sun = updateSunPosition(timeOfDay);
    if (const SunSetting* setting = findSunSetting(timeOfDay)) {
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, setting->modelAmbient.data());
        glLightfv(GL_LIGHT0, GL_AMBIENT, setting->ambient.data());
        glLightfv(GL_LIGHT0, GL_DIFFUSE, setting->diffuse.data());
        glLightfv(GL_LIGHT0, GL_SPECULAR, setting->specular.data());
    }
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, sun.data());

    for (std::size_t i = 0; i < spotLights().size(); ++i) {
        const GLenum light = spotLightName(i);
        if (spotLightOn[i]) {
            glLightfv(light, GL_POSITION, spotLights()[i].position.data());
            glLightfv(light, GL_SPOT_DIRECTION, spotLights()[i].direction.data());
            glEnable(light);
        } else {
            glDisable(light);
        }
    }
}
