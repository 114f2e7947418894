// PNG through libpng 1.6. libpng reports errors by longjmp to the setjmp in
// runLibpng: every C++ object that must survive it lives in PngState, made
// before setjmp, and no callback holds one across a libpng call.
#include <png.h>
#include <zlib.h>

#include <cctype>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "image/image_file.h"

namespace {

// At most 258 bytes come out of two bits of deflate data, so a file of n
// bytes cannot hold more than 1032 × n bytes of image rows.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

// Ancillary chunks whose contents nothing here uses; some are compressed
// text, which libpng would otherwise inflate.
constexpr png_byte kIgnoredChunks[] = {'t', 'E', 'X', 't', 0, 'z', 'T', 'X', 't', 0,
                                       'i', 'T', 'X', 't', 0, 'i', 'C', 'C', 'P', 0,
                                       's', 'P', 'L', 'T', 0, 'e', 'X', 'I', 'f', 0};

struct PngState {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t at = 0;
    char message[256] = {};  // libpng's reason; a fixed buffer, so recording it cannot throw
    DecodedImage image;      // size and channels; the pixels go to the caller's rows
    std::vector<png_bytep> rows;
    std::string sizeError;
};

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    auto* state = static_cast<PngState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings (a damaged ancillary chunk, extra data after the image) leave a
// complete image: nothing to tell.
void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* state = static_cast<PngState*>(png_get_io_ptr(png));
    if (count > state->size - state->at) png_error(png, "the file ends early");
    std::memcpy(out, state->data + state->at, count);
    state->at += count;
}

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

// Samples per pixel of a PNG colour type; 0 for an invalid one.
unsigned samplesOf(std::uint8_t colourType) {
    switch (colourType) {
        case 0:
            return 1;  // grey
        case 2:
            return 3;  // RGB
        case 3:
            return 1;  // palette index
        case 4:
            return 2;  // grey + alpha
        case 6:
            return 4;  // RGBA
        default:
            return 0;
    }
}

// The file's chunk structure, walked before anything is decoded, so that a
// truncated file or a damaged critical chunk fails at once rather than after
// decoding what comes before the damage: "" when each chunk is whole up to
// IEND and every critical chunk's CRC holds. Ancillary chunks with a bad CRC
// are libpng's to drop, as it does.
std::string checkChunks(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 8;
    for (;;) {
        if (size - at < 12) return "broken PNG (the file ends early)";
        const std::uint32_t length = bigEndian32(data + at);
        if (length > PNG_UINT_31_MAX) return "broken PNG (a chunk length is out of range)";
        if (size - at - 12 < length) return "broken PNG (the file ends early)";
        const std::uint8_t* type = data + at + 4;
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
        const bool critical = (type[0] & 0x20) == 0;  // an upper-case first letter
        const std::uint32_t stored = bigEndian32(type + 4 + length);
        if (critical && crc32(crc32(0, nullptr, 0), type, length + 4) != stored) {
            char name[5] = {};
            for (int i = 0; i < 4; ++i) {
                name[i] = std::isalpha(type[i]) ? static_cast<char>(type[i]) : '?';
            }
            return std::string("broken PNG (") + name + ": CRC error)";
        }
#endif
        if (std::memcmp(type, "IEND", 4) == 0) return {};
        at += 12 + static_cast<std::size_t>(length);
    }
}

// The size check from IHDR, which must be the first chunk, before libpng
// sees the file: "" when decoding may go on. Everything else about the header
// is libpng's to judge.
std::string checkHeader(const std::uint8_t* data, std::size_t size, const ImageLimits& limits) {
    if (size < 33 || std::memcmp(data + 12, "IHDR", 4) != 0) return {};
    const std::uint64_t width = bigEndian32(data + 16);
    const std::uint64_t height = bigEndian32(data + 20);
    if (width == 0 || height == 0 || width > PNG_UINT_31_MAX || height > PNG_UINT_31_MAX) return {};
    std::string error = image_detail::checkSize(width, height, limits);
    if (!error.empty()) return error;
    const unsigned bits = samplesOf(data[25]) * data[24];
    const std::uint64_t rawRows = height * (1 + (width * bits + 7) / 8);
    if (rawRows / kMaxDeflateRatio > size) {
        return "broken PNG (the file ends early: " + std::to_string(size) + " bytes cannot hold " +
               std::to_string(width) + " x " + std::to_string(height) + " pixels)";
    }
    return {};
}

// False when libpng reported an error (in state.message) or the decoded rows
// are not what was asked for (state.sizeError).
bool runLibpng(png_structp png, png_infop info, PngState& state, const ImageLimits& limits,
               ImageRows& rows) {
    if (setjmp(png_jmpbuf(png))) return false;

    png_set_read_fn(png, &state, readBytes);
    // Our own limits were checked from the header; libpng's defaults
    // (1,000,000 a side) must not refuse an image first.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_chunk_malloc_max(png, 8u << 20);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks,
                                static_cast<int>(sizeof kIgnoredChunks / 5));
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Every critical chunk's CRC was checked before decoding began: not again
    // (for a large image, another pass over all its compressed bytes).
    // Ancillary chunks keep libpng's own check.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_DEFAULT);
#else
    // Under the fuzzer, mutated bytes reach the decoding instead of stopping
    // at the checksums that every mutation breaks.
    png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    state.sizeError = image_detail::checkSize(width, height, limits);
    if (!state.sizeError.empty()) return false;

    // To 8 bits a channel, keeping the image's own channels: palettes to RGB,
    // transparency chunks to an alpha channel, low-depth grey scaled up,
    // 16-bit samples rounded down to 8. No gamma: the bytes as stored.
    png_set_expand(png);
    png_set_scale_16(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    if (png_get_bit_depth(png, info) != 8 || channels < 1 || channels > 4 ||
        rowBytes != static_cast<std::size_t>(width) * static_cast<std::size_t>(channels)) {
        png_error(png, "unexpected row layout after conversion");
    }

    DecodedImage& image = state.image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.channels = channels;
    if (!rows.begin(image.width, image.height, channels))
        png_error(png, "not enough memory for the pixels");
    if (passes == 1) {
        // Row by row, so that the caller may work on those that are in.
        for (int y = 0; y < image.height; ++y) {
            png_read_row(png, rows.row(y), nullptr);
            rows.rowsDone(y + 1);
        }
    } else {
        // An interlaced image's rows are final only after its last pass.
        state.rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) state.rows[y] = rows.row(static_cast<int>(y));
        png_read_image(png, state.rows.data());
        rows.rowsDone(image.height);
    }
    // The rest of the file: the last image chunk's CRC and the end chunk.
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

ImageResult decodePng(const std::uint8_t* data, std::size_t size, const ImageLimits& limits,
                      ImageRows& rows) {
    ImageResult result;
    result.error = checkHeader(data, size, limits);
    if (result.ok() && size >= 8) result.error = checkChunks(data, size);
    if (!result.ok()) return result;

    PngState state;
    state.data = data;
    state.size = size;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        result.error = "not enough memory to read a PNG";
        return result;
    }
    bool decoded = false;
    try {
        decoded = runLibpng(png, info, state, limits, rows);
    } catch (const std::bad_alloc&) {
        std::snprintf(state.message, sizeof state.message, "not enough memory");
    }
    png_destroy_read_struct(&png, &info, nullptr);

    if (decoded) {
        result.image = std::move(state.image);
    } else if (!state.sizeError.empty()) {
        result.error = state.sizeError;
    } else {
        result.error = std::string("broken PNG (") + state.message + ")";
    }
    return result;
}
