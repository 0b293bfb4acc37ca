#include "platform/text_raster.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/bitmap_font.h"

namespace {

int InkedColumns(const TextBitmap& text) {
    int columns = 0;
    for (int x = 0; x < text.width; ++x) {
        bool inked = false;
        for (int y = 0; y < text.height; ++y)
            inked = inked || text.coverage[static_cast<size_t>(y) * text.width + x] > 128;
        columns += inked;
    }
    return columns;
}

TEST(TextRasterTest, RendersALineBetweenAscenderAndDescenderAndNarrowsOnRequest) {
    const std::string font = FindBoldSansFontFile();
    ASSERT_FALSE(font.empty()) << "fonts-liberation2 is one of the packages the set-up installs";

    TextBitmap wide;
    ASSERT_TRUE(RasterizeTextLine(font, 40, 1.0, "Quit", wide));
    ASSERT_EQ(wide.coverage.size(), static_cast<size_t>(wide.width) * wide.height);
    EXPECT_GE(wide.height, 40);
    EXPECT_LE(wide.height, 50);
    EXPECT_GT(wide.baseline, wide.height / 2);
    EXPECT_EQ(*std::max_element(wide.coverage.begin(), wide.coverage.end()), 255);
    // Bold letters of an em of 40: "Quit" is about 70 pixels wide.
    EXPECT_GT(wide.width, 50);
    EXPECT_LT(wide.width, 100);
    // The "Q" tail hangs below the baseline; nothing is drawn above the cap line's ascender.
    bool belowBaseline = false;
    for (int y = wide.baseline + 1; y < wide.height; ++y)
        for (int x = 0; x < wide.width; ++x)
            belowBaseline = belowBaseline || wide.coverage[static_cast<size_t>(y) * wide.width + x];
    EXPECT_TRUE(belowBaseline);

    TextBitmap narrow;
    ASSERT_TRUE(RasterizeTextLine(font, 40, 0.5, "Quit", narrow));
    EXPECT_EQ(narrow.height, wide.height);
    EXPECT_NEAR(static_cast<double>(InkedColumns(narrow)) / InkedColumns(wide), 0.5, 0.1);

    TextBitmap empty;
    ASSERT_TRUE(RasterizeTextLine(font, 40, 1.0, "", empty));
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, wide.height);
}

TEST(TextRasterTest, AMissingFontOrBadSizeFailsWithAnEmptyBitmap) {
    TextBitmap text;
    text.width = 3;
    EXPECT_FALSE(RasterizeTextLine("/nonexistent/font.ttf", 20, 1.0, "Quit", text));
    EXPECT_EQ(text.width, 0);
    EXPECT_TRUE(text.coverage.empty());
    const std::string font = FindBoldSansFontFile();
    ASSERT_FALSE(font.empty());
    EXPECT_FALSE(RasterizeTextLine(font, 0, 1.0, "Quit", text));
    EXPECT_FALSE(RasterizeTextLine(font, 20, 0.0, "Quit", text));
}

}  // namespace
