#include "image/texture_levels.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "image/parallel_rows.h"
#include "image/texture_bands.h"
#include "image/texture_flags.h"

namespace {

std::size_t byteCount(int width, int height, int channels) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
           static_cast<std::size_t>(channels);
}

PixelGrid emptyGrid(int width, int height, int channels) {
    PixelGrid grid;
    grid.width = width;
    grid.height = height;
    grid.channels = channels;
    grid.bytes.resize(byteCount(width, height, channels));
    return grid;
}

bool tooLargeFor(const TextureTarget& target, int width, int height) {
    return target.maxSide > 0 && (width > target.maxSide || height > target.maxSide);
}

// Whether a width × height base grid is scaled up to powers of two first.
bool scaledToPowersOfTwo(int width, int height, unsigned int flags, const TextureTarget& target) {
    return (flags & kTextureMipmaps) != 0 || !target.nonPowerOfTwo ||
           tooLargeFor(target, width, height);
}

// 0…255 onto 16…235: the ends widened by just under half a step each way, so
// that truncation rounds and both ends are reached.
constexpr std::uint8_t ntscSafe(int value) {
    const float low = 16.0f - 0.499f;
    const float high = 235.0f + 0.499f;
    return static_cast<std::uint8_t>((high - low) * static_cast<float>(value) / 255.0f + low);
}

// The same in integers, which the compiler turns into vector code: a large
// image's every byte goes through it on the decoding thread. This is the one
// used; the formula above is what it is checked against.
constexpr std::uint8_t ntscSafeFast(std::uint32_t value) {
    return static_cast<std::uint8_t>((value * 1767u + 31731u) >> 11);
}

constexpr bool sameForEveryValue() {
    for (int i = 0; i < 256; ++i)
        if (ntscSafe(i) != ntscSafeFast(static_cast<std::uint32_t>(i))) return false;
    return true;
}
static_assert(sameForEveryValue(), "the integer form gives the colour range's every value");

// Where output position i of n samples an input of `size` along one axis:
// the left (or upper) neighbour and the weight of the right (or lower) one.
// Single precision, as libSOIL's scaling, so that the texels are the same.
struct Sample {
    int index = 0;
    float weight = 0.0f;
};

std::vector<Sample> samplesAlong(int size, int n) {
    std::vector<Sample> samples(static_cast<std::size_t>(n));
    if (size < 2) return samples;  // one pixel: every sample is that pixel
    const float step = (static_cast<float>(size) - 1.0f) / (static_cast<float>(n) - 1.0f);
    for (int i = 0; i < n; ++i) {
        float at = static_cast<float>(i) * step;
        int index = static_cast<int>(at);
        if (index > size - 2) index = size - 2;
        at -= static_cast<float>(index);
        samples[static_cast<std::size_t>(i)] = Sample{index, at};
    }
    return samples;
}

// One mipmap level from the level above: each texel's block sum is the sum
// of 2 × 2 sums above (fewer where the level above is one texel wide or
// high), kept exact in `sums` so that every level is rounded only once, from
// the sum of its whole block. `above` holds texels for level 0, sums after.
// Channels is fixed at compile time so that the inner loop unrolls.
template <int Channels, typename In, typename Out>
void sumQuadsOf(const In* above, int aboveWidth, int aboveHeight, std::uint32_t blockArea,
                Out* sums, PixelGrid& texels) {
    const int width = texels.width;
    const bool pairX = aboveWidth > 1;
    const bool pairY = aboveHeight > 1;
    const std::size_t down = byteCount(aboveWidth, 1, Channels);
    const std::size_t right = pairX ? Channels : 0;
    const std::size_t below = pairY ? down : 0;
    // Block areas are powers of two: the division is a shift.
    int shift = 0;
    while ((1u << shift) < blockArea) ++shift;
    const std::uint32_t half = blockArea / 2;
    forRowRanges(texels.height, down * (pairY ? 2 : 1) * sizeof(In), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const In* row = above + down * static_cast<std::size_t>(pairY ? 2 * y : y);
            const std::size_t at = byteCount(width, y, Channels);
            Out* sum = sums + at;
            std::uint8_t* texel = texels.bytes.data() + at;
            for (int x = 0; x < width; ++x) {
                const In* p = row + byteCount(pairX ? 2 * x : x, 1, Channels);
                for (int c = 0; c < Channels; ++c) {
                    // Where the level above is one texel across, the pair is
                    // that texel twice: halved again below.
                    const std::uint32_t s =
                        std::uint32_t(p[c]) + p[c + right] + p[c + below] + p[c + right + below];
                    const std::uint32_t exact = s >> ((pairX ? 0 : 1) + (pairY ? 0 : 1));
                    sum[c] = static_cast<Out>(exact);
                    texel[c] = static_cast<std::uint8_t>((exact + half) >> shift);
                }
                sum += Channels;
                texel += Channels;
            }
        }
    });
}

template <typename In, typename Out>
void sumQuads(const In* above, int aboveWidth, int aboveHeight, std::uint32_t blockArea, Out* sums,
              PixelGrid& texels) {
    switch (texels.channels) {
        case 1:
            return sumQuadsOf<1>(above, aboveWidth, aboveHeight, blockArea, sums, texels);
        case 2:
            return sumQuadsOf<2>(above, aboveWidth, aboveHeight, blockArea, sums, texels);
        case 3:
            return sumQuadsOf<3>(above, aboveWidth, aboveHeight, blockArea, sums, texels);
        default:
            return sumQuadsOf<4>(above, aboveWidth, aboveHeight, blockArea, sums, texels);
    }
}

}  // namespace

int powerOfTwoAtLeast(int side) {
    int p = 1;
    while (p < side) p *= 2;
    return p;
}

void makeNtscSafe(std::uint8_t* row, int pixels, int channels) {
    const std::size_t bytes = byteCount(pixels, 1, channels);
    if (channels % 2 != 0) {  // no alpha: every byte is a colour
        for (std::size_t i = 0; i < bytes; ++i) row[i] = ntscSafeFast(row[i]);
        return;
    }
    // Grey + alpha and RGBA keep their last channel, the alpha, as it is.
    for (std::size_t i = 0; i < bytes; i += static_cast<std::size_t>(channels))
        for (int c = 0; c < channels - 1; ++c) row[i + c] = ntscSafeFast(row[i + c]);
}

PixelGrid baseGrid(const DecodedImage& image, bool flip, bool ntscSafe) {
    PixelGrid grid = emptyGrid(image.width, image.height, image.channels);
    const std::size_t rowBytes = byteCount(image.width, 1, image.channels);
    forRowRanges(image.height, rowBytes, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const std::uint8_t* from =
                image.pixels.get() +
                rowBytes * static_cast<std::size_t>(flip ? image.height - 1 - y : y);
            std::uint8_t* to = grid.bytes.data() + rowBytes * static_cast<std::size_t>(y);
            std::memcpy(to, from, rowBytes);
            if (ntscSafe) makeNtscSafe(to, image.width, image.channels);
        }
    });
    return grid;
}

PixelGrid scaleUp(const PixelGrid& grid, int width, int height) {
    const int channels = grid.channels;
    PixelGrid out = emptyGrid(width, height, channels);
    const std::vector<Sample> columns = samplesAlong(grid.width, width);
    const std::vector<Sample> rows = samplesAlong(grid.height, height);
    const int right = grid.width > 1 ? channels : 0;
    const std::size_t down = grid.height > 1 ? byteCount(grid.width, 1, channels) : 0;
    forRowRanges(height, byteCount(width, 1, channels), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const Sample& row = rows[static_cast<std::size_t>(y)];
            const float below = row.weight;
            const float above = 1.0f - below;
            const std::uint8_t* source =
                grid.bytes.data() + byteCount(grid.width, row.index, channels);
            std::uint8_t* to = out.bytes.data() + byteCount(width, y, channels);
            for (int x = 0; x < width; ++x) {
                const Sample& column = columns[static_cast<std::size_t>(x)];
                const float next = column.weight;
                const float here = 1.0f - next;
                const std::uint8_t* p = source + byteCount(column.index, 1, channels);
                for (int c = 0; c < channels; ++c) {
                    // Summed in this order, in single precision, then truncated.
                    float value = 0.5f;
                    value += static_cast<float>(p[c]) * here * above;
                    value += static_cast<float>(p[c + right]) * next * above;
                    value += static_cast<float>(p[c + down]) * here * below;
                    value += static_cast<float>(p[c + right + down]) * next * below;
                    *to++ = static_cast<std::uint8_t>(value);
                }
            }
        }
    });
    return out;
}

PixelGrid blockMeans(const PixelGrid& grid, int blockWidth, int blockHeight) {
    const int channels = grid.channels;
    PixelGrid out = emptyGrid(std::max(1, grid.width / blockWidth),
                              std::max(1, grid.height / blockHeight), channels);
    forRowRanges(out.height, byteCount(grid.width, blockHeight, channels), [&](int first, int end) {
        for (int j = first; j < end; ++j) {
            const int y0 = j * blockHeight;
            const int rows = std::min(blockHeight, grid.height - y0);
            for (int i = 0; i < out.width; ++i) {
                const int x0 = i * blockWidth;
                const int columns = std::min(blockWidth, grid.width - x0);
                const std::uint64_t area = static_cast<std::uint64_t>(rows) * columns;
                for (int c = 0; c < channels; ++c) {
                    std::uint64_t sum = area / 2;  // rounds the mean to nearest
                    for (int y = y0; y < y0 + rows; ++y) {
                        const std::uint8_t* p = grid.bytes.data() +
                                                byteCount(grid.width, y, channels) +
                                                byteCount(x0, 1, channels) + c;
                        for (int x = 0; x < columns; ++x, p += channels) sum += *p;
                    }
                    out.bytes[byteCount(out.width, j, channels) + byteCount(i, 1, channels) + c] =
                        static_cast<std::uint8_t>(sum / area);
                }
            }
        }
    });
    return out;
}

std::vector<PixelGrid> mipmapChain(const PixelGrid& grid) {
    return mipmapChainFrom(grid, 1, nullptr);
}

std::vector<PixelGrid> mipmapChainFrom(const PixelGrid& grid, int firstLevel,
                                       const std::uint16_t* sumsAbove) {
    std::vector<PixelGrid> chain;
    const int channels = grid.channels;
    // Exact block sums of the level above: 16 bits hold those of up to 2^8
    // texels (255 × 256), 32 bits those of up to 2^24. Not zero-filled:
    // every sum is written before it is read.
    std::unique_ptr<std::uint16_t[]> smallSums;
    std::unique_ptr<std::uint32_t[]> largeSums;
    const std::uint16_t* small = sumsAbove;
    int aboveWidth = std::max(1, grid.width >> (firstLevel - 1));
    int aboveHeight = std::max(1, grid.height >> (firstLevel - 1));
    for (int level = firstLevel; (1 << level) <= grid.width || (1 << level) <= grid.height;
         ++level) {
        const int width = std::max(1, grid.width >> level);
        const int height = std::max(1, grid.height >> level);
        const std::uint64_t area = static_cast<std::uint64_t>(std::min(1 << level, grid.width)) *
                                   static_cast<std::uint64_t>(std::min(1 << level, grid.height));
        if (area > (1u << 24)) {
            chain.push_back(blockMeans(grid, 1 << level, 1 << level));
            continue;
        }
        PixelGrid texels = emptyGrid(width, height, channels);
        const std::size_t count = texels.bytes.size();
        const std::uint32_t blockArea = static_cast<std::uint32_t>(area);
        if (area <= 256) {
            std::unique_ptr<std::uint16_t[]> next(new std::uint16_t[count]);
            if (level == 1)
                sumQuads(grid.bytes.data(), aboveWidth, aboveHeight, blockArea, next.get(), texels);
            else
                sumQuads(small, aboveWidth, aboveHeight, blockArea, next.get(), texels);
            smallSums = std::move(next);
            small = smallSums.get();
        } else {
            std::unique_ptr<std::uint32_t[]> next(new std::uint32_t[count]);
            if (largeSums)
                sumQuads(largeSums.get(), aboveWidth, aboveHeight, blockArea, next.get(), texels);
            else
                sumQuads(small, aboveWidth, aboveHeight, blockArea, next.get(), texels);
            smallSums.reset();
            small = nullptr;
            largeSums = std::move(next);
        }
        aboveWidth = width;
        aboveHeight = height;
        chain.push_back(std::move(texels));
    }
    return chain;
}

namespace {

// Levels 1 … 4 of one band of 16 rows of a grid, down the rows: each row of
// level-n sums is added, pairs across, into the row of level n + 1 it
// belongs to, which is complete at every second row; so only a row of sums
// per level is kept. Sums of up to 256 texels fit 16 bits. Each texel is
// rounded once from its whole block's sum, as mipmapChain rounds it.
template <int Channels>
void mipmapBandOf(const PixelGrid& grid, int firstRow, PixelGrid* levels, std::uint16_t* sums4) {
    std::vector<std::uint16_t> rowSums[kBandMipLevels + 1];  // [n]: a row of level n's sums
    for (int n = 1; n <= kBandMipLevels; ++n)
        rowSums[n].resize(byteCount(grid.width >> n, 1, Channels));
    const std::size_t rowBytes = byteCount(grid.width, 1, Channels);
    for (int row1 = 0; row1 < kBandRows / 2; ++row1) {
        const std::uint8_t* top =
            grid.bytes.data() + rowBytes * static_cast<std::size_t>(firstRow + 2 * row1);
        const std::uint8_t* bottom = top + rowBytes;
        std::uint16_t* sums = rowSums[1].data();
        std::uint8_t* texels =
            levels[0].bytes.data() + byteCount(levels[0].width, firstRow / 2 + row1, Channels);
        for (std::size_t x = 0; x < rowSums[1].size(); x += Channels) {
            for (int c = 0; c < Channels; ++c) {
                const std::size_t left = 2 * x + c;
                const unsigned sum =
                    top[left] + top[left + Channels] + bottom[left] + bottom[left + Channels];
                sums[x + c] = static_cast<std::uint16_t>(sum);
                texels[x + c] = static_cast<std::uint8_t>((sum + 2) >> 2);
            }
        }
        // Level n's row `row` (within the band) goes into level n + 1's row
        // row / 2: started by an even row, completed by the odd one after.
        int row = row1;
        for (int n = 2; n <= kBandMipLevels; ++n, row /= 2) {
            const std::uint16_t* above = rowSums[n - 1].data();
            std::uint16_t* into = rowSums[n].data();
            const std::size_t count = rowSums[n].size();
            if (row % 2 == 0) {
                for (std::size_t x = 0; x < count; x += Channels)
                    for (int c = 0; c < Channels; ++c)
                        into[x + c] = static_cast<std::uint16_t>(above[2 * x + c] +
                                                                 above[2 * x + c + Channels]);
                break;
            }
            PixelGrid& level = levels[n - 1];
            std::uint8_t* out =
                level.bytes.data() + byteCount(level.width, (firstRow >> n) + row / 2, Channels);
            const unsigned half = 1u << (2 * n - 1);
            for (std::size_t x = 0; x < count; x += Channels)
                for (int c = 0; c < Channels; ++c) {
                    const unsigned sum =
                        into[x + c] + above[2 * x + c] + above[2 * x + c + Channels];
                    into[x + c] = static_cast<std::uint16_t>(sum);
                    out[x + c] = static_cast<std::uint8_t>((sum + half) >> (2 * n));
                }
        }
    }
    std::copy(
        rowSums[kBandMipLevels].begin(), rowSums[kBandMipLevels].end(),
        sums4 + byteCount(grid.width >> kBandMipLevels, firstRow >> kBandMipLevels, grid.channels));
}

}  // namespace

void mipmapBand(const PixelGrid& grid, int firstRow, PixelGrid* levels, std::uint16_t* sums4) {
    switch (grid.channels) {
        case 1:
            return mipmapBandOf<1>(grid, firstRow, levels, sums4);
        case 2:
            return mipmapBandOf<2>(grid, firstRow, levels, sums4);
        case 3:
            return mipmapBandOf<3>(grid, firstRow, levels, sums4);
        default:
            return mipmapBandOf<4>(grid, firstRow, levels, sums4);
    }
}

bool baseIsLevelZero(int width, int height, unsigned int flags, const TextureTarget& target) {
    if (!scaledToPowersOfTwo(width, height, flags, target)) return true;
    return powerOfTwoAtLeast(width) == width && powerOfTwoAtLeast(height) == height &&
           !tooLargeFor(target, width, height);
}

TexelFormat texelFormatOf(int channels, unsigned int flags, const TextureTarget& target) {
    const bool alpha = channels % 2 == 0;
    if ((flags & kTextureCompressDxt) != 0 && target.dxt)
        return alpha ? TexelFormat::Dxt5 : TexelFormat::Dxt1;
    static const TexelFormat kPlain[] = {TexelFormat::Luminance, TexelFormat::LuminanceAlpha,
                                         TexelFormat::Rgb, TexelFormat::Rgba};
    return kPlain[std::clamp(channels, 1, 4) - 1];
}

TextureLevels makeTextureLevels(const DecodedImage& image, unsigned int flags,
                                const TextureTarget& target) {
    return levelsOfBaseGrid(
        baseGrid(image, (flags & kTextureInvertY) != 0, (flags & kTextureNtscSafeRgb) != 0), flags,
        target);
}

TextureLevels levelsOfBaseGrid(PixelGrid grid, unsigned int flags, const TextureTarget& target) {
    if (scaledToPowersOfTwo(grid.width, grid.height, flags, target)) {
        const int width = powerOfTwoAtLeast(grid.width);
        const int height = powerOfTwoAtLeast(grid.height);
        if (width != grid.width || height != grid.height) grid = scaleUp(grid, width, height);
    }
    // Only a driver whose largest side is not a power of two gets here.
    if (tooLargeFor(target, grid.width, grid.height))
        grid = blockMeans(grid, std::max(1, grid.width / target.maxSide),
                          std::max(1, grid.height / target.maxSide));

    const TexelFormat format = texelFormatOf(grid.channels, flags, target);
    std::vector<PixelGrid> smaller;
    if ((flags & kTextureMipmaps) != 0) smaller = mipmapChain(grid);
    TextureLevel levelZero{grid.width, grid.height,
                           isDxt(format) ? compressDxt(grid, format) : std::move(grid.bytes)};
    return levelsOf(format, std::move(levelZero), std::move(smaller));
}

TextureLevels levelsOf(TexelFormat format, TextureLevel levelZero, std::vector<PixelGrid> smaller) {
    TextureLevels texture;
    texture.format = format;
    texture.levels.push_back(std::move(levelZero));
    for (PixelGrid& grid : smaller) {
        texture.levels.push_back(
            TextureLevel{grid.width, grid.height,
                         isDxt(format) ? compressDxt(grid, format) : std::move(grid.bytes)});
    }
    return texture;
}
