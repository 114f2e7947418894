// The icon: a round badge, clear outside, with the stone circle in it.
#include "tools/icon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "tools/scene_frame.h"

namespace {

using assets::Image;

struct Scene {
    assets::Heightmap map = assets::makeHeightmap();
    assets::StoneModel circle = assets::buildStoneCircle([this](double x, double z) {
        const assets::ScenePoint p = assets::siteToScene(x, z);
        return map.heightAt(p.x, p.z);
    });
};

// Share of pixels in the middle half of the badge that differ by more than a
// little in some channel.
double middleDifference(const Image& a, const Image& b) {
    int differing = 0, total = 0;
    for (int y = a.height / 4; y < 3 * a.height / 4; ++y)
        for (int x = a.width / 4; x < 3 * a.width / 4; ++x, ++total)
            for (int c = 0; c < 3; ++c)
                if (std::abs(a.at(x, y)[c] - b.at(x, y)[c]) > 12) {
                    ++differing;
                    break;
                }
    return double(differing) / total;
}

TEST(Icon, IsARoundBadgeClearOutsideWithSoftEdges) {
    const Scene scene;
    const Image icon = assets::makeIcon(scene.circle, scene.map);
    ASSERT_EQ(icon.width, 256);
    ASSERT_EQ(icon.height, 256);
    ASSERT_EQ(icon.channels, 4);
    const int outside[][2] = {{0, 0}, {255, 0}, {0, 255}, {255, 255}, {20, 20}};
    for (const auto& p : outside) EXPECT_EQ(icon.at(p[0], p[1])[3], 0);
    EXPECT_EQ(icon.at(128, 128)[3], 255);
    EXPECT_EQ(icon.at(128, 3)[3], 255);  // the rim runs to the edge
    int partial = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int a = icon.at(x, y)[3];
            partial += a > 0 && a < 255;
        }
    EXPECT_GT(partial, 200);  // the rim is smoothed all round, about 2 pi r pixels
}

TEST(Icon, ShowsTheStonesOnTheirLandNotAPlaceholder) {
    const Scene scene;
    const Image icon = assets::makeIcon(scene.circle, scene.map);
    const Image bare = assets::makeIcon(assets::StoneModel{}, scene.map);
    EXPECT_GT(middleDifference(icon, bare), 0.25) << "the stones hardly show";

    // Stone grey and grass green both fill a fair part of the middle, and the
    // picture has the many shades of a rendering, not a few flat colours.
    int grey = 0, green = 0, total = 0;
    std::set<int> shades;
    for (int y = 64; y < 192; ++y)
        for (int x = 64; x < 192; ++x, ++total) {
            const uint8_t* p = icon.at(x, y);
            shades.insert(p[0] << 16 | p[1] << 8 | p[2]);
            const int hi = std::max({p[0], p[1], p[2]}), lo = std::min({p[0], p[1], p[2]});
            if (hi - lo < 40 && hi > 60) ++grey;
            if (p[1] > p[0] + 8 && p[1] > p[2] + 20) ++green;
        }
    EXPECT_GT(grey, total / 5);
    EXPECT_GT(green, total / 10);
    EXPECT_GT(shades.size(), 2000u);
}

}  // namespace

namespace {

std::uint32_t little(const std::vector<uint8_t>& b, size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
}

// The .ico's directory and each entry as a reader of icons takes it: the
// small sizes as bitmaps (colours as BGRA, rows from the bottom, the mask set
// where clear), 256 as PNG.
TEST(Icon, WindowsIconFileHoldsEachSizeAsReadersExpectIt) {
    std::vector<Image> images;
    for (int size : assets::kWindowsIconSizes) {
        Image image(size, size, 4);
        image.at(0, size - 1)[0] = 10;  // the bottom-left pixel: opaque, some red and blue
        image.at(0, size - 1)[2] = 30;
        image.at(0, size - 1)[3] = 255;
        images.push_back(image);
    }
    const std::vector<uint8_t> ico = assets::windowsIconFile(images);
    ASSERT_EQ(little(ico, 0, 2), 0u);
    ASSERT_EQ(little(ico, 2, 2), 1u);  // an icon
    ASSERT_EQ(little(ico, 4, 2), images.size());
    size_t expectedOffset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = images[i].width;
        SCOPED_TRACE(size);
        EXPECT_EQ(ico[entry], size == 256 ? 0 : size);
        EXPECT_EQ(little(ico, entry + 6, 2), 32u);  // bits a pixel
        const size_t bytes = little(ico, entry + 8, 4);
        const size_t offset = little(ico, entry + 12, 4);
        EXPECT_EQ(offset, expectedOffset);
        expectedOffset += bytes;
        ASSERT_LE(offset + bytes, ico.size());
        if (size == 256) {
            EXPECT_EQ(
                std::vector<uint8_t>(ico.begin() + long(offset), ico.begin() + long(offset) + 4),
                (std::vector<uint8_t>{0x89, 'P', 'N', 'G'}));
            continue;
        }
        const size_t maskRow = size_t((size + 31) / 32 * 4);
        EXPECT_EQ(bytes, 40 + size_t(size * size * 4) + maskRow * size_t(size));
        EXPECT_EQ(little(ico, offset + 8, 4), uint32_t(2 * size));  // colours and mask
        const size_t first = offset + 40;                           // bottom row, first pixel
        EXPECT_EQ(std::vector<uint8_t>(ico.begin() + long(first), ico.begin() + long(first) + 4),
                  (std::vector<uint8_t>{30, 0, 10, 255}));
        const size_t mask = first + size_t(size * size * 4);
        EXPECT_EQ(ico[mask] & 0x80, 0);               // that pixel shows
        EXPECT_EQ(ico[mask + maskRow] & 0x80, 0x80);  // the one above is clear
    }
    EXPECT_EQ(expectedOffset, ico.size());
}

}  // namespace
