// libFuzzer entry for one decoder, PNG or JPEG (IMAGE_FUZZ_PNG or
// IMAGE_FUZZ_JPEG picks it at compile time): the input is an image file. A
// decoded image is walked byte by byte so that a buffer shorter than it
// claims to be shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>

#include "image/image_file.h"

// Where the walk over the pixels leaves its sum, so it is not optimised away.
volatile unsigned imageFuzzChecksum = 0;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Smaller than the program's limits, so each run stays quick; the checks
    // are the same code whatever the numbers.
    ImageLimits limits;
    limits.maxSide = 4096;
    limits.maxPixels = 1u << 20;
#if defined(IMAGE_FUZZ_PNG)
    const ImageResult result = decodePng(data, size, limits);
#else
    const ImageResult result = decodeJpeg(data, size, limits);
#endif
    if (!result.ok()) return 0;
    const DecodedImage& image = result.image;
    if (image.width <= 0 || image.height <= 0 || image.channels < 1 || image.channels > 4 ||
        !image.pixels) {
        __builtin_trap();  // a success must come with pixels
    }
    unsigned sum = 0;
    for (std::size_t i = 0; i < image.byteCount(); ++i) sum += image.pixels[i];
    imageFuzzChecksum = sum;
    return 0;
}
