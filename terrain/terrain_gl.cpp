// The ground texture and the terrain's draw: vertex arrays straight from the
// mesh, one triangle strip per pair of rows.
#include <GL/gl.h>
#include <GL/glext.h>  // GL_CLAMP_TO_EDGE (1.2), where gl.h stops at 1.1

#include <cstdint>
#include <vector>

#include "image/texture_gl.h"
#include "terrain/terrain.h"

void Terrain::loadTexture() {
    // A "ground.png" that fails gives 0, and the ground is drawn untextured.
    groundTexture =
        loadImageTexture(kGroundImageFile, kSceneTextureFlags, "the ground is drawn without it");
}

// Expects: the view transform on the model-view matrix, and applyLights just
// run (smooth shading, colour material, GL_MODULATE) with the current colour
// opaque white. Leaves: lighting on; the vertex, normal and texture-coordinate
// arrays enabled and pointing into `vertices`; the ground texture bound;
// GL_TEXTURE_2D off; polygon mode GL_FILL.
void Terrain::draw() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBindTexture(GL_TEXTURE_2D, groundTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    const GLsizei stride = sizeof(TerrainVertex);
    const TerrainVertex* first = vertices.data();
    glVertexPointer(3, GL_FLOAT, stride, first ? first->position : nullptr);
    glTexCoordPointer(2, GL_FLOAT, stride, first ? first->texCoord : nullptr);
    glNormalPointer(GL_FLOAT, stride, first ? first->normal : nullptr);

    for (const std::vector<std::uint32_t>& strip : strips) {
        glDrawElements(GL_TRIANGLE_STRIP, static_cast<GLsizei>(strip.size()), GL_UNSIGNED_INT,
                       strip.data());
    }

    glDisable(GL_TEXTURE_2D);
}
