#include "app/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Options parse(std::vector<const char*> args) {
    args.insert(args.begin(), "velmora");
    return parseOptions(static_cast<int>(args.size()), args.data());
}

TEST(Options, OurOptionsAreTakenAndGlutsPassThrough) {
    const Options o = parse({"--windowed", "-display", ":7", "--data", "/tmp/scene", "-geometry",
                             "640x360"});
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
