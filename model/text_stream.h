// The input side of the model readers: words that may run on across lines (as
// a stream's >> reads them) and the rest of the current line (as getline reads
// it). A file is read in blocks of at most 1 MiB, so a large file's text is
// never held in full; text already in memory can be read the same way.
//
// Every word and line is copied into a string the caller owns, as >> and
// getline do (or, for a keyword, its first two characters): nothing the stream
// hands out points into its block, so a refill, which overwrites the block,
// can never change or free what a reader holds.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class TextStream {
  public:
    // 1 MiB: a few hundred system calls for a large model, and a block that
    // stays in the cache while it is parsed.
    static constexpr size_t kDefaultBlockSize = size_t{1} << 20;

    // The largest block, in bytes, of files opened from now on; 0 restores
    // the default. Tests and the fuzzer use a few bytes, so that words and lines
    // straddle refills all the time.
    static void setFileBlockSize(size_t bytes);

    // A block for a file of fileBytes bytes: room for all of it and one more
    // byte (so that one read finds the end), but no more than largest.
    static size_t blockSizeFor(long long fileBytes, size_t largest);

    TextStream() = default;
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;
    ~TextStream() { close(); }

    // False when the file cannot be opened or read, or is not a regular file.
    bool openFile(const std::string& path);
    // Reads text owned by the caller, who keeps it alive until close().
    void openText(std::string_view text);
    void close();

    // Skips white space, newlines included, and copies the next run of
    // non-white-space characters into word. False, with word empty, at the end.
    bool readWord(std::string& word);

    // Skips white space, newlines included, and reads the next word, keeping
    // only its first two characters (second is '\0' for a word of one).
    // False, with both '\0', at the end.
    bool readWordStart(char& first, char& second);

    // Copies the characters up to the end of the current line into line,
    // without the newline, which is consumed. Empty at the end of the text.
    void readRestOfLine(std::string& line);

    // As readRestOfLine, keeping nothing.
    void skipRestOfLine();

  private:
    bool refill();

    static size_t fileBlockSize_;

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> block_;
    size_t blockSize_ = 0;
    const char* next_ = nullptr;  // first character not yet read
    const char* end_ = nullptr;   // end of the text in memory (the block's filled part)
};
