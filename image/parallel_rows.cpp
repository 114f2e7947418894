#include "image/parallel_rows.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace {

// About 0.2 ms of copying, a few times what starting and joining a thread
// costs on a busy machine: below it a second thread does not pay.
constexpr std::size_t kBytesWorthAThread = 2 * 1024 * 1024;

}  // namespace

void forRowRanges(int rows, std::size_t bytesPerRow, const std::function<void(int, int)>& work) {
    if (rows <= 0) return;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t total = bytesPerRow * static_cast<std::size_t>(rows);
    const int parts = static_cast<int>(
        std::min<std::size_t>({cores, static_cast<std::size_t>(rows),
                               std::max<std::size_t>(1, total / kBytesWorthAThread)}));
    if (parts <= 1) {
        work(0, rows);
        return;
    }
    std::vector<std::thread> helpers;
    int started = 1;  // parts handed out: part 0 is this thread's
    try {
        helpers.reserve(static_cast<std::size_t>(parts - 1));
        for (; started < parts; ++started)
            helpers.emplace_back(work, rows * started / parts, rows * (started + 1) / parts);
    } catch (const std::exception&) {
        // No memory or no thread to be had: the parts not handed out are
        // done here, after this thread's own.
    }
    work(0, rows / parts);
    if (started < parts) work(rows * started / parts, rows);
    for (std::thread& t : helpers) t.join();
}
