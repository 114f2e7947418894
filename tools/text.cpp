#include "tools/text.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>

namespace assets {

std::vector<int> decodeUtf8(const std::string& text) {
    std::vector<int> out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        int cp = c, extra = 0;
        if (c >= 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else if (c >= 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if (c >= 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        }
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i) cp = (cp << 6) | (text[i] & 0x3F);
        out.push_back(cp);
    }
    return out;
}

bool Font::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (bytes.empty() ||
        !stbtt_InitFont(&info_, bytes.data(), stbtt_GetFontOffsetForIndex(bytes.data(), 0))) {
        std::fprintf(stderr, "velmora_assets: cannot read the font %s\n", path.c_str());
        data_.clear();
        return false;
    }
    data_ = std::move(bytes);
    info_.data = data_.data();  // a moved vector keeps its storage; say so anyway
    return true;
}

float Font::width(const std::string& text, float px) const {
    if (!loaded()) return 0.0f;
    const float scale = stbtt_ScaleForPixelHeight(&info_, px);
    float w = 0.0f;
    const std::vector<int> cps = decodeUtf8(text);
    for (size_t k = 0; k < cps.size(); ++k) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info_, cps[k], &advance, &bearing);
        w += advance * scale;
        if (k + 1 < cps.size())
            w += scale * stbtt_GetCodepointKernAdvance(&info_, cps[k], cps[k + 1]);
    }
    return w;
}

void Font::draw(Image& image, float x, float baseline, const std::string& text, float px,
                Colour colour) const {
    if (!loaded()) return;
    const float scale = stbtt_ScaleForPixelHeight(&info_, px);
    const std::vector<int> cps = decodeUtf8(text);
    const int by = int(std::lround(baseline));
    for (size_t k = 0; k < cps.size(); ++k) {
        const int ix = int(std::floor(x));
        const float shift = x - ix;
        int x0, y0, x1, y1;
        stbtt_GetCodepointBitmapBoxSubpixel(&info_, cps[k], scale, scale, shift, 0.0f, &x0, &y0,
                                            &x1, &y1);
        const int w = x1 - x0, h = y1 - y0;
        if (w > 0 && h > 0) {
            std::vector<unsigned char> glyph(size_t(w) * h);
            stbtt_MakeCodepointBitmapSubpixel(&info_, glyph.data(), w, h, w, scale, scale, shift,
                                              0.0f, cps[k]);
            for (int gy = 0; gy < h; ++gy)
                for (int gx = 0; gx < w; ++gx) {
                    const int px_ = ix + x0 + gx, py = by + y0 + gy;
                    if (px_ < 0 || py < 0 || px_ >= image.width || py >= image.height) continue;
                    const float a = glyph[size_t(gy) * w + gx] / 255.0f;
                    if (a > 0.0f) image.setColour(px_, py, mix(image.colour(px_, py), colour, a));
                }
        }
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info_, cps[k], &advance, &bearing);
        x += advance * scale;
        if (k + 1 < cps.size())
            x += scale * stbtt_GetCodepointKernAdvance(&info_, cps[k], cps[k + 1]);
    }
}

}  // namespace assets
