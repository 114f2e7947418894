// Screenshots: a frame's pixels written as a PNG (libpng), whole under a
// temporary name and then renamed, so that a picture never appears half
// written; and the names F12 gives them. No GL: screenshot_gl reads the frame.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

struct FramePixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows from the top, 3 bytes a pixel
};

// Writes pixels to path as an RGB PNG. On failure returns false with the
// reason in `error` ("No space left on device") and leaves nothing behind.
bool writePngFile(const std::string& path, const FramePixels& pixels, std::string& error);

// velmora-YYYYMMDD-HHMMSS.png in folder for the local time `when`, with -2,
// -3 ... before ".png" while `taken` says the name is in use.
std::string screenshotPath(const std::string& folder, const std::tm& when,
                           const std::function<bool(const std::string&)>& taken);

// F12's whole step: makes folder when missing, picks the name and writes the
// picture. Returns the path, or "" with the reason in `error`.
std::string saveScreenshot(const std::string& folder, const FramePixels& pixels,
                           std::string& error);
