#include "platform/text_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace {

struct FreeTypeLibrary {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~FreeTypeLibrary() {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }
};

struct PlacedGlyph {
    int left = 0;  // pixel column of the bitmap's left edge, from the pen origin
    int top = 0;   // rows above the baseline
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage;
};

// Decodes UTF-8 into code points; a malformed byte is taken as Latin-1.
std::vector<uint32_t> CodePoints(const std::string& text) {
    std::vector<uint32_t> points;
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = static_cast<uint8_t>(text[i]);
        int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (i + extra >= text.size())
            extra = 0;
        uint32_t point = extra ? lead & (0x3F >> extra) : lead;
        for (int k = 1; k <= extra; ++k)
            point = (point << 6) | (static_cast<uint8_t>(text[i + k]) & 0x3F);
        points.push_back(point);
        i += 1 + extra;
    }
    return points;
}

// Renders one glyph at the pen position; the pen's fraction of a pixel goes
// into the transform so letters sit at their exact advances.
bool RenderGlyph(FT_Face face, FT_Matrix matrix, uint32_t point, FT_Pos penX, PlacedGlyph& glyph,
                 FT_Pos& advance) {
    FT_Vector delta = {penX & 63, 0};
    FT_Set_Transform(face, &matrix, &delta);
    const FT_UInt index = FT_Get_Char_Index(face, point);
    if ((index == 0 && point != ' ') || FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& source = slot->bitmap;
    if (source.rows > 0 && source.pixel_mode != FT_PIXEL_MODE_GRAY)
        return false;
    glyph.left = static_cast<int>(penX >> 6) + slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(source.width);
    glyph.rows = static_cast<int>(source.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    for (int row = 0; row < glyph.rows; ++row)
        std::copy_n(source.buffer + row * source.pitch, glyph.width,
                    glyph.coverage.begin() + static_cast<size_t>(row) * glyph.width);
    advance = slot->advance.x;
    return true;
}

}  // namespace

bool RasterizeTextLine(const std::string& fontFile, int pixelHeight, double horizontalScale,
                       const std::string& text, TextBitmap& bitmap) {
    bitmap = TextBitmap{};
    FreeTypeLibrary ft;
    if (pixelHeight <= 0 || horizontalScale <= 0.0 || FT_Init_FreeType(&ft.library) != 0 ||
        FT_New_Face(ft.library, fontFile.c_str(), 0, &ft.face) != 0 ||
        FT_Set_Pixel_Sizes(ft.face, 0, static_cast<FT_UInt>(pixelHeight)) != 0)
        return false;
    FT_Matrix matrix = {static_cast<FT_Fixed>(std::lround(horizontalScale * 0x10000)), 0, 0,
                        0x10000};

    std::vector<PlacedGlyph> glyphs;
    FT_Pos penX = 0;
    FT_UInt previous = 0;
    for (uint32_t point : CodePoints(text)) {
        const FT_UInt index = FT_Get_Char_Index(ft.face, point);
        if (previous && index && FT_HAS_KERNING(ft.face)) {
            FT_Vector kerning = {0, 0};
            FT_Get_Kerning(ft.face, previous, index, FT_KERNING_UNFITTED, &kerning);
            penX += static_cast<FT_Pos>(std::lround(kerning.x * horizontalScale));
        }
        PlacedGlyph glyph;
        FT_Pos advance = 0;
        if (!RenderGlyph(ft.face, matrix, point, penX, glyph, advance))
            return false;
        glyphs.push_back(std::move(glyph));
        penX += advance;
        previous = index;
    }

    const int ascender = static_cast<int>((ft.face->size->metrics.ascender + 63) >> 6);
    const int descender = static_cast<int>((-ft.face->size->metrics.descender + 63) >> 6);
    int minX = 0;
    int maxX = static_cast<int>((penX + 63) >> 6);
    for (const PlacedGlyph& glyph : glyphs) {
        if (glyph.width == 0)
            continue;
        minX = std::min(minX, glyph.left);
        maxX = std::max(maxX, glyph.left + glyph.width);
    }
    bitmap.width = maxX - minX;
    bitmap.height = ascender + descender;
    bitmap.baseline = ascender;
    bitmap.coverage.assign(static_cast<size_t>(bitmap.width) * bitmap.height, 0);
    for (const PlacedGlyph& glyph : glyphs) {
        for (int row = 0; row < glyph.rows; ++row) {
            const int y = bitmap.baseline - glyph.top + row;
            if (y < 0 || y >= bitmap.height)
                continue;
            for (int column = 0; column < glyph.width; ++column) {
                uint8_t& target = bitmap.coverage[static_cast<size_t>(y) * bitmap.width +
                                                  (glyph.left - minX + column)];
                const int sum =
                    target + glyph.coverage[static_cast<size_t>(row) * glyph.width + column];
                target = static_cast<uint8_t>(std::min(sum, 255));
            }
        }
    }
    return true;
}
