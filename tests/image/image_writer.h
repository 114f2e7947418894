// Test images made on the spot with libpng's and libjpeg's own writers: every
// PNG colour type, bit depth, palette and transparency form, interlaced or
// not; JPEGs in colour, grey, CMYK and YCCK, baseline or progressive, with
// or without restart markers. Bytes in memory; write them where a test needs
// a file. No stb and no SOIL: tests may link either beside this.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace test_images {

// PNG colour types.
enum PngColour : int { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

struct PngSpec {
    int width = 1;
    int height = 1;
    int colourType = kGrey;
    int bitDepth = 8;
    bool interlaced = false;
    // width × height × samples-per-pixel values, rows from the top, each below
    // 2^bitDepth; palette images hold one index per pixel.
    std::vector<std::uint16_t> samples;
    std::vector<std::array<std::uint8_t, 3>> palette;  // PLTE, for kPalette
    std::vector<std::uint8_t> paletteAlpha;            // tRNS of a palette image
    bool hasTransparentColour = false;                 // tRNS of a grey or RGB image
    std::array<std::uint16_t, 3> transparentColour{};  // grey uses [0]
};

// Encoded bytes of spec; empty if libpng refused it.
std::vector<std::uint8_t> writePng(const PngSpec& spec);
// The common case: 8-bit pixels of 1 to 4 channels (grey, grey + alpha, RGB,
// RGBA), rows from the top.
std::vector<std::uint8_t> writePng8(int width, int height, int channels,
                                    const std::vector<std::uint8_t>& pixels);

enum class JpegKind { Colour, Grey, Cmyk, Ycck };

struct JpegSpec {
    int width = 1;
    int height = 1;
    JpegKind kind = JpegKind::Colour;
    // width × height pixels of 3 bytes (Colour: RGB), 1 (Grey) or 4 (Cmyk and
    // Ycck: C, M, Y, K as Adobe stores them, 255 = no ink), rows from the top.
    std::vector<std::uint8_t> samples;
    int quality = 95;
    bool progressive = false;
    bool subsampleChroma = false;  // 4:2:0 instead of 4:4:4 (Colour only)
    int restartInterval = 0;       // MCUs between restart markers; 0: none
    bool arithmetic = false;       // arithmetic instead of Huffman coding
};

// Encoded bytes of spec; empty if libjpeg refused it.
std::vector<std::uint8_t> writeJpeg(const JpegSpec& spec);

// Smooth test pictures: a diagonal gradient with a soft bump per channel, so
// JPEG keeps them within a few levels and every byte value range is used.
std::vector<std::uint8_t> gradient(int width, int height, int channels, int seed = 0);

// The image file at path (the bundled ground, for benchmarks' large images)
// repeated to fill side × side: its channel count and pixels, rows from the
// top; no pixels when it cannot be read.
struct TiledImage {
    int channels = 0;
    std::vector<std::uint8_t> pixels;
};
TiledImage tiledFile(const std::string& path, int side);

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> readFile(const std::string& path);

}  // namespace test_images
