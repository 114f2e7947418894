#include "tools/image.h"

#include <stb_image_write.h>

#include <cmath>
#include <cstdio>
#include <thread>

namespace assets {

float clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float smoothstep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

uint8_t toByte(float v) {
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
}

void Image::setColour(int x, int y, Colour c) {
    uint8_t* p = at(x, y);
    if (channels >= 3) {
        p[0] = toByte(c.r);
        p[1] = toByte(c.g);
        p[2] = toByte(c.b);
    } else {
        p[0] = toByte(0.299f * c.r + 0.587f * c.g + 0.114f * c.b);
    }
}

Colour Image::colour(int x, int y) const {
    const uint8_t* p = at(x, y);
    if (channels >= 3) return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
    return {p[0] / 255.0f, p[0] / 255.0f, p[0] / 255.0f};
}

void forEachRow(int rows, const std::function<void(int)>& fn) {
    // Two threads: the machines this builds on have two cores to share.
    std::thread other([&] {
        for (int r = 1; r < rows; r += 2) fn(r);
    });
    for (int r = 0; r < rows; r += 2) fn(r);
    other.join();
}

bool writePng(const std::string& path, const Image& image) {
    if (stbi_write_png(path.c_str(), image.width, image.height, image.channels, image.pixels.data(),
                       image.width * image.channels) == 0) {
        std::fprintf(stderr, "velmora_assets: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::vector<uint8_t> encodePng(const Image& image) {
    std::vector<uint8_t> bytes;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            const uint8_t* p = static_cast<const uint8_t*>(data);
            static_cast<std::vector<uint8_t>*>(context)->insert(
                static_cast<std::vector<uint8_t>*>(context)->end(), p, p + size);
        },
        &bytes, image.width, image.height, image.channels, image.pixels.data(),
        image.width * image.channels);
    return bytes;
}

bool writeJpeg(const std::string& path, const Image& image, int quality) {
    if (stbi_write_jpg(path.c_str(), image.width, image.height, image.channels, image.pixels.data(),
                       quality) == 0) {
        std::fprintf(stderr, "velmora_assets: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace assets
