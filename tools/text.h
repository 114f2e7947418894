// Text drawn into images with a TrueType font.
#pragma once

#include <stb_truetype.h>

#include <string>
#include <vector>

#include "tools/image.h"

namespace assets {

class Font {
  public:
    Font() = default;
    Font(const Font&) = delete;  // the font info points into this object's bytes
    Font& operator=(const Font&) = delete;

    // Reads the font file; false (after one line naming it) when it cannot.
    bool load(const std::string& path);
    bool loaded() const { return !data_.empty(); }

    // Width in pixels of UTF-8 `text` at a pixel height of `px`.
    float width(const std::string& text, float px) const;

    // Draws `text` with its baseline at `baseline`, starting at `x`, blending
    // `colour` over the image by the glyphs' coverage. Alpha is left as it is.
    void draw(Image& image, float x, float baseline, const std::string& text, float px,
              Colour colour) const;

  private:
    std::vector<unsigned char> data_;
    stbtt_fontinfo info_{};
};

std::vector<int> decodeUtf8(const std::string& text);

}  // namespace assets
