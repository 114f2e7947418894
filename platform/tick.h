// The program's clock: milliseconds from a monotonic counter as an unsigned
// 32-bit count, as Windows' GetTickCount gives them. It wraps every ~49.7 days:
// take elapsed times as unsigned 32-bit differences (now - then), which stay
// right across the wrap.
#pragma once

#include <cstdint>

using TickSource = std::uint32_t (*)();

std::uint32_t getTickCount();

// Replaces the clock (tests simulate a wrap); nullptr restores the real one.
void setTickSource(TickSource source);

// The milliseconds of a reading of a counter that counts `frequency` times a
// second, as the low 32 bits: what getTickCount makes of the platform's counter.
std::uint32_t millisecondsOfTimer(std::uint64_t value, std::uint64_t frequency);
