#include "image/texture_stream.h"

#include <algorithm>
#include <exception>
#include <new>
#include <utility>

#include "image/texture_bands.h"
#include "image/texture_flags.h"

namespace {

// Four rows of blocks (16 rows of pixels) at a time, the rows that also make
// a row of mipmap level 4: a 4096-wide band is 4096 blocks, about a
// millisecond of work, against a few microseconds of waking the block thread.
constexpr int kBlockRowsPerBand = kBandRows / kDxtBlockSide;

// Below 256 × 256 pixels a second thread costs about what it saves.
constexpr std::size_t kBlocksWorthAThread = 64 * 64;

}  // namespace

TextureLevelsAsDecoded::TextureLevelsAsDecoded(unsigned int flags, const TextureTarget& target)
    : flags_(flags), target_(target) {}

TextureLevelsAsDecoded::~TextureLevelsAsDecoded() {
    stopBlockThread();
}

void TextureLevelsAsDecoded::stopBlockThread() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        over_ = true;
    }
    arrived_.notify_all();
    if (blockThread_.joinable()) blockThread_.join();
}

bool TextureLevelsAsDecoded::begin(int width, int height, int channels) {
    grid_.width = width;
    grid_.height = height;
    grid_.channels = channels;
    format_ = texelFormatOf(channels, flags_, target_);
    blockRows_ = dxtBlocksAlong(height);
    const std::size_t blocks = static_cast<std::size_t>(dxtBlocksAlong(width)) * blockRows_;
    early_ = isDxt(format_) && baseIsLevelZero(width, height, flags_, target_) &&
             blocks >= kBlocksWorthAThread;
    bandMipmaps_ =
        early_ && (flags_ & kTextureMipmaps) != 0 && width >= kBandRows && height >= kBandRows;
    try {
        grid_.bytes.resize(static_cast<std::size_t>(width) * height * channels);
        if (early_) blocks_.resize(blocks * dxtBlockBytes(format_));
        if (bandMipmaps_) bandLevels_.resize(kBandMipLevels);
        for (int n = 1; bandMipmaps_ && n <= kBandMipLevels; ++n) {
            PixelGrid& level = bandLevels_[n - 1];
            level.width = width >> n;
            level.height = height >> n;
            level.channels = channels;
            level.bytes.resize(static_cast<std::size_t>(level.width) * level.height * channels);
        }
        if (bandMipmaps_)
            bandSums_.resize(static_cast<std::size_t>(width >> kBandMipLevels) *
                             (height >> kBandMipLevels) * channels);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (early_) {
        bands_ = (blockRows_ + kBlockRowsPerBand - 1) / kBlockRowsPerBand;
        // Without a thread (no memory, no thread left) the bands are all
        // made by finish.
        try {
            blockThread_ = std::thread([this] { makeBands(); });
        } catch (const std::exception&) {
        }
    }
    return true;
}

std::uint8_t* TextureLevelsAsDecoded::row(int y) {
    const int gridRow = (flags_ & kTextureInvertY) != 0 ? grid_.height - 1 - y : y;
    return grid_.bytes.data() + static_cast<std::size_t>(gridRow) * grid_.width *
                                    static_cast<std::size_t>(grid_.channels);
}

void TextureLevelsAsDecoded::rowsDone(int count) {
    if ((flags_ & kTextureNtscSafeRgb) != 0)
        for (int y = rowsSafe_; y < count; ++y) makeNtscSafe(row(y), grid_.width, grid_.channels);
    rowsSafe_ = count;
    if (!early_ || (count % kBandRows != 0 && count != grid_.height)) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rowsIn_ = count;
    }
    arrived_.notify_one();
}

void TextureLevelsAsDecoded::blockRowsOf(int band, int& first, int& end) const {
    // Rows arrive from the image's top, which is the grid's bottom when flipped.
    if ((flags_ & kTextureInvertY) != 0) {
        end = blockRows_ - band * kBlockRowsPerBand;
        first = std::max(0, end - kBlockRowsPerBand);
    } else {
        first = band * kBlockRowsPerBand;
        end = std::min(blockRows_, first + kBlockRowsPerBand);
    }
}

int TextureLevelsAsDecoded::rowsNeededBy(int band) const {
    int first = 0;
    int end = 0;
    blockRowsOf(band, first, end);
    if ((flags_ & kTextureInvertY) != 0) return grid_.height - kDxtBlockSide * first;
    return std::min(grid_.height, kDxtBlockSide * end);
}

void TextureLevelsAsDecoded::makeBands() noexcept {
    while (!shortOfMemory_) {
        const int band = nextBand_.fetch_add(1);
        if (band >= bands_) return;
        const int needed = rowsNeededBy(band);
        try {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                arrived_.wait(lock, [&] { return rowsIn_ >= needed || over_; });
                if (rowsIn_ < needed) return;  // the image was given up
            }
            int first = 0;
            int end = 0;
            blockRowsOf(band, first, end);
            compressDxtRows(grid_, format_, first, end, blocks_.data());
            // Powers of two of at least 16: every band is 16 whole rows.
            if (bandMipmaps_)
                mipmapBand(grid_, kDxtBlockSide * first, bandLevels_.data(), bandSums_.data());
        } catch (const std::exception&) {
            // The band's mipmap rows found no memory: the levels cannot be
            // finished, which finish tells its caller.
            shortOfMemory_ = true;
        }
    }
}

TextureLevels TextureLevelsAsDecoded::finish(bool decoded) {
    if (!decoded) {
        stopBlockThread();
        return {};
    }
    if (!early_) return levelsOfBaseGrid(std::move(grid_), flags_, target_);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rowsIn_ = grid_.height;
    }
    arrived_.notify_all();
    // This thread takes the bands not yet begun, then makes the smaller
    // levels from the last mipmaps the bands made, or from the whole grid.
    makeBands();
    stopBlockThread();
    if (shortOfMemory_) throw std::bad_alloc();
    std::vector<PixelGrid> chain;
    if (bandMipmaps_) {
        for (PixelGrid& level : bandLevels_) chain.push_back(std::move(level));
        std::vector<PixelGrid> rest = mipmapChainFrom(grid_, kBandMipLevels + 1, bandSums_.data());
        for (PixelGrid& level : rest) chain.push_back(std::move(level));
    } else if ((flags_ & kTextureMipmaps) != 0) {
        chain = mipmapChain(grid_);
    }

    return levelsOf(format_, TextureLevel{grid_.width, grid_.height, std::move(blocks_)},
                    std::move(chain));
}
