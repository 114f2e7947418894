// Screenshots without a display: the names F12 gives, the PNG written whole
// and read back, and failures that leave nothing behind.
#include "screenshot/screenshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "image/image_file.h"

namespace {

namespace fs = std::filesystem;

TEST(Screenshot, NamesCarryTheTimeAndANumberWhenTaken) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 9;
    when.tm_hour = 1;
    when.tm_min = 2;
    when.tm_sec = 3;
    std::set<std::string> taken;
    const auto isTaken = [&](const std::string& p) { return taken.count(p) > 0; };
    for (const char* expected :
         {"shots/velmora-20261209-010203.png", "shots/velmora-20261209-010203-2.png",
          "shots/velmora-20261209-010203-3.png"}) {
        const std::string path = screenshotPath("shots", when, isTaken);
        EXPECT_EQ(path, expected);
        taken.insert(path);
    }
}

TEST(Screenshot, WritesAPngWholeOrNothing) {
    const fs::path dir = fs::temp_directory_path() / ("velmora-shot-" + std::to_string(getpid()));
    fs::remove_all(dir);
    FramePixels frame{3, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 1, 2, 3, 4, 5, 6, 7, 8, 9}};

    std::string error;
    const std::string saved = saveScreenshot((dir / "a" / "b").string(), frame, error);
    ASSERT_FALSE(saved.empty()) << error;  // the folders are made
    const ImageResult back = readImageFile(saved, ImageLimits{});
    ASSERT_TRUE(back.error.empty()) << back.error;
    ASSERT_EQ(back.image.channels, 3);
    EXPECT_EQ(std::string(back.image.pixels.get(), back.image.pixels.get() + 18),
              std::string(frame.rgb.begin(), frame.rgb.end()));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "a" / "b"), fs::directory_iterator()), 1);

    EXPECT_FALSE(writePngFile((dir / "missing" / "x.png").string(), frame, error));
    EXPECT_NE(error, "");
    frame.rgb.pop_back();  // fewer pixels than the size says
    EXPECT_FALSE(writePngFile((dir / "x.png").string(), frame, error));
    EXPECT_FALSE(fs::exists(dir / "x.png"));
    std::ofstream(dir / "plain") << "a file where the folder should be";
    EXPECT_EQ(saveScreenshot((dir / "plain" / "shots").string(), frame, error), "");
    EXPECT_NE(error.find("cannot make the folder"), std::string::npos) << error;
    fs::remove_all(dir);
}

}  // namespace
