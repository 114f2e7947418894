// From decoded pixels to the levels of a texture, with no GL: rows flipped to
// GL's bottom-up order, colours scaled into the NTSC-safe range, sides scaled
// up to powers of two, a mipmap chain of block means, and DXT blocks. Each
// step gives the texels libSOIL's gives (texture_soil_test compares them
// where libsoil-dev is installed); the GL step (texture_gl.h) only uploads
// the result and sets the filters and wrap modes.
// Large images are worked on by all the machine's cores.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/image_file.h"
#include "image/texture_dxt.h"

// 8-bit pixels, rows in stored order, no padding between rows.
struct PixelGrid {
    int width = 0;                    // pixels
    int height = 0;                   // pixels
    int channels = 0;                 // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    std::vector<std::uint8_t> bytes;  // width × height × channels
};

enum class TexelFormat { Luminance, LuminanceAlpha, Rgb, Rgba, Dxt1, Dxt5 };

struct TextureLevel {
    int width = 0;   // texels
    int height = 0;  // texels
    // Uncompressed texels (the format's channels, rows from t = 0), or DXT
    // blocks (texture_dxt.h), rows of blocks from t = 0.
    std::vector<std::uint8_t> bytes;
};

constexpr bool isDxt(TexelFormat format) {
    return format == TexelFormat::Dxt1 || format == TexelFormat::Dxt5;
}

struct TextureLevels {
    TexelFormat format = TexelFormat::Rgb;
    std::vector<TextureLevel> levels;  // level 0 full size, then each half the last
};

// What the graphics driver takes.
struct TextureTarget {
    int maxSide = 0;             // longest texture side in texels; 0: no limit
    bool dxt = false;            // takes S3TC (DXT1/DXT5) compressed images
    bool nonPowerOfTwo = false;  // takes sides that are not powers of two
};

// The levels of the texture that image makes with flags (texture_flags.h).
// With kTextureMipmaps, or for a driver without non-power-of-two sides, the
// sides are first scaled up to the next powers of two; the chain then runs
// down to 1 × 1. With kTextureCompressDxt and a driver that takes it, 1 and 3
// channels become DXT1 and 2 and 4 channels DXT5 (grey as R = G = B).
TextureLevels makeTextureLevels(const DecodedImage& image, unsigned int flags,
                                const TextureTarget& target);

// The steps, in the order makeTextureLevels takes them.

// A copy of image, its rows reversed when flip; with ntscSafe, every colour
// channel (not alpha) mapped from 0…255 onto 16…235, rounded to nearest.
PixelGrid baseGrid(const DecodedImage& image, bool flip, bool ntscSafe);
// The same mapping, in place, for one row of pixels.
void makeNtscSafe(std::uint8_t* row, int pixels, int channels);

// What makeTextureLevels makes of the base grid: everything after baseGrid.
TextureLevels levelsOfBaseGrid(PixelGrid grid, unsigned int flags, const TextureTarget& target);
// The levels of a texture in format: level 0 as it is stored, then the
// smaller levels' grids, made into blocks when the format is DXT. How
// levelsOfBaseGrid ends, and the levels made while decoding too.
TextureLevels levelsOf(TexelFormat format, TextureLevel levelZero, std::vector<PixelGrid> smaller);
// Whether a width × height base grid becomes level 0 as it is, unscaled.
bool baseIsLevelZero(int width, int height, unsigned int flags, const TextureTarget& target);
// The format of the levels of an image with channels.
TexelFormat texelFormatOf(int channels, unsigned int flags, const TextureTarget& target);

// grid resampled bilinearly to width × height (each at least grid's): the
// output's corners sample the input's corners, values truncated after a 0.5
// bias. A side of one pixel is stretched by repeating it.
PixelGrid scaleUp(const PixelGrid& grid, int width, int height);

// Each texel the rounded mean of a blockWidth × blockHeight block of grid,
// blocks clipped to the grid (so at least one texel each way).
PixelGrid blockMeans(const PixelGrid& grid, int blockWidth, int blockHeight);

// Levels 1, 2, … of a grid with power-of-two sides, down to 1 × 1: level n is
// blockMeans(grid, 2^n, 2^n), each texel rounded once from the exact sum of
// its block (not a mean of means).
std::vector<PixelGrid> mipmapChain(const PixelGrid& grid);

// The smallest power of two at least side (side ≥ 1).
int powerOfTwoAtLeast(int side);
