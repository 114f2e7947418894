// The texture step against a real context: SOIL makes the texture from our
// pixels exactly as SOIL_load_OGL_texture made it from its own (same levels,
// same texels, same flip), forms SOIL could not read now load, a side beyond
// GL_MAX_TEXTURE_SIZE is refused, and each failure is said once.
#include "image/texture_gl.h"

#include <GL/gl.h>
#include <SOIL/SOIL.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image_writer.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_files.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

constexpr unsigned kSceneFlags =
    SOIL_FLAG_MIPMAPS | SOIL_FLAG_INVERT_Y | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB;
constexpr unsigned kIntroFlags =
    SOIL_FLAG_MIPMAPS | SOIL_FLAG_COMPRESS_TO_DXT | SOIL_FLAG_NTSC_SAFE_RGB;
static_assert(kSceneFlags == 178 && kIntroFlags == 162, "the flags the scene uses");

struct Level {
    int width = 0;
    int height = 0;
    int internalFormat = 0;
    std::vector<std::uint8_t> rgba;  // rows from t = 0
};

Level readLevel(unsigned texture, int level) {
    Level l;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &l.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &l.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, &l.internalFormat);
    l.rgba.resize(static_cast<std::size_t>(l.width) * l.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, l.rgba.data());
    return l;
}

// Top half red, bottom half blue, 16 × 16 (whole DXT blocks of one colour).
std::vector<std::uint8_t> redOverBlue() {
    std::vector<std::uint8_t> px;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            px.insert(px.end(), {std::uint8_t(y < 8 ? 255 : 0), 0, std::uint8_t(y < 8 ? 0 : 255)});
    return px;
}

class TextureGlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test_gl::ensureContext();
        dir_ = std::make_unique<test_files::ScratchDirectory>("image-texture-gl");
    }
    void TearDown() override { dir_.reset(); }
    std::unique_ptr<test_files::ScratchDirectory> dir_;
};

}  // namespace

TEST_F(TextureGlTest, TexturesMatchWhatSoilMadeFromItsOwnDecoding) {
    test_images::writeFile("flag.png", test_images::writePng8(16, 16, 3, redOverBlue()));
    test_images::writeFile("rgba.png",
                           test_images::writePng8(12, 5, 4, test_images::gradient(12, 5, 4)));
    test_images::writeFile("grey.png",
                           test_images::writePng8(7, 3, 1, test_images::gradient(7, 3, 1)));
    for (const char* file : {"flag.png", "rgba.png", "grey.png"}) {
        for (unsigned flags : {kSceneFlags, kIntroFlags}) {
            SCOPED_TRACE(std::string(file) + " flags " + std::to_string(flags));
            const unsigned soil =
                SOIL_load_OGL_texture(file, SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, flags);
            const unsigned ours = loadImageTexture(file, flags, "test");
            ASSERT_NE(soil, 0u);
            ASSERT_NE(ours, 0u);
            for (int level = 0; level < 3; ++level) {
                const Level a = readLevel(soil, level);
                const Level b = readLevel(ours, level);
                EXPECT_EQ(a.width, b.width) << "level " << level;
                EXPECT_EQ(a.height, b.height) << "level " << level;
                EXPECT_EQ(a.internalFormat, b.internalFormat) << "level " << level;
                EXPECT_EQ(a.rgba, b.rgba) << "level " << level;
            }
        }
    }
    // The flip is SOIL's: with SOIL_FLAG_INVERT_Y the image's top row (red)
    // is at t = 1, without it at t = 0.
    const Level flipped = readLevel(loadImageTexture("flag.png", kSceneFlags, "test"), 0);
    const Level upright = readLevel(loadImageTexture("flag.png", kIntroFlags, "test"), 0);
    EXPECT_GT(flipped.rgba[2], 200);  // first row blue
    EXPECT_GT(upright.rgba[0], 200);  // first row red
    // Mipmaps down to 1 × 1.
    EXPECT_EQ(readLevel(loadImageTexture("flag.png", kSceneFlags, "test"), 4).width, 1);
}

TEST_F(TextureGlTest, FormsSoilCouldNotReadNowMakeTextures) {
    test_images::JpegSpec progressive;
    progressive.width = 32;
    progressive.height = 16;
    progressive.progressive = true;
    progressive.samples = test_images::gradient(32, 16, 3);
    test_images::writeFile("sky.jpg", test_images::writeJpeg(progressive));
    test_images::PngSpec deep;
    deep.width = 8;
    deep.height = 8;
    deep.colourType = test_images::kRgb;
    deep.bitDepth = 16;
    deep.interlaced = true;
    deep.samples.assign(8 * 8 * 3, 257 * 200);
    test_images::writeFile("stone.png", test_images::writePng(deep));
    for (const char* file : {"sky.jpg", "stone.png"}) {
        SCOPED_TRACE(file);
        EXPECT_EQ(SOIL_load_OGL_texture(file, SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, kSceneFlags), 0u);
        const Level level = readLevel(loadImageTexture(file, kSceneFlags, "test"), 0);
        EXPECT_EQ(level.width, file[1] == 'k' ? 32 : 8);
    }
    // The 16-bit stone gives the texels SOIL made from the same picture at
    // 8 bits.
    test_images::writeFile(
        "stone8.png", test_images::writePng8(8, 8, 3, std::vector<std::uint8_t>(8 * 8 * 3, 200)));
    const unsigned eightBit =
        SOIL_load_OGL_texture("stone8.png", SOIL_LOAD_AUTO, SOIL_CREATE_NEW_ID, kSceneFlags);
    ASSERT_NE(eightBit, 0u);
    EXPECT_EQ(readLevel(loadImageTexture("stone.png", kSceneFlags, "test"), 0).rgba,
              readLevel(eightBit, 0).rgba);
}

TEST_F(TextureGlTest, ASideBeyondTheDriversLimitIsRefusedAndSaidOnce) {
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    ASSERT_GT(maxSide, 0);
    EXPECT_EQ(textureLimits().maxSide, static_cast<std::uint32_t>(maxSide));
    test_images::writeFile(
        "wide.png",
        test_images::writePng8(maxSide + 1, 1, 1, std::vector<std::uint8_t>(maxSide + 1, 90)));
    CaptureStderr();
    std::string reason;
    EXPECT_EQ(loadImageTexture("wide.png", kSceneFlags, "the ground is drawn without it", &reason),
              0u);
    EXPECT_EQ(loadImageTexture("wide.png", kSceneFlags, "the ground is drawn without it"), 0u);
    const std::string expected = std::to_string(maxSide + 1) + " x 1 pixels, larger than the " +
                                 std::to_string(maxSide) +
                                 " the graphics driver takes for a texture side";
    EXPECT_EQ(reason, expected);
    EXPECT_EQ(GetCapturedStderr(), "wide.png: " + expected + "; the ground is drawn without it\n");
}
