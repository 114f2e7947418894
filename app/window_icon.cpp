#include "app/window_icon.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr int kIconSizes[] = {128, 64, 32, 16};  // pixels
constexpr std::uint32_t kMaxIconSide = 1024;     // pixels; the generated icon has 256

// The pixel at (x, y) as red, green, blue and alpha, whatever the channel count.
void rgbaAt(const DecodedImage& image, int x, int y, double out[4]) {
    const std::uint8_t* p =
        image.pixels.get() + (static_cast<std::size_t>(y) * image.width + x) * image.channels;
    const bool grey = image.channels < 3;
    out[0] = p[0];
    out[1] = grey ? p[0] : p[1];
    out[2] = grey ? p[0] : p[2];
    out[3] = image.channels == 2 ? p[1] : image.channels == 4 ? p[3] : 255.0;
}

WindowIcon scaled(const DecodedImage& image, int size) {
    WindowIcon icon;
    icon.width = size;
    icon.height = size;
    icon.argb.reserve(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // The source pixels whose centres fall in this pixel's square.
            const int x0 = x * image.width / size;
            const int x1 = std::max(x0 + 1, (x + 1) * image.width / size);
            const int y0 = y * image.height / size;
            const int y1 = std::max(y0 + 1, (y + 1) * image.height / size);
            double sum[4] = {0, 0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    double p[4];
                    rgbaAt(image, sx, sy, p);
                    for (int c = 0; c < 3; ++c) sum[c] += p[c] * p[3];
                    sum[3] += p[3];
                }
            }
            const double count = static_cast<double>((x1 - x0) * (y1 - y0));
            std::uint32_t pixel = static_cast<std::uint32_t>(sum[3] / count + 0.5) << 24;
            for (int c = 0; c < 3; ++c) {
                const double value = sum[3] > 0.0 ? sum[c] / sum[3] : 0.0;
                pixel |= static_cast<std::uint32_t>(value + 0.5) << (16 - 8 * c);
            }
            icon.argb.push_back(pixel);
        }
    }
    return icon;
}

}  // namespace

std::vector<WindowIcon> windowIconsOf(const DecodedImage& image) {
    std::vector<WindowIcon> icons;
    if (!image.pixels || image.width <= 0 || image.height <= 0) return icons;
    for (int size : kIconSizes) {
        if (size <= image.width && size <= image.height) icons.push_back(scaled(image, size));
    }
    return icons;
}

WindowIdentity programIdentity() {
    WindowIdentity identity{"velmora", "Velmora", {}};
    ImageLimits limits;
    limits.maxSide = kMaxIconSide;
    // Without it the window simply has no icon of its own; the desktop's
    // icon theme still shows the menu's.
    const ImageResult icon = readImageFile(kWindowIconFile, limits);
    if (icon.ok()) identity.icons = windowIconsOf(icon.image);
    return identity;
}
