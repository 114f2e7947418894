// Our texture step beside libSOIL's SOIL_create_OGL_texture, the library it
// replaces, on the same decoded pixels: the same levels, sizes, internal
// formats and parameters, and texels within DXT's quantisation. Built only
// where libSOIL is installed.
#include <GL/gl.h>
#include <SOIL/SOIL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "image/texture_gl.h"
#include "image_writer.h"
#include "tests/support/gl_window.h"

namespace {

struct Texture {
    std::vector<std::vector<int>> levels;  // width, height, internal format per level
    std::vector<std::vector<std::uint8_t>> rgba;
    int minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;
};

Texture readBack(unsigned name) {
    Texture t;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &t.minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &t.magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &t.wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &t.wrapT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int level = 0;; ++level) {
        GLint w = 0, h = 0, format = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &w);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &h);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, &format);
        if (w == 0 || h == 0) break;
        t.levels.push_back({w, h, format});
        std::vector<std::uint8_t> texels(static_cast<std::size_t>(w) * h * 4);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        // GL reads grey back into red alone; spread it as DXT's grey is.
        if (format == GL_LUMINANCE || format == GL_LUMINANCE8 || format == GL_LUMINANCE_ALPHA ||
            format == GL_LUMINANCE8_ALPHA8)
            for (std::size_t i = 0; i < texels.size(); i += 4)
                texels[i + 1] = texels[i + 2] = texels[i];
        t.rgba.push_back(std::move(texels));
    }
    return t;
}

struct Difference {
    int largest = 0;
    double mean = 0.0;  // over all texels and channels of all levels
};

Difference difference(const Texture& a, const Texture& b) {
    Difference d;
    std::size_t count = 0;
    double sum = 0.0;
    for (std::size_t level = 0; level < std::min(a.rgba.size(), b.rgba.size()); ++level) {
        if (a.rgba[level].size() != b.rgba[level].size()) continue;
        for (std::size_t i = 0; i < a.rgba[level].size(); ++i) {
            const int diff = std::abs(int(a.rgba[level][i]) - int(b.rgba[level][i]));
            d.largest = std::max(d.largest, diff);
            sum += diff;
            ++count;
        }
    }
    d.mean = count ? sum / double(count) : 0.0;
    return d;
}

Difference worstSeen;

void expectSameShape(const Texture& a, const Texture& b) {
    EXPECT_EQ(a.levels, b.levels);
    EXPECT_EQ(a.minFilter, b.minFilter);
    EXPECT_EQ(a.magFilter, b.magFilter);
    EXPECT_EQ(a.wrapS, b.wrapS);
    EXPECT_EQ(a.wrapT, b.wrapT);
}

// Without DXT the texels must be SOIL's exactly (flip, NTSC range, scaling,
// mipmaps); with it, ours and SOIL's each differ from those exact texels by
// DXT's quantisation, ours no more than SOIL's.
void compare(const DecodedImage& image, unsigned flags, const std::string& what) {
    SCOPED_TRACE(what + " flags " + std::to_string(flags));
    // SOIL uploads uncompressed levels with whatever alignment it finds:
    // packed rows need 1 (a 2 x 2 RGB level has 6-byte rows).
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const auto soilTexture = [&](unsigned f) {
        const unsigned name = SOIL_create_OGL_texture(image.pixels.get(), image.width, image.height,
                                                      image.channels, SOIL_CREATE_NEW_ID, f);
        Texture t = readBack(name);
        glDeleteTextures(1, &name);
        return t;
    };
    const auto ourTexture = [&](unsigned f) {
        const unsigned name = createTexture(image, f);
        Texture t = readBack(name);
        glDeleteTextures(1, &name);
        return t;
    };
    const unsigned plainFlags = flags & ~unsigned(kTextureCompressDxt);
    const Texture exact = soilTexture(plainFlags);
    const Texture ourPlain = ourTexture(plainFlags);
    expectSameShape(exact, ourPlain);
    const Difference plain = difference(exact, ourPlain);
    EXPECT_EQ(plain.largest, 0);

    const Texture soil = soilTexture(flags);
    const Texture ours = ourTexture(flags);
    expectSameShape(soil, ours);
    const Difference between = difference(soil, ours);
    const Difference soilError = difference(exact, soil);
    const Difference ourError = difference(exact, ours);
    std::printf(
        "%-14s flags %3u: %2zu levels, %4dx%-4d format 0x%x | without DXT: largest "
        "difference %d | DXT vs SOIL: largest %3d, mean %.2f | vs exact texels: SOIL "
        "largest %3d mean %.2f, ours largest %3d mean %.2f\n",
        what.c_str(), flags, ours.levels.size(), ours.levels.empty() ? 0 : ours.levels[0][0],
        ours.levels.empty() ? 0 : ours.levels[0][1], ours.levels.empty() ? 0 : ours.levels[0][2],
        plain.largest, between.largest, between.mean, soilError.largest, soilError.mean,
        ourError.largest, ourError.mean);
    worstSeen.largest = std::max(worstSeen.largest, between.largest);
    worstSeen.mean = std::max(worstSeen.mean, between.mean);
    EXPECT_LE(ourError.mean, soilError.mean * 1.1 + 0.05);
    EXPECT_LE(ourError.largest, soilError.largest + 16);
}

DecodedImage generated(int width, int height, int channels, int seed) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    const std::vector<std::uint8_t> px = test_images::gradient(width, height, channels, seed);
    image.pixels = std::make_unique<std::uint8_t[]>(px.size());
    std::copy(px.begin(), px.end(), image.pixels.get());
    return image;
}

}  // namespace

TEST(TextureSoilTest, GeneratedImagesOfEveryShape) {
    test_gl::ensureContext();
    const int shapes[][3] = {{7, 3, 1}, {13, 9, 2},  {100, 37, 3},  {12, 5, 4},    {64, 64, 3},
                             {2, 2, 4}, {5, 5, 1},   {300, 200, 4}, {33, 17, 2},   {4, 1, 3},
                             {1, 1, 3}, {256, 8, 1}, {9, 130, 3},   {1024, 576, 4}};
    int seed = 0;
    for (const auto& s : shapes)
        for (unsigned flags : {kSceneTextureFlags, kIntroTextureFlags})
            compare(generated(s[0], s[1], s[2], ++seed), flags,
                    std::to_string(s[0]) + "x" + std::to_string(s[1]) + "x" + std::to_string(s[2]));
    std::printf("largest texel difference to SOIL so far: %d\n", worstSeen.largest);
}

TEST(TextureSoilTest, BundledImages) {
    test_gl::ensureContext();
    for (const char* file :
         {"stone.png", "ground.png", "intro1.png", "sarsen.png", "bluestone.png", "cloudy/0.jpg",
          "cloudy/1.jpg", "cloudy/2.jpg", "cloudy/3.jpg", "cloudy/4.jpg", "sunset/0.jpg",
          "sunset/1.jpg", "sunset/2.jpg", "sunset/3.jpg", "sunset/4.jpg"}) {
        const ImageResult decoded =
            readImageFile(std::string(VELMORA_DATA_DIR) + "/" + file, textureLimits());
        ASSERT_TRUE(decoded.ok()) << file << ": " << decoded.error;
        compare(decoded.image,
                std::string(file) == "intro1.png" ? kIntroTextureFlags : kSceneTextureFlags, file);
    }
    std::printf("largest texel difference to SOIL: %d (largest mean %.2f)\n", worstSeen.largest,
                worstSeen.mean);
}
