// Wherever SOIL's own decoder read an image correctly, ours gives the same
// width, height, channel count and pixels: the bundled scene's images and a
// set of generated 8-bit PNGs and baseline JPEGs, each decoded both ways.
// PNG is lossless, so its pixels must be identical; JPEG decoders may differ
// by their IDCT and upsampling rounding, and the largest difference seen is
// printed. This binary links SOIL (for SOIL_load_image) and therefore no stb.
#include <SOIL/SOIL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "image/image_file.h"
#include "image_writer.h"

using test_images::JpegKind;
using test_images::JpegSpec;
using test_images::PngSpec;

namespace {

struct Comparison {
    bool sameShape = false;
    int largestDifference = 0;  // over all bytes, in levels of 255
    std::size_t differingBytes = 0;
};

Comparison compare(const std::vector<std::uint8_t>& bytes, const std::string& what) {
    Comparison c;
    int width = 0, height = 0, channels = 0;
    unsigned char* soil = SOIL_load_image_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                      &width, &height, &channels, SOIL_LOAD_AUTO);
    const ImageResult ours = decodeImage(bytes.data(), bytes.size(), {});
    EXPECT_NE(soil, nullptr) << what << ": SOIL could not read it: " << SOIL_last_result();
    EXPECT_TRUE(ours.ok()) << what << ": " << ours.error;
    if (soil == nullptr || !ours.ok()) {
        if (soil != nullptr) SOIL_free_image_data(soil);
        return c;
    }
    EXPECT_EQ(ours.image.width, width) << what;
    EXPECT_EQ(ours.image.height, height) << what;
    EXPECT_EQ(ours.image.channels, channels) << what;
    c.sameShape =
        ours.image.width == width && ours.image.height == height && ours.image.channels == channels;
    if (c.sameShape) {
        for (std::size_t i = 0; i < ours.image.byteCount(); ++i) {
            const int d = std::abs(ours.image.pixels[i] - soil[i]);
            c.largestDifference = std::max(c.largestDifference, d);
            if (d != 0) ++c.differingBytes;
        }
    }
    SOIL_free_image_data(soil);
    return c;
}

std::vector<std::uint8_t> paletteIndices(int width, int height, int colours) {
    std::vector<std::uint8_t> v;
    for (int i = 0; i < width * height; ++i)
        v.push_back(static_cast<std::uint8_t>((i * 5 + i / 7) % colours));
    return v;
}

}  // namespace

TEST(SoilComparison, GeneratedPngsDecodeToTheSamePixels) {
    struct Case {
        const char* name;
        int width, height, channels;
    };
    const Case cases[] = {{"grey", 17, 9, 1},         {"grey + alpha", 5, 11, 2},
                          {"RGB", 33, 7, 3},          {"RGBA", 16, 16, 4},
                          {"RGB odd width", 1, 5, 3}, {"RGBA odd width", 99, 3, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> px =
            test_images::gradient(c.width, c.height, c.channels, 3);
        const Comparison result =
            compare(test_images::writePng8(c.width, c.height, c.channels, px), c.name);
        EXPECT_TRUE(result.sameShape);
        EXPECT_EQ(result.largestDifference, 0);
    }
    for (bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "palette with transparency" : "palette");
        PngSpec spec;
        spec.width = 23;
        spec.height = 6;
        spec.colourType = test_images::kPalette;
        spec.palette = {{255, 0, 0}, {0, 200, 0}, {0, 0, 150}, {9, 99, 199}, {40, 40, 40}};
        if (transparent) spec.paletteAlpha = {0, 64, 255, 128};
        const std::vector<std::uint8_t> indices = paletteIndices(spec.width, spec.height, 5);
        spec.samples.assign(indices.begin(), indices.end());
        const Comparison result = compare(test_images::writePng(spec), "palette");
        EXPECT_TRUE(result.sameShape);
        EXPECT_EQ(result.largestDifference, 0);
    }
}

TEST(SoilComparison, GeneratedBaselineJpegsDecodeWithinRounding) {
    struct Case {
        const char* name;
        JpegKind kind;
        bool subsample;
        int restart;
        int width, height;
    };
    const Case cases[] = {{"colour 4:4:4", JpegKind::Colour, false, 0, 64, 48},
                          {"colour 4:2:0", JpegKind::Colour, true, 0, 61, 37},
                          {"grey", JpegKind::Grey, false, 0, 45, 29},
                          {"restart markers", JpegKind::Colour, true, 2, 80, 40}};
    int largest = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JpegSpec spec;
        spec.width = c.width;
        spec.height = c.height;
        spec.kind = c.kind;
        spec.subsampleChroma = c.subsample;
        spec.restartInterval = c.restart;
        spec.quality = 90;
        spec.samples =
            test_images::gradient(c.width, c.height, c.kind == JpegKind::Grey ? 1 : 3, 5);
        const Comparison result = compare(test_images::writeJpeg(spec), c.name);
        EXPECT_TRUE(result.sameShape);
        EXPECT_LE(result.largestDifference, 4);
        largest = std::max(largest, result.largestDifference);
        std::printf("%-16s largest difference %d of 255, %zu bytes differ\n", c.name,
                    result.largestDifference, result.differingBytes);
    }
    RecordProperty("largest_jpeg_difference", largest);
}

TEST(SoilComparison, BundledImagesDecodeAlike) {
    const std::filesystem::path data = VELMORA_DATA_DIR;
    const char* files[] = {"heightmap.png", "ground.png",   "stone.png",    "sarsen.png",
                           "bluestone.png", "intro1.png",   "help.png",     "outro1.png",
                           "cloudy/0.jpg",  "cloudy/1.jpg", "cloudy/2.jpg", "cloudy/3.jpg",
                           "cloudy/4.jpg",  "sunset/0.jpg", "sunset/1.jpg", "sunset/2.jpg",
                           "sunset/3.jpg",  "sunset/4.jpg"};
    int largestJpeg = 0;
    for (const char* file : files) {
        SCOPED_TRACE(file);
        const std::vector<std::uint8_t> bytes = test_images::readFile((data / file).string());
        ASSERT_FALSE(bytes.empty()) << "no bundled " << file << " in " << data;
        const Comparison result = compare(bytes, file);
        EXPECT_TRUE(result.sameShape);
        const bool jpeg = detectFormat(bytes.data(), bytes.size()) == ImageFormat::Jpeg;
        if (jpeg) {
            EXPECT_LE(result.largestDifference, 4);
            largestJpeg = std::max(largestJpeg, result.largestDifference);
            std::printf("%-16s largest difference %d of 255, %zu bytes differ\n", file,
                        result.largestDifference, result.differingBytes);
        } else {
            EXPECT_EQ(result.largestDifference, 0);
        }
    }
    RecordProperty("largest_jpeg_difference", largestJpeg);
}
