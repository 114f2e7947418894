// DXT1 and DXT5 (S3TC) blocks of a pixel grid, made by stb_dxt: the last step
// of a compressed texture's levels. A block covers kDxtBlockSide × kDxtBlockSide
// texels; a grid's blocks are stored row by row from its first row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PixelGrid;
enum class TexelFormat;

constexpr int kDxtBlockSide = 4;  // texels

// Blocks along a side of `texels` texels; a last, partial block counts.
constexpr int dxtBlocksAlong(int texels) {
    return (texels + kDxtBlockSide - 1) / kDxtBlockSide;
}

// grid as DXT1 (colour only, opaque) or DXT5 (colour and alpha) blocks. A
// block reaching past the grid's edge is filled with its first pixel.
std::vector<std::uint8_t> compressDxt(const PixelGrid& grid, TexelFormat dxtFormat);
// Block rows first … end − 1 of that, written to their place in blocks (all
// the grid's blocks).
void compressDxtRows(const PixelGrid& grid, TexelFormat dxtFormat, int first, int end,
                     std::uint8_t* blocks);
// Bytes of one DXT block: 8 (DXT1) or 16 (DXT5).
std::size_t dxtBlockBytes(TexelFormat dxtFormat);
