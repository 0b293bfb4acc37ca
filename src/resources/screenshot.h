#pragma once
// Screenshots of the finished frame, written as screenshotYYYYMMDDhhmmss.EXT
// to the current folder or the folder given.

#include <cstdint>
#include <ctime>
#include <string>

enum ScreenshotFormat : uint8_t {
    ScreenshotTGA = 2,
    ScreenshotJPEG = 3,
    ScreenshotPNG = 4,
};

// Captures the back buffer (width x height, the configured window size) and
// writes it in the given format into `folder` ("" for the current folder). A
// code of 0 or below does nothing.
void TakeScreenshot(int width, int height, int8_t format, const std::string& folder = "");

// "screenshot" followed by the local date and time and the format's
// extension; empty for a code that writes no file.
std::string ScreenshotFileName(const std::tm& localTime, int8_t format);
