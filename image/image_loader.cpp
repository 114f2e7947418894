#include "image/image_loader.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <utility>

namespace {

// Failures are remembered by the file, not the words naming it: the same
// relative name in another working directory is another file.
std::string fileKey(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

FileStamp fileStampOf(const std::string& path) {
    namespace fs = std::filesystem;
    FileStamp stamp;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::exists(status)) return stamp;
    stamp.exists = true;
    if (fs::is_regular_file(status)) stamp.size = fs::file_size(path, error);
    // The file clock's own epoch: the stamp is only compared with another.
    const fs::file_time_type modified = fs::last_write_time(path, error);
    if (!error) {
        stamp.modifiedNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch())
                .count();
    }
    return stamp;
}

const std::string* ImageFailures::knownFailure(const std::string& path,
                                               const FileStamp& stamp) const {
    const auto found = failures_.find(path);
    if (found == failures_.end() || found->second.stamp != stamp) return nullptr;
    return &found->second.reason;
}

bool ImageFailures::remember(const std::string& path, const FileStamp& stamp,
                             const std::string& reason) {
    const bool news = knownFailure(path, stamp) == nullptr;
    failures_[path] = Failure{stamp, reason};
    return news;
}

void ImageFailures::forget(const std::string& path) {
    failures_.erase(path);
}

ImageResult ImageLoader::load(const std::string& path, const ImageLimits& limits,
                              const std::string& consequence) {
    const FileStamp stamp = fileStampOf(path);
    if (const std::string* reason = failures_.knownFailure(fileKey(path), stamp)) {
        ImageResult known;
        known.error = *reason;
        return known;
    }
    ImageResult result = readImageFile(path, limits);
    if (result.ok()) {
        failures_.forget(fileKey(path));
    } else {
        fail(path, stamp, result.error, consequence);
    }
    return result;
}

ImageResult ImageLoader::adopt(const std::string& path, ImageResult decoded,
                               const ImageLimits& limits, const std::string& consequence) {
    const FileStamp stamp = fileStampOf(path);
    if (const std::string* reason = failures_.knownFailure(fileKey(path), stamp)) {
        ImageResult known;
        known.error = *reason;
        return known;
    }
    if (decoded.ok()) {
        const std::string tooLarge =
            image_detail::checkSize(static_cast<std::uint64_t>(decoded.image.width),
                                    static_cast<std::uint64_t>(decoded.image.height), limits);
        if (!tooLarge.empty()) {
            decoded = ImageResult{};
            decoded.error = tooLarge;
        }
    }
    if (decoded.ok()) {
        failures_.forget(fileKey(path));
    } else {
        fail(path, stamp, decoded.error, consequence);
    }
    return decoded;
}

void ImageLoader::reject(const std::string& path, const std::string& reason,
                         const std::string& consequence) {
    fail(path, fileStampOf(path), reason, consequence);
}

void ImageLoader::rejectShortOfMemory(std::string_view path, std::string_view reason,
                                      std::string_view consequence) noexcept {
    try {
        reject(std::string(path), std::string(reason), std::string(consequence));
    } catch (const std::exception&) {
        std::fprintf(stderr, "%.*s: %.*s; %.*s\n", static_cast<int>(path.size()), path.data(),
                     static_cast<int>(reason.size()), reason.data(),
                     static_cast<int>(consequence.size()), consequence.data());
    }
}

void ImageLoader::fail(const std::string& path, const FileStamp& stamp, const std::string& reason,
                       const std::string& consequence) {
    if (failures_.remember(fileKey(path), stamp, reason))
        report_ << path << ": " << reason << "; " << consequence << std::endl;
}

ImageLoader& programImages() {
    static ImageLoader loader(std::cerr);
    return loader;
}
