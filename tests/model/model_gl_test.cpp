// draw() and the texture step against a real GL context (Xvfb): what reaches
// GL in each normal mode, read back through feedback mode and pixels, the
// state draw() leaves behind, and the texture step's messages.
#include "model/model_gl.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "image_writer.h"
#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "model/text_convert.h"
#include "temp_dir.h"
#include "tests/support/gl_window.h"

namespace {

constexpr int kSize = test_gl::kWindowSize;  // window side, pixels

class ModelGlTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { test_gl::ensureContext(); }

    // The frame's part of the contract: a view, and lighting with colour
    // material tracking ambient and diffuse, modulated by the texture.
    void SetUp() override {
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        const GLfloat direction[] = {0.6f, 0.3f, 1.0f, 0.0f};  // directional, from the front right
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        const GLfloat diffuse[] = {0.6f, 0.6f, 0.6f, 1.0f};  // dim enough that no colour saturates
        glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glEnable(GL_DEPTH_TEST);
    }

    // A roof seen from the front: two triangles meeting along a ridge, with
    // file normals that point elsewhere than the computed ones.
    static ObjModel roof() {
        ObjModel model;
        model.addVertex(Vector3(0, 1, 0));
        model.addVertex(Vector3(0, -1, 0));
        model.addVertex(Vector3(1.5, 0, -1));
        model.addVertex(Vector3(-1.5, 0, -1));
        model.addNormal(Vector3(0, 1, 0));
        Face right;
        right.cornerCount = 3;
        right.vertexIndices = {0, 1, 2};
        right.normalIndices = {0, 0, 0};
        Face left = right;
        left.vertexIndices = {1, 0, 3};
        model.addFace(right, {"roof"});
        model.addFace(left, {"roof"});
        return model;
    }

    // The lit colours (r of each corner) of the polygons draw() sends.
    static std::vector<std::vector<float>> feedbackColours(ObjModel& model) {
        std::vector<GLfloat> buffer(4096);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        model.draw();
        const GLint used = glRenderMode(GL_RENDER);
        std::vector<std::vector<float>> polygons;
        const int perVertex = 3 + 4 + 4;  // x y z, r g b a, s t r q
        for (GLint i = 0; i < used;) {
            EXPECT_EQ(static_cast<GLenum>(buffer[i]), static_cast<GLenum>(GL_POLYGON_TOKEN));
            const int corners = static_cast<int>(buffer[i + 1]);
            std::vector<float> reds;
            for (int c = 0; c < corners; ++c) reds.push_back(buffer[i + 2 + c * perVertex + 3]);
            polygons.push_back(reds);
            i += 2 + corners * perVertex;
        }
        return polygons;
    }

    static std::vector<unsigned char> drawnPixels(ObjModel& model) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        model.draw();
        glFinish();
        std::vector<unsigned char> pixels(kSize * kSize * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};

}  // namespace

TEST_F(ModelGlTest, EachNormalModeShadesTheRoofDifferently) {
    ObjModel model = roof();
    std::vector<std::vector<std::vector<float>>> colours;
    std::vector<std::vector<unsigned char>> pixels;
    for (int mode : {0, 1, 2}) {
        model.normalMode = mode;
        colours.push_back(feedbackColours(model));
        pixels.push_back(drawnPixels(model));
        ASSERT_EQ(colours.back().size(), 2u) << mode;
    }
    // File normals: all corners alike. One per face: the two slopes differ,
    // each flat. One per vertex: the ridge blends both slopes.
    const auto& file = colours[0];
    const auto& flat = colours[1];
    const auto& smooth = colours[2];
    EXPECT_FLOAT_EQ(file[0][0], file[1][2]);
    EXPECT_FLOAT_EQ(flat[0][0], flat[0][2]);
    EXPECT_NE(flat[0][0], flat[1][0]);
    EXPECT_NE(smooth[0][0], smooth[0][2]);
    EXPECT_NE(smooth[0][0], flat[0][0]);
    EXPECT_NE(file[0][0], flat[0][0]);
    EXPECT_NE(pixels[0], pixels[1]);
    EXPECT_NE(pixels[1], pixels[2]);
    EXPECT_NE(pixels[0], pixels[2]);
    // Something was drawn: the centre of the window is lit.
    EXPECT_GT(pixels[1][(kSize / 2 * kSize + kSize / 2) * 4], 0);
}

TEST_F(ModelGlTest, AModelOfQuadsDrawsNothing) {
    ObjModel model;
    for (int i = 0; i < 4; ++i) model.addVertex(Vector3(i % 2, i / 2, 0));
    model.addNormal(Vector3(0, 0, 1));
    Face quad;
    quad.cornerCount = 4;
    quad.vertexIndices = {0, 1, 3, 2};
    quad.normalIndices = {0, 0, 0, 0};
    model.addFace(quad, {"slab"});
    for (int mode : {0, 1, 2}) {
        model.normalMode = mode;
        EXPECT_TRUE(feedbackColours(model).empty()) << mode;
    }
}

TEST_F(ModelGlTest, DrawLeavesItsStateBehind) {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_NORMALIZE);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glColor3f(0.5f, 0.25f, 0.125f);
    ObjModel model = roof();
    model.draw();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_TRUE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
    GLfloat factor = 0, units = 0;
    glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &factor);
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &units);
    EXPECT_EQ(factor, 1.0f);
    EXPECT_EQ(units, 1.0f);
    GLint bound = -1, wrapS = 0, wrapT = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), model.stoneTexture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(wrapS, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrapT, GL_CLAMP_TO_EDGE);
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f);
    GLint polygonModes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, polygonModes);
    EXPECT_EQ(polygonModes[0], GL_FILL);
}

TEST_F(ModelGlTest, StoneTextureIsLoadedOnceFromTheWorkingDirectory) {
    TempDir dir;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    ObjModel model = roof();
    testing::internal::CaptureStderr();
    model.draw();  // no "stone.png" yet: drawn untextured, tried again next frame
    model.draw();
    EXPECT_EQ(model.stoneTexture, 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "stone.png: cannot be opened (No such file or directory); the stone is drawn "
              "without it\n");

    // A broken stone.png is named once, however many frames try it.
    dir.write("stone.png", "not a picture");
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 5; ++frame) model.draw();
    EXPECT_EQ(model.stoneTexture, 0u);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "stone.png: not a PNG or JPEG file; the stone is drawn without it\n");

    // The decoder knows an image by its content: a JPEG named stone.png loads.
    test_images::JpegSpec grey;
    grey.width = 2;
    grey.height = 2;
    grey.kind = test_images::JpegKind::Grey;
    grey.samples.assign(4, 128);
    test_images::writeFile("stone.png", test_images::writeJpeg(grey));
    model.draw();
    const unsigned int stone = model.stoneTexture;
    EXPECT_NE(stone, 0u);
    model.draw();
    EXPECT_EQ(model.stoneTexture, stone);
    ASSERT_EQ(chdir(previous), 0);
}

TEST_F(ModelGlTest, TextureStepLoadsByDirectoryAndReportsFailures) {
    TempDir dir;
    const std::vector<std::uint8_t> red = {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0};
    dir.write("sub/lib.mtl",
              "newmtl a\nmap_Kd lichen.png\nnewmtl b\nmap_Ka missing.png\nnewmtl c\nmap_Kd\n");
    test_images::writeFile(dir.path() + "sub/lichen.png", test_images::writePng8(2, 2, 3, red));
    const std::string objPath = dir.write("sub/model.obj", "mtllib lib.mtl\n");

    ObjModel model;
    testing::internal::CaptureStdout();
    loadObjModel(objPath, model);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // the texture step comes later

    // The decoder's words for the two failures, the directory itself (the
    // empty file name) and a missing file, on standard output as before; and
    // each file named on standard error.
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    loadTextures(model, directoryOf(objPath));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              " textures\nSOIL loading error: 'is a directory, not an image file'\n"
              "SOIL loading error: 'cannot be opened (No such file or directory)'\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              dir.path() +
                  "sub/: is a directory, not an image file; the material has no texture\n" +
                  dir.path() +
                  "sub/missing.png: cannot be opened (No such file or directory); the material "
                  "has no texture\n");
    const TextureEntry& good = model.textures.at("lichen.png");
    const TextureEntry& bad = model.textures.at("missing.png");
    EXPECT_NE(good.textureId, 0u);
    EXPECT_EQ(good.directory, dir.path() + "sub/");
    EXPECT_EQ(bad.textureId, 0u);
    EXPECT_EQ(bad.directory, dir.path() + "sub/");
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), good.textureId);

    ObjModel plain;
    testing::internal::CaptureStdout();
    loadTextures(plain, "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}
