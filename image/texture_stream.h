// A texture's levels made while its image is decoded. The decoder writes
// each row straight into the base grid (flipped and its colours brought into
// range there, while the row is fresh in the cache), and once four rows of
// blocks are in, another thread makes their DXT blocks of level 0; by the
// time the last row is decoded much of the largest level is done. So are the
// first mipmaps, made of each band's rows while they are in the cache. The levels
// are those makeTextureLevels makes of the decoded image, byte for byte.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "image/image_file.h"
#include "image/texture_levels.h"

class TextureLevelsAsDecoded final : public ImageRows {
  public:
    TextureLevelsAsDecoded(unsigned int flags, const TextureTarget& target);
    // Stops and joins the block thread, should finish not have run.
    ~TextureLevelsAsDecoded() override;
    TextureLevelsAsDecoded(const TextureLevelsAsDecoded&) = delete;
    TextureLevelsAsDecoded& operator=(const TextureLevelsAsDecoded&) = delete;

    bool begin(int width, int height, int channels) override;
    std::uint8_t* row(int y) override;
    void rowsDone(int count) override;

    // Once the decoder has returned: the levels when it decoded the image,
    // else none. Throws std::bad_alloc when memory ran short, on this
    // thread or the block thread.
    TextureLevels finish(bool decoded);

  private:
    // Makes the blocks of bands as they are claimed and their rows are in,
    // until none is left or the image is given up. Never throws: a band that
    // found no memory sets shortOfMemory_ and ends the work.
    void makeBands() noexcept;
    // Rows of the image (from its top) that band k needs.
    int rowsNeededBy(int band) const;
    // Block rows [first, end) of band k.
    void blockRowsOf(int band, int& first, int& end) const;
    void stopBlockThread();

    const unsigned int flags_;
    const TextureTarget target_;
    PixelGrid grid_;
    int rowsSafe_ = 0;  // rows brought into the NTSC range so far (decoding thread only)

    // Level 0's blocks, made band by band in the order the rows arrive.
    bool early_ = false;
    TexelFormat format_ = TexelFormat::Dxt1;
    std::vector<std::uint8_t> blocks_;
    int blockRows_ = 0;
    int bands_ = 0;
    std::atomic<int> nextBand_{0};
    // With mipmaps, levels 1 … kBandMipLevels made band by band too, from
    // rows still in the cache, and the sums the rest of the chain starts from.
    bool bandMipmaps_ = false;
    std::vector<PixelGrid> bandLevels_;  // levels 1 … 4 (texture_bands.h)
    std::vector<std::uint16_t> bandSums_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    int rowsIn_ = 0;                          // rows complete, as told to the block thread
    bool over_ = false;                       // decoding ended, in success or failure
    std::atomic<bool> shortOfMemory_{false};  // a band could not be made
    std::thread blockThread_;
};
