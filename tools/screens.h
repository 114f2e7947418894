// The overlay images: "intro1.png" shown over the scene for its first five
// seconds (drawn at 85 % opacity over the middle 90 % of the window, top row
// at the top), and "help.png" and "outro1.png", whose visible pixels the
// program makes 75 % opaque and whose transparent pixels it keeps clear.
#pragma once

#include <string>

#include "tools/image.h"
#include "tools/text.h"

namespace assets {

struct Fonts {
    Font title;  // serif bold
    Font text;   // sans
    Font bold;   // sans bold

    // Loads the DejaVu faces from `directory`; false if any is missing.
    bool load(const std::string& directory);
};

struct KeyLine {
    const char* keys;
    const char* action;
};
constexpr int kKeyLines = 18;
extern const KeyLine kKeyTable[kKeyLines];

constexpr int kScreenWidth = 1024, kScreenHeight = 576;  // 16:9, like the window

Image makeIntro(const Fonts& fonts);  // RGB
Image makeHelp(const Fonts& fonts);   // RGBA
Image makeOutro(const Fonts& fonts);  // RGBA

}  // namespace assets
