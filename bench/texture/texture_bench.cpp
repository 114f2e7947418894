// How long each stage of making a texture takes: decoding the file, the base
// grid (flip and colour range), the mipmap chain, the DXT blocks of every
// level, the whole of makeTextureLevels, and the same made while the file is
// decoded (texture_stream.h), for the bundled scene's largest
// images and for the bundled ground tiled to 4096 x 4096. Each figure is the
// median of a few runs, the best beside it. Prints figures only.
//
//   texture_bench [runs]    (default 5)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "image/image_file.h"
#include "image/texture_flags.h"
#include "image/texture_levels.h"
#include "image/texture_stream.h"
#include "image_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

void report(const char* stage, int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-16s %8.1f ms (best %8.1f)\n", stage, ms[ms.size() / 2], ms.front());
}

void stages(const char* name, const std::vector<std::uint8_t>& file, int runs) {
    const ImageResult decoded = decodeImage(file.data(), file.size(), {});
    if (!decoded.ok()) {
        std::printf("%s: %s\n", name, decoded.error.c_str());
        return;
    }
    const DecodedImage& image = decoded.image;
    std::printf("%s: %d x %d, %d channels, %zu bytes of file\n", name, image.width, image.height,
                image.channels, file.size());
    const TextureTarget target{0, true, true};
    const TexelFormat dxt = image.channels % 2 == 0 ? TexelFormat::Dxt5 : TexelFormat::Dxt1;
    const PixelGrid base = baseGrid(image, true, true);
    const PixelGrid square =
        scaleUp(base, powerOfTwoAtLeast(base.width), powerOfTwoAtLeast(base.height));
    const std::vector<PixelGrid> chain = mipmapChain(square);
    report("decode", runs, [&] { decodeImage(file.data(), file.size(), {}); });
    report("base grid", runs, [&] { baseGrid(image, true, true); });
    if (square.width != base.width || square.height != base.height)
        report("scale up", runs, [&] { scaleUp(base, square.width, square.height); });
    report("mipmaps", runs, [&] { mipmapChain(square); });
    report("DXT level 0", runs, [&] { compressDxt(square, dxt); });
    report("DXT levels 1…", runs, [&] {
        for (const PixelGrid& level : chain) compressDxt(level, dxt);
    });
    report("all levels", runs, [&] { makeTextureLevels(image, kSceneTextureFlags, target); });
    report("file to levels", runs, [&] {
        const ImageResult again = decodeImage(file.data(), file.size(), {});
        makeTextureLevels(again.image, kSceneTextureFlags, target);
    });
    report("... as decoded", runs, [&] {
        TextureLevelsAsDecoded levels(kSceneTextureFlags, target);
        levels.finish(decodeImage(file.data(), file.size(), {}, levels).ok());
    });
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::filesystem::path data = VELMORA_DATA_DIR;
    for (const char* file : {"ground.png", "intro1.png", "sunset/0.jpg"}) {
        const std::vector<std::uint8_t> bytes = test_images::readFile((data / file).string());
        if (bytes.empty()) {
            std::printf("%s missing\n", file);
            continue;
        }
        stages(file, bytes, runs);
    }

    // The bundled ground tiled to 4096 x 4096.
    const int side = 4096;
    const test_images::TiledImage ground =
        test_images::tiledFile((data / "ground.png").string(), side);
    if (ground.pixels.empty()) return 1;
    stages("ground tiled to 4096 x 4096",
           test_images::writePng8(side, side, ground.channels, ground.pixels), runs);
    return 0;
}
