#include "image/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// No image the program takes needs more: a 64-megapixel RGBA PNG stored
// without compression is 256 MiB.
constexpr std::uint64_t kMaxFileBytes = 1ull << 30;

std::string systemReason(const char* what) {
    return std::string(what) + " (" + std::strerror(errno) + ")";
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
    ImageResult result;
    if (size == 0) {
        result.error = "the file is empty";
        return result;
    }
    switch (detectFormat(data, size)) {
        case ImageFormat::Png:
            return decodePng(data, size, limits);
        case ImageFormat::Jpeg:
            return decodeJpeg(data, size, limits);
        case ImageFormat::Unknown:
            break;
    }
    result.error = "not a PNG or JPEG file";
    return result;
}

ImageResult readImageFile(const std::string& path, const ImageLimits& limits) {
    namespace fs = std::filesystem;
    ImageResult result;
    // What the name is, asked first: opening a pipe would wait for a writer.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        result.error = "is a directory, not an image file";
        return result;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        result.error = "is not a regular file";
        return result;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        result.error = systemReason("cannot be opened");
        return result;
    }
    std::vector<std::uint8_t> bytes;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        result.error = "cannot be read (" + error.message() + ")";
    } else if (size > kMaxFileBytes) {
        result.error = "the file is larger than 1 GiB";
    } else {
        bytes.resize(static_cast<std::size_t>(size));
        // Fewer bytes when it shrank while being read: decode what is there.
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        if (std::ferror(file)) result.error = systemReason("cannot be read");
    }
    std::fclose(file);
    if (!result.ok()) return result;
    return decodeImage(bytes.data(), bytes.size(), limits);
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
