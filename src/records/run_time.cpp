#include "records/run_time.h"

#include <cinttypes>
#include <cstdio>

uint64_t StepMilliseconds(uint64_t steps) {
    return steps * 1000 / kStepsPerSecond;
}

std::string FormatStepTime(uint64_t steps) {
    const uint64_t milliseconds = StepMilliseconds(steps);
    char text[48];
    std::snprintf(text, sizeof text, "%" PRIu64 ":%" PRIu64 ":%03" PRIu64, milliseconds / 60000,
                  milliseconds / 1000 % 60, milliseconds % 1000);
    return text;
}

std::string FormatStepDifference(int64_t steps) {
    const uint64_t size =
        steps < 0 ? 0 - static_cast<uint64_t>(steps) : static_cast<uint64_t>(steps);
    return (steps < 0 ? "-" : "+") + FormatStepTime(size);
}
