// The translucent picture laid over the finished frame: the intro image at
// 85 % opacity over the middle 90 % of the window, gone 5000 ms after the
// first frame that drew it, or the help image, which stays until H hides it.
// The clock, the screen choice and the alpha pass need no GL.
#pragma once

#include <cstddef>
#include <cstdint>

// Milliseconds the overlay stays after the first frame that drew it.
constexpr std::uint32_t kOverlayTimeoutMs = 5000;
// The intro, shown at start-up under the frame's lights.
constexpr int kIntroScreen = 0;
// Its image, relative to the working directory.
inline constexpr const char* kIntroImageFile = "intro1.png";
// The help and outro screens' images, likewise.
inline constexpr const char* kHelpImageFile = "help.png";
inline constexpr const char* kOutroImageFile = "outro1.png";
// The help screen never times out.
constexpr int kHelpScreen = 1;

// Whether a screen shown since startTick is due to go at tick now (both in
// milliseconds of the wrapping 32-bit tick counter): more than
// kOverlayTimeoutMs elapsed, taken modulo 2^32, and the screen is not help.
bool overlayTimedOut(std::uint32_t now, std::uint32_t startTick, int currentScreen);

// The help and outro images show every visible pixel at alpha 191 of 255:
// each pixel whose alpha (its last byte, for 2 or 4 channels) is not 0 gets
// 191. Images without alpha (1 or 3 channels) are left alone.
void setVisibleAlpha(std::uint8_t* pixels, std::size_t pixelCount, int channels);

// GL_UNPACK_ALIGNMENT that reads rows of width × channels bytes without
// padding: 4 when the row size is a multiple of 4, else 1.
int unpackAlignmentFor(int width, int channels);

// Needs a current GL context. Reads file with the image library and uploads
// level 0 as a new texture (minification GL_NEAREST), alpha set by
// setVisibleAlpha: 4 channels as RGBA, 3 as RGB, 2 (grey, alpha) as RGBA, 1
// (grey) as RGB. A file that cannot be read gives an empty 0 × 0 texture.
// Leaves the new texture bound and the unpack alignment as found.
std::uint32_t uploadScreenImage(const char* file);

class OverlayScreens {
  public:
    bool visible = false;         // drawn while true; start-up sets it
    bool timerStarted = false;    // set by the first visible draw, never cleared
    std::uint32_t startTick = 0;  // tick (ms) of the first visible draw
    // GL texture names: 0 intro ("intro1.png"), 1 help, 2 outro. The intro is
    // 0 when its image could not be read.
    std::uint32_t screenTextures[3] = {0, 0, 0};
    std::int32_t currentScreen = 0;  // 0..2: the screen draw shows
    std::uint32_t displayList = 0;   // draws the quad with whatever texture is bound

    // Needs a current GL context; once at start-up. Creates the three
    // textures and compiles the display list of the quad.
    void load();
    // Needs the frame's matrices, GL_MODELVIEW current. Draws the selected
    // screen while visible and runs the time-out on getTickCount.
    void draw();

    // The texture of the selected screen; 0 (no image) for a screen number
    // out of range rather than a read past the array.
    std::uint32_t selectedTexture() const;
    // The H key: shows the help screen over the scene, or hides it when it
    // is showing. Over the intro, the help takes its place.
    void toggleHelp();
    // Whether the overlay still waits for its time-out: visible with a screen
    // other than help. Only then does it need frames; the help screen has no
    // time-out to reach, so it does not keep the update loop running.
    bool awaitsTimeOut() const { return visible && currentScreen != kHelpScreen; }
    // Whether the quad takes the frame's lighting. The intro always has (it
    // shows by day, at start-up); the other screens are drawn unlit, so that
    // the help reads the same by day and by night.
    bool litByTheScene() const { return currentScreen == kIntroScreen; }

    // The time-out after a visible draw at tick now (ms): the first call
    // starts the clock; a later one more than kOverlayTimeoutMs after it
    // clears visible, unless the help screen is selected.
    void advanceClock(std::uint32_t now);
};
