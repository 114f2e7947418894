#include "app/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Options parse(std::vector<const char*> args) {
    args.insert(args.begin(), "velmora");
    return parseOptions(static_cast<int>(args.size()), args.data());
}

TEST(Options, OurOptionsAreTakenAndGlutsPassThrough) {
    const Options o =
        parse({"--windowed", "-display", ":7", "--data", "/tmp/scene", "-geometry", "640x360"});
    EXPECT_EQ(o.screen, Options::Screen::Windowed);
    EXPECT_EQ(o.dataDir, "/tmp/scene");
    EXPECT_EQ(o.displayName, ":7");
    EXPECT_EQ(o.glutArgs,
              (std::vector<std::string>{"velmora", "-display", ":7", "-geometry", "640x360"}));
    EXPECT_TRUE(o.error.empty());

    EXPECT_EQ(parse({}).screen, Options::Screen::Ask);
    EXPECT_EQ(parse({"--fullscreen"}).screen, Options::Screen::FullScreen);
    EXPECT_EQ(parse({"--data=here"}).dataDir, "here");
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(Options, MistakesAreReportedNotIgnored) {
    EXPECT_EQ(parse({"--data"}).error, "--data needs a directory");
    EXPECT_EQ(parse({"--fullscren"}).error, "unknown option --fullscren");
    EXPECT_NE(usageText("velmora").find("F5"), std::string::npos);
}

}  // namespace

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/data_directory.h"

namespace {

TEST(DataDirectory, RequestedThenWorkingThenBundled) {
    char bundled[] = "/tmp/velmora-data-XXXXXX";
    ASSERT_NE(mkdtemp(bundled), nullptr);
    char empty[] = "/tmp/velmora-cwd-XXXXXX";
    ASSERT_NE(mkdtemp(empty), nullptr);
    const std::string model = std::string(bundled) + "/" + kModelFileName;
    std::ofstream(model) << "v 0 0 0\n";

    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(empty), 0);
    EXPECT_EQ(chooseDataDirectory("", bundled), bundled);
    EXPECT_EQ(chooseDataDirectory("mine", bundled), "mine");
    EXPECT_EQ(chooseDataDirectory("", empty), "");  // nowhere better: stay
    ASSERT_EQ(chdir(bundled), 0);
    EXPECT_EQ(chooseDataDirectory("", "/elsewhere"), "");  // the working directory has it
    ASSERT_EQ(chdir(previous), 0);

    std::remove(model.c_str());
    rmdir(bundled);
    rmdir(empty);
}

}  // namespace
