#include "app/window_icon.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// width × height RGBA: opaque red left of column `edge`, clear black from it on.
DecodedImage halfRed(int width, int height, int edge) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.channels = 4;
    image.pixels.reset(new std::uint8_t[image.byteCount()]());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < edge; ++x) {
            std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            p[0] = 255;
            p[3] = 255;
        }
    }
    return image;
}

TEST(WindowIcon, GivesEverySizeUpToTheImageAveragedWithoutDarkeningClearEdges) {
    const std::vector<WindowIcon> icons = windowIconsOf(halfRed(256, 256, 129));
    ASSERT_EQ(icons.size(), 4u);
    const int sizes[] = {128, 64, 32, 16};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        EXPECT_EQ(icons[i].width, sizes[i]);
        EXPECT_EQ(icons[i].height, sizes[i]);
        EXPECT_EQ(icons[i].argb.size(), static_cast<std::size_t>(sizes[i] * sizes[i]));
        EXPECT_EQ(icons[i].argb.front(), 0xFFFF0000u);  // opaque red
        EXPECT_EQ(icons[i].argb.back(), 0x00000000u);   // clear
    }
    // At 128 px, pixel 64 covers source columns 128 (red) and 129 (clear):
    // half covered, and still fully red where it is covered.
    EXPECT_EQ(icons[0].argb[64], 0x80FF0000u);

    EXPECT_EQ(windowIconsOf(halfRed(20, 20, 10)).size(), 1u);  // 16 px only
    EXPECT_TRUE(windowIconsOf(DecodedImage{}).empty());
}

}  // namespace
