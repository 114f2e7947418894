// Broken files fail, cleanly and with a reason: empty, text, truncated at
// every length, wrong checksums, huge or impossible dimensions, garbage in
// the compressed data, too many scans. None may crash or abort (these run
// under ASan and UBSan in the sanitizer pass too).
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "image/image_file.h"
#include "image_writer.h"
#include "tests/support/test_files.h"

using test_images::JpegKind;
using test_images::JpegSpec;

namespace {

ImageResult decode(const std::vector<std::uint8_t>& bytes, ImageLimits limits = {}) {
    return decodeImage(bytes.data(), bytes.size(), limits);
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::uint8_t> samplePng(bool interlaced = false) {
    test_images::PngSpec spec;
    spec.width = 40;
    spec.height = 30;
    spec.colourType = test_images::kRgb;
    spec.interlaced = interlaced;
    const std::vector<std::uint8_t> px = test_images::gradient(40, 30, 3);
    spec.samples.assign(px.begin(), px.end());
    return test_images::writePng(spec);
}

std::vector<std::uint8_t> sampleJpeg(bool progressive) {
    JpegSpec spec;
    spec.width = 40;
    spec.height = 30;
    spec.progressive = progressive;
    spec.samples = test_images::gradient(40, 30, 3);
    return test_images::writeJpeg(spec);
}

// Offset of the first chunk of type `type` (its length field) in a PNG.
std::size_t chunkAt(const std::vector<std::uint8_t>& png, const char* type) {
    std::size_t at = 8;
    while (at + 8 <= png.size()) {
        const std::uint32_t length =
            (std::uint32_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        if (std::memcmp(&png[at + 4], type, 4) == 0) return at;
        at += 12 + length;
    }
    return std::string::npos;
}

std::uint32_t chunkLength(const std::vector<std::uint8_t>& png, std::size_t at) {
    return (std::uint32_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
}

// Recomputes the CRC of the chunk at `at` after its data was changed.
void fixCrc(std::vector<std::uint8_t>& png, std::size_t at) {
    const std::uint32_t length = chunkLength(png, at);
    const std::uint32_t crc = test_files::crc32(&png[at + 4], length + 4);
    for (int i = 0; i < 4; ++i)
        png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

// A PNG whose header states width × height, with a small valid image chunk:
// what a decompression bomb or a damaged header looks like from outside.
std::vector<std::uint8_t> pngClaiming(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> png = test_images::writePng8(1, 1, 1, {0});
    const std::size_t ihdr = chunkAt(png, "IHDR");
    for (int i = 0; i < 4; ++i) {
        png[ihdr + 8 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[ihdr + 12 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    fixCrc(png, ihdr);
    return png;
}

// Offset of the first JPEG marker 0xFF `code`.
std::size_t markerAt(const std::vector<std::uint8_t>& jpeg, std::uint8_t code) {
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code) return i;
    return std::string::npos;
}

}  // namespace

TEST(BrokenImage, EmptyAndForeignFilesAreRefusedByContent) {
    EXPECT_EQ(decode({}).error, "the file is empty");
    const std::string text = "this is not an image, whatever its name says\n";
    EXPECT_EQ(decode(std::vector<std::uint8_t>(text.begin(), text.end())).error,
              "not a PNG or JPEG file");
    // A BMP and a GIF are images, but not ones the program reads.
    EXPECT_EQ(decode({'B', 'M', 0, 0, 0, 0}).error, "not a PNG or JPEG file");
    EXPECT_EQ(decode({'G', 'I', 'F', '8', '9', 'a'}).error, "not a PNG or JPEG file");
    // The signatures alone.
    EXPECT_FALSE(decode({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}).ok());
    EXPECT_FALSE(decode({0xFF, 0xD8, 0xFF}).ok());

    test_files::ScratchDirectory dir("image-foreign");
    test_images::writeFile("notes.png", std::vector<std::uint8_t>(text.begin(), text.end()));
    test_images::writeFile("empty.png", {});
    EXPECT_EQ(readImageFile("notes.png", {}).error, "not a PNG or JPEG file");
    EXPECT_EQ(readImageFile("empty.png", {}).error, "the file is empty");
    EXPECT_EQ(readImageFile("missing.png", {}).error,
              "cannot be opened (No such file or directory)");
    EXPECT_EQ(readImageFile(".", {}).error, "is a directory, not an image file");
}

TEST(BrokenImage, TruncatedFilesFailAtEveryLength) {
    const std::vector<std::vector<std::uint8_t>> files = {samplePng(false), samplePng(true),
                                                          sampleJpeg(false), sampleJpeg(true)};
    for (std::size_t f = 0; f < files.size(); ++f) {
        const std::vector<std::uint8_t>& whole = files[f];
        ASSERT_TRUE(decode(whole).ok()) << "file " << f;
        // Every cut short of the end marker: a PNG's IEND chunk is the last
        // 12 bytes, a JPEG's EOI the last 2.
        const std::size_t last = f < 2 ? whole.size() - 12 : whole.size() - 2;
        for (std::size_t n = 1; n <= last; ++n) {
            const ImageResult cut = decode({whole.begin(), whole.begin() + n});
            ASSERT_FALSE(cut.ok()) << "file " << f << " cut to " << n << " bytes";
            ASSERT_FALSE(cut.image.pixels) << "file " << f << " cut to " << n << " bytes";
        }
    }
    std::vector<std::uint8_t> png = samplePng();
    png.resize(png.size() - 20);
    EXPECT_EQ(decode(png).error, "broken PNG (the file ends early)");
    std::vector<std::uint8_t> jpeg = sampleJpeg(true);
    jpeg.resize(jpeg.size() / 2);
    EXPECT_EQ(decode(jpeg).error, "broken JPEG (the file ends early)");
}

TEST(BrokenImage, WrongChecksumsFail) {
    for (const char* type : {"IHDR", "IDAT", "IEND"}) {
        SCOPED_TRACE(type);
        std::vector<std::uint8_t> png = samplePng();
        const std::size_t at = chunkAt(png, type);
        ASSERT_NE(at, std::string::npos);
        png[at + 8 + chunkLength(png, at)] ^= 0x40;  // the CRC's first byte
        const ImageResult result = decode(png);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(contains(result.error, "CRC")) << result.error;
    }
    // Damage to the pixel data itself, under a correct CRC, is zlib's to find.
    std::vector<std::uint8_t> png = samplePng();
    const std::size_t idat = chunkAt(png, "IDAT");
    const std::uint32_t length = chunkLength(png, idat);
    png[idat + 8 + length - 1] ^= 0xFF;  // the stream's own Adler-32 checksum
    fixCrc(png, idat);
    EXPECT_TRUE(contains(decode(png).error, "broken PNG")) << decode(png).error;
}

TEST(BrokenImage, HugeOrImpossibleDimensionsAreRefusedFromTheHeader) {
    // Over 64 megapixels: refused before libpng is asked for anything.
    EXPECT_EQ(decode(pngClaiming(100000, 100000)).error,
              "100000 x 100000 pixels, more than the 64 megapixels an image may have");
    EXPECT_EQ(decode(pngClaiming(0x7FFFFFFF, 1)).error,
              "2147483647 x 1 pixels, more than the 64 megapixels an image may have");
    // Within the limit, but a 70-byte file cannot hold 8000 × 8000 pixels
    // even at deflate's best ratio: a bomb or a truncated file, refused
    // without taking the 64 MB the rows would need.
    EXPECT_EQ(decode(pngClaiming(8000, 8000)).error,
              "broken PNG (the file ends early: 67 bytes cannot hold 8000 x 8000 pixels)");
    // Zero or beyond 2^31 − 1: libpng's own checks.
    EXPECT_TRUE(contains(decode(pngClaiming(0, 5)).error, "broken PNG"))
        << decode(pngClaiming(0, 5)).error;
    EXPECT_TRUE(contains(decode(pngClaiming(0x80000000u, 1)).error, "broken PNG"));
    ImageLimits texture;
    texture.maxSide = 4096;
    EXPECT_EQ(decode(pngClaiming(4097, 1), texture).error,
              "4097 x 1 pixels, larger than the 4096 the graphics driver takes for a texture side");

    // A JPEG's frame header saying 60000 × 60000.
    std::vector<std::uint8_t> jpeg = sampleJpeg(false);
    const std::size_t sof = markerAt(jpeg, 0xC0);
    ASSERT_NE(sof, std::string::npos);
    for (std::size_t at : {sof + 5, sof + 7}) {
        jpeg[at] = 60000 >> 8;
        jpeg[at + 1] = 60000 & 0xFF;
    }
    EXPECT_EQ(decode(jpeg).error,
              "60000 x 60000 pixels, more than the 64 megapixels an image may have");
    jpeg[sof + 5] = 0;  // height 0 (a DNL-defined height, which libjpeg does not take)
    jpeg[sof + 6] = 0;
    EXPECT_TRUE(contains(decode(jpeg).error, "broken JPEG")) << decode(jpeg).error;
}

TEST(BrokenImage, ACompressedTextBombBeforeTheImageIsSkipped) {
    // A zTXt chunk whose text inflates to 32 MiB of zeros, before the image
    // data: the image loads, and the text is never inflated.
    std::vector<std::uint8_t> zeros(32u << 20, 0);
    uLongf packedSize = compressBound(zeros.size());
    std::vector<std::uint8_t> packed(packedSize);
    ASSERT_EQ(compress2(packed.data(), &packedSize, zeros.data(), zeros.size(), Z_BEST_SPEED),
              Z_OK);
    std::vector<std::uint8_t> data = {'b', 'o', 'm', 'b', 0, 0};  // keyword, NUL, method 0
    data.insert(data.end(), packed.begin(), packed.begin() + static_cast<long>(packedSize));
    std::vector<std::uint8_t> chunk;
    test_files::putChunk(chunk, "zTXt", data);

    std::vector<std::uint8_t> png = samplePng();
    const std::size_t idat = chunkAt(png, "IDAT");
    png.insert(png.begin() + static_cast<long>(idat), chunk.begin(), chunk.end());
    const ImageResult result = decode(png);
    EXPECT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.image.width, 40);
}

TEST(BrokenImage, GarbageInTheCompressedDataFails) {
    std::mt19937 random(7);
    {
        SCOPED_TRACE("PNG");
        std::vector<std::uint8_t> png = samplePng();
        const std::size_t idat = chunkAt(png, "IDAT");
        const std::uint32_t length = chunkLength(png, idat);
        for (std::uint32_t i = 2; i < length; ++i) png[idat + 8 + i] = random() & 0xFF;
        fixCrc(png, idat);
        const ImageResult result = decode(png);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(contains(result.error, "broken PNG")) << result.error;
    }
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive JPEG" : "baseline JPEG");
        std::vector<std::uint8_t> jpeg = sampleJpeg(progressive);
        const std::size_t sos = markerAt(jpeg, 0xDA);
        ASSERT_NE(sos, std::string::npos);
        const std::size_t scan = sos + 2 + (jpeg[sos + 2] << 8 | jpeg[sos + 3]);
        for (std::size_t i = scan; i + 2 < jpeg.size(); ++i) jpeg[i] = random() & 0xFF;
        const ImageResult result = decode(jpeg);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(contains(result.error, "broken JPEG")) << result.error;
    }
}

TEST(BrokenImage, AJpegWithThousandsOfScansIsRefused) {
    // The first scan of a progressive file (the DC values, which decode the
    // same whatever came before), repeated: each copy would make the decoder
    // pass over the whole image again.
    const std::vector<std::uint8_t> jpeg = sampleJpeg(true);
    const std::size_t first = markerAt(jpeg, 0xDA);
    ASSERT_NE(first, std::string::npos);
    std::size_t second = std::string::npos;
    for (std::size_t i = first + 2; i + 1 < jpeg.size() && second == std::string::npos; ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) second = i;
    ASSERT_NE(second, std::string::npos);
    const std::vector<std::uint8_t> scan(jpeg.begin() + static_cast<long>(first),
                                         jpeg.begin() + static_cast<long>(second));
    std::vector<std::uint8_t> many(jpeg.begin(), jpeg.begin() + static_cast<long>(second));
    for (int i = 0; i < 40; ++i) many.insert(many.end(), scan.begin(), scan.end());
    many.insert(many.end(), jpeg.begin() + static_cast<long>(second), jpeg.end());
    EXPECT_TRUE(decode(many).ok()) << decode(many).error;  // odd, but a picture
    for (int i = 0; i < 600; ++i)
        many.insert(many.begin() + static_cast<long>(second), scan.begin(), scan.end());
    EXPECT_EQ(decode(many).error, "broken JPEG (more than 500 scans)");
}
