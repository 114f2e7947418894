// Files for tests: small uncompressed PNG images (grey, grey + alpha, RGB or
// RGBA, 8 bits per channel, rows top first) and a scratch working directory.
// No image library is linked, so tests can pair it with SOIL, which carries
// its own stb_image.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace test_files {

inline std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void putChunk(std::vector<std::uint8_t>& out, const char* type,
                     const std::vector<std::uint8_t>& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBigEndian(out, crc32(typed.data(), typed.size()));
}

// PNG bytes for width × height pixels of `channels` bytes each (1 grey,
// 2 grey + alpha, 3 RGB, 4 RGBA), rows top first.
inline std::vector<std::uint8_t> encode(int width, int height, int channels,
                                        const std::vector<std::uint8_t>& pixels) {
    static const std::uint8_t kColourType[5] = {0, 0, 4, 2, 6};
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, kColourType[channels], 0, 0, 0});
    putChunk(out, "IHDR", header);

    // Each row starts with filter type 0 (none).
    std::vector<std::uint8_t> raw;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * channels;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), pixels.begin() + y * rowBytes, pixels.begin() + (y + 1) * rowBytes);
    }
    // zlib stream of stored (uncompressed) deflate blocks.
    std::vector<std::uint8_t> z = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(z, (b << 16) | a);
    putChunk(out, "IDAT", z);
    putChunk(out, "IEND", {});
    return out;
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline void write(const std::string& path, int width, int height, int channels,
                  const std::vector<std::uint8_t>& pixels) {
    writeBytes(path, encode(width, height, channels, pixels));
}

// A new directory of its own under the system's temporary directory, named
// tag followed by a random number; its path with forward slashes.
inline std::string makeTemporaryDirectory(const std::string& tag) {
    std::random_device random;
    for (;;) {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / (tag + std::to_string(random()));
        if (std::filesystem::create_directory(path)) return path.generic_string();
    }
}

// A fresh empty directory made current for the test's lifetime; files the
// program reads by relative name are written into it.
class ScratchDirectory {
  public:
    explicit ScratchDirectory(const std::string& tag) {
        previous_ = std::filesystem::current_path();
        path_ = std::filesystem::temp_directory_path() /
                ("velmora-" + tag + "-" + std::to_string(std::random_device{}()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace test_files
