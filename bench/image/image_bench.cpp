// Decoding figures: each bundled image with our decoder and with SOIL's, from
// memory; a 4096 x 4096 ground; and how long a broken file takes to fail
// (truncated, wrong CRC, a bomb's header, a truncated progressive JPEG).
// Each figure is the median of a few runs, the best beside it. Prints
// figures only. Links SOIL (for SOIL_load_image_from_memory) and so no stb.
//
//   image_bench [runs]    (default 7)
#include <SOIL/SOIL.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "image/image_file.h"
#include "image/image_loader.h"
#include "image_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
    double median = 0.0;  // ms
    double best = 0.0;    // ms
};

Timing time(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

void ours(const std::vector<std::uint8_t>& bytes, bool* ok = nullptr) {
    const ImageResult r = decodeImage(bytes.data(), bytes.size(), {});
    if (ok != nullptr) *ok = r.ok();
}

bool soil(const std::vector<std::uint8_t>& bytes) {
    int w = 0, h = 0, c = 0;
    unsigned char* p = SOIL_load_image_from_memory(bytes.data(), static_cast<int>(bytes.size()), &w,
                                                   &h, &c, SOIL_LOAD_AUTO);
    if (p == nullptr) return false;
    SOIL_free_image_data(p);
    return true;
}

void row(const char* name, std::size_t bytes, const Timing& a, const char* bText, const Timing* b) {
    std::printf("%-34s %9zu B  ours %8.2f ms (best %8.2f)", name, bytes, a.median, a.best);
    if (b != nullptr)
        std::printf("   SOIL %8.2f ms (best %8.2f)", b->median, b->best);
    else if (bText != nullptr)
        std::printf("   SOIL %s", bText);
    std::printf("\n");
}

void compareBoth(const char* name, const std::vector<std::uint8_t>& bytes, int runs) {
    const Timing a = time(runs, [&] { ours(bytes); });
    if (soil(bytes)) {
        const Timing b = time(runs, [&] { soil(bytes); });
        row(name, bytes.size(), a, nullptr, &b);
    } else {
        row(name, bytes.size(), a, "cannot read it", nullptr);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::filesystem::path data = VELMORA_DATA_DIR;

    std::printf("bundled images (%s), decoded from memory:\n", data.c_str());
    for (const char* file :
         {"heightmap.png", "ground.png", "stone.png", "sarsen.png", "bluestone.png", "intro1.png",
          "help.png", "outro1.png", "cloudy/0.jpg", "sunset/0.jpg"}) {
        const std::vector<std::uint8_t> bytes = test_images::readFile((data / file).string());
        if (bytes.empty()) {
            std::printf("%-34s missing\n", file);
            continue;
        }
        compareBoth(file, bytes, runs);
    }

    // The bundled ground tiled to 4096 x 4096, as PNG and as progressive JPEG.
    const int side = 4096;
    const test_images::TiledImage ground =
        test_images::tiledFile((data / "ground.png").string(), side);
    if (ground.pixels.empty()) {
        std::printf("no bundled ground\n");
        return 1;
    }
    const std::vector<std::uint8_t> bigPng =
        test_images::writePng8(side, side, ground.channels, ground.pixels);
    std::printf("\nlarge images:\n");
    compareBoth("ground 4096 x 4096 PNG", bigPng, runs);
    test_images::JpegSpec spec;
    spec.width = side;
    spec.height = side;
    spec.kind = ground.channels == 1 ? test_images::JpegKind::Grey : test_images::JpegKind::Colour;
    spec.samples = ground.pixels;
    spec.quality = 90;
    const std::vector<std::uint8_t> bigJpeg = test_images::writeJpeg(spec);
    compareBoth("ground 4096 x 4096 baseline JPEG", bigJpeg, runs);
    spec.progressive = true;
    const std::vector<std::uint8_t> bigProgressive = test_images::writeJpeg(spec);
    compareBoth("ground 4096 x 4096 progressive JPEG", bigProgressive, runs);

    // Broken files: time to the failure.
    std::printf("\nbroken files, time to fail:\n");
    auto failing = [&](const char* name, const std::vector<std::uint8_t>& bytes) {
        bool ok = true;
        const Timing a = time(runs, [&] { ours(bytes, &ok); });
        row(name, bytes.size(), a, ok ? "(ours loaded it!)" : nullptr, nullptr);
    };
    failing("4096 PNG cut in half", {bigPng.begin(), bigPng.begin() + bigPng.size() / 2});
    failing("4096 PNG cut to 4 KB", {bigPng.begin(), bigPng.begin() + 4096});
    std::vector<std::uint8_t> badCrc = bigPng;
    badCrc[badCrc.size() - 13] ^= 1;  // the last IDAT chunk's CRC (IEND is the last 12 bytes)
    failing("4096 PNG, last CRC wrong", badCrc);
    std::vector<std::uint8_t> bomb = test_images::writePng8(1, 1, 1, {0});
    // IHDR says 8000 x 8000 (within the pixel limit); the CRC is not fixed,
    // so this is refused from the header, before libpng would find it.
    for (int i = 0; i < 4; ++i) {
        bomb[16 + i] = static_cast<std::uint8_t>(8000 >> (24 - 8 * i));
        bomb[20 + i] = static_cast<std::uint8_t>(8000 >> (24 - 8 * i));
    }
    failing("PNG header claiming 8000 x 8000", bomb);
    for (int i = 0; i < 4; ++i) {
        bomb[16 + i] = static_cast<std::uint8_t>(30000 >> (24 - 8 * i));
        bomb[20 + i] = static_cast<std::uint8_t>(30000 >> (24 - 8 * i));
    }
    failing("PNG header claiming 30000 x 30000", bomb);
    failing("4096 progressive JPEG cut in half",
            {bigProgressive.begin(), bigProgressive.begin() + bigProgressive.size() / 2});
    failing("4096 baseline JPEG cut in half",
            {bigJpeg.begin(), bigJpeg.begin() + bigJpeg.size() / 2});

    // What a broken stone.png costs each frame once it has been reported: the
    // loader looks at the file's size and time and decodes nothing.
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() /
                                          ("velmora-image-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(scratch);
    const std::string stone = (scratch / "stone.png").string();
    test_images::writeFile(stone, {bigPng.begin(), bigPng.begin() + bigPng.size() / 2});
    std::ostringstream report;
    ImageLoader loader(report);
    loader.load(stone, {}, "the stone is drawn without it");
    const int frames = 1000;
    const Timing retry = time(runs, [&] {
        for (int i = 0; i < frames; ++i) loader.load(stone, {}, "the stone is drawn without it");
    });
    const std::string lines = report.str();
    std::printf(
        "\na broken 4096 stone.png tried again each frame: %.2f us a frame (best %.2f), "
        "%d line(s) reported\n",
        retry.median * 1000.0 / frames, retry.best * 1000.0 / frames,
        static_cast<int>(std::count(lines.begin(), lines.end(), '\n')));
    std::filesystem::remove_all(scratch);
    return 0;
}
