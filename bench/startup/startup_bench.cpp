// Time from launching the real program to its first drawn frame, on a private
// 1920x1080 Xvfb screen: the window's centre pixel changes from the empty
// window's black when the first frame is swapped in. Prints figures only.
//
//   startup_bench [--runs N] [--ground SIDE] [PROGRAM ...]
//
// Each PROGRAM (default: this build's) is launched N times (default 3), in
// turn, so that builds compared in one run share the machine's load. With
// --ground, the bundled scene is copied and its ground.png replaced by a
// SIDE x SIDE one, the bundled image tiled. The floor, a bare window of the
// same size that makes one DXT texture and draws one textured quad
// (bare_window), runs in the same turns, and each program's median is also
// given as a multiple of the floor's.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "image/image_file.h"
#include "image_writer.h"

namespace fs = std::filesystem;

namespace {

// A copy of the bundled scene whose ground.png is side × side pixels.
std::string sceneWithGround(int side) {
    const fs::path dir =
        fs::temp_directory_path() / ("velmora-startup-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::copy(dataDirectory(), dir, fs::copy_options::recursive);
    const test_images::TiledImage ground =
        test_images::tiledFile((dir / "ground.png").string(), side);
    if (ground.pixels.empty()) return {};
    test_images::writeFile((dir / "ground.png").string(),
                           test_images::writePng8(side, side, ground.channels, ground.pixels));
    return dir.string();
}

}  // namespace

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    int runs = 3;
    int groundSide = 0;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (a == "--ground" && i + 1 < argc) {
            groundSide = std::atoi(argv[++i]);
        } else {
            programs.push_back(a);
        }
    }
    if (programs.empty()) programs.push_back(programPath());
    programs.push_back(BARE_WINDOW_BINARY);
    const std::size_t floor = programs.size() - 1;

    std::string data = dataDirectory();
    if (groundSide > 0) {
        data = sceneWithGround(groundSide);
        if (data.empty()) {
            std::fprintf(stderr, "cannot make the %d x %d ground\n", groundSide, groundSide);
            return 1;
        }
        std::printf("scene with a %d x %d ground.png: %s\n", groundSide, groundSide, data.c_str());
    }

    XvfbScreen screen(1920, 1080);
    if (!screen.ok()) {
        std::fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    std::vector<std::vector<double>> firstFrame(programs.size());
    // CPU time the process had used by its first frame: less at the mercy of
    // other load on the machine than the wall-clock figure.
    std::vector<std::vector<double>> cpu(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            setenv("VELMORA_PROGRAM", programs[p].c_str(), 1);
            const auto launch = Clock::now();
            Program velmora(screen, {"--windowed", "--data", data});
            if (!velmora.waitForWindow(60.0)) {
                std::fprintf(stderr, "%s: no window\n", programs[p].c_str());
                return 1;
            }
            const std::chrono::duration<double, std::milli> mapped = Clock::now() - launch;
            waitUntil([&] { return velmora.centrePixel() != 0; }, 60.0, 0.002);
            const std::chrono::duration<double, std::milli> drawn = Clock::now() - launch;
            const double cpuMs = velmora.cpuSeconds() * 1000.0;
            firstFrame[p].push_back(drawn.count());
            cpu[p].push_back(cpuMs);
            std::printf(
                "run %d, program %zu: window mapped after %4.0f ms, first frame after %4.0f ms "
                "(%4.0f ms CPU)\n",
                run, p, mapped.count(), drawn.count(), cpuMs);
        }
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const auto best = [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    };
    const double floorMedian = median(firstFrame[floor]);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::printf(
            "%s %zu (%s): first frame median %4.0f ms (%.2fx the floor), best %4.0f ms; CPU "
            "median %4.0f ms, best %4.0f ms\n",
            p == floor ? "floor" : "program", p, programs[p].c_str(), median(firstFrame[p]),
            median(firstFrame[p]) / floorMedian, best(firstFrame[p]), median(cpu[p]), best(cpu[p]));
    }
    if (groundSide > 0) fs::remove_all(data);
    return 0;
}
