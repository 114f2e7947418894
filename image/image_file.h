// Decoding the program's images: PNG through libpng, JPEG through
// libjpeg-turbo, told apart by their first bytes, never by the file name.
// Every image comes out at 8 bits per channel with its own channel count and
// rows from the top. No GL here: texture_levels.h makes textures' levels of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// 64 × 2^20 pixels (8192 × 8192): the largest image read anywhere, so that a
// header cannot make the program allocate more than 256 MiB of pixels.
constexpr std::uint64_t kMaxImagePixels = 64ull * 1024 * 1024;

struct ImageLimits {
    std::uint32_t maxSide = 0;  // longest width or height in pixels; 0: no limit of its own
    std::uint64_t maxPixels = kMaxImagePixels;  // width × height
};

struct DecodedImage {
    int width = 0;     // pixels
    int height = 0;    // pixels
    int channels = 0;  // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    // width × height × channels bytes, one per channel, rows from the top of
    // the image, no padding between rows. Null when nothing was decoded.
    std::unique_ptr<std::uint8_t[]> pixels;

    std::size_t byteCount() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
               static_cast<std::size_t>(channels);
    }
};

struct ImageResult {
    DecodedImage image;
    std::string error;  // why it failed, in a few words; empty when it decoded
    bool ok() const { return error.empty(); }
};

// Where a decoder writes an image's rows. Without one they are kept in the
// result's DecodedImage; texture_stream.h has one that makes a texture of
// the rows that are in while the rest of the image is still being decoded.
class ImageRows {
  public:
    virtual ~ImageRows() = default;
    // The image's size, within the limits, before any row is written; false
    // when there is no memory for it.
    virtual bool begin(int width, int height, int channels) = 0;
    // Where row y (0 is the top) goes: width × channels bytes.
    virtual std::uint8_t* row(int y) = 0;
    // Rows 0 … count − 1 hold their final pixels. Called on the decoding
    // thread with growing counts: after each row, or only once all are in
    // (interlaced images).
    virtual void rowsDone(int count) = 0;
};

enum class ImageFormat { Png, Jpeg, Unknown };

// The format named by the first bytes: the PNG signature, or a JPEG's start
// of image followed by a marker.
ImageFormat detectFormat(const std::uint8_t* data, std::size_t size);

// Decodes a whole file held in memory. Sizes are checked against limits from
// the header, before any pixel memory is taken. Palette images become RGB, or
// RGBA when they carry transparency; 1, 2 and 4-bit grey is scaled to 8 bits,
// 16-bit samples are rounded to 8; CMYK and YCCK JPEGs become RGB. A damaged
// or truncated file fails; the decoders' errors never leave this function
// other than as ImageResult::error.
ImageResult decodeImage(const std::uint8_t* data, std::size_t size, const ImageLimits& limits);
ImageResult decodePng(const std::uint8_t* data, std::size_t size, const ImageLimits& limits);
ImageResult decodeJpeg(const std::uint8_t* data, std::size_t size, const ImageLimits& limits);
// The same with the rows written to rows: the result's image has the size
// and channels but no pixels. On failure some rows may have been written.
ImageResult decodeImage(const std::uint8_t* data, std::size_t size, const ImageLimits& limits,
                        ImageRows& rows);
ImageResult decodePng(const std::uint8_t* data, std::size_t size, const ImageLimits& limits,
                      ImageRows& rows);
ImageResult decodeJpeg(const std::uint8_t* data, std::size_t size, const ImageLimits& limits,
                       ImageRows& rows);

// Reads the file at path (as given: relative paths from the working
// directory) and decodes it, into rows when given.
ImageResult readImageFile(const std::string& path, const ImageLimits& limits);
ImageResult readImageFile(const std::string& path, const ImageLimits& limits, ImageRows& rows);

namespace image_detail {
// The size check both decoders make: "" when width × height is acceptable,
// else the reason. Zero sides are the decoders' own errors.
std::string checkSize(std::uint64_t width, std::uint64_t height, const ImageLimits& limits);
}  // namespace image_detail
