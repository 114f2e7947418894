// The input side of the model readers: words that may run on across lines (as
// a stream's >> reads them) and the rest of the current line (as getline reads
// it). A file is read in blocks that always end after a newline, so a word or a
// line is whole in memory while it is used and the file's text is never held
// in full. Text already in memory can be read the same way.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class TextStream {
  public:
    TextStream() = default;
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;
    ~TextStream() { close(); }

    // False when the file cannot be opened or read, or is not a regular file.
    bool openFile(const std::string& path);
    // Reads text owned by the caller, who keeps it alive until close().
    void openText(std::string_view text);
    void close();

    // Skips white space, newlines included, and returns the next run of
    // non-white-space characters. False, with an empty word, at the end.
    bool readWord(std::string_view& word);

    // The characters up to the end of the current line, without its newline,
    // which is consumed. Empty at the end of the text.
    std::string_view restOfLine();

    // The views returned stay valid until the next call.

  private:
    bool loadMoreLines();

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> block_;
    size_t blockSize_ = 0;
    const char* next_ = nullptr;      // first character not yet read
    const char* linesEnd_ = nullptr;  // end of the whole lines loaded
    const char* dataEnd_ = nullptr;  // end of what was loaded (a partial line may follow linesEnd_)
    bool fileEnded_ = true;
};
