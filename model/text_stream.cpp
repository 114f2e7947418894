#include "model/text_stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "model/text_convert.h"

size_t TextStream::fileBlockSize_ = TextStream::kDefaultBlockSize;

void TextStream::setFileBlockSize(size_t bytes) {
    fileBlockSize_ = bytes == 0 ? kDefaultBlockSize : bytes;
}

size_t TextStream::blockSizeFor(long long fileBytes, size_t largest) {
    constexpr long long kSmallest = 4096;  // a file that grows while read is still read whole
    const long long wanted = std::max(fileBytes + 1, kSmallest);
    return wanted < static_cast<long long>(largest) ? static_cast<size_t>(wanted) : largest;
}

bool TextStream::openFile(const std::string& path) {
    close();
    if (path.find('\0') != std::string::npos) return false;  // no file has such a name
    // Only regular files: a name in a model file must not make the reader wait
    // on a pipe or read a device such as /dev/zero without end.
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) return false;
    blockSize_ = blockSizeFor(status.st_size, fileBlockSize_);
    block_.reset(new char[blockSize_]);
    refill();
    if (std::ferror(file_)) {
        close();
        return false;
    }
    return true;
}

void TextStream::openText(std::string_view text) {
    close();
    next_ = text.data();
    end_ = text.data() + text.size();
}

void TextStream::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    block_.reset();
    blockSize_ = 0;
    next_ = end_ = nullptr;
}

// Overwrites the block with the next part of the file. Called only once the
// block has been read to its end. False at the end of the text; a read error
// ends the text too.
bool TextStream::refill() {
    if (file_ == nullptr) return false;
    const size_t got = std::fread(block_.get(), 1, blockSize_, file_);
    next_ = block_.get();
    end_ = next_ + got;
    return got > 0;
}

bool TextStream::readWord(std::string& word) {
    word.clear();
    while (true) {
        while (next_ < end_ && isBlank(*next_)) ++next_;
        if (next_ < end_) break;
        if (!refill()) return false;
    }
    while (true) {
        const char* p = next_;
        while (p < end_ && !isBlank(*p)) ++p;
        word.append(next_, static_cast<size_t>(p - next_));
        next_ = p;
        if (p < end_ || !refill()) return true;  // a word may run on into the next block
    }
}

bool TextStream::readWordStart(char& first, char& second) {
    first = second = '\0';
    while (true) {
        while (next_ < end_ && isBlank(*next_)) ++next_;
        if (next_ < end_) break;
        if (!refill()) return false;
    }
    first = *next_++;
    bool secondRead = false;
    while (true) {
        const char* p = next_;
        while (p < end_ && !isBlank(*p)) ++p;
        if (!secondRead && p > next_) {
            second = *next_;
            secondRead = true;
        }
        next_ = p;
        if (p < end_ || !refill()) return true;  // a word may run on into the next block
    }
}

void TextStream::readRestOfLine(std::string& line) {
    line.clear();
    while (next_ < end_ || refill()) {
        const size_t left = static_cast<size_t>(end_ - next_);
        const void* newline = std::memchr(next_, '\n', left);
        if (newline != nullptr) {
            const char* const stop = static_cast<const char*>(newline);
            line.append(next_, static_cast<size_t>(stop - next_));
            next_ = stop + 1;
            return;
        }
        line.append(next_, left);  // the line runs on into the next block
        next_ = end_;
    }
}

void TextStream::skipRestOfLine() {
    while (next_ < end_ || refill()) {
        const void* newline = std::memchr(next_, '\n', static_cast<size_t>(end_ - next_));
        if (newline != nullptr) {
            next_ = static_cast<const char*>(newline) + 1;
            return;
        }
        next_ = end_;
    }
}
