// Where the scene is found: --data, the working directory, the installed
// directory beside the executable, the build tree (for its own program only).
// Fake executable paths over temporary directories; nothing is run.
#include "app/data_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/executable.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;

// A scratch tree: an empty working directory, an installed prefix, a moved
// copy of it, and a build tree with its generated scene.
class Tree : public ::testing::Test {
  protected:
    void SetUp() override {
        root =
            fs::canonical(test_files::makeTemporaryDirectory("velmora_datadir_")).generic_string();
        for (const char* d : {"cwd", "usr/bin", "opt/moved/bin", "build/app"})
            fs::create_directories(root + "/" + d);
        withModel(root + "/usr/share/velmora");
        withModel(root + "/opt/moved/share/velmora");
        withModel(root + "/build/data");

        search.workingDirectory = root + "/cwd";
        search.installedRelative = "../share/velmora";
        search.buildExecutable = root + "/build/app/velmora";
        search.buildDataDirectory = root + "/build/data";
    }
    void TearDown() override { fs::remove_all(root); }

    static void withModel(const std::string& directory) {
        fs::create_directories(directory);
        std::ofstream(directory + "/" + kModelFileName) << "v 0 0 0\n";
    }

    std::string root;
    DataSearch search;
};

TEST_F(Tree, EachPlaceInTurnWinsWhenTheEarlierOnesLackTheModel) {
    search.executable = root + "/usr/bin/velmora";
    DataChoice c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::Installed);
    EXPECT_EQ(c.directory, root + "/usr/share/velmora");
    EXPECT_TRUE(c.holdsModel);
    EXPECT_EQ(missingModelMessage(c), "");

    withModel(root + "/cwd");
    c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::WorkingDirectory);
    EXPECT_EQ(c.directory, root + "/cwd");

    search.requested = root + "/build/data";
    c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::Requested);
    EXPECT_EQ(c.directory, root + "/build/data");
    EXPECT_TRUE(c.holdsModel);
}

TEST_F(Tree, AMovedPrefixFindsItsOwnScene) {
    search.executable = root + "/opt/moved/bin/velmora";
    const DataChoice c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::Installed);
    EXPECT_EQ(c.directory, root + "/opt/moved/share/velmora");
}

TEST_F(Tree, TheBuildTreeServesOnlyItsOwnProgram) {
    search.executable = root + "/build/app/velmora";
    DataChoice c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::BuildTree);
    EXPECT_EQ(c.directory, root + "/build/data");

    // An installed copy without its scene does not fall back on a build path.
    fs::remove_all(root + "/usr/share");
    search.executable = root + "/usr/bin/velmora";
    c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::None);
    EXPECT_EQ(c.directory, root + "/cwd");  // stays where it was started
    EXPECT_FALSE(c.holdsModel);
    EXPECT_EQ(missingModelMessage(c),
              "found no sthenge3.obj in " + root + "/cwd (working directory) or " + root +
                  "/usr/share/velmora (installed); going on without the model (--data DIR names "
                  "the scene's directory)");
}

TEST_F(Tree, TheOneLineNamesEveryPlaceLookedInOnce) {
    for (const char* d : {"/usr/share", "/build/data"}) fs::remove_all(root + d);
    search.executable = root + "/build/app/velmora";
    DataChoice c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::None);
    EXPECT_EQ(missingModelMessage(c).substr(0, missingModelMessage(c).find(';')),
              "found no sthenge3.obj in " + root + "/cwd (working directory), " + root +
                  "/build/share/velmora (installed) or " + root + "/build/data (build tree)");

    // Started inside the installed directory: looked in once, not twice.
    search.executable = root + "/usr/bin/velmora";
    search.workingDirectory = root + "/usr/share/velmora";
    fs::create_directories(search.workingDirectory);
    c = findDataDirectory(search);
    EXPECT_EQ(c.looked, std::vector<std::string>{root + "/usr/share/velmora (working directory)"});

    // A requested directory is used as given, model or not; nothing else is tried.
    search.requested = root + "/cwd";
    c = findDataDirectory(search);
    EXPECT_EQ(c.source, DataSource::Requested);
    EXPECT_EQ(c.directory, root + "/cwd");
    EXPECT_FALSE(c.holdsModel);
    EXPECT_EQ(c.looked, std::vector<std::string>{root + "/cwd (--data)"});
}

TEST(DataDirectory, InstalledDirectoryIsBesideTheExecutablesDirectory) {
    EXPECT_EQ(installedDataDirectory("/usr/bin/velmora", "../share/velmora"), "/usr/share/velmora");
    EXPECT_EQ(installedDataDirectory("/opt/v/./bin//velmora", "../share/velmora"),
              "/opt/v/share/velmora");
    EXPECT_EQ(installedDataDirectory("/velmora", "../share/velmora"), "/share/velmora");
    EXPECT_EQ(installedDataDirectory("", "../share/velmora"), "");  // /proc unreadable
    EXPECT_EQ(installedDataDirectory("/usr/bin/velmora", ""), "");
}

TEST(DataDirectory, TheProcessSideReadsTheRealExecutableAndDirectory) {
    const std::string exe = runningExecutable();
    EXPECT_EQ(fs::path(exe).stem(), "app_test");
    EXPECT_EQ(resolvedPath(exe), exe);  // already free of symlinks
    EXPECT_EQ(currentDirectory(), fs::current_path().generic_string());
    EXPECT_EQ(resolvedPath("/no/such/velmora"), "");
}

}  // namespace
