// Time from launching the real program to its first drawn frame, on a private
// 1920x1080 Xvfb screen: the window's centre pixel changes from the empty
// window's black when the first frame is swapped in. Prints figures only.
#include <chrono>
#include <cstdio>

#include "harness.h"

int main() {
    using Clock = std::chrono::steady_clock;
    XvfbScreen screen(1920, 1080);
    if (!screen.ok()) {
        std::fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    for (int run = 0; run < 3; ++run) {
        const auto launch = Clock::now();
        Program velmora(screen, {"--windowed"});
        if (!velmora.waitForWindow(30.0)) {
            std::fprintf(stderr, "no window\n");
            return 1;
        }
        const std::chrono::duration<double, std::milli> mapped = Clock::now() - launch;
        waitUntil([&] { return velmora.centrePixel() != 0; }, 30.0, 0.002);
        const std::chrono::duration<double, std::milli> drawn = Clock::now() - launch;
        std::printf("run %d: window mapped after %4.0f ms, first frame after %4.0f ms\n", run,
                    mapped.count(), drawn.count());
    }
    return 0;
}
