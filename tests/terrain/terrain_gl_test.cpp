// Terrain::draw and loadTexture against a real GL context: the state it
// leaves, the triangles it sends, and the ground texture on screen.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "terrain/terrain.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_files.h"

namespace {

Terrain flatTerrain(unsigned columns, unsigned rows) {
    Terrain terrain;
    terrain.buildFromPixels(nullptr, 0, columns, rows);
    return terrain;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

const void* pointer(GLenum name) {
    GLvoid* value = nullptr;
    glGetPointerv(name, &value);
    return value;
}

// Looks straight down at the grid so that window (x, y) is scene (x, z)
// exactly: x = row, y = column, one pixel per grid step.
void lookDownOnGrid() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, test_gl::kWindowSize, 0.0, test_gl::kWindowSize, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // (x, y, z) → (x, z, −y)
}

// The triangles draw sends, each as the set of grid indices of its corners,
// recovered from feedback-mode window coordinates.
std::vector<std::set<unsigned>> feedbackTriangles(Terrain& terrain) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    terrain.draw();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflowed";

    std::vector<std::set<unsigned>> triangles;
    for (GLint i = 0; i < used;) {
        EXPECT_EQ(buffer[i], static_cast<GLfloat>(GL_POLYGON_TOKEN));
        const int count = static_cast<int>(buffer[i + 1]);
        EXPECT_EQ(count, 3);
        std::set<unsigned> corners;
        for (int k = 0; k < count; ++k) {
            const float x = buffer[i + 2 + 3 * k];
            const float y = buffer[i + 3 + 3 * k];
            corners.insert(static_cast<unsigned>(x + 0.5f) * terrain.columns +
                           static_cast<unsigned>(y + 0.5f));
        }
        triangles.push_back(corners);
        i += 2 + 3 * count;
    }
    return triangles;
}

}  // namespace

TEST(TerrainGL, DrawLeavesTheStateItPromises) {
    test_gl::ensureContext();
    Terrain terrain = flatTerrain(5, 4);
    glGenTextures(1, &terrain.groundTexture);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glBindTexture(GL_TEXTURE_2D, 0);

    terrain.draw();

    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), terrain.groundTexture);
    GLint wrap[2] = {0, 0};
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap[1]);
    EXPECT_EQ(wrap[0], GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrap[1], GL_CLAMP_TO_EDGE);
    GLint polygonMode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_FILL);
    EXPECT_EQ(polygonMode[1], GL_FILL);

    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    const TerrainVertex* first = terrain.vertices.data();
    EXPECT_EQ(pointer(GL_VERTEX_ARRAY_POINTER), first->position);
    EXPECT_EQ(pointer(GL_NORMAL_ARRAY_POINTER), first->normal);
    EXPECT_EQ(pointer(GL_TEXTURE_COORD_ARRAY_POINTER), first->texCoord);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_STRIDE), 32);
    EXPECT_EQ(integer(GL_NORMAL_ARRAY_STRIDE), 32);
    EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_STRIDE), 32);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_SIZE), 3);
    EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_SIZE), 2);
    EXPECT_EQ(integer(GL_VERTEX_ARRAY_TYPE), GL_FLOAT);
    EXPECT_EQ(integer(GL_NORMAL_ARRAY_TYPE), GL_FLOAT);
    EXPECT_EQ(integer(GL_TEXTURE_COORD_ARRAY_TYPE), GL_FLOAT);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDeleteTextures(1, &terrain.groundTexture);
}

TEST(TerrainGL, StripsAreDrawnInRowOrderWithEveryIndex) {
    test_gl::ensureContext();
    lookDownOnGrid();
    {
        Terrain terrain = flatTerrain(5, 4);
        const std::vector<std::set<unsigned>> triangles = feedbackTriangles(terrain);
        // 3 strips of 2 × (5 − 1) triangles; strip r's triangle i has corners
        // i, i+1, i+2 of its index list.
        ASSERT_EQ(triangles.size(), 3u * 8u);
        std::size_t t = 0;
        for (const auto& strip : terrain.strips) {
            for (std::size_t i = 0; i + 2 < strip.size(); ++i, ++t) {
                EXPECT_EQ(triangles[t], (std::set<unsigned>{strip[i], strip[i + 1], strip[i + 2]}))
                    << "triangle " << t;
            }
        }
    }
    {
        // The full 100 × 100 grid: 99 strips of 198 triangles.
        Terrain terrain = flatTerrain(100, 100);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.0, 100.0, -1.0, 100.0, -100.0, 100.0);
        glMatrixMode(GL_MODELVIEW);
        EXPECT_EQ(feedbackTriangles(terrain).size(), 99u * 198u);
    }
    {
        // One row: all the state, no triangles.
        Terrain terrain = flatTerrain(5, 1);
        EXPECT_TRUE(feedbackTriangles(terrain).empty());
        EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

TEST(TerrainGL, GroundImageShowsOnTheGroundAndAMissingOneLeavesItWhite) {
    test_gl::ensureContext();
    test_files::ScratchDirectory dir("terrain-ground");
    // A uniform green; the loader squeezes each channel into 16..235
    // (v × 219 / 255 + 16) for NTSC safety, and DXT1 keeps it close.
    std::vector<std::uint8_t> green;
    for (int i = 0; i < 8 * 8; ++i) green.insert(green.end(), {32, 200, 32});
    test_files::write("ground.png", 8, 8, 3, green);

    // Lit by a white global ambient alone, with colour material: the lit
    // colour is the current white, so the pixel is the texel.
    auto drawLit = [](Terrain& terrain) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, white);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        lookDownOnGrid();
        terrain.draw();
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        return test_gl::readPixel(10, 10);
    };

    Terrain textured = flatTerrain(32, 32);
    textured.loadTexture();
    ASSERT_NE(textured.groundTexture, 0u);
    const test_gl::Pixel ground = drawLit(textured);
    EXPECT_NEAR(ground.r, 43, 6);
    EXPECT_NEAR(ground.g, 188, 6);
    EXPECT_NEAR(ground.b, 43, 6);

    std::filesystem::remove("ground.png");
    Terrain bare = flatTerrain(32, 32);
    bare.loadTexture();
    EXPECT_EQ(bare.groundTexture, 0u);
    const test_gl::Pixel plain = drawLit(bare);
    EXPECT_EQ(plain.r, 255);
    EXPECT_EQ(plain.g, 255);
    EXPECT_EQ(plain.b, 255);

    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDeleteTextures(1, &textured.groundTexture);
}
