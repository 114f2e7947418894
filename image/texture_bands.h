// The mipmaps made band by band while an image is decoded: the internals
// that texture_levels.cpp makes and texture_stream.cpp alone uses, apart
// from the texture step's interface (texture_levels.h).
#pragma once

#include <cstdint>
#include <vector>

#include "image/texture_levels.h"

// mipmapChain's levels from level firstLevel on, given the exact block sums of
// level firstLevel − 1 (16 bits, as levels up to 4 have them; none for level 1).
std::vector<PixelGrid> mipmapChainFrom(const PixelGrid& grid, int firstLevel,
                                       const std::uint16_t* sumsAbove);

// Levels 1 … kBandMipLevels made a band of kBandRows rows of the grid at a
// time, for a grid with power-of-two sides of at least kBandRows: the band's
// rows of each level's texels go into levels[0 … kBandMipLevels − 1] (whole
// levels, made by the caller), and its row of level kBandMipLevels' block
// sums into sums4 (all that level's sums), from which mipmapChainFrom goes on.
constexpr int kBandRows = 16;
constexpr int kBandMipLevels = 4;
void mipmapBand(const PixelGrid& grid, int firstRow, PixelGrid* levels, std::uint16_t* sums4);
