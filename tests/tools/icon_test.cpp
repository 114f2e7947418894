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
