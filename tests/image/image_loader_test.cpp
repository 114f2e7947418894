// The loader's promises: one line per failing file, once for the file as it
// stands, and no second decode of a file that failed until it changes.
#include "image/image_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "image_writer.h"
#include "tests/support/test_files.h"

namespace {

int countLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// Sets the file's modification time to `seconds` after a whole second taken
// once per run (times near now: Windows keeps no times before 1601).
void setModified(const std::string& path, long seconds) {
    namespace fs = std::filesystem;
    static const fs::file_time_type start =
        std::chrono::time_point_cast<std::chrono::seconds>(fs::file_time_type::clock::now());
    std::error_code error;
    fs::last_write_time(path, start + std::chrono::seconds(seconds), error);
    ASSERT_FALSE(error) << error.message();
}

const std::vector<std::uint8_t> kGoodPng = test_images::writePng8(2, 1, 1, {1, 2});

}  // namespace

TEST(ImageFailures, RemembersAFailureForTheFileAsItStood) {
    ImageFailures failures;
    FileStamp missing;
    FileStamp first{true, 10, 1000};
    FileStamp touched{true, 10, 2000};
    EXPECT_EQ(failures.knownFailure("a.png", missing), nullptr);
    EXPECT_TRUE(failures.remember("a.png", missing, "gone"));
    ASSERT_NE(failures.knownFailure("a.png", missing), nullptr);
    EXPECT_EQ(*failures.knownFailure("a.png", missing), "gone");
    EXPECT_FALSE(failures.remember("a.png", missing, "gone"));  // not news
    EXPECT_EQ(failures.knownFailure("b.png", missing), nullptr);

    EXPECT_EQ(failures.knownFailure("a.png", first), nullptr);  // it appeared
    EXPECT_TRUE(failures.remember("a.png", first, "broken"));
    EXPECT_EQ(failures.knownFailure("a.png", touched), nullptr);  // rewritten, same size
    EXPECT_TRUE(failures.remember("a.png", touched, "broken"));
    failures.forget("a.png");
    EXPECT_EQ(failures.knownFailure("a.png", touched), nullptr);
    EXPECT_TRUE(failures.remember("a.png", touched, "broken"));
}

TEST(ImageLoader, NamesEachFailingFileOnceWithTheReasonAndWhatFollows) {
    test_files::ScratchDirectory dir("image-loader-once");
    std::ostringstream report;
    ImageLoader loader(report);
    for (int frame = 0; frame < 3; ++frame) {
        const ImageResult result = loader.load("stone.png", {}, "the stone is drawn without it");
        EXPECT_EQ(result.error, "cannot be opened (No such file or directory)");
    }
    EXPECT_EQ(report.str(),
              "stone.png: cannot be opened (No such file or directory); the stone is drawn "
              "without it\n");

    report.str("");
    test_images::writeFile("stone.png", {'o', 'o', 'p', 's'});
    for (int frame = 0; frame < 3; ++frame)
        loader.load("stone.png", {}, "the stone is drawn without it");
    EXPECT_EQ(report.str(), "stone.png: not a PNG or JPEG file; the stone is drawn without it\n");

    // Each file is its own: a second one is reported beside the first.
    report.str("");
    loader.load("sub/ground.png", {}, "the ground is drawn without it");
    EXPECT_EQ(report.str(),
              "sub/ground.png: cannot be opened (No such file or directory); the ground is drawn "
              "without it\n");

    // The same name in another working directory is another file.
    report.str("");
    std::filesystem::create_directory("elsewhere");
    std::filesystem::current_path("elsewhere");
    loader.load("stone.png", {}, "the stone is drawn without it");
    std::filesystem::current_path("..");
    EXPECT_EQ(report.str(),
              "stone.png: cannot be opened (No such file or directory); the stone is drawn "
              "without it\n");

    report.str("");
    test_images::writeFile("stone.png", kGoodPng);
    const ImageResult fixed = loader.load("stone.png", {}, "the stone is drawn without it");
    EXPECT_TRUE(fixed.ok()) << fixed.error;
    EXPECT_EQ(report.str(), "");
}

TEST(ImageLoader, AFileThatFailedIsDecodedAgainOnlyWhenItChanges) {
    test_files::ScratchDirectory dir("image-loader-changed");
    std::ostringstream report;
    ImageLoader loader(report);
    std::vector<std::uint8_t> broken = kGoodPng;
    broken[20] ^= 0xFF;  // inside IHDR: a CRC error
    ASSERT_EQ(broken.size(), kGoodPng.size());
    test_images::writeFile("stone.png", broken);
    setModified("stone.png", 0);
    EXPECT_FALSE(loader.load("stone.png", {}, "x").ok());
    EXPECT_EQ(countLines(report.str()), 1) << report.str();

    // Made good behind the loader's back with the same size and time: it is
    // not read again, so it still counts as the broken file, silently.
    test_images::writeFile("stone.png", kGoodPng);
    setModified("stone.png", 0);
    EXPECT_FALSE(loader.load("stone.png", {}, "x").ok());
    EXPECT_EQ(countLines(report.str()), 1) << report.str();

    // A new modification time: decoded again, and now it loads.
    setModified("stone.png", 1);
    EXPECT_TRUE(loader.load("stone.png", {}, "x").ok());

    // Broken again after loading: news, reported again.
    test_images::writeFile("stone.png", broken);
    setModified("stone.png", 2);
    EXPECT_FALSE(loader.load("stone.png", {}, "x").ok());
    EXPECT_EQ(countLines(report.str()), 2) << report.str();
}

TEST(ImageLoader, AnImageRejectedAfterDecodingIsRememberedLikeAFailure) {
    test_files::ScratchDirectory dir("image-loader-reject");
    std::ostringstream report;
    ImageLoader loader(report);
    test_images::writeFile("intro1.png", kGoodPng);
    ASSERT_TRUE(loader.load("intro1.png", {}, "the intro is drawn without it").ok());
    loader.reject("intro1.png", "no texture made", "the intro is drawn without it");
    EXPECT_EQ(report.str(), "intro1.png: no texture made; the intro is drawn without it\n");
    EXPECT_EQ(loader.load("intro1.png", {}, "the intro is drawn without it").error,
              "no texture made");
    EXPECT_EQ(countLines(report.str()), 1);
}

TEST(ImageLoader, AnImageDecodedAheadIsHeldToTheLimitsAndReportedLikeALoad) {
    test_files::ScratchDirectory dir("image-loader-adopt");
    std::ostringstream report;
    ImageLoader loader(report);
    test_images::writeFile("ground.png", kGoodPng);
    ImageLimits narrow;
    narrow.maxSide = 1;
    const std::string expected = loader.load("ground.png", narrow, "x").error;
    ASSERT_FALSE(expected.empty());
    ImageLoader ahead(report);
    const ImageResult adopted =
        ahead.adopt("ground.png", readImageFile("ground.png", {}), narrow, "x");
    EXPECT_EQ(adopted.error, expected);
    EXPECT_EQ(report.str(), "ground.png: " + expected + "; x\nground.png: " + expected + "; x\n");
    // Known now: said once, however it comes again.
    EXPECT_EQ(ahead.adopt("ground.png", readImageFile("ground.png", {}), narrow, "x").error,
              expected);
    EXPECT_EQ(countLines(report.str()), 2);
    EXPECT_TRUE(
        ImageLoader(report).adopt("ground.png", readImageFile("ground.png", {}), {}, "x").ok());
}
