#pragma once
// A run's time counted in simulation steps, which do not depend on the frame
// rate or the machine, and its text as minutes, seconds and milliseconds.

#include <cstdint>
#include <string>

constexpr uint32_t kStepsPerSecond = 320;

// One point of a run: a checkpoint first reached, or the level's end.
struct Split {
    int32_t checkpoint = 0;  // the checkpoint's number; kEndSplit for the end
    uint32_t step = 0;       // run steps up to and including the one that reached it
};
constexpr int32_t kEndSplit = INT32_MIN;

// Whole milliseconds of `steps` (3.125 ms each), rounded down.
uint64_t StepMilliseconds(uint64_t steps);
// "m:s:ms", milliseconds in three digits: 4160 steps is "0:13:000".
std::string FormatStepTime(uint64_t steps);
// The difference `steps` as "-0:0:250" (faster) or "+0:1:120" (slower, or equal).
std::string FormatStepDifference(int64_t steps);
