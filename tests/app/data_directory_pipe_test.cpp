// The search for the scene asks what the model's name is before opening it:
// a pipe of that name would make the start wait for a writer that never
// comes. Built where the file system has pipes (not on Windows).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/data_directory.h"
#include "tests/support/test_files.h"

TEST(DataDirectorySpecialFiles, AModelThatIsAPipeOrADirectoryIsNamedNotOpened) {
    namespace fs = std::filesystem;
    const std::string root = test_files::makeTemporaryDirectory("velmora_pipe_");
    fs::create_directories(root + "/pipe");
    fs::create_directories(root + "/folder/" + kModelFileName);
    ASSERT_EQ(mkfifo((root + "/pipe/" + kModelFileName).c_str(), 0600), 0);
    for (const char* place : {"pipe", "folder"}) {
        DataSearch search;
        search.workingDirectory = root + "/" + place;
        const DataChoice c = findDataDirectory(search);  // returns: nothing waits
        EXPECT_FALSE(c.holdsModel) << place;
        EXPECT_EQ(c.looked, std::vector<std::string>{root + "/" + place +
                                                     " (working directory; its sthenge3.obj is "
                                                     "not a regular file)"});
    }
    fs::remove_all(root);
}
