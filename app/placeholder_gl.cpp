// A ground grid and a ring of posts, so that motion shows before the real
// scene is drawn.
#include <GL/gl.h>

#include <cmath>

#include "app/scene.h"

namespace {

void drawPost(float x, float z, float height) {
    const float h = 0.5f;
    glBegin(GL_QUADS);
    // Four sides, shaded by facing so that the corners read.
    const float shades[4] = {0.75f, 0.55f, 0.65f, 0.45f};
    const float dx[4] = {h, -h, -h, h};
    const float dz[4] = {h, h, -h, -h};
    for (int i = 0; i < 4; ++i) {
        const int j = (i + 1) % 4;
        glColor3f(shades[i], shades[i], shades[i] * 0.9f);
        glVertex3f(x + dx[i], 0.0f, z + dz[i]);
        glVertex3f(x + dx[j], 0.0f, z + dz[j]);
        glVertex3f(x + dx[j], height, z + dz[j]);
        glVertex3f(x + dx[i], height, z + dz[i]);
    }
    glEnd();
}

}  // namespace

void drawPlaceholder() {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.25f, 0.45f, 0.2f);
    glBegin(GL_QUADS);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 99.0f);
    glVertex3f(99.0f, 0.0f, 99.0f);
    glVertex3f(99.0f, 0.0f, 0.0f);
    glEnd();
    glColor3f(0.6f, 0.8f, 0.5f);
    glBegin(GL_LINES);
    for (int i = 0; i <= 99; i += 3) {
        const float f = static_cast<float>(i);
        glVertex3f(f, 0.01f, 0.0f);
        glVertex3f(f, 0.01f, 99.0f);
        glVertex3f(0.0f, 0.01f, f);
        glVertex3f(99.0f, 0.01f, f);
    }
    glEnd();
    for (int i = 0; i < 12; ++i) {
        const float a = static_cast<float>(i) * 3.14159265f / 6.0f;
        drawPost(50.0f + 12.0f * std::cos(a), 49.0f + 12.0f * std::sin(a), 4.0f);
    }
    glColor3f(1.0f, 1.0f, 1.0f);
}
