// DXT blocks by stb_dxt (Debian's libstb-dev): its implementation is compiled
// here, once, with internal linkage.
#include "image/texture_dxt.h"

#include <algorithm>
#include <cstring>

#include "image/parallel_rows.h"
#include "image/texture_levels.h"

#define STB_DXT_STATIC
#define STB_DXT_IMPLEMENTATION
#include <stb/stb_dxt.h>

namespace {

// The 16 RGBA pixels of the block whose top-left pixel is (x0, y0): grey is
// spread to R, G and B, a missing alpha is opaque, and positions past the
// grid's edge repeat the block's first pixel.
void gatherBlock(const PixelGrid& grid, int x0, int y0, std::uint8_t rgba[64]) {
    const int channels = grid.channels;
    const int colourStep = channels >= 3 ? 1 : 0;
    const bool alpha = channels % 2 == 0;
    const int columns = std::min(kDxtBlockSide, grid.width - x0);
    const int rows = std::min(kDxtBlockSide, grid.height - y0);
    for (int y = 0; y < kDxtBlockSide; ++y) {
        for (int x = 0; x < kDxtBlockSide; ++x) {
            std::uint8_t* to = rgba + 4 * (kDxtBlockSide * y + x);
            if (x >= columns || y >= rows) {
                std::memcpy(to, rgba, 4);
                continue;
            }
            const std::uint8_t* p =
                grid.bytes.data() +
                (static_cast<std::size_t>(y0 + y) * grid.width + static_cast<std::size_t>(x0 + x)) *
                    channels;
            to[0] = p[0];
            to[1] = p[colourStep];
            to[2] = p[2 * colourStep];
            to[3] = alpha ? p[channels - 1] : 255;
        }
    }
}

}  // namespace

std::size_t dxtBlockBytes(TexelFormat dxtFormat) {
    return dxtFormat == TexelFormat::Dxt5 ? 16 : 8;
}

void compressDxtRows(const PixelGrid& grid, TexelFormat dxtFormat, int first, int end,
                     std::uint8_t* blocks) {
    const int dxt5 = dxtFormat == TexelFormat::Dxt5 ? 1 : 0;
    const std::size_t blockBytes = dxtBlockBytes(dxtFormat);
    const int blocksWide = dxtBlocksAlong(grid.width);
    std::uint8_t rgba[64];
    for (int by = first; by < end; ++by) {
        std::uint8_t* out = blocks + static_cast<std::size_t>(by) * blocksWide * blockBytes;
        for (int bx = 0; bx < blocksWide; ++bx, out += blockBytes) {
            gatherBlock(grid, kDxtBlockSide * bx, kDxtBlockSide * by, rgba);
            stb_compress_dxt_block(out, rgba, dxt5, STB_DXT_NORMAL);
        }
    }
}

std::vector<std::uint8_t> compressDxt(const PixelGrid& grid, TexelFormat dxtFormat) {
    const int blocksWide = dxtBlocksAlong(grid.width);
    const int blocksHigh = dxtBlocksAlong(grid.height);
    std::vector<std::uint8_t> blocks(static_cast<std::size_t>(blocksWide) * blocksHigh *
                                     dxtBlockBytes(dxtFormat));
    // A block costs about as much as copying 4 KiB: rows are weighed by that.
    forRowRanges(blocksHigh, static_cast<std::size_t>(blocksWide) * 4096, [&](int first, int end) {
        compressDxtRows(grid, dxtFormat, first, end, blocks.data());
    });
    return blocks;
}
