#include "app/options.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/data_directory.h"
#include "app/help_text.h"

namespace {

Options parse(std::vector<const char*> args) {
    args.insert(args.begin(), "velmora");
    return parseOptions(static_cast<int>(args.size()), args.data());
}

TEST(Options, OurOptionsAreTakenAndGlutsPassThrough) {
    const Options o =
        parse({"--windowed", "-display", ":7", "--data", "/tmp/scene", "-geometry", "640x360"});
    EXPECT_EQ(o.settings.screen, Options::Screen::Windowed);
    EXPECT_EQ(o.dataDir, "/tmp/scene");
    EXPECT_EQ(o.displayName, ":7");
    EXPECT_EQ(o.glutArgs,
              (std::vector<std::string>{"velmora", "-display", ":7", "-geometry", "640x360"}));
    EXPECT_TRUE(o.error.empty());

    EXPECT_EQ(parse({}).settings.screen, Options::Screen::Ask);
    EXPECT_EQ(parse({"--fullscreen"}).settings.screen, Options::Screen::FullScreen);
    EXPECT_EQ(parse({"--data=here"}).dataDir, "here");
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
    EXPECT_FALSE(parse({"--help"}).version);
}

TEST(Options, MistakesAreReportedNotIgnored) {
    EXPECT_EQ(parse({"--data"}).error, "--data needs a directory");
    EXPECT_EQ(parse({"--fullscren"}).error, "unknown option --fullscren");
    EXPECT_EQ(parse({"--screenshot"}).error, "--screenshot needs a file");
    for (const auto& [args, error] : std::vector<std::pair<std::vector<const char*>, std::string>>{
             {{"--walk-speed", "5"}, "'5' is not a number from 0.25 to 4"},
             {{"--invert-mouse=maybe"}, "'maybe' is not true or false"},
             {{"--time", "noon"}, "'noon' is not day, twilight or night"},
             {{"--lights", "15"}, "'15' is not digits from 1 to 4"}})
        EXPECT_NE(parse(args).error.find(error), std::string::npos) << parse(args).error;
    EXPECT_NE(usageText("velmora").find("F5"), std::string::npos);
}

TEST(Options, HelpListsEveryOptionKeyAndPlaceSearched) {
    const std::string help = usageText("velmora");
    for (const HelpRow& row : optionHelp()) {
        EXPECT_NE(help.find(std::string(row.what) + " "), std::string::npos) << row.what;
        EXPECT_NE(help.find(row.meaning), std::string::npos) << row.meaning;
    }
    for (const HelpRow& row : keyHelp()) EXPECT_NE(help.find(row.meaning), std::string::npos);
    int n = 0;
    for (const std::string& line : dataSearchHelp())
        EXPECT_NE(help.find(std::to_string(++n) + ". " + line + "\n"), std::string::npos) << line;
}

}  // namespace
