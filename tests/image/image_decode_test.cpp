// Every valid PNG and JPEG form decodes to 8 bits a channel with the image's
// own channel count, rows from the top, whatever the file is called.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "image/image_file.h"
#include "image_writer.h"
#include "tests/support/test_files.h"

using test_images::JpegKind;
using test_images::JpegSpec;
using test_images::PngSpec;

namespace {

ImageResult decode(const std::vector<std::uint8_t>& bytes, ImageLimits limits = {}) {
    return decodeImage(bytes.data(), bytes.size(), limits);
}

std::vector<std::uint8_t> pixelsOf(const DecodedImage& image) {
    return std::vector<std::uint8_t>(image.pixels.get(), image.pixels.get() + image.byteCount());
}

// Samples 0 … 2^depth − 1 spread over the image, different in each channel.
std::vector<std::uint16_t> ramp(int count, int depth, int stride = 1) {
    std::vector<std::uint16_t> v(count);
    const std::uint32_t top = (1u << depth) - 1;
    for (int i = 0; i < count; ++i)
        v[i] = static_cast<std::uint16_t>((i * stride * 37u) % (top + 1));
    return v;
}

// What libpng's rounding of 16 bits to 8, and its scaling of low-depth grey
// up to 8, make of one sample.
int to8(std::uint32_t sample, int depth) {
    if (depth == 16) return static_cast<int>((sample * 255 + 32767) / 65535);
    return static_cast<int>(sample * 255 / ((1u << depth) - 1));
}

struct Form {
    int colourType;
    int depth;
};

}  // namespace

TEST(PngDecode, EveryColourTypeAndDepthKeepsItsChannelsAtEightBits) {
    const Form forms[] = {
        {test_images::kGrey, 1},       {test_images::kGrey, 2},  {test_images::kGrey, 4},
        {test_images::kGrey, 8},       {test_images::kGrey, 16}, {test_images::kGreyAlpha, 8},
        {test_images::kGreyAlpha, 16}, {test_images::kRgb, 8},   {test_images::kRgb, 16},
        {test_images::kRgba, 8},       {test_images::kRgba, 16}};
    const int channelsOf[7] = {1, 0, 3, 0, 2, 0, 4};
    for (const Form& form : forms) {
        for (bool interlaced : {false, true}) {
            SCOPED_TRACE("colour type " + std::to_string(form.colourType) + ", " +
                         std::to_string(form.depth) + " bits" + (interlaced ? ", interlaced" : ""));
            const int channels = channelsOf[form.colourType];
            PngSpec spec;
            spec.width = 13;  // odd, and more than one byte of 1-bit samples a row
            spec.height = 9;  // every Adam7 pass has rows
            spec.colourType = form.colourType;
            spec.bitDepth = form.depth;
            spec.interlaced = interlaced;
            spec.samples = ramp(spec.width * spec.height * channels, form.depth, form.depth);
            const ImageResult result = decode(test_images::writePng(spec));
            ASSERT_TRUE(result.ok()) << result.error;
            const DecodedImage& image = result.image;
            EXPECT_EQ(image.width, 13);
            EXPECT_EQ(image.height, 9);
            ASSERT_EQ(image.channels, channels);
            for (std::size_t i = 0; i < spec.samples.size(); ++i) {
                ASSERT_EQ(image.pixels[i], to8(spec.samples[i], form.depth)) << "sample " << i;
            }
        }
    }
}

TEST(PngDecode, SixteenBitSamplesRoundToTheNearestEightBitValue) {
    PngSpec spec;
    spec.width = 6;
    spec.colourType = test_images::kGrey;
    spec.bitDepth = 16;
    spec.samples = {0, 128, 257 * 100, 257 * 100 + 128, 65406, 65535};
    const ImageResult result = decode(test_images::writePng(spec));
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(pixelsOf(result.image), (std::vector<std::uint8_t>{0, 0, 100, 100, 254, 255}));
}

TEST(PngDecode, PalettesBecomeRgbOrRgbaWithTheirTransparency) {
    const std::vector<std::array<std::uint8_t, 3>> palette = {
        {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
    for (int depth : {1, 2, 4, 8}) {
        for (bool transparent : {false, true}) {
            for (bool interlaced : {false, true}) {
                SCOPED_TRACE(std::to_string(depth) + "-bit palette" +
                             (transparent ? " with tRNS" : "") +
                             (interlaced ? ", interlaced" : ""));
                PngSpec spec;
                spec.width = 11;
                spec.height = 5;
                spec.colourType = test_images::kPalette;
                spec.bitDepth = depth;
                spec.interlaced = interlaced;
                const int colours = depth == 1 ? 2 : 4;
                spec.palette.assign(palette.begin(), palette.begin() + colours);
                // Shorter than the palette: the last entries stay opaque.
                if (transparent) spec.paletteAlpha = {0, 128};
                for (int i = 0; i < spec.width * spec.height; ++i)
                    spec.samples.push_back(static_cast<std::uint16_t>((i * 7 / 3) % colours));
                const ImageResult result = decode(test_images::writePng(spec));
                ASSERT_TRUE(result.ok()) << result.error;
                const int channels = transparent ? 4 : 3;
                ASSERT_EQ(result.image.channels, channels);
                for (std::size_t i = 0; i < spec.samples.size(); ++i) {
                    const std::uint8_t* px = &result.image.pixels[i * channels];
                    const auto& entry = palette[spec.samples[i]];
                    ASSERT_EQ(px[0], entry[0]) << "pixel " << i;
                    ASSERT_EQ(px[1], entry[1]) << "pixel " << i;
                    ASSERT_EQ(px[2], entry[2]) << "pixel " << i;
                    if (transparent) {
                        const int alpha = spec.samples[i] == 0   ? 0
                                          : spec.samples[i] == 1 ? 128
                                                                 : 255;
                        ASSERT_EQ(px[3], alpha) << "pixel " << i;
                    }
                }
            }
        }
    }
}

TEST(PngDecode, ATransparentColourBecomesAnAlphaChannel) {
    {
        SCOPED_TRACE("grey");
        PngSpec spec;
        spec.width = 4;
        spec.samples = {0, 7, 200, 7};
        spec.hasTransparentColour = true;
        spec.transparentColour = {7, 0, 0};
        const ImageResult result = decode(test_images::writePng(spec));
        ASSERT_TRUE(result.ok()) << result.error;
        ASSERT_EQ(result.image.channels, 2);
        EXPECT_EQ(pixelsOf(result.image),
                  (std::vector<std::uint8_t>{0, 255, 7, 0, 200, 255, 7, 0}));
    }
    {
        SCOPED_TRACE("RGB");
        PngSpec spec;
        spec.width = 2;
        spec.colourType = test_images::kRgb;
        spec.samples = {1, 2, 3, 4, 5, 6};
        spec.hasTransparentColour = true;
        spec.transparentColour = {4, 5, 6};
        const ImageResult result = decode(test_images::writePng(spec));
        ASSERT_TRUE(result.ok()) << result.error;
        ASSERT_EQ(result.image.channels, 4);
        EXPECT_EQ(pixelsOf(result.image), (std::vector<std::uint8_t>{1, 2, 3, 255, 4, 5, 6, 0}));
    }
}

namespace {

int largestDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    int largest = 0;
    for (std::size_t i = 0; i < n; ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

// C, M, Y, K as Adobe stores them (255 = no ink) for the RGB pixels rgb: no
// black, each colour's ink its complement.
std::vector<std::uint8_t> adobeCmykFor(const std::vector<std::uint8_t>& rgb) {
    std::vector<std::uint8_t> cmyk;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        cmyk.insert(cmyk.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
    }
    return cmyk;
}

}  // namespace

TEST(JpegDecode, EveryCodingAndColourSpaceComesOutNearTheSource) {
    struct Case {
        const char* name;
        JpegKind kind;
        bool progressive;
        bool subsample;
        int restart;
        bool arithmetic;
        int channels;
    };
    const Case cases[] = {
        {"baseline", JpegKind::Colour, false, false, 0, false, 3},
        {"baseline 4:2:0", JpegKind::Colour, false, true, 0, false, 3},
        {"restart markers", JpegKind::Colour, false, true, 1, false, 3},
        {"progressive", JpegKind::Colour, true, false, 0, false, 3},
        {"progressive 4:2:0", JpegKind::Colour, true, true, 2, false, 3},
        {"arithmetic", JpegKind::Colour, false, false, 0, true, 3},
        {"grey", JpegKind::Grey, false, false, 0, false, 1},
        {"grey progressive", JpegKind::Grey, true, false, 0, false, 1},
        {"CMYK", JpegKind::Cmyk, false, false, 0, false, 3},
        {"YCCK", JpegKind::Ycck, false, false, 0, false, 3},
        {"CMYK progressive", JpegKind::Cmyk, true, false, 0, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JpegSpec spec;
        spec.width = 37;
        spec.height = 21;
        spec.kind = c.kind;
        spec.progressive = c.progressive;
        spec.subsampleChroma = c.subsample;
        spec.restartInterval = c.restart;
        spec.arithmetic = c.arithmetic;
        spec.quality = 98;
        const std::vector<std::uint8_t> expected =
            test_images::gradient(spec.width, spec.height, c.channels);
        const bool cmyk = c.kind == JpegKind::Cmyk || c.kind == JpegKind::Ycck;
        spec.samples = cmyk ? adobeCmykFor(expected) : expected;
        const ImageResult result = decode(test_images::writeJpeg(spec));
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_EQ(result.image.width, 37);
        EXPECT_EQ(result.image.height, 21);
        ASSERT_EQ(result.image.channels, c.channels);
        // Quality 98 on a smooth picture: a few levels of rounding at most;
        // more where chroma is subsampled, or where a lossy black channel
        // multiplies each colour.
        EXPECT_LE(largestDifference(result.image.pixels.get(), expected.data(), expected.size()),
                  c.subsample || cmyk ? 8 : 4);
    }
}

TEST(JpegDecode, AdobeCmykInkMakesTheExpectedColours) {
    // Stored values, 255 = no ink: white, black (full K), red (full M and Y),
    // and half of every ink.
    JpegSpec spec;
    spec.width = 32;
    spec.height = 8;
    spec.kind = JpegKind::Cmyk;
    spec.quality = 100;
    const std::uint8_t inks[4][4] = {
        {255, 255, 255, 255}, {255, 255, 255, 0}, {255, 0, 0, 255}, {128, 128, 128, 128}};
    const std::uint8_t rgb[4][3] = {{255, 255, 255}, {0, 0, 0}, {255, 0, 0}, {64, 64, 64}};
    for (int y = 0; y < spec.height; ++y)
        for (int x = 0; x < spec.width; ++x)
            spec.samples.insert(spec.samples.end(), inks[x / 8], inks[x / 8] + 4);
    const ImageResult result = decode(test_images::writeJpeg(spec));
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.image.channels, 3);
    for (int block = 0; block < 4; ++block) {
        const std::uint8_t* px = &result.image.pixels[(4 * spec.width + block * 8 + 4) * 3];
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(px[c], rgb[block][c], 2) << "block " << block;
    }
}

TEST(ImageFile, FormatComesFromTheContentNotTheName) {
    test_files::ScratchDirectory dir("image-names");
    const std::vector<std::uint8_t> grey = {10, 20, 30, 40};
    test_images::writeFile("really-a-png.jpg", test_images::writePng8(2, 2, 1, grey));
    JpegSpec spec;
    spec.width = 8;
    spec.height = 8;
    spec.kind = JpegKind::Grey;
    spec.samples.assign(64, 77);
    test_images::writeFile("really-a-jpeg.png", test_images::writeJpeg(spec));

    const ImageResult png = readImageFile("really-a-png.jpg", {});
    ASSERT_TRUE(png.ok()) << png.error;
    EXPECT_EQ(pixelsOf(png.image), grey);
    const ImageResult jpeg = readImageFile("really-a-jpeg.png", {});
    ASSERT_TRUE(jpeg.ok()) << jpeg.error;
    EXPECT_EQ(jpeg.image.channels, 1);
    EXPECT_NEAR(jpeg.image.pixels[27], 77, 1);
}

TEST(ImageFile, SizeLimitsAreCheckedBeforeDecoding) {
    const std::vector<std::uint8_t> bytes =
        test_images::writePng8(300, 2, 3, std::vector<std::uint8_t>(300 * 2 * 3, 9));
    ImageLimits texture;
    texture.maxSide = 256;
    const ImageResult wide = decode(bytes, texture);
    EXPECT_EQ(wide.error,
              "300 x 2 pixels, larger than the 256 the graphics driver takes for a texture side");
    EXPECT_FALSE(wide.image.pixels);
    texture.maxSide = 300;
    EXPECT_TRUE(decode(bytes, texture).ok());

    ImageLimits small;
    small.maxPixels = 599;
    EXPECT_FALSE(decode(bytes, small).ok());
    small.maxPixels = 600;
    EXPECT_TRUE(decode(bytes, small).ok());

    // The program's own limit: 8192 × 8192 passes, one row more does not.
    EXPECT_EQ(image_detail::checkSize(8192, 8192, {}), "");
    EXPECT_EQ(image_detail::checkSize(8192, 8193, {}),
              "8192 x 8193 pixels, more than the 64 megapixels an image may have");
}
