#include "model/model_gl.h"

#include <GL/gl.h>
#include <GL/glext.h>  // GL_CLAMP_TO_EDGE (1.2), where gl.h stops at 1.1

#include <cstdio>
#include <map>
#include <utility>

#include "image/texture_gl.h"
#include "model/obj_model.h"
#include "model/send_triangles.h"

namespace {

// Immediate mode, doubles narrowed to floats at the call.
struct GlTriangleSink {
    void beginGroup() {
        glEnable(GL_NORMALIZE);
        glPolygonMode(GL_FRONT, GL_FILL);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_TRIANGLES);
    }
    void texCoord(float s, float t) { glTexCoord2f(s, t); }
    void normal(const Vector3& n) {
        glNormal3f(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
    }
    void vertex(const Vector3& v) {
        glVertex3f(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
    }
    void endGroup() { glEnd(); }
};

}  // namespace

void loadTextures(ObjModel& model, const std::string& directory) {
    if (model.textures.empty()) return;
    std::printf(" textures\n");
    for (auto& named : model.textures) {
        TextureEntry& entry = named.second;
        std::string reason;
        const unsigned int id = loadImageTexture(directory + entry.fileName, kSceneTextureFlags,
                                                 "the material has no texture", &reason);
        if (id != 0) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, id);
        } else {
            std::printf("SOIL loading error: '%s'\n", reason.c_str());
        }
        entry.directory = directory;
        entry.textureId = id;
    }
    std::fflush(stdout);
}

// Expects the model's placement on the model-view matrix and the frame's
// lighting set up (colour material tracking ambient and diffuse, GL_MODULATE).
// Leaves GL_TEXTURE_2D, GL_POLYGON_OFFSET_FILL (factor 1, units 1) and
// GL_NORMALIZE enabled, the stone texture bound with edge clamping, front
// faces filled and the colour white. The terrain, drawn earlier in the next
// frame, inherits the polygon offset.
void ObjModel::draw() {
    // Tried each frame until it loads; a file that failed is decoded again
    // only once it has changed.
    if (stoneTexture == 0)
        stoneTexture =
            loadImageTexture(kStoneImageFile, kSceneTextureFlags, "the stone is drawn without it");
    glBindTexture(GL_TEXTURE_2D, stoneTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    GlTriangleSink sink;
    sendTriangles(*this, sink);
}
