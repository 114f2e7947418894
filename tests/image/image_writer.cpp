#include "image_writer.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "image/image_file.h"

namespace test_images {

namespace {

int samplesPerPixel(int colourType) {
    switch (colourType) {
        case kRgb:
            return 3;
        case kGreyAlpha:
            return 2;
        case kRgba:
            return 4;
        default:
            return 1;
    }
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// One row of samples packed as PNG stores them: bits from the most
// significant end below 8 bits, big-endian pairs at 16.
std::vector<png_byte> packRow(const std::uint16_t* samples, int count, int bitDepth) {
    std::vector<png_byte> row;
    if (bitDepth == 16) {
        for (int i = 0; i < count; ++i) {
            row.push_back(static_cast<png_byte>(samples[i] >> 8));
            row.push_back(static_cast<png_byte>(samples[i]));
        }
    } else if (bitDepth == 8) {
        for (int i = 0; i < count; ++i) row.push_back(static_cast<png_byte>(samples[i]));
    } else {
        row.assign((count * bitDepth + 7) / 8, 0);
        for (int i = 0; i < count; ++i) {
            const int bit = i * bitDepth;
            row[bit / 8] |= static_cast<png_byte>(samples[i] << (8 - bitDepth - bit % 8));
        }
    }
    return row;
}

}  // namespace

std::vector<std::uint8_t> writePng(const PngSpec& spec) {
    std::vector<std::uint8_t> out;
    const int perRow = spec.width * samplesPerPixel(spec.colourType);
    std::vector<std::vector<png_byte>> packed;
    for (int y = 0; y < spec.height; ++y)
        packed.push_back(packRow(spec.samples.data() + y * perRow, perRow, spec.bitDepth));
    std::vector<png_bytep> rows;
    for (auto& row : packed) rows.push_back(row.data());
    std::vector<png_color> palette;
    for (const auto& c : spec.palette) palette.push_back(png_color{c[0], c[1], c[2]});
    png_color_16 transparent{};
    transparent.gray = spec.transparentColour[0];
    transparent.red = spec.transparentColour[0];
    transparent.green = spec.transparentColour[1];
    transparent.blue = spec.transparentColour[2];

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!spec.paletteAlpha.empty()) {
        png_set_tRNS(png, info, spec.paletteAlpha.data(),
                     static_cast<int>(spec.paletteAlpha.size()), nullptr);
    } else if (spec.hasTransparentColour) {
        png_set_tRNS(png, info, nullptr, 0, &transparent);
    }
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<std::uint8_t> writePng8(int width, int height, int channels,
                                    const std::vector<std::uint8_t>& pixels) {
    static const int kColour[5] = {0, kGrey, kGreyAlpha, kRgb, kRgba};
    PngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = kColour[channels];
    spec.samples.assign(pixels.begin(), pixels.end());
    return writePng(spec);
}

namespace {

struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void onJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

}  // namespace

std::vector<std::uint8_t> writeJpeg(const JpegSpec& spec) {
    jpeg_compress_struct cinfo{};
    JpegErrors errors{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onJpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(spec.width);
    cinfo.image_height = static_cast<JDIMENSION>(spec.height);
    switch (spec.kind) {
        case JpegKind::Colour:
            cinfo.in_color_space = JCS_RGB;
            cinfo.input_components = 3;
            break;
        case JpegKind::Grey:
            cinfo.in_color_space = JCS_GRAYSCALE;
            cinfo.input_components = 1;
            break;
        case JpegKind::Cmyk:
        case JpegKind::Ycck:
            cinfo.in_color_space = JCS_CMYK;
            cinfo.input_components = 4;
            break;
    }
    jpeg_set_defaults(&cinfo);
    if (spec.kind == JpegKind::Ycck) jpeg_set_colorspace(&cinfo, JCS_YCCK);
    jpeg_set_quality(&cinfo, spec.quality, TRUE);
    const int sampling = spec.subsampleChroma ? 2 : 1;
    cinfo.comp_info[0].h_samp_factor = sampling;
    cinfo.comp_info[0].v_samp_factor = sampling;
    if (spec.kind == JpegKind::Ycck) {
        cinfo.comp_info[0].h_samp_factor = 1;
        cinfo.comp_info[0].v_samp_factor = 1;
    }
    if (spec.progressive) jpeg_simple_progression(&cinfo);
    cinfo.restart_interval = static_cast<unsigned>(spec.restartInterval);
    cinfo.arith_code = spec.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    const int rowBytes = spec.width * cinfo.input_components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(spec.samples.data()) +
                       static_cast<std::size_t>(cinfo.next_scanline) * rowBytes;
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

std::vector<std::uint8_t> gradient(int width, int height, int channels, int seed) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * height * channels);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const double u = (x + 0.5) / width;
                const double v = (y + 0.5) / height;
                const double phase = 0.7 * (c + 1) + 0.3 * seed;
                const double value = 0.5 + 0.3 * std::sin(3.0 * u + 2.0 * v + phase) +
                                     0.15 * std::cos(4.0 * v - 2.0 * u * (c + 1));
                px[(static_cast<std::size_t>(y) * width + x) * channels + c] =
                    static_cast<std::uint8_t>(
                        std::lround(255.0 * std::fmin(1.0, std::fmax(0.0, value))));
            }
        }
    }
    return px;
}

TiledImage tiledFile(const std::string& path, int side) {
    TiledImage out;
    const ImageResult read = readImageFile(path, {});
    if (!read.ok()) return out;
    const DecodedImage& image = read.image;
    const std::size_t pixel = static_cast<std::size_t>(image.channels);
    out.channels = image.channels;
    out.pixels.resize(static_cast<std::size_t>(side) * side * pixel);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            std::copy_n(
                image.pixels.get() +
                    (static_cast<std::size_t>(y % image.height) * image.width + x % image.width) *
                        pixel,
                pixel, out.pixels.data() + (static_cast<std::size_t>(y) * side + x) * pixel);
    return out;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file),
                                     std::istreambuf_iterator<char>());
}

}  // namespace test_images
