#include "resources/screenshot.h"

#include <gtest/gtest.h>

namespace {

std::tm LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST(ScreenshotFileName, DateAndTimeAreZeroPaddedBeforeTheExtension) {
    const std::tm morning = LocalTime(2026, 12, 6, 9, 30, 15);
    EXPECT_EQ(ScreenshotFileName(morning, ScreenshotPNG), "screenshot20261206093015.png");
    EXPECT_EQ(ScreenshotFileName(morning, ScreenshotJPEG), "screenshot20261206093015.jpg");
    EXPECT_EQ(ScreenshotFileName(morning, ScreenshotTGA), "screenshot20261206093015.tga");
    const std::tm lateNight = LocalTime(2027, 1, 31, 23, 5, 0);
    EXPECT_EQ(ScreenshotFileName(lateNight, ScreenshotPNG), "screenshot20270131230500.png");
    for (int8_t format : {-1, 0, 1, 5, 127})
        EXPECT_EQ(ScreenshotFileName(morning, format), "") << int{format};
}

}  // namespace
