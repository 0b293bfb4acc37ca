#pragma once
// One line of text rendered into an 8-bit coverage bitmap, for pictures that
// are drawn by program rather than on screen (the menu sheets).

#include <cstdint>
#include <string>
#include <vector>

struct TextBitmap {
    int width = 0;
    int height = 0;
    int baseline = 0;               // rows from the top row down to the baseline
    std::vector<uint8_t> coverage;  // width x height, top row first, 0 empty, 255 covered
};

// Renders `text` (UTF-8) anti-aliased with an em size of pixelHeight pixels;
// horizontalScale below 1 narrows the glyphs, above 1 widens them. The bitmap
// spans the font's ascender to descender and the inked width of the line.
// Returns false when the font cannot be loaded or a character cannot be drawn.
bool RasterizeTextLine(const std::string& fontFile, int pixelHeight, double horizontalScale,
                       const std::string& text, TextBitmap& bitmap);
