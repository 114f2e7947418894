#include "tools/screens.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/noise.h"

namespace assets {

const KeyLine kKeyTable[kKeyLines] = {
    {"\u2191  \u2193   W  S", "walk forwards / backwards"},
    {"\u2190  \u2192", "turn left / right"},
    {"Shift + \u2190  \u2192", "step sideways"},
    {"A  D", "step left / right"},
    {"Shift + W A S D", "run"},
    {"Shift + \u2191  \u2193", "look up / down"},
    {"Left-button drag", "look around"},
    {"Ctrl + \u2191  \u2193", "rise / sink"},
    {"1  2  3  4", "jump to a viewpoint"},
    {"5", "back to the start view"},
    {"T", "fly to a random viewpoint"},
    {"Tab", "day, twilight, night"},
    {"F1  F2  F3  F4", "yellow, cyan, red, pale-blue spot light"},
    {"P  /  Shift + P", "model normals: file, per face, per vertex"},
    {"F5  /  F11", "full screen"},
    {"H", "help screen on / off"},
    {"F12", "save a screenshot"},
    {"Esc", "quit"},
};

bool Fonts::load(const std::string& directory) {
    const bool a = title.load(directory + "/DejaVuSerif-Bold.ttf");
    const bool b = text.load(directory + "/DejaVuSans.ttf");
    const bool c = bold.load(directory + "/DejaVuSans-Bold.ttf");
    return a && b && c;
}

namespace {

void centred(const Font& font, Image& image, float y, const std::string& s, float px, Colour c) {
    font.draw(image, 0.5f * (image.width - font.width(s, px)), y, s, px, c);
}

// A standing-stone skyline along the bottom of the intro: trilithons and
// uprights in silhouette against the twilight, standing on the land at y 506.
bool stoneAt(float x, float y) {
    struct Block {
        float x0, x1, top, bottom;
    };
    static const std::vector<Block> blocks = [] {
        std::vector<Block> b;
        auto upright = [&](float x, float w, float h) {
            b.push_back({x, x + w, 506.0f - h, 520.0f});
        };
        auto trilithon = [&](float x, float w, float h) {
            upright(x, w, h);
            upright(x + w + 0.4f * w, w, h);
            b.push_back({x - 4.0f, x + 2.4f * w + 4.0f, 506.0f - h - 12.0f, 506.0f - h + 2.0f});
        };
        upright(28, 30, 44);
        trilithon(92, 28, 52);
        upright(214, 26, 40);
        upright(262, 18, 22);
        trilithon(318, 30, 66);
        upright(430, 20, 30);
        trilithon(482, 34, 80);
        upright(600, 22, 28);
        trilithon(650, 30, 64);
        upright(770, 26, 42);
        trilithon(836, 26, 50);
        upright(944, 30, 38);
        return b;
    }();
    for (const Block& b : blocks)
        if (x >= b.x0 && x < b.x1 && y >= b.top && y < b.bottom) return true;
    return false;
}

Colour dusk(int x, int y) {
    const float v = y / float(kScreenHeight);
    Colour c = mix(rgb(14, 16, 34), rgb(46, 34, 62), smoothstep(0.0f, 0.7f, v));
    const float glow = std::exp(-std::pow((v - 0.86f) / 0.12f, 2.0f)) *
                       (0.6f + 0.4f * std::exp(-std::pow((x - 516.0f) / 300.0f, 2.0f)));
    c = c + rgb(200, 96, 48) * (0.75f * glow);
    // The land and the stones in silhouette.
    const float ground = 506.0f + 8.0f * fbm(x / 140.0f, 0.3f, 0.0f, 2, 7);
    // Weathered outlines: the edges wander by a pixel or two.
    const float ex = 1.5f * perlin(x / 5.0f, y / 5.0f, 0.5f, 8),
                ey = 1.5f * perlin(x / 5.0f, y / 5.0f, 2.5f, 9);
    if (y > ground || stoneAt(x + ex, y + ey)) c = rgb(10, 10, 16);
    return c;
}

Image panelImage(float left, float top, float right, float bottom) {
    Image image(kScreenWidth, kScreenHeight, 4);
    const float r = 28.0f;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            // Rounded rectangle; outside it the image stays fully clear.
            const float dx = std::max({left + r - x, 0.0f, x - (right - r)});
            const float dy = std::max({top + r - y, 0.0f, y - (bottom - r)});
            if (dx * dx + dy * dy > r * r) continue;
            const float v = (y - top) / (bottom - top);
            image.setColour(x, y, mix(rgb(16, 18, 36), rgb(36, 28, 50), v));
            image.at(x, y)[3] = 255;
        }
    return image;
}

}  // namespace

Image makeIntro(const Fonts& f) {
    Image image(kScreenWidth, kScreenHeight, 3);
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) image.setColour(x, y, dusk(x, y));

    const Colour gold = rgb(255, 214, 140), pale = rgb(232, 230, 240), key = rgb(255, 200, 120);
    centred(f.title, image, 116.0f, "Velmora", 104.0f, gold);
    centred(f.text, image, 164.0f,
            "Walk among the stones of a prehistoric circle, by day, at twilight and by night.",
            22.0f, pale);
    for (int x = 312; x < 712; ++x) image.setColour(x, 186, mix(image.colour(x, 186), gold, 0.6f));

    // The keys, in two columns of nine, above the tallest stones (y 414).
    const float px = 18.0f, line = 21.0f, top = 220.0f;
    const float columns[2] = {64.0f, 500.0f}, keyWidths[2] = {168.0f, 148.0f};
    constexpr int kRows = kKeyLines / 2;
    for (int k = 0; k < kKeyLines; ++k) {
        const float x = columns[k / kRows], y = top + line * (k % kRows);
        f.bold.draw(image, x, y, kKeyTable[k].keys, px, key);
        f.text.draw(image, x + keyWidths[k / kRows], y, kKeyTable[k].action, px, pale);
    }
    return image;
}

Image makeHelp(const Fonts& f) {
    Image image = panelImage(112.0f, 20.0f, 912.0f, 556.0f);
    const Colour gold = rgb(255, 214, 140), pale = rgb(232, 230, 240), key = rgb(255, 200, 120);
    centred(f.title, image, 80.0f, "Keys", 48.0f, gold);
    const float px = 19.0f, line = 23.0f, top = 128.0f;
    for (int k = 0; k < kKeyLines; ++k) {
        const float y = top + line * k;
        f.bold.draw(image, 168.0f, y, kKeyTable[k].keys, px, key);
        f.text.draw(image, 388.0f, y, kKeyTable[k].action, px, pale);
    }
    return image;
}

Image makeOutro(const Fonts& f) {
    Image image = panelImage(152.0f, 148.0f, 872.0f, 428.0f);
    const Colour gold = rgb(255, 214, 140), pale = rgb(232, 230, 240);
    centred(f.title, image, 250.0f, "Farewell", 72.0f, gold);
    centred(f.text, image, 318.0f, "The stones of Velmora keep their watch.", 26.0f, pale);
    centred(f.text, image, 364.0f, "Thank you for walking among them.", 26.0f, pale);
    return image;
}

}  // namespace assets
