#pragma once
// The bitmap font of the on-screen text: one GL display list per character
// code, each drawing the glyph with glBitmap and moving the raster position by
// its advance, and the same glyphs gathered in one picture for drawing a line
// of text as textured quads. Glyphs come from FreeType; codes 128-254 are
// Windows-1252.

#include <cstdint>
#include <string>
#include <vector>

// The path of Liberation Sans Bold (Arial's metrics), or "" when not installed.
std::string FindBoldSansFontFile();

// The Unicode character of a Windows-1252 code, 0 where the code page has none.
uint32_t Windows1252ToUnicode(uint8_t code);

// Compiles the glyphs of codes firstCode .. firstCode + count - 1 into the
// lists listBase .. listBase + count - 1, with a cell height of pixelHeight.
// Codes without a glyph (controls, gaps of the code page) get empty lists.
// Returns false, leaving every list empty, when the font cannot be loaded.
// Needs a current GL context.
bool BuildBitmapFontLists(const std::string& fontFile, int pixelHeight, uint32_t listBase,
                          int firstCode, int count);

// One glyph of the atlas: where its bitmap lies and how glBitmap places it.
struct AtlasGlyph {
    bool present = false;  // false: the code has no glyph and draws nothing
    int x = 0, y = 0;      // the bitmap's lower-left texel in the atlas
    int width = 0, height = 0;
    float xorig = 0.0f, yorig = 0.0f;  // glBitmap's origin within the bitmap
    float advance = 0.0f;              // how far the raster position moves
};

struct BitmapFontAtlas {
    int width = 0, height = 0;   // powers of two
    std::vector<uint8_t> alpha;  // width x height, bottom row first: 255 where a bit is set
    AtlasGlyph glyphs[256];      // by character code
};

// Renders the glyphs of codes firstCode .. firstCode + count - 1 exactly as
// BuildBitmapFontLists compiles them into one alpha picture. Returns false,
// leaving no glyph present, when the font cannot be loaded. Needs no GL.
bool BuildBitmapFontAtlas(const std::string& fontFile, int pixelHeight, int firstCode, int count,
                          BitmapFontAtlas& atlas);
