// The readers' input stream: words and lines come out the same whether the
// text is in memory or read from a file in blocks of any size, and what it
// hands out is the caller's own copy.
#include "model/text_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "same_model.h"
#include "temp_dir.h"

namespace {

// Reads the whole stream by a fixed pattern of word reads, word starts, line
// reads and skipped lines, each result tagged by the read that gave it.
std::vector<std::string> readAll(TextStream& in) {
    std::vector<std::string> out;
    std::string text;
    for (int i = 0; out.size() < 1000; ++i) {
        if (i % 5 == 2) {
            char first = 'x', second = 'x';
            const bool read = in.readWordStart(first, second);
            out.push_back("start:" + std::string(1, first) + std::string(1, second));
            if (!read) break;
        } else if (i % 5 == 3) {
            in.readRestOfLine(text);
            out.push_back("line:" + text);
        } else if (i % 5 == 4) {
            in.skipRestOfLine();
            out.push_back("skip");
        } else if (in.readWord(text)) {
            out.push_back("word:" + text);
        } else {
            EXPECT_TRUE(text.empty());
            out.push_back("end");
            break;
        }
    }
    return out;
}

}  // namespace

TEST(TextStream, FileBlocksOfAnySizeReadAsTheTextInMemory) {
    TempDir dir;
    const std::string texts[] = {
        "",
        "one",
        "v 1.5 2.5\n# a last line without a newline",
        "  \t\r\n\n  leading\tblanks   and   runs \r\nof\v\fblanks\n\n\nlongwordlongwordlongword "
        "x\ny z\n",
        "f 1/2/3 4/5/6 7/8/9\nline\nanother line\n\n\nvt 0.5\n0.25 after\nend\n",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        TextStream memory;
        memory.openText(text);
        const std::vector<std::string> expected = readAll(memory);
        const std::string path = dir.write("text.obj", text);
        for (size_t bytes : {1, 2, 3, 4, 5, 7, 11, 64, 0}) {
            const ScopedFileBlockSize blocks(bytes);
            TextStream file;
            ASSERT_TRUE(file.openFile(path));
            EXPECT_EQ(readAll(file), expected) << bytes << "-byte blocks";
        }
    }

    // A block holds a small file and one byte more, so that one read finds its
    // end; a large file, or the size tests set, bounds it.
    EXPECT_EQ(TextStream::blockSizeFor(0, TextStream::kDefaultBlockSize), 4096u);
    EXPECT_EQ(TextStream::blockSizeFor(70000, TextStream::kDefaultBlockSize), 70001u);
    EXPECT_EQ(TextStream::blockSizeFor(50000000, TextStream::kDefaultBlockSize),
              TextStream::kDefaultBlockSize);
    EXPECT_EQ(TextStream::blockSizeFor(70000, 3), 3u);

    // What a read gave stays as it was through later reads and refills.
    const ScopedFileBlockSize blocks(2);
    TextStream file;
    ASSERT_TRUE(file.openFile(dir.write("words.obj", "1.5 2.5\n# three")));
    std::string first, second, third;
    file.readWord(first);
    file.readWord(second);
    file.readWord(third);
    EXPECT_EQ(first + "|" + second + "|" + third, "1.5|2.5|#");
    file.readRestOfLine(third);
    EXPECT_EQ(third, " three");
    EXPECT_FALSE(file.readWord(third));
    EXPECT_EQ(first + "|" + second, "1.5|2.5");
}
