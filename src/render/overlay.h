#pragma once
// The 2D overlay drawn over the finished 3D frame: green bitmap text placed
// in window pixels, and textured quads on a virtual screen of 800 x 600
// units, origin top-left, y down. Each operation sets up its own projection
// and puts the matrices back. The overlay owns the font's display lists.

#include <cstdint>
#include <string>

constexpr int kVirtualScreenWidth = 800;
constexpr int kVirtualScreenHeight = 600;

// Text is formatted into a buffer of this size: longer output is cut at 255 characters.
constexpr int kOverlayTextBufferBytes = 256;

// A screen fraction (0 = left or top edge, 1 = right or bottom edge) as a
// virtual-screen coordinate: the single-precision fraction times the extent,
// formed in double precision and truncated toward zero (0.16 of 600 is 95,
// since the float nearest 0.16 lies just below it).
inline int VirtualScreenCoordinate(float fraction, int extent) {
    return static_cast<int>(static_cast<double>(fraction) * extent);
}

class Overlay {
public:
    // Builds the bitmap font: 255 display lists (codes 0-254) from FreeType
    // renderings of a 12-pixel bold sans. Needs a current GL context; without
    // a font file the lists stay empty and text is blank.
    void BuildFont();
    // Deletes the font's lists; the context must still be current.
    void FreeFont();
    // Base display-list number of the font, 0 without one.
    uint32_t FontBase() const { return fontBase_; }
    // Text is placed from the top of a window this tall (the configured height).
    void SetWindowHeight(int height) { windowHeight_ = height; }
    // The size of the drawable the text lands on (the window's client size).
    void SetDrawableSize(int width, int height) {
        drawableWidth_ = width;
        drawableHeight_ = height;
    }

    // The colour PrintText writes in; green until changed.
    void SetTextColor(float red, float green, float blue) {
        textColor_[0] = red;
        textColor_[1] = green;
        textColor_[2] = blue;
    }
    int PrintText(int x, int y, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;
    int DrawSheetTitle(float left, float top, float right, float bottom, uint32_t texture);
    int DrawSheetCell(int row, bool highlighted, float left, float top, float right, float bottom,
                      uint32_t texture);
    int DrawImage(int x, int y, int width, int height, uint32_t texture);
    int DrawFullScreenImage(uint32_t texture);

private:
    // Where a glyph lies in the glyph texture and how the font's lists place it.
    struct Glyph {
        bool present = false;
        int x = 0, y = 0, width = 0, height = 0;
        float xorig = 0.0f, yorig = 0.0f, advance = 0.0f;
    };

    // The same glyphs as the lists, in one texture: a line of text is then one
    // draw instead of one bitmap per character.
    void BuildGlyphTexture(const std::string& fontFile);
    void DrawGlyphLine(float rasterX, float rasterY, const char* text) const;

    uint32_t fontBase_ = 0;
    int windowHeight_ = 480;
    int drawableWidth_ = 0;
    int drawableHeight_ = 0;
    uint32_t glyphTexture_ = 0;
    int glyphTextureWidth_ = 1;
    int glyphTextureHeight_ = 1;
    Glyph glyphs_[256];
    float textColor_[3] = {0.0f, 1.0f, 0.0f};
};
