#include "platform/bitmap_font.h"

#include <gtest/gtest.h>

namespace {

TEST(BitmapFontTest, CodesAbove127FollowWindows1252) {
    EXPECT_EQ(Windows1252ToUnicode('A'), 0x41u);
    EXPECT_EQ(Windows1252ToUnicode(0x80), 0x20ACu);  // euro sign
    EXPECT_EQ(Windows1252ToUnicode(0x85), 0x2026u);  // ellipsis
    EXPECT_EQ(Windows1252ToUnicode(0x9F), 0x0178u);  // Y with diaeresis
    EXPECT_EQ(Windows1252ToUnicode(0x81), 0u);       // a gap of the code page
    EXPECT_EQ(Windows1252ToUnicode(0x9D), 0u);
    EXPECT_EQ(Windows1252ToUnicode(0xA0), 0xA0u);
    EXPECT_EQ(Windows1252ToUnicode(0xE9), 0xE9u);  // e acute
    EXPECT_EQ(Windows1252ToUnicode(0xFE), 0xFEu);
}

TEST(BitmapFontTest, FindsLiberationSansBoldWhenInstalled) {
    const std::string file = FindBoldSansFontFile();
    ASSERT_FALSE(file.empty()) << "fonts-liberation2 is one of the packages the set-up installs";
    EXPECT_NE(file.find("LiberationSans-Bold.ttf"), std::string::npos);
}

}  // namespace
