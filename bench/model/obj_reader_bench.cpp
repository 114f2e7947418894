// Reads a generated OBJ file of about a million triangles, with texture
// coordinates and normals, and prints the time and throughput of: merely
// reading the file into memory (the floor, with fread; and with an ifstream),
// our reader, the part of it that only files the records, and tinyobjloader.
// Each figure is the median of a few runs on a warm page cache, with the best
// run beside it.
//
//   obj_reader_bench [runs] [grid side]    (defaults: 5 runs, 708: 1,000,000 triangles)
#include <tiny_obj_loader.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/obj_model.h"
#include "model/obj_reader.h"

namespace {

using Clock = std::chrono::steady_clock;

// A gently rolling grid of side x side vertices, two triangles per cell, each
// corner written i/j/k as exporters do; vt and vn per vertex, a few groups.
std::string writeGrid(int side) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("velmora_bench_" + std::to_string(getpid()) + ".obj"))
                                 .string();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    std::mt19937 random(42);
    std::uniform_real_distribution<double> bump(-0.5, 0.5);
    std::fprintf(out, "# generated for obj_reader_bench\no grid\n");
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            std::fprintf(out, "v %.6f %.6f %.6f\n", c * 0.25, bump(random), r * 0.25);
        }
    }
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            std::fprintf(out, "vt %.6f %.6f\n", c / double(side), r / double(side));
        }
    }
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const double x = bump(random) * 0.2, z = bump(random) * 0.2;
            std::fprintf(out, "vn %.6f %.6f %.6f\n", x, 1.0, z);
        }
    }
    for (int r = 0; r + 1 < side; ++r) {
        if (r % (side / 4 + 1) == 0) std::fprintf(out, "g band%d\ns 1\n", r / (side / 4 + 1));
        for (int c = 0; c + 1 < side; ++c) {
            const int a = r * side + c + 1, b = a + 1, d = a + side, e = d + 1;
            std::fprintf(out, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, d, d, d, b, b, b);
            std::fprintf(out, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", b, b, b, d, d, d, e, e, e);
        }
    }
    std::fclose(out);
    return path;
}

double elapsedMs(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// work() times its own read and returns the milliseconds, so that building
// and freeing what it read stays out of the figure.
struct Timing {
    double median = 0.0;
    double best = 0.0;
};

Timing timeRuns(int runs, const std::function<double(void)>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(work());
    std::sort(times.begin(), times.end());
    return Timing{times[times.size() / 2], times.front()};
}

void report(const char* what, const Timing& t, double bytes, const Timing& floor) {
    std::printf("%-36s %8.1f ms %7.1f MB/s %6.2fx floor   (best %7.1f ms, %5.2fx)\n", what,
                t.median, bytes / 1e6 / (t.median / 1e3), t.median / floor.median, t.best,
                t.best / floor.best);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int side = argc > 2 ? std::max(2, std::atoi(argv[2])) : 708;
    const std::string path = writeGrid(side);
    std::ifstream probe(path, std::ios::binary | std::ios::ate);
    const double bytes = static_cast<double>(probe.tellg());
    probe.close();
    std::printf("%s: %.1f MB, %d vertices, %d triangles, %d runs each (median)\n", path.c_str(),
                bytes / 1e6, side * side, 2 * (side - 1) * (side - 1), runs);

    size_t sink = 0;
    const Timing floorTime = timeRuns(runs, [&] {
        const auto start = Clock::now();
        std::FILE* in = std::fopen(path.c_str(), "rb");
        std::string text(static_cast<size_t>(bytes), '\0');
        sink += std::fread(text.data(), 1, text.size(), in);
        std::fclose(in);
        return elapsedMs(start);
    });
    report("read into memory (floor)", floorTime, bytes, floorTime);

    const Timing streamTime = timeRuns(runs, [&] {
        const auto start = Clock::now();
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        sink += text.str().size();
        return elapsedMs(start);
    });
    report("read into memory via ifstream", streamTime, bytes, floorTime);

    const Timing oursTime = timeRuns(runs, [&] {
        ObjModel model;
        const auto start = Clock::now();
        loadObjModel(path, model);
        const double ms = elapsedMs(start);
        sink += static_cast<size_t>(model.triangleCount);
        return ms;
    });
    report("loadObjModel", oursTime, bytes, floorTime);

    // The part of that which no parser can save: filing the same records,
    // in the same lists, through the model's own operations.
    ObjModel parsed;
    loadObjModel(path, parsed);
    std::vector<std::vector<std::string>> groupsOfFace(parsed.faces.size());
    for (const auto& group : parsed.groups) {
        for (int f : group.second.faceIndices) groupsOfFace[f].push_back(group.first);
    }
    const Timing filingTime = timeRuns(runs, [&] {
        ObjModel model;
        const auto start = Clock::now();
        model.vertices.reserve(parsed.vertices.size());
        model.normals.reserve(parsed.normals.size());
        model.texCoords.reserve(parsed.texCoords.size());
        model.faces.reserve(parsed.faces.size());
        model.triangles.reserve(parsed.faces.size());
        for (const Vector3& v : parsed.vertices) model.addVertex(v);
        for (const Vector3& n : parsed.normals) model.addNormal(n);
        for (const TexCoord& t : parsed.texCoords) model.addTexCoord(t);
        for (size_t f = 0; f < parsed.faces.size(); ++f)
            model.addFace(parsed.faces[f], groupsOfFace[f]);
        const double ms = elapsedMs(start);
        sink += static_cast<size_t>(model.triangleCount);
        return ms;
    });
    report("  of which filing the records alone", filingTime, bytes, floorTime);

    const Timing tinyTime = timeRuns(runs, [&] {
        tinyobj::ObjReaderConfig config;
        config.triangulate = false;
        tinyobj::ObjReader reader;
        const auto start = Clock::now();
        reader.ParseFromFile(path, config);
        const double ms = elapsedMs(start);
        sink += reader.GetShapes().size();
        return ms;
    });
    report("tinyobjloader", tinyTime, bytes, floorTime);

    std::remove(path.c_str());
    return sink == 0 ? 1 : 0;
}
