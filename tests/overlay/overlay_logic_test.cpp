// The overlay's clock and pixel preparation, without GL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

#include "overlay/overlay_screens.h"

TEST(OverlayClock, StartsAtTheFirstDrawAndEndsAfterMoreThan5000Ms) {
    // Around a wrap of the tick counter as well as in the middle of its range.
    for (std::uint32_t first : {1000u, 0xFFFFF000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(first);
        OverlayScreens overlay;
        overlay.visible = true;
        overlay.advanceClock(first);
        EXPECT_TRUE(overlay.timerStarted);
        EXPECT_EQ(overlay.startTick, first);
        EXPECT_TRUE(overlay.visible);
        overlay.advanceClock(first + 2500u);
        overlay.advanceClock(first + 5000u);
        EXPECT_TRUE(overlay.visible);
        EXPECT_EQ(overlay.startTick, first);  // the clock is started once only
        overlay.advanceClock(first + 5001u);
        EXPECT_FALSE(overlay.visible);
        EXPECT_TRUE(overlay.timerStarted);
    }
}

TEST(OverlayClock, HelpScreenNeverTimesOut) {
    EXPECT_FALSE(overlayTimedOut(1000u + 1000000u, 1000u, 1));
    EXPECT_FALSE(overlayTimedOut(0x10u, 0xFFFFF000u, 1));
    EXPECT_TRUE(overlayTimedOut(1000u + 5001u, 1000u, 0));
    EXPECT_TRUE(overlayTimedOut(1000u + 5001u, 1000u, 2));
    // Across the wrap: 0x1000 + 0x0FFF = 8191 ms.
    EXPECT_TRUE(overlayTimedOut(0x0FFFu, 0xFFFFF000u, 0));
    EXPECT_FALSE(overlayTimedOut(0x0387u, 0xFFFFF000u, 0));  // 4999 ms

    OverlayScreens help;
    help.visible = true;
    help.currentScreen = 1;
    help.advanceClock(0);
    help.advanceClock(60000);
    EXPECT_TRUE(help.visible);
}

TEST(OverlayScreen, HTogglesTheHelpOverTheIntroAndOnlyOtherScreensAwaitATimeOut) {
    OverlayScreens o;
    for (int i = 0; i < 3; ++i) o.screenTextures[i] = 7u + static_cast<std::uint32_t>(i);
    EXPECT_FALSE(o.awaitsTimeOut());  // not shown yet
    o.visible = true;                 // the intro, as start-up shows it
    EXPECT_TRUE(o.awaitsTimeOut());
    EXPECT_EQ(o.selectedTexture(), 7u);

    o.toggleHelp();
    EXPECT_TRUE(o.visible);
    EXPECT_EQ(o.currentScreen, kHelpScreen);
    EXPECT_EQ(o.selectedTexture(), 8u);
    EXPECT_FALSE(o.awaitsTimeOut());
    o.toggleHelp();
    EXPECT_FALSE(o.visible);
    EXPECT_FALSE(o.awaitsTimeOut());
    o.toggleHelp();
    EXPECT_TRUE(o.visible);

    o.currentScreen = 2;  // the outro showing: H brings the help, not nothing
    EXPECT_TRUE(o.awaitsTimeOut());
    EXPECT_EQ(o.selectedTexture(), 9u);
    o.toggleHelp();
    EXPECT_TRUE(o.visible);
    EXPECT_EQ(o.currentScreen, kHelpScreen);

    for (int screen : {-1, 3}) {
        o.currentScreen = screen;
        EXPECT_EQ(o.selectedTexture(), 0u) << screen;
    }

    // Only the intro is lit by the scene's lights.
    for (int screen : {0, 1, 2}) {
        o.currentScreen = screen;
        EXPECT_EQ(o.litByTheScene(), screen == kIntroScreen) << screen;
    }
}

TEST(OverlayScreen, HelpShownLongAfterTheIntroWentStaysUntilHidden) {
    OverlayScreens o;
    o.visible = true;
    o.advanceClock(1000);
    o.advanceClock(7000);  // the intro goes
    ASSERT_FALSE(o.visible);
    o.toggleHelp();
    o.advanceClock(100000);
    EXPECT_TRUE(o.visible);
    EXPECT_EQ(o.startTick, 1000u);  // the clock is not started again
    o.toggleHelp();
    EXPECT_FALSE(o.visible);
}

TEST(OverlayImages, EveryVisiblePixelGetsAlpha191) {
    std::uint8_t rgba[] = {10, 20, 30, 0, 11, 21, 31, 1, 12, 22, 32, 128, 13, 23, 33, 255};
    setVisibleAlpha(rgba, 4, 4);
    const std::uint8_t rgbaAfter[] = {10, 20, 30, 0,   11, 21, 31, 191,
                                      12, 22, 32, 191, 13, 23, 33, 191};
    EXPECT_TRUE(std::equal(std::begin(rgba), std::end(rgba), std::begin(rgbaAfter)));

    std::uint8_t greyAlpha[] = {0, 0, 7, 1, 255, 255, 9, 0};
    setVisibleAlpha(greyAlpha, 4, 2);
    const std::uint8_t greyAlphaAfter[] = {0, 0, 7, 191, 255, 191, 9, 0};
    EXPECT_TRUE(std::equal(std::begin(greyAlpha), std::end(greyAlpha), std::begin(greyAlphaAfter)));

    // No alpha channel: nothing changes, not even a byte that looks like one.
    std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6};
    setVisibleAlpha(rgb, 2, 3);
    EXPECT_EQ(rgb[2], 3);
    EXPECT_EQ(rgb[5], 6);
    std::uint8_t grey[] = {0, 1, 2};
    setVisibleAlpha(grey, 3, 1);
    EXPECT_EQ(grey[1], 1);
    setVisibleAlpha(nullptr, 0, 4);  // a failed load has no pixels
}

TEST(OverlayImages, RowsThatAreNotWholeWordsAreReadByteAligned) {
    EXPECT_EQ(unpackAlignmentFor(4, 1), 4);
    EXPECT_EQ(unpackAlignmentFor(3, 1), 1);
    EXPECT_EQ(unpackAlignmentFor(2, 2), 4);
    EXPECT_EQ(unpackAlignmentFor(3, 2), 1);
    EXPECT_EQ(unpackAlignmentFor(4, 3), 4);
    EXPECT_EQ(unpackAlignmentFor(5, 3), 1);
    EXPECT_EQ(unpackAlignmentFor(1, 4), 4);
    EXPECT_EQ(unpackAlignmentFor(0, 0), 4);
}
