#pragma once
// Screenshots of the finished frame, written to the current folder as
// screenshotYYYYMMDDhhmmss.EXT.

#include <cstdint>

enum ScreenshotFormat : uint8_t {
    ScreenshotTGA = 2,
    ScreenshotJPEG = 3,
    ScreenshotPNG = 4,
};

// Captures the back buffer (width x height, the configured window size) and
// writes it in the given format. A code of 0 or below does nothing.
void TakeScreenshot(int width, int height, int8_t format);
