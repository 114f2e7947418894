// The texture step against a real context: for images of every channel count
// and odd sizes, the levels, sizes, internal formats and parameters that the
// program's textures have always had (libSOIL's, whose texture step this
// replaces), texels within DXT's quantisation of the exact ones, the flip,
// 16-bit and progressive files, and a side beyond GL_MAX_TEXTURE_SIZE refused
// and said once.
#include "image/texture_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "image_writer.h"
#include "tests/support/gl_window.h"
#include "tests/support/test_files.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

constexpr GLint kDxt1 = 0x83F0;  // GL_COMPRESSED_RGB_S3TC_DXT1_EXT
constexpr GLint kDxt5 = 0x83F3;  // GL_COMPRESSED_RGBA_S3TC_DXT5_EXT

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

DecodedImage generated(int width, int height, int channels) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    const std::vector<std::uint8_t> px = test_images::gradient(width, height, channels);
    image.pixels = std::make_unique<std::uint8_t[]>(px.size());
    std::copy(px.begin(), px.end(), image.pixels.get());
    return image;
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

// Expected values as libSOIL's SOIL_create_OGL_texture made them with the
// same flags (read back from its textures beside ours while it was still
// installed): sides scaled up to powers of two, mipmaps to 1 × 1, DXT1 for 1
// and 3 channels and DXT5 for 2 and 4, filtered linearly through the
// mipmaps, clamped with GL_CLAMP.
TEST_F(TextureGlTest, LevelsFormatsAndParametersOfEveryShape) {
    struct Case {
        int width, height, channels;
        unsigned flags;
        int levels, side0Width, side0Height;
        GLint format;
    };
    const Case cases[] = {
        {7, 3, 1, kSceneTextureFlags, 4, 8, 4, kDxt1},
        {13, 9, 2, kIntroTextureFlags, 5, 16, 16, kDxt5},
        {100, 37, 3, kSceneTextureFlags, 8, 128, 64, kDxt1},
        {12, 5, 4, kIntroTextureFlags, 5, 16, 8, kDxt5},
        {9, 130, 3, kSceneTextureFlags, 9, 16, 256, kDxt1},
        {64, 64, 3, kIntroTextureFlags, 7, 64, 64, kDxt1},
        {1, 1, 3, kSceneTextureFlags, 1, 1, 1, kDxt1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + " x " +
                     std::to_string(c.channels) + ", flags " + std::to_string(c.flags));
        const DecodedImage image = generated(c.width, c.height, c.channels);
        const unsigned name = createTexture(image, c.flags);
        ASSERT_NE(name, 0u);
        GLint bound = 0, minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<unsigned>(bound), name);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
        EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
        EXPECT_EQ(magFilter, GL_LINEAR);
        EXPECT_EQ(wrapS, GL_CLAMP);
        EXPECT_EQ(wrapT, GL_CLAMP);

        // The exact texels, as a driver without S3TC gets them.
        TextureTarget plain = textureTarget();
        plain.dxt = false;
        const TextureLevels exact = makeTextureLevels(image, c.flags, plain);
        ASSERT_EQ(exact.levels.size(), static_cast<std::size_t>(c.levels));
        int width = c.side0Width, height = c.side0Height;
        for (int level = 0; level < c.levels + 1; ++level) {
            SCOPED_TRACE("level " + std::to_string(level));
            const Level read = readLevel(name, level);
            if (level == c.levels) {  // no level beyond 1 × 1
                EXPECT_EQ(read.width, 0);
                break;
            }
            EXPECT_EQ(read.width, width);
            EXPECT_EQ(read.height, height);
            EXPECT_EQ(read.internalFormat, c.format);
            if (level == 0) {
                // Mean error within DXT's quantisation: about 1 in 255 on
                // large smooth pictures, up to 9 on the smallest, whose
                // blocks span steep ramps with four colours each.
                const std::vector<std::uint8_t>& texels = exact.levels[0].bytes;
                double error = 0.0;
                for (int i = 0; i < width * height; ++i)
                    for (int k = 0; k < 3; ++k)
                        error += std::abs(read.rgba[4 * i + k] -
                                          texels[i * c.channels + (c.channels >= 3 ? k : 0)]);
                EXPECT_LT(error / (3.0 * width * height), 12.0);
            }
            width = std::max(1, width / 2);
            height = std::max(1, height / 2);
        }
    }
}

TEST_F(TextureGlTest, TheFlipPutsTheTopRowAtTOne) {
    test_images::writeFile("flag.png", test_images::writePng8(16, 16, 3, redOverBlue()));
    const Level flipped = readLevel(loadImageTexture("flag.png", kSceneTextureFlags, "test"), 0);
    const Level upright = readLevel(loadImageTexture("flag.png", kIntroTextureFlags, "test"), 0);
    EXPECT_GT(flipped.rgba[2], 200);  // first row (t = 0) blue
    EXPECT_GT(upright.rgba[0], 200);  // first row red
}

TEST_F(TextureGlTest, ProgressiveAndSixteenBitFilesMakeTextures) {
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
        const Level level = readLevel(loadImageTexture(file, kSceneTextureFlags, "test"), 0);
        EXPECT_EQ(level.width, file[1] == 'k' ? 32 : 8);
    }
    // The 16-bit stone gives the texels of the same picture at 8 bits.
    test_images::writeFile(
        "stone8.png", test_images::writePng8(8, 8, 3, std::vector<std::uint8_t>(8 * 8 * 3, 200)));
    EXPECT_EQ(readLevel(loadImageTexture("stone.png", kSceneTextureFlags, "test"), 0).rgba,
              readLevel(loadImageTexture("stone8.png", kSceneTextureFlags, "test"), 0).rgba);
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
    EXPECT_EQ(
        loadImageTexture("wide.png", kSceneTextureFlags, "the ground is drawn without it", &reason),
        0u);
    EXPECT_EQ(loadImageTexture("wide.png", kSceneTextureFlags, "the ground is drawn without it"),
              0u);
    const std::string expected = std::to_string(maxSide + 1) + " x 1 pixels, larger than the " +
                                 std::to_string(maxSide) +
                                 " the graphics driver takes for a texture side";
    EXPECT_EQ(reason, expected);
    EXPECT_EQ(GetCapturedStderr(), "wide.png: " + expected + "; the ground is drawn without it\n");
}
