// Terrain costs: building the 100 × 100 mesh once at start-up, and drawing
// it, the per-frame cost (needs an X display; skipped without one).
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "terrain/terrain.h"

namespace {

std::vector<std::uint8_t> heightmap(unsigned columns, unsigned rows) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(columns) * rows);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 13);
    return pixels;
}

void BM_BuildMesh(benchmark::State& state) {
    const unsigned size = static_cast<unsigned>(state.range(0));
    const std::vector<std::uint8_t> pixels = heightmap(size, size);
    for (auto _ : state) {
        Terrain terrain;
        terrain.buildFromPixels(pixels.data(), pixels.size(), size, size);
        benchmark::DoNotOptimize(terrain.vertices.data());
    }
    state.SetItemsProcessed(state.iterations() * size * size);
}
BENCHMARK(BM_BuildMesh)->Arg(100)->Arg(400);

void BM_DrawMesh(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) {
        state.SkipWithError("no X display");
        return;
    }
    static bool windowMade = false;
    if (!windowMade) {
        int argc = 1;
        char name[] = "terrain-bench";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(640, 360);
        glutCreateWindow("terrain-bench");
        windowMade = true;
    }
    const std::vector<std::uint8_t> pixels = heightmap(100, 100);
    Terrain terrain;
    terrain.buildFromPixels(pixels.data(), pixels.size(), 100, 100);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 16.0 / 9.0, 1.0, 300.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(50.0, 1.8, 50.0, 50.34, 1.8, 49.06, 0.0, 1.0, 0.0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHT0);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        terrain.draw();
        glFinish();
    }
    state.SetLabel("99 strips of 200 indices, lit");
}
BENCHMARK(BM_DrawMesh)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The window and its context go before static destructors run (llvmpipe).
    if (glutGet(GLUT_INIT_STATE)) glutExit();
    return 0;
}
