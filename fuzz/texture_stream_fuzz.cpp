// libFuzzer entry for the texture step's two ways from a file to levels: the
// image decoded whole and then made into levels (makeTextureLevels), and the
// levels made while it is decoded (TextureLevelsAsDecoded, with its block
// thread for images of 256 × 256 and more). Both must give the same error,
// or the same levels byte for byte; the input is an image file, PNG or JPEG.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "image/image_file.h"
#include "image/texture_flags.h"
#include "image/texture_levels.h"
#include "image/texture_stream.h"

namespace {

struct Case {
    unsigned int flags;
    TextureTarget target;
};

// The program's two flag sets for its own driver, then drivers without S3TC,
// without non-power-of-two sides or with a small side limit, and flags that
// keep the image's own size.
const Case kCases[] = {
    {kSceneTextureFlags, {0, true, true}},
    {kIntroTextureFlags, {0, true, true}},
    {kSceneTextureFlags, {0, false, true}},
    {kTextureCompressDxt | kTextureInvertY, {0, true, false}},
    {kTextureCompressDxt | kTextureNtscSafeRgb, {0, true, true}},
    {kSceneTextureFlags, {128, true, false}},
    {kTextureNtscSafeRgb, {0, false, true}},
};

[[noreturn]] void differ(const char* what, const Case& c) {
    std::fprintf(stderr, "the streamed texture differs (%s) with flags %u, target %d/%d/%d\n", what,
                 c.flags, c.target.maxSide, c.target.dxt, c.target.nonPowerOfTwo);
    std::abort();
}

void compare(const std::uint8_t* data, std::size_t size, const ImageLimits& limits, const Case& c) {
    const ImageResult plain = decodeImage(data, size, limits);
    TextureLevels made;
    if (plain.ok()) made = makeTextureLevels(plain.image, c.flags, c.target);

    TextureLevelsAsDecoded streaming(c.flags, c.target);
    const ImageResult streamed = decodeImage(data, size, limits, streaming);
    const TextureLevels levels = streaming.finish(streamed.ok());

    if (plain.error != streamed.error) differ("error", c);
    if (!plain.ok()) return;
    if (plain.image.width != streamed.image.width || plain.image.height != streamed.image.height ||
        plain.image.channels != streamed.image.channels)
        differ("size", c);
    if (made.format != levels.format || made.levels.size() != levels.levels.size())
        differ("format or level count", c);
    for (std::size_t i = 0; i < made.levels.size(); ++i) {
        const TextureLevel& a = made.levels[i];
        const TextureLevel& b = levels.levels[i];
        if (a.width != b.width || a.height != b.height || a.bytes != b.bytes) differ("a level", c);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Up to 256 × 256 pixels: the smallest image that has the block thread
    // and the bands' mipmaps, so that each run stays quick.
    ImageLimits limits;
    limits.maxPixels = 256 * 256;
    // One case each run, chosen by the input's length, so that a mutation
    // that only grows or shrinks a file tries another.
    compare(data, size, limits, kCases[size % (sizeof kCases / sizeof kCases[0])]);
    return 0;
}
