// How the program reads its image files: each failure is reported in one line
// that names the file as it was opened, why it failed and what the scene does
// without it, once for the file as it stands; and a file that failed is not
// decoded again until it changes (size or modification time), so a caller
// that retries every frame costs one stat() a frame and says nothing more.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>

#include "image/image_file.h"

// A file as the failure memory tells versions apart.
struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;       // bytes
    std::int64_t modifiedNs = 0;  // modification time, nanoseconds on the file clock
    bool operator==(const FileStamp& o) const {
        return exists == o.exists && size == o.size && modifiedNs == o.modifiedNs;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// The stamp of path now; a file that cannot be looked at counts as missing.
FileStamp fileStampOf(const std::string& path);

// Which files failed, as they stood, and why.
class ImageFailures {
  public:
    // The reason path failed when it last had this stamp, or null when it did
    // not fail as it stands now (never tried, loaded, or changed since).
    const std::string* knownFailure(const std::string& path, const FileStamp& stamp) const;
    // Records the failure; true when it is news to report: the file had not
    // already failed with this stamp.
    bool remember(const std::string& path, const FileStamp& stamp, const std::string& reason);
    // path loaded: a later failure is news again.
    void forget(const std::string& path);

  private:
    struct Failure {
        FileStamp stamp;
        std::string reason;
    };
    std::map<std::string, Failure> failures_;
};

class ImageLoader {
  public:
    // Failure lines go to report.
    explicit ImageLoader(std::ostream& report) : report_(report) {}

    // Decodes path within limits. On failure the result holds no pixels and
    // its error the reason; the first failure of the file as it stands writes
    // "<path>: <reason>; <consequence>" to the report stream. A file that
    // failed and is unchanged is not read again: its old reason is returned.
    ImageResult load(const std::string& path, const ImageLimits& limits,
                     const std::string& consequence);
    // As load, for a file decoded already (ahead of time, without a side
    // limit): the result within limits, remembered and reported as load does.
    ImageResult adopt(const std::string& path, ImageResult decoded, const ImageLimits& limits,
                      const std::string& consequence);
    // path decoded but its pixels could not be used (the texture could not be
    // made): remembered and reported like a failure to decode.
    void reject(const std::string& path, const std::string& reason, const std::string& consequence);
    // reject, for a file that memory ran short for. Never throws: when even
    // remembering it finds no memory, the line goes to standard error alone.
    void rejectShortOfMemory(std::string_view path, std::string_view reason,
                             std::string_view consequence) noexcept;

  private:
    void fail(const std::string& path, const FileStamp& stamp, const std::string& reason,
              const std::string& consequence);

    std::ostream& report_;
    ImageFailures failures_;
};

// The program's loader: failures go to standard error.
ImageLoader& programImages();
