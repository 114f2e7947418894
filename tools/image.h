// Plain pixel buffers for the generators, and their PNG and JPEG writers.
// Colours are computed as floats in 0..1 and rounded once when stored.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assets {

struct Colour {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};
inline Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Colour operator*(Colour a, float s) {
    return {a.r * s, a.g * s, a.b * s};
}
inline Colour operator*(Colour a, Colour b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Colour mix(Colour a, Colour b, float t) {
    return a * (1.0f - t) + b * t;
}
inline Colour rgb(int r, int g, int b) {
    return {r / 255.0f, g / 255.0f, b / 255.0f};
}

float clamp01(float v);
float smoothstep(float edge0, float edge1, float x);

// Row-major, top row first, `channels` bytes per pixel (1 grey, 3 RGB, 4 RGBA).
struct Image {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<uint8_t> pixels;

    Image() = default;
    Image(int w, int h, int c) : width(w), height(h), channels(c), pixels(size_t(w) * h * c, 0) {}
    uint8_t* at(int x, int y) { return &pixels[(size_t(y) * width + x) * channels]; }
    const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * channels]; }
    void setColour(int x, int y, Colour c);  // RGB part; alpha untouched
    Colour colour(int x, int y) const;
};

uint8_t toByte(float v);

// Calls fn(row) for every row in 0..rows-1, on two threads. Rows must not
// depend on one another, so the result is the same as in order.
void forEachRow(int rows, const std::function<void(int)>& fn);  // 0..1 -> 0..255, rounded, clamped

// Each returns false (after printing one line naming the file) on failure.
bool writePng(const std::string& path, const Image& image);
std::vector<uint8_t> encodePng(const Image& image);  // the bytes writePng writes
bool writeJpeg(const std::string& path, const Image& image, int quality);

}  // namespace assets
