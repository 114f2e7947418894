// Skybox::load and draw against a real GL context: which image lands on
// which face and which way up, the state the draw leaves, and that night
// touches nothing.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "sky/skybox.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_files.h"

namespace {

// A slot's texture: 2 × 2 texels that tell the slot (red = 10 + 20 × slot),
// the half of s (green 255 for s > 0.5) and of t (blue 255 for t > 0.5).
GLuint makeSlotTexture(unsigned slot) {
    const std::uint8_t r = static_cast<std::uint8_t>(10 + 20 * slot);
    const std::uint8_t texels[16] = {r, 0, 0,   255, r, 255, 0,   255,  // t low: s low, s high
                                     r, 0, 255, 255, r, 255, 255, 255};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    return name;
}

Skybox skyWithSlotTextures() {
    Skybox sky;
    for (unsigned slot = 0; slot < kSkyTextureCount; ++slot) {
        sky.textures.push_back(makeSlotTexture(slot));
    }
    return sky;
}

struct SeenTexel {
    int slot;
    bool sHigh;
    bool tHigh;
};
SeenTexel seen(int x, int y) {
    const test_gl::Pixel p = test_gl::readPixel(x, y);
    return {(p.r - 10 + 10) / 20, p.g > 127, p.b > 127};
}

// A 90° square view from eye along direction with the given screen up:
// each face of the cube then fills the window exactly.
void look(const Vector3& eye, const Vector3& direction, const Vector3& up) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(90.0, 1.0, 1.0, 300.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vector3 centre = eye + direction;
    gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
}

void clearFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// The state a drawing pass could disturb, read back as numbers.
std::vector<double> stateSnapshot() {
    std::vector<double> state;
    for (GLenum cap :
         {GL_DEPTH_TEST, GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND, GL_CULL_FACE, GL_COLOR_MATERIAL,
          GL_LIGHT0, GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY}) {
        state.push_back(glIsEnabled(cap));
    }
    auto get = [&](GLenum name, int count) {
        std::vector<GLdouble> values(static_cast<std::size_t>(count), -1.0);
        glGetDoublev(name, values.data());
        state.insert(state.end(), values.begin(), values.end());
    };
    get(GL_DEPTH_WRITEMASK, 1);
    get(GL_TEXTURE_BINDING_2D, 1);
    get(GL_POLYGON_MODE, 2);
    get(GL_MATRIX_MODE, 1);
    get(GL_MODELVIEW_MATRIX, 16);
    get(GL_PROJECTION_MATRIX, 16);
    get(GL_MODELVIEW_STACK_DEPTH, 1);
    get(GL_ATTRIB_STACK_DEPTH, 1);
    get(GL_CLIENT_ATTRIB_STACK_DEPTH, 1);
    get(GL_CURRENT_COLOR, 4);
    get(GL_CURRENT_TEXTURE_COORDS, 4);
    get(GL_SHADE_MODEL, 1);
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    state.push_back(wrap);
    return state;
}

std::vector<GLfloat> modelViewMatrix() {
    std::vector<GLfloat> m(16);
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

GLint textureParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

}  // namespace

TEST(SkyboxGL, EachFaceShowsItsSlotUprightAroundTheEye) {
    test_gl::ensureContext();
    Skybox sky = skyWithSlotTextures();
    const int hi = test_gl::kWindowSize * 3 / 4;  // upper or right quarter
    const int lo = test_gl::kWindowSize / 4;      // lower or left quarter

    // Far from the scene's middle: the cube still surrounds the eye.
    const Vector3 eye(1000.0, -40.0, 2000.0);
    struct View {
        Vector3 direction;
        Vector3 up;
        unsigned face;
        bool sHighOnRight;
        bool tHighAtTop;
    };
    const View views[] = {
        {{1, 0, 0}, {0, 1, 0}, 1, true, true},   // +x
        {{0, 0, 1}, {0, 1, 0}, 2, true, true},   // +z
        {{-1, 0, 0}, {0, 1, 0}, 3, true, true},  // −x
        {{0, 0, -1}, {0, 1, 0}, 4, true, true},  // −z
        // Top, with +x up on screen: s grows with z (screen left), t against x.
        {{0, 1, 0}, {1, 0, 0}, 0, false, false},
    };
    for (const char* timeOfDay : {"day", "twilight", "dusk"}) {
        const unsigned base = std::string(timeOfDay) == "twilight" ? 5 : 0;
        for (const View& view : views) {
            SCOPED_TRACE(std::string(timeOfDay) + " face " + std::to_string(view.face));
            clearFrame();
            look(eye, view.direction, view.up);
            sky.draw(eye, timeOfDay);
            const SeenTexel upperRight = seen(hi, hi);
            const SeenTexel lowerLeft = seen(lo, lo);
            EXPECT_EQ(upperRight.slot, static_cast<int>(base + view.face));
            EXPECT_EQ(upperRight.sHigh, view.sHighOnRight);
            EXPECT_EQ(upperRight.tHigh, view.tHighAtTop);
            EXPECT_EQ(lowerLeft.slot, static_cast<int>(base + view.face));
            EXPECT_EQ(lowerLeft.sHigh, !view.sHighOnRight);
            EXPECT_EQ(lowerLeft.tHigh, !view.tHighAtTop);
        }
    }

    // No bottom face: looking down shows the clear colour.
    clearFrame();
    look(eye, {0, -1, 0}, {1, 0, 0});
    sky.draw(eye, "day");
    const test_gl::Pixel below = test_gl::readPixel(32, 32);
    EXPECT_EQ(below.r + below.g + below.b, 0);

    glDeleteTextures(static_cast<GLsizei>(sky.textures.size()), sky.textures.data());
}

TEST(SkyboxGL, SkyWritesNoDepthSoFarObjectsStayInFront) {
    test_gl::ensureContext();
    Skybox sky = skyWithSlotTextures();
    const Vector3 eye(50.0, 1.8, 50.0);
    clearFrame();
    look(eye, {1, 0, 0}, {0, 1, 0});
    glDisable(GL_DEPTH_TEST);
    sky.draw(eye, "day");

    // A grey square 150 units away, beyond the sky's faces, drawn with the
    // depth test the sky turned back on.
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.5f, 0.5f, 0.5f, 1.0f);
    glBegin(GL_QUADS);
    glVertex3f(200.0f, -10.0f, 40.0f);
    glVertex3f(200.0f, 10.0f, 40.0f);
    glVertex3f(200.0f, 10.0f, 60.0f);
    glVertex3f(200.0f, -10.0f, 60.0f);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const test_gl::Pixel middle = test_gl::readPixel(32, 32);
    EXPECT_NEAR(middle.r, 128, 2);
    EXPECT_NEAR(middle.g, 128, 2);
    EXPECT_NEAR(middle.b, 128, 2);

    glDisable(GL_DEPTH_TEST);
    glDeleteTextures(static_cast<GLsizei>(sky.textures.size()), sky.textures.data());
}

TEST(SkyboxGL, DayAndTwilightLeaveTheStateTheFrameExpects) {
    test_gl::ensureContext();
    Skybox sky = skyWithSlotTextures();
    // The frame's view: pitch, then a look-at from a walking position.
    const Vector3 eye(37.3, 1.8, 61.7);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(12.5f, 1.0f, 0.0f, 0.0f);
    gluLookAt(eye.x, eye.y, eye.z, eye.x + 0.342, eye.y, eye.z - 0.94, 0.0, 1.0, 0.0);
    const std::vector<GLfloat> view = modelViewMatrix();
    const GLint stackDepth = integer(GL_MODELVIEW_STACK_DEPTH);

    for (const char* timeOfDay : {"day", "twilight"}) {
        SCOPED_TRACE(timeOfDay);
        for (bool depthWasOn : {false, true}) {
            // Whatever the depth state before, it is on after; lighting off.
            depthWasOn ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
            glDepthMask(depthWasOn ? GL_TRUE : GL_FALSE);
            glEnable(GL_LIGHTING);
            glDisable(GL_TEXTURE_2D);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            // The terrain leaves its arrays enabled; the sky leaves them so.
            glEnableClientState(GL_VERTEX_ARRAY);
            glDisableClientState(GL_NORMAL_ARRAY);

            sky.draw(eye, timeOfDay);

            EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
            EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_TRUE);
            EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
            EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
            const unsigned last = std::string(timeOfDay) == "twilight" ? 9 : 4;
            EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_2D)), sky.textures[last]);
            GLint polygonMode[2] = {0, 0};
            glGetIntegerv(GL_POLYGON_MODE, polygonMode);
            EXPECT_EQ(polygonMode[0], GL_FILL);
            EXPECT_EQ(polygonMode[1], GL_FILL);
            EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
            EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
            EXPECT_EQ(integer(GL_CLIENT_ATTRIB_STACK_DEPTH), 0);
            EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), stackDepth);
            EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
            // Bit for bit, so the lights set next stand where they should.
            EXPECT_EQ(modelViewMatrix(), view);
        }
        // Every face's texture clamps at its edges, so no seam shows.
        const unsigned base = std::string(timeOfDay) == "twilight" ? 5 : 0;
        for (unsigned k = 0; k < kSkyFacesDrawn; ++k) {
            glBindTexture(GL_TEXTURE_2D, sky.textures[base + k]);
            EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
            EXPECT_EQ(textureParameter(GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
        }
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Drawn before load (no textures): untextured faces, no out-of-range read.
    Skybox unloaded;
    unloaded.draw(eye, "twilight");
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(modelViewMatrix(), view);

    glDisableClientState(GL_VERTEX_ARRAY);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDeleteTextures(static_cast<GLsizei>(sky.textures.size()), sky.textures.data());
}

TEST(SkyboxGL, NightChangesNothing) {
    test_gl::ensureContext();
    Skybox sky = skyWithSlotTextures();
    const Vector3 eye(50.0, 1.8, 50.0);
    clearFrame();
    look(eye, {1, 0, 0}, {0, 1, 0});
    // Unusual values everywhere, so that a change would show.
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glBindTexture(GL_TEXTURE_2D, sky.textures[2]);
    glEnableClientState(GL_NORMAL_ARRAY);
    glColor4f(0.25f, 0.5f, 0.75f, 0.5f);
    const std::vector<double> before = stateSnapshot();

    sky.draw(eye, "night");

    EXPECT_EQ(stateSnapshot(), before);
    const test_gl::Pixel middle = test_gl::readPixel(32, 32);
    EXPECT_EQ(middle.r + middle.g + middle.b, 0) << "nothing drawn";

    glDisableClientState(GL_NORMAL_ARRAY);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDeleteTextures(static_cast<GLsizei>(sky.textures.size()), sky.textures.data());
}

TEST(SkyboxGL, LoadReadsTheTenImagesInOrderIntoTheirSlots) {
    test_gl::ensureContext();
    test_files::ScratchDirectory dir("sky-load");
    std::filesystem::create_directory("cloudy");
    std::filesystem::create_directory("sunset");
    // 4 × 4 images, top half coloured by file, bottom half black; PNG bytes
    // under the .jpg names (the loader goes by content). sunset/3 is missing.
    auto topRed = [](unsigned slot) { return static_cast<std::uint8_t>(20 + 22 * slot); };
    for (const auto& [slot, file] : skyImageFiles()) {
        if (file == "sunset/3.jpg") continue;
        std::vector<std::uint8_t> pixels;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                if (y < 2)
                    pixels.insert(pixels.end(), {topRed(slot), 128, 200});
                else
                    pixels.insert(pixels.end(), {0, 0, 0});
            }
        }
        test_files::write(file, 4, 4, 3, pixels);
    }

    Skybox sky;
    sky.load();
    ASSERT_EQ(sky.textures.size(), 10u);
    EXPECT_EQ(sky.textures[8], 0u);
    // Names come out of glGenTextures in the order the files were read.
    GLuint previous = 0;
    for (const auto& [slot, file] : skyImageFiles()) {
        if (slot == 8) continue;
        EXPECT_GT(sky.textures[slot], previous) << file;
        previous = sky.textures[slot];
    }
    // Each slot holds its file, turned so that the image's top is t = 1.
    auto ntsc = [](int v) { return v * 219 / 255 + 16; };
    for (unsigned slot = 0; slot < 10; ++slot) {
        if (slot == 8) continue;
        SCOPED_TRACE("slot " + std::to_string(slot));
        glBindTexture(GL_TEXTURE_2D, sky.textures[slot]);
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        ASSERT_EQ(width, 4);
        std::vector<std::uint8_t> texels(4 * 4 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        const std::uint8_t* bottomRow = &texels[0];
        const std::uint8_t* topRow = &texels[3 * 4 * 3];
        EXPECT_NEAR(topRow[0], ntsc(topRed(slot)), 8);
        EXPECT_NEAR(topRow[1], ntsc(128), 8);
        EXPECT_NEAR(topRow[2], ntsc(200), 8);
        EXPECT_NEAR(bottomRow[0], ntsc(0), 8);
        EXPECT_NEAR(bottomRow[2], ntsc(0), 8);
    }
    glDeleteTextures(static_cast<GLsizei>(sky.textures.size()), sky.textures.data());
}
