#pragma once
// Every clock the game reads, behind one seam: the system clock in the
// program, a simulated clock in tests and in quarn-sim. Whatever measures
// time is handed the clock it reads.

#include <cstdint>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds that advance in steps of 1/64 s (15.625 ms, truncated to
    // whole milliseconds), like the default system tick the game was tuned on.
    virtual uint32_t TickCount() const = 0;
    // High-resolution counter; returns false when there is none.
    virtual bool PerformanceFrequency(int64_t* frequency) const = 0;
    virtual int64_t PerformanceCounter() const = 0;
    // Millisecond clock (the multimedia timer).
    virtual uint32_t MilliTime() const = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// The system's clock. It keeps no state of its own.
Clock& SystemClock();

// Converts a millisecond count to the 1/64 s tick grid of TickCount().
uint32_t TickGranularMilliseconds(uint64_t milliseconds);
