// Loading the ten sky images and drawing the five faces around the eye.
#include <GL/gl.h>
#include <GL/glext.h>  // GL_CLAMP_TO_EDGE (1.2), where gl.h stops at 1.1

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "image/texture_gl.h"
#include "sky/skybox.h"

void Skybox::load() {
    textures.assign(kSkyTextureCount, 0);
    // An image that fails leaves its slot 0: that face is drawn untextured.
    for (const auto& [slot, file] : skyImageFiles()) {
        textures[slot] =
            loadImageTexture(file, kSceneTextureFlags, "that face of the sky is drawn without it");
    }
}

// Expects GL_MODELVIEW current with the view transform on it. At "night" it
// makes no GL call at all. Otherwise it leaves: the model-view matrix exactly
// as found; lighting off (applyLights turns it on again); GL_TEXTURE_2D on
// with the last sky texture bound; depth test on and depth writes on,
// whatever they were; polygon mode GL_FILL; client arrays as found.
void Skybox::draw(const Vector3& eyePosition, std::string timeOfDay) {
    const int base = skyTextureBase(timeOfDay);
    if (base < 0) return;

    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    // No depth: the sky lies behind everything, however near its faces are.
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);

    glTranslatef(static_cast<float>(eyePosition.x), static_cast<float>(eyePosition.y),
                 static_cast<float>(eyePosition.z));
    for (unsigned k = 0; k < kSkyFacesDrawn; ++k) {
        const std::size_t slot = static_cast<std::size_t>(base) + k;
        glBindTexture(GL_TEXTURE_2D, slot < textures.size() ? textures[slot] : 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBegin(GL_QUADS);
        for (std::size_t corner = 0; corner < 4; ++corner) {
            glTexCoord2f(skyTexCoords[corner][0], skyTexCoords[corner][1]);
            glVertex3fv(skyCorners[skyFaces[k][corner]].data());
        }
        glEnd();
    }
    // Back by the same single-precision amounts. The eye cancels the view's
    // own translation, so both sums are exact and the matrix comes back bit
    // for bit, with no matrix stack level used.
    glTranslatef(-static_cast<float>(eyePosition.x), -static_cast<float>(eyePosition.y),
                 -static_cast<float>(eyePosition.z));

    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glPopClientAttrib();
}
