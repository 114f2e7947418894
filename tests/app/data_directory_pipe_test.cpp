// The search for the scene asks what the model's name is before opening it:
// a pipe of that name would make the start wait for a writer that never
// comes. The settings file likewise. Built where the file system has pipes (not on Windows).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/data_directory.h"
#include "settings/settings.h"
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

TEST(DataDirectorySpecialFiles, ASettingsFileThatIsAPipeIsNamedNotOpened) {
    const std::string root = test_files::makeTemporaryDirectory("velmora_pipe_");
    const std::string conf = root + "/velmora.conf";
    ASSERT_EQ(mkfifo(conf.c_str(), 0600), 0);
    Settings s;
    std::ostringstream report;
    readSettingsFile(conf, false, s, report);  // returns: nothing waits
    EXPECT_EQ(report.str(), conf + ": not a regular file; the defaults are kept\n");
    std::filesystem::remove_all(root);
}
