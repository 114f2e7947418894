// Pictures and settings as a user meets them: F12's screenshot and
// --screenshot's frames against what the window shows, and a settings file
// with mistakes that are told line by line while the scene still shows.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "harness.h"
#include "image/image_file.h"

namespace {

namespace fs = std::filesystem;

Image readPng(const std::string& path) {
    Image img;
    const ImageResult read = readImageFile(path, ImageLimits{});
    if (!read.error.empty() || read.image.channels < 3) return img;
    img.width = read.image.width;
    img.height = read.image.height;
    for (int i = 0; i < img.width * img.height; ++i)
        for (int c = 0; c < 3; ++c)
            img.rgb.push_back(read.image.pixels[i * read.image.channels + c]);
    return img;
}

// Mean absolute difference of all channels, as a fraction of full scale; 1
// when the sizes differ.
double meanDifference(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.empty()) return 1.0;
    double sum = 0.0;
    for (size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(a.rgb[i] - b.rgb[i]);
    return sum / (255.0 * a.rgb.size());
}

class Pictures : public ::testing::Test {
  protected:
    void SetUp() override {
        char dir[] = "/tmp/velmora-shots-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        ASSERT_TRUE(screen.ok());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    // --screenshot with extra options on the same screen; the picture read back.
    Image oneFrame(const std::string& name, std::vector<std::string> options) {
        const std::string path = folder + "/" + name;
        options.insert(options.begin(), {"--screenshot", path});
        Program shot(screen, options);
        EXPECT_EQ(shot.waitForExit(60.0), 0) << shot.errorOutput();
        EXPECT_EQ(shot.output().find("screenshot:"), std::string::npos);
        return readPng(path);
    }

    XvfbScreen screen{1024, 768};
    std::string folder;
};

TEST_F(Pictures, F12AndScreenshotFramesAreWhatTheWindowShows) {
    Program velmora(screen, {"--windowed", "--screenshot-dir", folder + "/new/shots"});
    ASSERT_TRUE(velmora.waitForWindow());
    ASSERT_TRUE(velmora.goesIdle()) << "busy at rest";
    const Image start = velmora.screenshot();

    velmora.press("F12");
    ASSERT_TRUE(
        waitUntil([&] { return velmora.output().find(".png\n") != std::string::npos; }, 10.0))
        << velmora.output() << velmora.errorOutput();
    const std::string out = velmora.output();
    const size_t at = out.find("screenshot: " + folder + "/new/shots/velmora-");
    ASSERT_NE(at, std::string::npos) << out;
    const std::string saved = out.substr(at + 12, out.find('\n', at) - at - 12);
    const double f12 = meanDifference(readPng(saved), start);

    // The window's views, then the same views drawn by --screenshot.
    velmora.press("2");
    ASSERT_TRUE(velmora.goesIdle());
    const Image top = velmora.screenshot();
    velmora.press("5");
    velmora.press("Tab");
    velmora.press("Tab");
    ASSERT_TRUE(velmora.goesIdle());
    const Image night = velmora.screenshot();
    velmora.closeWindow();
    EXPECT_EQ(velmora.waitForExit(10.0), 0);

    const double startDiff = meanDifference(oneFrame("start.png", {}), start);
    const double topDiff = meanDifference(oneFrame("top.png", {"--viewpoint", "2"}), top);
    const double nightDiff = meanDifference(oneFrame("night.png", {"--time", "night"}), night);
    std::cout << "mean difference from the window: F12 " << f12 << ", start " << startDiff
              << ", viewpoint 2 " << topDiff << ", night " << nightDiff << "\n";
    EXPECT_LT(f12, 0.01);
    EXPECT_LT(startDiff, 0.01);
    EXPECT_LT(topDiff, 0.01);
    EXPECT_LT(nightDiff, 0.01);
    EXPECT_GT(meanDifference(start, top), 0.05);  // the views themselves differ
    EXPECT_GT(meanDifference(start, night), 0.05);

    // A place that cannot be written: one line and a failing status.
    Program bad(screen, {"--screenshot", folder + "/missing/x.png"});
    EXPECT_NE(bad.waitForExit(60.0), 0);
    EXPECT_NE(bad.errorOutput().find("velmora: cannot write " + folder + "/missing/x.png: "),
              std::string::npos)
        << bad.errorOutput();
}

TEST_F(Pictures, ABadSettingsFileIsToldLineByLineAndTheSceneShows) {
    fs::create_directories(folder + "/velmora");
    std::ofstream(folder + "/velmora/velmora.conf") << "# mine\n"
                                                       "screen = window\n"
                                                       "walk-speed = 7\n"
                                                       "invert-mouse = sometimes\n"
                                                       "colour = green\n"
                                                       "intro = false\n";
    // screen = window: no question.
    Program velmora(screen, {"XDG_CONFIG_HOME=" + folder, programPath()}, "", "/usr/bin/env");
    ASSERT_TRUE(velmora.waitForWindow());
    ASSERT_TRUE(velmora.goesIdle(5.0)) << "intro = false: nothing to wait for";
    const std::string conf = folder + "/velmora/velmora.conf:";
    EXPECT_EQ(velmora.errorOutput(),
              conf + "3: walk-speed: '7' is not a number from 0.25 to 4; the default 1 is kept\n" +
                  conf +
                  "4: invert-mouse: 'sometimes' is not true or false; the default false is kept\n" +
                  conf + "5: colour: unknown key; the line is ignored\n");
    const Image shown = velmora.screenshot();
    double sky[3];
    shown.meanColour(shown.width * 2 / 5, 0, shown.width * 3 / 5, shown.height / 10, sky);
    EXPECT_GT(sky[2], sky[0] + 30.0) << "a day sky is blue: the scene shows";
}

}  // namespace
