#pragma once
// The system's counters (SDL's), read directly; core/clock.h wraps them in
// the Clock the game is handed.

#include <cstdint>

// Milliseconds since the counters started.
uint64_t PlatformMilliseconds();
// Counts per second of the high-resolution counter; 0 when there is none.
uint64_t PlatformPerformanceFrequency();
uint64_t PlatformPerformanceCounter();
void PlatformDelay(uint32_t milliseconds);
