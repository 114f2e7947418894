// JPEG through libjpeg-turbo. Its errors, and the warnings that mean the data
// is damaged, return by longjmp to the setjmp in runLibjpeg: every C++ object
// that must survive it lives in JpegState, made before setjmp.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

// jpeglib.h needs size_t and FILE declared first, and jerror.h needs
// jpeglib.h's configuration for the arithmetic-coding messages.
#include <jpeglib.h>
// (after jpeglib.h)
#include <jerror.h>

#include "image/image_file.h"

namespace {

// A progressive file has about ten scans; thousands of tiny ones would make
// the decoder pass over the whole image again for each.
constexpr int kMaxScans = 500;

struct JpegState {
    jpeg_error_mgr errors{};
    jpeg_progress_mgr progress{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};  // the decoder's reason; fixed, so it cannot throw
    DecodedImage image;                  // size and channels; the pixels go to the caller's rows
    std::vector<JSAMPLE> cmykRow;
    std::string sizeError;
};

JpegState& stateOf(j_common_ptr cinfo) {
    // errors is the first member, and cinfo->err points at it.
    return *reinterpret_cast<JpegState*>(cinfo->err);
}

[[noreturn]] void onError(j_common_ptr cinfo) {
    JpegState& state = stateOf(cinfo);
    (*cinfo->err->format_message)(cinfo, state.message);
    std::longjmp(state.jump, 1);
}

// Level −1 is a warning. These four mean the entropy-coded data is cut short
// or damaged, and the image would come out with made-up rows: a failure.
// Other warnings (stray bytes between markers, an unknown JFIF version) leave
// a complete image. Trace messages (levels 0 and up) are ignored.
void onMessage(j_common_ptr cinfo, int level) {
    if (level != -1) return;
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
        code == JWRN_ARITH_BAD_CODE || code == JWRN_MUST_RESYNC) {
        onError(cinfo);
    }
}

void onProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->input_scan_number > kMaxScans) {
        JpegState& state = stateOf(cinfo);
        std::snprintf(state.message, sizeof state.message, "more than %d scans", kMaxScans);
        std::longjmp(state.jump, 1);
    }
}

// Adobe's CMYK, as Photoshop writes it and libjpeg hands it back, is stored
// inverted (255 = no ink), so each colour is its stored value times the
// stored black; without the Adobe marker the values are plain ink amounts.
void cmykToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned v = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>((v * k + 127) / 255);
        }
    }
}

// Whether the file's markers run whole from SOI to EOI: segments by their
// lengths, entropy-coded data up to the next marker. A truncated file then
// fails at once, rather than after the decoder has made up the rest of the
// image from nothing. Bytes between segments are skipped, as libjpeg does.
bool endsProperly(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 2;  // past SOI
    for (;;) {
        const void* ff = at < size ? std::memchr(data + at, 0xFF, size - at) : nullptr;
        if (ff == nullptr) return false;
        at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(ff) - data);
        while (at + 1 < size && data[at + 1] == 0xFF) ++at;  // fill bytes
        if (at + 1 >= size) return false;
        const std::uint8_t code = data[at + 1];
        at += 2;
        if (code == 0xD9) return true;  // EOI
        if (code == 0x00 || code == 0x01 || (code >= 0xD0 && code <= 0xD8)) continue;
        if (size - at < 2) return false;
        const std::size_t length = (std::size_t{data[at]} << 8) | data[at + 1];
        if (length < 2 || size - at < length) return false;
        at += length;
        if (code != 0xDA) continue;
        // After a scan header, entropy-coded data: 0xFF is followed by 0x00
        // (a stuffed byte) or a restart marker until the next real marker.
        for (;;) {
            const void* next = at < size ? std::memchr(data + at, 0xFF, size - at) : nullptr;
            if (next == nullptr) return false;
            at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(next) - data);
            if (at + 1 >= size) return false;
            const std::uint8_t c = data[at + 1];
            if (c == 0x00 || (c >= 0xD0 && c <= 0xD7) || c == 0xFF) {
                at += 1;
                continue;
            }
            break;  // a marker: the outer loop reads it
        }
    }
}

bool runLibjpeg(jpeg_decompress_struct& cinfo, JpegState& state, const std::uint8_t* data,
                std::size_t size, const ImageLimits& limits, ImageRows& rows) {
    if (setjmp(state.jump)) return false;

    jpeg_create_decompress(&cinfo);
    cinfo.progress = &state.progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);

    state.sizeError = image_detail::checkSize(cinfo.image_width, cinfo.image_height, limits);
    if (!state.sizeError.empty()) return false;

    // Grey stays grey; CMYK and YCCK come out as CMYK and are made RGB below;
    // everything else (YCbCr, RGB) comes out RGB.
    bool cmyk = false;
    switch (cinfo.jpeg_color_space) {
        case JCS_GRAYSCALE:
            cinfo.out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            cinfo.out_color_space = JCS_CMYK;
            cmyk = true;
            break;
        default:
            cinfo.out_color_space = JCS_RGB;
            break;
    }
    jpeg_start_decompress(&cinfo);

    const int channels = cmyk ? 3 : cinfo.output_components;
    if (cinfo.output_width != cinfo.image_width || cinfo.output_height != cinfo.image_height ||
        (cmyk ? cinfo.output_components != 4 : (channels != 1 && channels != 3))) {
        std::snprintf(state.message, sizeof state.message, "unexpected output layout");
        return false;
    }
    DecodedImage& image = state.image;
    image.width = static_cast<int>(cinfo.output_width);
    image.height = static_cast<int>(cinfo.output_height);
    image.channels = channels;
    if (!rows.begin(image.width, image.height, channels)) {
        std::snprintf(state.message, sizeof state.message, "not enough memory for the pixels");
        return false;
    }
    if (cmyk) state.cmykRow.resize(static_cast<std::size_t>(cinfo.output_width) * 4);
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        std::uint8_t* out = rows.row(y);
        JSAMPROW row = cmyk ? state.cmykRow.data() : out;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) {
            std::snprintf(state.message, sizeof state.message, "no more rows");
            return false;
        }
        if (cmyk) cmykToRgb(state.cmykRow.data(), out, cinfo.output_width, inverted);
        rows.rowsDone(y + 1);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

}  // namespace

ImageResult decodeJpeg(const std::uint8_t* data, std::size_t size, const ImageLimits& limits,
                       ImageRows& rows) {
    ImageResult result;
    if (size < 2 || !endsProperly(data, size)) {
        result.error = "broken JPEG (the file ends early)";
        return result;
    }
    JpegState state;
    jpeg_decompress_struct cinfo{};
    cinfo.err = jpeg_std_error(&state.errors);
    state.errors.error_exit = onError;
    state.errors.emit_message = onMessage;
    state.progress.progress_monitor = onProgress;

    bool decoded = false;
    try {
        decoded = runLibjpeg(cinfo, state, data, size, limits, rows);
    } catch (const std::bad_alloc&) {
        std::snprintf(state.message, sizeof state.message, "not enough memory");
    }
    jpeg_destroy_decompress(&cinfo);

    if (decoded) {
        result.image = std::move(state.image);
    } else if (!state.sizeError.empty()) {
        result.error = state.sizeError;
    } else {
        result.error = std::string("broken JPEG (") + state.message + ")";
    }
    return result;
}
