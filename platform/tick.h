// Milliseconds from a monotonic clock as an unsigned 32-bit count, in place of
// GetTickCount. It wraps every ~49.7 days: take elapsed times as unsigned
// 32-bit differences (now - then), which stay right across the wrap.
#pragma once

#include <cstdint>

using TickSource = std::uint32_t (*)();

std::uint32_t getTickCount();

// Replaces the clock (tests simulate a wrap); nullptr restores the real one.
void setTickSource(TickSource source);
