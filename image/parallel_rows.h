// Splitting a pass over rows between the machine's cores. The calling thread
// takes a share; the others run on threads that end before this returns.
#pragma once

#include <cstddef>
#include <functional>

// Calls work(first, end) on disjoint row ranges that together cover
// [0, rows), and returns when all have run. A small pass (bytesPerRow × rows
// under a couple of MiB) runs on the calling thread alone, since starting a
// thread would cost more than it saves. A part whose thread cannot be
// started (no memory, no thread left) is done on the calling thread. work
// must not throw: it runs on those threads' entry.
void forRowRanges(int rows, std::size_t bytesPerRow, const std::function<void(int, int)>& work);
