// The user's own pictures in place of the bundled ones, as a user would try
// them: progressive JPEG skies and a 16-bit stone are drawn textured, like
// the bundled scene, and a broken image is named on standard error while the
// scene goes on without it.
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "harness.h"
#include "image/image_file.h"
#include "image_writer.h"

namespace fs = std::filesystem;

namespace {

// A copy of the bundled scene in a fresh directory, for a test to change.
class SceneCopy {
  public:
    explicit SceneCopy(const std::string& tag) {
        path_ = fs::temp_directory_path() / ("velmora-e2e-" + tag + "-" + std::to_string(getpid()));
        fs::remove_all(path_);
        fs::copy(dataDirectory(), path_, fs::copy_options::recursive);
    }
    ~SceneCopy() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string path() const { return path_.string(); }

  private:
    fs::path path_;
};

DecodedImage decodeFile(const std::string& path) {
    ImageResult result = readImageFile(path, {});
    EXPECT_TRUE(result.ok()) << path << ": " << result.error;
    return std::move(result.image);
}

// Each sky image again as a progressive JPEG, what photo tools save.
void makeSkiesProgressive(const SceneCopy& scene) {
    for (const char* set : {"cloudy/", "sunset/"}) {
        for (int n = 0; n < 5; ++n) {
            const std::string file = scene.file(set + std::to_string(n) + ".jpg");
            const DecodedImage sky = decodeFile(file);
            test_images::JpegSpec spec;
            spec.width = sky.width;
            spec.height = sky.height;
            spec.kind =
                sky.channels == 1 ? test_images::JpegKind::Grey : test_images::JpegKind::Colour;
            spec.samples.assign(sky.pixels.get(), sky.pixels.get() + sky.byteCount());
            spec.progressive = true;
            spec.quality = 95;
            test_images::writeFile(file, test_images::writeJpeg(spec));
        }
    }
}

// stone.png again at 16 bits a sample, each value v as v × 257, so it comes
// back to the very same 8-bit texels.
void makeStoneSixteenBit(const SceneCopy& scene) {
    const DecodedImage stone = decodeFile(scene.file("stone.png"));
    static const int kColour[5] = {0, test_images::kGrey, test_images::kGreyAlpha,
                                   test_images::kRgb, test_images::kRgba};
    test_images::PngSpec spec;
    spec.width = stone.width;
    spec.height = stone.height;
    spec.colourType = kColour[stone.channels];
    spec.bitDepth = 16;
    for (std::size_t i = 0; i < stone.byteCount(); ++i)
        spec.samples.push_back(static_cast<std::uint16_t>(stone.pixels[i] * 257));
    test_images::writeFile(scene.file("stone.png"), test_images::writePng(spec));
}

void truncate(const std::string& file, std::size_t keep) {
    std::vector<std::uint8_t> bytes = test_images::readFile(file);
    bytes.resize(std::min(bytes.size(), keep));
    test_images::writeFile(file, bytes);
}

// An 8192 × 8192 RGB PNG, the largest picture the program takes, written a
// row at a time (deflate at its fastest: a few seconds, 1.5 MB of file).
void writeLargestPng(const std::string& path) {
    constexpr int kSide = 8192;
    std::vector<std::uint8_t> row(1 + 3 * kSide);  // filter byte 0, then RGB
    for (int x = 0; x < kSide; ++x) {
        row[1 + 3 * x] = static_cast<std::uint8_t>(x * 7);
        row[2 + 3 * x] = static_cast<std::uint8_t>(x * 3);
        row[3 + 3 * x] = 128;
    }
    std::vector<std::uint8_t> idat(compressBound(static_cast<uLong>(row.size())) * kSide / 64 +
                                   4096);
    z_stream z{};
    deflateInit(&z, 1);
    z.next_out = idat.data();
    z.avail_out = static_cast<uInt>(idat.size());
    for (int y = 0; y < kSide; ++y) {
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        deflate(&z, y + 1 == kSide ? Z_FINISH : Z_NO_FLUSH);
    }
    idat.resize(z.total_out);
    deflateEnd(&z);
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto chunk = [&](const char* type, const std::vector<std::uint8_t>& data) {
        auto put32 = [&](std::uint32_t v) {
            for (int shift = 24; shift >= 0; shift -= 8) png.push_back(std::uint8_t(v >> shift));
        };
        put32(static_cast<std::uint32_t>(data.size()));
        const std::size_t start = png.size();
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        put32(static_cast<std::uint32_t>(
            crc32(0, png.data() + start, static_cast<uInt>(png.size() - start))));
    };
    chunk("IHDR", {0, 0, 0x20, 0, 0, 0, 0x20, 0, 8, 2, 0, 0, 0});  // 8192 × 8192, 8-bit RGB
    chunk("IDAT", idat);
    chunk("IEND", {});
    test_images::writeFile(path, png);
}

struct SceneRun {
    Image view;
    std::string output;
    std::string errors;
};

// The start view once the intro has gone and the program is at rest.
SceneRun runScene(const XvfbScreen& screen, const std::string& dataDir) {
    SceneRun run;
    Program velmora(screen, {"--windowed", "--data", dataDir});
    EXPECT_TRUE(velmora.waitForWindow()) << velmora.errorOutput();
    EXPECT_TRUE(velmora.goesIdle(20.0)) << "busy at rest";
    run.view = velmora.screenshot();
    run.output = velmora.output();
    run.errors = velmora.errorOutput();
    return run;
}

int countLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class Images : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(screen.ok());
        bundled = runScene(screen, dataDirectory());
        ASSERT_EQ(bundled.errors, "");
        ASSERT_EQ(bundled.output, " textures\n");
    }

    XvfbScreen screen{1024, 768};
    SceneRun bundled;
};

}  // namespace

TEST_F(Images, ProgressiveSkiesAndASixteenBitStoneAreDrawnTextured) {
    SceneCopy own("own-images");
    makeSkiesProgressive(own);
    makeStoneSixteenBit(own);
    const SceneRun run = runScene(screen, own.path());
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.output, " textures\n");
    // Only the sky's re-encoding differs, by a few levels. (An untextured
    // stone alone changes about a quarter of this view.)
    EXPECT_LT(differingFraction(bundled.view, run.view, 12), 0.005);

    // What an image that does not load looks like, to show the comparison
    // above would see it: each broken sky face and the stone drawn untextured.
    SceneCopy broken("broken-images");
    for (const char* set : {"cloudy/", "sunset/"})
        for (int n = 0; n < 5; ++n) truncate(broken.file(set + std::to_string(n) + ".jpg"), 600);
    truncate(broken.file("stone.png"), 600);
    const SceneRun untextured = runScene(screen, broken.path());
    EXPECT_GT(differingFraction(bundled.view, untextured.view, 12), 0.1);
    EXPECT_EQ(countLines(untextured.errors), 11) << untextured.errors;
    EXPECT_NE(untextured.errors.find("stone.png: broken PNG"), std::string::npos)
        << untextured.errors;
    EXPECT_NE(untextured.errors.find("cloudy/0.jpg: broken JPEG (the file ends early); "
                                     "that face of the sky is drawn without it\n"),
              std::string::npos)
        << untextured.errors;
}

TEST_F(Images, ATruncatedGroundIsNamedOnceOnStandardError) {
    SceneCopy cut("cut-ground");
    truncate(cut.file("ground.png"), 5000);
    const SceneRun run = runScene(screen, cut.path());
    EXPECT_EQ(run.output, " textures\n");
    ASSERT_EQ(countLines(run.errors), 1) << run.errors;
    EXPECT_EQ(run.errors.rfind("ground.png: broken PNG (the file ends early", 0), 0u) << run.errors;
    EXPECT_NE(run.errors.find("; the ground is drawn without it\n"), std::string::npos)
        << run.errors;
    // The ground, and only it, is drawn differently.
    EXPECT_GT(differingFraction(bundled.view, run.view, 12), 0.05);
}

// Short of memory is bad input too: with the address space limited (`ulimit
// -v`) and the largest picture in each image slot (ground, stone, a sky face,
// intro), the program starts, names each picture it has no memory for in one
// line, goes on without it, and ends with status 0 on Esc.
TEST(ImagesShortOfMemory, TheLargestPicturesUnderAMemoryLimitAreNamedAndLeftOut) {
    XvfbScreen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    SceneCopy large("largest-pictures");
    const std::vector<std::string> slots = {"ground.png", "stone.png", "cloudy/0.jpg",
                                            "intro1.png"};
    writeLargestPng(large.file(slots[0]));
    for (std::size_t i = 1; i < slots.size(); ++i)
        fs::copy_file(large.file(slots[0]), large.file(slots[i]),
                      fs::copy_options::overwrite_existing);
    // About 1 GB: room for the scene, not for four such pictures at once.
    Program velmora(screen,
                    {"-c", "ulimit -v 1000000 && exec \"$0\" \"$@\"", programPath(), "--windowed",
                     "--data", large.path()},
                    "", "/bin/sh");
    ASSERT_TRUE(velmora.waitForWindow(60.0)) << velmora.errorOutput();
    EXPECT_TRUE(velmora.goesIdle(90.0)) << "busy at rest";
    velmora.press("Escape");
    EXPECT_EQ(velmora.waitForExit(20.0), 0) << velmora.errorOutput();
    const std::string errors = velmora.errorOutput();
    int named = 0;
    std::size_t from = 0;
    for (std::size_t end; (end = errors.find('\n', from)) != std::string::npos; from = end + 1) {
        const std::string line = errors.substr(from, end - from);
        EXPECT_NE(line.find("not enough memory"), std::string::npos) << line;
        for (const std::string& slot : slots) named += line.rfind(slot + ": ", 0) == 0 ? 1 : 0;
    }
    EXPECT_GE(named, 1) << "the limit left room for every picture: " << errors;
}
