// The steps from decoded pixels to a texture's levels, without GL: the flip
// and the NTSC-safe range, bilinear scaling up, block means for mipmaps
// (rounded once per level, from the whole block), DXT blocks, which levels
// and format each kind of image and driver gets, and the same made ahead.
#include "image/texture_levels.h"

#include <gtest/gtest.h>

#include <random>

#include "image/texture_ahead.h"
#include "image/texture_flags.h"
#include "image/texture_stream.h"
#include "image_writer.h"
#include "tests/support/test_files.h"

namespace {

DecodedImage imageOf(int width, int height, int channels, std::vector<std::uint8_t> bytes) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.channels = channels;
    image.pixels = std::make_unique<std::uint8_t[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), image.pixels.get());
    return image;
}

PixelGrid gridOf(int width, int height, int channels, std::vector<std::uint8_t> bytes) {
    PixelGrid grid;
    grid.width = width;
    grid.height = height;
    grid.channels = channels;
    grid.bytes = std::move(bytes);
    return grid;
}

PixelGrid noise(int width, int height, int channels, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * channels);
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random() & 0xff);
    return gridOf(width, height, channels, bytes);
}

// The colour of texel i of a DXT1 colour block (4-colour mode).
std::vector<int> dxt1Texel(const std::uint8_t* block, int i) {
    const int c0 = block[0] | block[1] << 8, c1 = block[2] | block[3] << 8;
    const auto rgb = [](int c) {
        return std::vector<int>{(c >> 11) * 255 / 31, ((c >> 5) & 63) * 255 / 63,
                                (c & 31) * 255 / 31};
    };
    const std::vector<int> a = rgb(c0), b = rgb(c1);
    const int index = (block[4 + i / 4] >> (2 * (i % 4))) & 3;
    const int weightOfB[] = {0, 3, 1, 2};  // thirds
    std::vector<int> out(3);
    for (int k = 0; k < 3; ++k)
        out[k] = (a[k] * (3 - weightOfB[index]) + b[k] * weightOfB[index]) / 3;
    return out;
}

}  // namespace

TEST(TextureLevelsTest, BaseGridFlipsRowsAndScalesColoursButNotAlpha) {
    // Grey + alpha, 1 × 3: rows top to bottom.
    const DecodedImage image = imageOf(1, 3, 2, {0, 0, 128, 7, 255, 255});
    EXPECT_EQ(baseGrid(image, false, false).bytes,
              (std::vector<std::uint8_t>{0, 0, 128, 7, 255, 255}));
    EXPECT_EQ(baseGrid(image, true, false).bytes,
              (std::vector<std::uint8_t>{255, 255, 128, 7, 0, 0}));
    // 0…255 onto 16…235 by truncating a scale whose ends reach half a step out.
    EXPECT_EQ(baseGrid(image, true, true).bytes,
              (std::vector<std::uint8_t>{235, 255, 125, 7, 15, 0}));
    const DecodedImage rgb = imageOf(1, 1, 3, {1, 127, 254});
    EXPECT_EQ(baseGrid(rgb, false, true).bytes, (std::vector<std::uint8_t>{16, 125, 234}));
}

TEST(TextureLevelsTest, ScaleUpSamplesCornersToCornersBilinearly) {
    const PixelGrid ramp = scaleUp(gridOf(2, 1, 1, {0, 255}), 4, 1);
    EXPECT_EQ(ramp.bytes, (std::vector<std::uint8_t>{0, 85, 170, 255}));
    // A side of one pixel is repeated.
    const PixelGrid column = scaleUp(gridOf(1, 3, 1, {10, 20, 30}), 2, 4);
    EXPECT_EQ(column.bytes, (std::vector<std::uint8_t>{10, 10, 17, 17, 23, 23, 30, 30}));
    const PixelGrid big = noise(13, 7, 3, 1);
    const PixelGrid scaled = scaleUp(big, 16, 8);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(scaled.bytes[c], big.bytes[c]);
        EXPECT_EQ(scaled.bytes[scaled.bytes.size() - 3 + c], big.bytes[big.bytes.size() - 3 + c]);
    }
}

TEST(TextureLevelsTest, MipmapsAreBlockMeansRoundedOnceFromTheWholeBlock) {
    for (const PixelGrid& grid :
         {noise(16, 4, 4, 2), noise(4, 32, 1, 3), noise(1, 8, 2, 4), noise(64, 64, 3, 5)}) {
        SCOPED_TRACE(std::to_string(grid.width) + " x " + std::to_string(grid.height));
        const std::vector<PixelGrid> chain = mipmapChain(grid);
        int levels = 0;
        while ((1 << (levels + 1)) <= std::max(grid.width, grid.height)) ++levels;
        ASSERT_EQ(chain.size(), static_cast<std::size_t>(levels));
        for (int n = 1; n <= levels; ++n) {
            const PixelGrid expected = blockMeans(grid, 1 << n, 1 << n);
            EXPECT_EQ(chain[n - 1].width, expected.width);
            EXPECT_EQ(chain[n - 1].height, expected.height);
            EXPECT_EQ(chain[n - 1].bytes, expected.bytes) << "level " << n;
        }
    }
    // Quarters of sums 6, 6, 5, 5 round to 2, 2, 1, 1, whose mean would round
    // to 2; the whole block's sum, 22 of 16 texels, gives 1.
    const PixelGrid grid = gridOf(4, 4, 1, {1, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1, 1, 1, 2, 1, 2});
    const std::vector<PixelGrid> chain = mipmapChain(grid);
    EXPECT_EQ(chain[0].bytes, (std::vector<std::uint8_t>{2, 2, 1, 1}));
    EXPECT_EQ(chain[1].bytes, (std::vector<std::uint8_t>{1}));
}

TEST(TextureLevelsTest, DxtBlocksKeepTheColoursOfEveryChannelCount) {
    // 5 × 3: two blocks across, one down, the second mostly padding.
    for (int channels = 1; channels <= 4; ++channels) {
        SCOPED_TRACE(std::to_string(channels) + " channels");
        const PixelGrid grid =
            gridOf(5, 3, channels, std::vector<std::uint8_t>(15 * channels, 200));
        const bool alpha = channels % 2 == 0;
        const std::vector<std::uint8_t> blocks =
            compressDxt(grid, alpha ? TexelFormat::Dxt5 : TexelFormat::Dxt1);
        ASSERT_EQ(blocks.size(), alpha ? 32u : 16u);
        const std::uint8_t* colour = blocks.data() + (alpha ? 8 : 0);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(dxt1Texel(colour, 0)[k], 200, 4);
        if (alpha) {
            EXPECT_TRUE(blocks[0] == 200 || blocks[1] == 200);  // an alpha endpoint
        }
    }
}

TEST(TextureLevelsTest, FormatsAndLevelsByImageAndDriver) {
    struct Case {
        int channels;
        unsigned flags;
        TextureTarget target;
        TexelFormat format;
        std::vector<std::pair<int, int>> sizes;
    };
    const std::vector<std::pair<int, int>> chain = {{8, 4}, {4, 2}, {2, 1}, {1, 1}};
    const Case cases[] = {
        {1, kSceneTextureFlags, {0, true, true}, TexelFormat::Dxt1, chain},
        {2, kSceneTextureFlags, {0, true, true}, TexelFormat::Dxt5, chain},
        {3, kIntroTextureFlags, {0, true, true}, TexelFormat::Dxt1, chain},
        {4, kIntroTextureFlags, {0, true, true}, TexelFormat::Dxt5, chain},
        {1, kSceneTextureFlags, {0, false, true}, TexelFormat::Luminance, chain},
        {2, kSceneTextureFlags, {0, false, true}, TexelFormat::LuminanceAlpha, chain},
        {3, kSceneTextureFlags, {0, false, true}, TexelFormat::Rgb, chain},
        {4, kSceneTextureFlags, {0, false, true}, TexelFormat::Rgba, chain},
        {3, kTextureInvertY, {0, true, true}, TexelFormat::Rgb, {{5, 3}}},
        {3, kTextureInvertY, {0, true, false}, TexelFormat::Rgb, {{8, 4}}},
        // A driver whose sides stop at 4: the 8 × 4 is halved across only.
        {3, kSceneTextureFlags, {4, true, true}, TexelFormat::Dxt1, {{4, 4}, {2, 2}, {1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels, flags " + std::to_string(c.flags));
        const TextureLevels t = makeTextureLevels(
            imageOf(5, 3, c.channels, std::vector<std::uint8_t>(15 * c.channels, 99)), c.flags,
            c.target);
        EXPECT_EQ(t.format, c.format);
        std::vector<std::pair<int, int>> sizes;
        for (const TextureLevel& level : t.levels) {
            sizes.emplace_back(level.width, level.height);
            const std::size_t blocks = static_cast<std::size_t>((level.width + 3) / 4) *
                                       static_cast<std::size_t>((level.height + 3) / 4);
            const std::size_t expected =
                c.format == TexelFormat::Dxt1 ? blocks * 8
                : c.format == TexelFormat::Dxt5
                    ? blocks * 16
                    : static_cast<std::size_t>(level.width) * level.height * c.channels;
            EXPECT_EQ(level.bytes.size(), expected);
        }
        EXPECT_EQ(sizes, c.sizes);
    }
}

TEST(TextureLevelsTest, TexturesMadeAheadAreTakenOnceWhateverTheOrder) {
    test_files::ScratchDirectory dir("texture-ahead");
    test_images::writeFile("a.png",
                           test_images::writePng8(5, 3, 3, test_images::gradient(5, 3, 3)));
    test_images::writeFile("b.png",
                           test_images::writePng8(9, 9, 4, test_images::gradient(9, 9, 4)));
    const TextureTarget target{0, true, true};
    TexturesAhead ahead(target);
    ahead.request({{"a.png", kSceneTextureFlags},
                   {"missing.png", kSceneTextureFlags},
                   {"b.png", kIntroTextureFlags}});
    for (const char* file : {"b.png", "a.png"}) {
        SCOPED_TRACE(file);
        const unsigned flags = file[0] == 'a' ? kSceneTextureFlags : kIntroTextureFlags;
        std::optional<PreparedTexture> taken = ahead.take(file, flags);
        ASSERT_TRUE(taken.has_value());
        ASSERT_TRUE(taken->decoded.ok());
        const TextureLevels expected =
            makeTextureLevels(readImageFile(file, {}).image, flags, target);
        ASSERT_EQ(taken->levels.levels.size(), expected.levels.size());
        for (std::size_t i = 0; i < expected.levels.size(); ++i)
            EXPECT_EQ(taken->levels.levels[i].bytes, expected.levels[i].bytes);
        EXPECT_FALSE(ahead.take(file, flags).has_value());  // once
    }
    const std::optional<PreparedTexture> missing = ahead.take("missing.png", kSceneTextureFlags);
    ASSERT_TRUE(missing.has_value());
    EXPECT_FALSE(missing->decoded.ok());
    EXPECT_TRUE(missing->levels.levels.empty());
    // Never named ahead, or named with other flags: made by the caller.
    EXPECT_FALSE(ahead.take("c.png", kSceneTextureFlags).has_value());
    // Pixels alone, for screens uploaded as they are.
    ahead.requestPixels({"b.png"});
    const std::optional<ImageResult> pixels = ahead.takePixels("b.png");
    ASSERT_TRUE(pixels.has_value());
    EXPECT_EQ(pixels->image.width, 9);
    EXPECT_FALSE(ahead.takePixels("a.png").has_value());
}

TEST(TextureLevelsTest, LevelsMadeWhileDecodingAreTheLevelsOfTheDecodedImage) {
    const auto random = [](int width, int height, int channels) {
        return noise(width, height, channels, static_cast<unsigned>(width + height + channels))
            .bytes;
    };
    const auto png = [&](int width, int height, int channels) {
        return test_images::writePng8(width, height, channels, random(width, height, channels));
    };
    test_images::PngSpec interlaced;
    interlaced.width = interlaced.height = 256;
    interlaced.colourType = test_images::kGreyAlpha;
    interlaced.interlaced = true;
    for (std::uint8_t b : random(256, 256, 2)) interlaced.samples.push_back(b);
    test_images::JpegSpec jpeg;
    jpeg.width = jpeg.height = 256;
    jpeg.samples = random(256, 256, 3);
    const TextureTarget current{0, true, true};
    const unsigned kNoMipmaps = kTextureInvertY | kTextureCompressDxt | kTextureNtscSafeRgb;
    struct Case {
        const char* what;
        std::vector<std::uint8_t> file;
        unsigned flags;
        TextureTarget target;
    } cases[] = {
        {"RGB, flipped, bands from the bottom", png(256, 256, 3), kSceneTextureFlags, current},
        {"RGBA, upright", png(512, 256, 4), kIntroTextureFlags, current},
        {"grey, tall", png(256, 512, 1), kSceneTextureFlags, current},
        {"interlaced grey + alpha", test_images::writePng(interlaced), kSceneTextureFlags, current},
        {"JPEG", test_images::writeJpeg(jpeg), kSceneTextureFlags, current},
        {"16 rows, wide", png(4096, 16, 3), kSceneTextureFlags, current},
        {"16 columns, tall", png(16, 4096, 2), kIntroTextureFlags, current},
        {"scaled to powers of two", png(300, 260, 3), kSceneTextureFlags, current},
        {"one level, blocks cut by the edges", png(261, 259, 3), kNoMipmaps, current},
        {"a driver without DXT", png(256, 256, 3), kSceneTextureFlags, {0, false, true}},
        {"a driver whose sides stop at 128",
         png(256, 256, 4),
         kSceneTextureFlags,
         {128, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ImageResult plain = decodeImage(c.file.data(), c.file.size(), {});
        ASSERT_TRUE(plain.ok()) << plain.error;
        const TextureLevels expected = makeTextureLevels(plain.image, c.flags, c.target);
        TextureLevelsAsDecoded made(c.flags, c.target);
        const ImageResult decoded = decodeImage(c.file.data(), c.file.size(), {}, made);
        ASSERT_TRUE(decoded.ok()) << decoded.error;
        EXPECT_EQ(decoded.image.width, plain.image.width);
        EXPECT_EQ(decoded.image.channels, plain.image.channels);
        EXPECT_EQ(decoded.image.pixels, nullptr);
        const TextureLevels levels = made.finish(true);
        EXPECT_EQ(levels.format, expected.format);
        ASSERT_EQ(levels.levels.size(), expected.levels.size());
        for (std::size_t i = 0; i < levels.levels.size(); ++i) {
            EXPECT_EQ(levels.levels[i].width, expected.levels[i].width);
            EXPECT_EQ(levels.levels[i].height, expected.levels[i].height);
            EXPECT_TRUE(levels.levels[i].bytes == expected.levels[i].bytes) << "level " << i;
        }
    }
    // A file that ends halfway fails as it does without the levels, and the
    // block thread, waiting for rows that never come, is let go.
    std::vector<std::uint8_t> cut = png(512, 512, 3);
    cut.resize(cut.size() / 2);
    TextureLevelsAsDecoded made(kSceneTextureFlags, current);
    const ImageResult decoded = decodeImage(cut.data(), cut.size(), {}, made);
    EXPECT_EQ(decoded.error, decodeImage(cut.data(), cut.size(), {}).error);
    EXPECT_TRUE(made.finish(false).levels.empty());
}
