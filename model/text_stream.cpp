#include "model/text_stream.h"

#include <sys/stat.h>

#include <cstring>

#include "model/text_convert.h"

namespace {

// 1 MiB: a few hundred system calls for a large model, and a block that stays
// in the cache while it is parsed.
constexpr size_t kBlockSize = size_t{1} << 20;

const char* lastNewline(const char* first, const char* last) {
    const void* found = memrchr(first, '\n', static_cast<size_t>(last - first));
    return static_cast<const char*>(found);
}

}  // namespace

bool TextStream::openFile(const std::string& path) {
    close();
    if (path.find('\0') != std::string::npos) return false;  // no file has such a name
    // Only regular files: a name in a model file must not make the reader wait
    // on a pipe or read a device such as /dev/zero without end.
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return false;
    blockSize_ = kBlockSize;
    block_.reset(new char[blockSize_]);
    next_ = linesEnd_ = dataEnd_ = block_.get();
    fileEnded_ = false;
    loadMoreLines();
    if (std::ferror(file_)) {
        close();
        return false;
    }
    return true;
}

void TextStream::openText(std::string_view text) {
    close();
    next_ = text.data();
    linesEnd_ = dataEnd_ = text.data() + text.size();
    fileEnded_ = true;
}

void TextStream::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    block_.reset();
    blockSize_ = 0;
    next_ = linesEnd_ = dataEnd_ = nullptr;
    fileEnded_ = true;
}

// Moves the unread rest to the front of the block and reads on until at least
// one more whole line (or the end of the file) is in memory. A line longer
// than the block makes the block grow. Called only once every whole line has
// been read, so the rest kept holds no newline. False when nothing is left.
bool TextStream::loadMoreLines() {
    if (fileEnded_) return false;
    size_t used = static_cast<size_t>(dataEnd_ - next_);
    std::memmove(block_.get(), next_, used);
    while (true) {
        if (used == blockSize_) {
            std::unique_ptr<char[]> bigger(new char[blockSize_ * 2]);
            std::memcpy(bigger.get(), block_.get(), used);
            block_ = std::move(bigger);
            blockSize_ *= 2;
        }
        char* const base = block_.get();
        const size_t got = std::fread(base + used, 1, blockSize_ - used, file_);
        const char* newline = got > 0 ? lastNewline(base + used, base + used + got) : nullptr;
        used += got;
        next_ = base;
        dataEnd_ = base + used;
        if (newline != nullptr) {
            linesEnd_ = newline + 1;
            return true;
        }
        if (got == 0 || std::feof(file_) || std::ferror(file_)) {
            // The last line needs no newline; a read error ends the text too.
            fileEnded_ = true;
            linesEnd_ = dataEnd_;
            return used > 0;
        }
    }
}

bool TextStream::readWord(std::string_view& word) {
    const char* p = next_;
    while (true) {
        const char* const end = linesEnd_;
        while (p < end && isBlank(*p)) ++p;
        if (p < end) break;
        next_ = p;
        if (!loadMoreLines()) {
            word = std::string_view();
            return false;
        }
        p = next_;
    }
    // Whole lines are loaded, so the word ends before linesEnd_ (at a newline at the latest).
    const char* const first = p;
    const char* const end = linesEnd_;
    while (p < end && !isBlank(*p)) ++p;
    next_ = p;
    word = std::string_view(first, static_cast<size_t>(p - first));
    return true;
}

std::string_view TextStream::restOfLine() {
    if (next_ == linesEnd_ && !loadMoreLines()) return std::string_view();
    const char* const first = next_;
    const void* newline = std::memchr(first, '\n', static_cast<size_t>(linesEnd_ - first));
    if (newline == nullptr) {  // the last line of a file without a final newline
        next_ = linesEnd_;
        return std::string_view(first, static_cast<size_t>(linesEnd_ - first));
    }
    next_ = static_cast<const char*>(newline) + 1;
    return std::string_view(first, static_cast<size_t>(next_ - 1 - first));
}
