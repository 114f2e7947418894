// The overlay's clock and pixel preparation: no GL.
#include "overlay/overlay_screens.h"

namespace {

// Alpha of every visible pixel of the help and outro images: 75 % of full.
constexpr std::uint8_t kVisibleAlpha = 191;

}  // namespace

bool overlayTimedOut(std::uint32_t now, std::uint32_t startTick, int currentScreen) {
    // Unsigned subtraction gives the right elapsed time across a wrap of the
    // tick counter (every ~49.7 days).
    const std::uint32_t elapsed = now - startTick;
    return currentScreen != kHelpScreen && elapsed > kOverlayTimeoutMs;
}

void setVisibleAlpha(std::uint8_t* pixels, std::size_t pixelCount, int channels) {
    if (pixels == nullptr || (channels != 2 && channels != 4)) return;
    const std::size_t stride = static_cast<std::size_t>(channels);
    for (std::size_t i = 0; i < pixelCount; ++i) {
        std::uint8_t& alpha = pixels[i * stride + stride - 1];
        if (alpha != 0) alpha = kVisibleAlpha;
    }
}

int unpackAlignmentFor(int width, int channels) {
    const long rowBytes = static_cast<long>(width) * channels;
    return rowBytes % 4 == 0 ? 4 : 1;
}

void OverlayScreens::advanceClock(std::uint32_t now) {
    // The clock starts at the first frame drawn, not at load, so a slow
    // start-up does not eat into the five seconds.
    if (!timerStarted) {
        timerStarted = true;
        startTick = now;
        return;
    }
    if (overlayTimedOut(now, startTick, currentScreen)) visible = false;
}

std::uint32_t OverlayScreens::selectedTexture() const {
    return currentScreen >= 0 && currentScreen < 3 ? screenTextures[currentScreen] : 0;
}

void OverlayScreens::toggleHelp() {
    if (visible && currentScreen == kHelpScreen) {
        visible = false;
        return;
    }
    currentScreen = kHelpScreen;
    visible = true;
}
