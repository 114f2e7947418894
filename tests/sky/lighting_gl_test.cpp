// initLights and applyLights against a real GL context: light parameters read
// back with glGetLightfv, enables, and what the lit scene looks like.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "sky/lighting.h"
#include "tests/support/gl_window.h"

namespace {

using Values = std::vector<float>;

Values light(GLenum lightName, GLenum parameter, int count) {
    Values v(4, -999.0f);
    glGetLightfv(lightName, parameter, v.data());
    v.resize(count);
    return v;
}

Values modelAmbient() {
    Values v(4, -999.0f);
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, v.data());
    return v;
}

void expectNear(const Values& actual, const Values& expected, const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-5f) << what << " [" << i << "]";
    }
}

// Every light back to GL's defaults, all disabled, identity model-view.
void resetLights() {
    test_gl::ensureContext();
    const GLfloat black[4] = {0, 0, 0, 1};
    const GLfloat white[4] = {1, 1, 1, 1};
    const GLfloat zAxis[4] = {0, 0, 1, 0};
    const GLfloat down[3] = {0, 0, -1};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (GLenum l = GL_LIGHT0; l <= GL_LIGHT4; ++l) {
        glLightfv(l, GL_AMBIENT, black);
        glLightfv(l, GL_DIFFUSE, l == GL_LIGHT0 ? white : black);
        glLightfv(l, GL_SPECULAR, l == GL_LIGHT0 ? white : black);
        glLightfv(l, GL_POSITION, zAxis);
        glLightfv(l, GL_SPOT_DIRECTION, down);
        glLightf(l, GL_SPOT_CUTOFF, 180.0f);
        glLightf(l, GL_SPOT_EXPONENT, 0.0f);
        glDisable(l);
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    resetSunPosition();
}

constexpr SpotLightSwitches kAllOff = {false, false, false, false};

}  // namespace

TEST(LightingGL, InitLightsSetsTheSpotLightsFixedPartsOnly) {
    resetLights();
    initLights();

    const Values noAmbient = {0, 0, 0, 1};
    const Values colours[4] = {{1, 1, 0, 1}, {0, 1, 1, 1}, {1, 0.3f, 0.3f, 1}, {0.8f, 0.9f, 1, 1}};
    const float cutoffs[4] = {45, 45, 45, 60};
    const float exponents[4] = {2, 2, 2, 1};
    for (int i = 0; i < 4; ++i) {
        const GLenum l = GL_LIGHT1 + i;
        SCOPED_TRACE("GL_LIGHT" + std::to_string(i + 1));
        expectNear(light(l, GL_AMBIENT, 4), noAmbient, "ambient");
        expectNear(light(l, GL_DIFFUSE, 4), colours[i], "diffuse");
        expectNear(light(l, GL_SPECULAR, 4), colours[i], "specular");
        EXPECT_EQ(light(l, GL_SPOT_CUTOFF, 1)[0], cutoffs[i]);
        EXPECT_EQ(light(l, GL_SPOT_EXPONENT, 1)[0], exponents[i]);
        // Where they stand is applyLights' business, under the view.
        expectNear(light(l, GL_POSITION, 4), {0, 0, 1, 0}, "position untouched");
        expectNear(light(l, GL_SPOT_DIRECTION, 3), {0, 0, -1}, "direction untouched");
        EXPECT_FALSE(glIsEnabled(l));
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    expectNear(light(GL_LIGHT0, GL_DIFFUSE, 4), {1, 1, 1, 1}, "sun untouched");
}

TEST(LightingGL, SunAndAmbientFollowTheTimeOfDay) {
    resetLights();
    initLights();

    applyLights("day", kAllOff);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &value);
    EXPECT_EQ(value, GL_FRONT_AND_BACK);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &value);
    EXPECT_EQ(value, GL_AMBIENT_AND_DIFFUSE);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    expectNear(modelAmbient(), {0.2f, 0.2f, 0.2f, 1}, "day model ambient");
    expectNear(light(GL_LIGHT0, GL_AMBIENT, 4), {0.2f, 0.15f, 0.1f, 1}, "day ambient");
    expectNear(light(GL_LIGHT0, GL_DIFFUSE, 4), {0.7f, 0.6f, 0.5f, 1}, "day diffuse");
    expectNear(light(GL_LIGHT0, GL_SPECULAR, 4), {0.1f, 0.1f, 0.1f, 1}, "day specular");
    expectNear(light(GL_LIGHT0, GL_POSITION, 4), {-0.62187f, 1.0f, 0.78312f, 0}, "day sun");
    for (GLenum l = GL_LIGHT1; l <= GL_LIGHT4; ++l) EXPECT_FALSE(glIsEnabled(l));

    applyLights("twilight", kAllOff);
    expectNear(modelAmbient(), {0.2f, 0.2f, 0.2f, 1}, "twilight model ambient");
    expectNear(light(GL_LIGHT0, GL_AMBIENT, 4), {0.1f, 0.1f, 0.1f, 1}, "twilight ambient");
    expectNear(light(GL_LIGHT0, GL_DIFFUSE, 4), {0.35f, 0.2f, 0.2f, 1}, "twilight diffuse");
    expectNear(light(GL_LIGHT0, GL_SPECULAR, 4), {0.1f, 0.1f, 0.1f, 1}, "twilight specular");
    expectNear(light(GL_LIGHT0, GL_POSITION, 4), {-0.62187f, 0.1f, 0.78312f, 0}, "low sun");

    applyLights("night", kAllOff);
    expectNear(modelAmbient(), {0.2f, 0.15f, 0.1f, 1}, "night model ambient");
    expectNear(light(GL_LIGHT0, GL_AMBIENT, 4), {0, 0, 0, 1}, "night ambient");
    expectNear(light(GL_LIGHT0, GL_DIFFUSE, 4), {0, 0, 0, 1}, "night diffuse");
    expectNear(light(GL_LIGHT0, GL_SPECULAR, 4), {0, 0, 0, 1}, "night specular");
    expectNear(light(GL_LIGHT0, GL_POSITION, 4), {-0.62187f, 0.1f, 0.78312f, 0}, "kept height");
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));

    // Text it does not know leaves last frame's sun and ambient in force.
    applyLights("dusk", kAllOff);
    expectNear(modelAmbient(), {0.2f, 0.15f, 0.1f, 1}, "unknown keeps ambient");
    expectNear(light(GL_LIGHT0, GL_DIFFUSE, 4), {0, 0, 0, 1}, "unknown keeps diffuse");
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));

    applyLights("day", kAllOff);
    expectNear(light(GL_LIGHT0, GL_POSITION, 4), {-0.62187f, 1.0f, 0.78312f, 0}, "sun back up");
}

TEST(LightingGL, SpotLightsStandInSceneCoordinatesWhileSwitchedOn) {
    resetLights();
    initLights();
    // A view transform: GL keeps light positions in eye coordinates, so what
    // reads back is the view applied to the scene position.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(50.0, 1.8, 50.0, 51.0, 1.8, 50.0, 0.0, 1.0, 0.0);  // looking along +x
    GLfloat view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    auto toEye = [&](const std::array<float, 4>& p, int n) {
        Values out(n, 0.0f);
        for (int row = 0; row < n; ++row) {
            for (int col = 0; col < (n == 4 ? 4 : 3); ++col)
                out[row] += view[col * 4 + row] * p[col];
        }
        return out;
    };

    const std::array<std::array<float, 4>, 4> positions = {
        {{25, 3.9f, 49, 1}, {75, 3.9f, 49, 1}, {50, 3.9f, 25, 1}, {50, -10, 50, 1}}};
    const std::array<std::array<float, 4>, 4> directions = {
        {{1, -1, 0, 0}, {-1, -1, 0, 0}, {0, 0, 1, 0}, {0, 1, 0, 0}}};

    applyLights("night", {false, false, true, false});  // F3 alone
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT2));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT3));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT4));
    expectNear(light(GL_LIGHT3, GL_POSITION, 4), toEye(positions[2], 4), "red position");
    expectNear(light(GL_LIGHT3, GL_SPOT_DIRECTION, 3), toEye(directions[2], 3), "red along +z");
    // Its colour is the same at night as by day.
    expectNear(light(GL_LIGHT3, GL_DIFFUSE, 4), {1, 0.3f, 0.3f, 1}, "red");

    glLoadMatrixf(view);
    applyLights("day", {true, true, true, true});
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("GL_LIGHT" + std::to_string(i + 1));
        EXPECT_TRUE(glIsEnabled(GL_LIGHT1 + i));
        expectNear(light(GL_LIGHT1 + i, GL_POSITION, 4), toEye(positions[i], 4), "position");
        expectNear(light(GL_LIGHT1 + i, GL_SPOT_DIRECTION, 3), toEye(directions[i], 3),
                   "direction");
    }
    // The sun's direction too is fixed in the scene, not to the eye.
    expectNear(light(GL_LIGHT0, GL_POSITION, 4), toEye({-0.62187f, 1.0f, 0.78312f, 0}, 4), "sun");

    glLoadMatrixf(view);
    applyLights("day", kAllOff);
    for (GLenum l = GL_LIGHT1; l <= GL_LIGHT4; ++l) EXPECT_FALSE(glIsEnabled(l));
}

TEST(LightingGL, NightIsAmbientAloneAndASpotLightAddsItsFullColour) {
    resetLights();
    initLights();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 1.0, 300.0);
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);

    // A small white square at z = 35 facing −z, 10 units in front of the red
    // spot light (50, 3.9, 25); lighting is per vertex, so its corners stay
    // close to the middle of the cone.
    auto drawWall = [](const SpotLightSwitches& switches) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(50.0, 3.9, 33.0, 50.0, 3.9, 35.0, 0.0, 1.0, 0.0);
        applyLights("night", switches);
        glColor4f(1, 1, 1, 1);
        glBegin(GL_QUADS);
        glNormal3f(0, 0, -1);
        glVertex3f(49.5f, 3.4f, 35);
        glVertex3f(49.5f, 4.4f, 35);
        glVertex3f(50.5f, 4.4f, 35);
        glVertex3f(50.5f, 3.4f, 35);
        glEnd();
        return test_gl::readPixel(test_gl::kWindowSize / 2, test_gl::kWindowSize / 2);
    };

    const test_gl::Pixel dark = drawWall(kAllOff);
    EXPECT_NEAR(dark.r, 51, 2);  // 0.2 × 255
    EXPECT_NEAR(dark.g, 38, 2);  // 0.15 × 255
    EXPECT_NEAR(dark.b, 26, 2);  // 0.1 × 255

    const test_gl::Pixel red = drawWall({false, false, true, false});
    EXPECT_EQ(red.r, 255);
    EXPECT_NEAR(red.g, 38 + 76, 3);  // + 0.3 of the light, nearly head on
    EXPECT_NEAR(red.b, 26 + 76, 3);

    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
