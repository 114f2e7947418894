#include "image/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <utility>
#include <vector>

namespace {

// No image the program takes needs more: a 64-megapixel RGBA PNG stored
// without compression is 256 MiB.
constexpr std::uint64_t kMaxFileBytes = 1ull << 30;

std::string systemReason(const char* what) {
    return std::string(what) + " (" + std::strerror(errno) + ")";
}

// Rows kept in a DecodedImage, as the decoders return them.
class DecodedRows final : public ImageRows {
  public:
    bool begin(int width, int height, int channels) override {
        image_.width = width;
        image_.height = height;
        image_.channels = channels;
        // Not zero-filled: a truncated file stops long before a large image
        // would have been cleared.
        image_.pixels.reset(new (std::nothrow) std::uint8_t[image_.byteCount()]);
        return image_.pixels != nullptr;
    }
    std::uint8_t* row(int y) override {
        return image_.pixels.get() + static_cast<std::size_t>(y) * image_.width * image_.channels;
    }
    void rowsDone(int) override {}

    // result with the pixels, when it decoded.
    ImageResult into(ImageResult result) {
        if (result.ok()) result.image.pixels = std::move(image_.pixels);
        return result;
    }

  private:
    DecodedImage image_;
};

// The file's bytes, or why they cannot be had.
std::string readBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    namespace fs = std::filesystem;
    // What the name is, asked first: opening a pipe would wait for a writer.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) return "is a directory, not an image file";
    if (fs::exists(status) && !fs::is_regular_file(status)) return "is not a regular file";
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return systemReason("cannot be opened");
    std::string reason;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        reason = "cannot be read (" + error.message() + ")";
    } else if (size > kMaxFileBytes) {
        reason = "the file is larger than 1 GiB";
    } else {
        bytes.resize(static_cast<std::size_t>(size));
        // Fewer bytes when it shrank while being read: decode what is there.
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        if (std::ferror(file)) reason = systemReason("cannot be read");
    }
    std::fclose(file);
    return reason;
}

}  // namespace

ImageFormat detectFormat(const std::uint8_t* data, std::size_t size) {
    static const std::uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return ImageFormat::Png;
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return ImageFormat::Jpeg;
    return ImageFormat::Unknown;
}

ImageResult decodeImage(const std::uint8_t* data, std::size_t size, const ImageLimits& limits) {
    DecodedRows rows;
    return rows.into(decodeImage(data, size, limits, rows));
}

ImageResult decodePng(const std::uint8_t* data, std::size_t size, const ImageLimits& limits) {
    DecodedRows rows;
    return rows.into(decodePng(data, size, limits, rows));
}

ImageResult decodeJpeg(const std::uint8_t* data, std::size_t size, const ImageLimits& limits) {
    DecodedRows rows;
    return rows.into(decodeJpeg(data, size, limits, rows));
}

ImageResult decodeImage(const std::uint8_t* data, std::size_t size, const ImageLimits& limits,
                        ImageRows& rows) {
    ImageResult result;
    if (size == 0) {
        result.error = "the file is empty";
        return result;
    }
    switch (detectFormat(data, size)) {
        case ImageFormat::Png:
            return decodePng(data, size, limits, rows);
        case ImageFormat::Jpeg:
            return decodeJpeg(data, size, limits, rows);
        case ImageFormat::Unknown:
            break;
    }
    result.error = "not a PNG or JPEG file";
    return result;
}

ImageResult readImageFile(const std::string& path, const ImageLimits& limits) {
    DecodedRows rows;
    return rows.into(readImageFile(path, limits, rows));
}

ImageResult readImageFile(const std::string& path, const ImageLimits& limits, ImageRows& rows) {
    std::vector<std::uint8_t> bytes;
    ImageResult result;
    try {
        result.error = readBytes(path, bytes);
    } catch (const std::bad_alloc&) {
        result.error = "not enough memory to read the file";
    }
    if (!result.ok()) return result;
    return decodeImage(bytes.data(), bytes.size(), limits, rows);
}

namespace image_detail {

std::string checkSize(std::uint64_t width, std::uint64_t height, const ImageLimits& limits) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
    if (limits.maxSide != 0 && (width > limits.maxSide || height > limits.maxSide)) {
        return size + ", larger than the " + std::to_string(limits.maxSide) +
               " the graphics driver takes for a texture side";
    }
    if (width * height > limits.maxPixels) {  // both below 2^32: no overflow
        return size + ", more than the " + std::to_string(limits.maxPixels / (1024 * 1024)) +
               " megapixels an image may have";
    }
    return {};
}

}  // namespace image_detail
