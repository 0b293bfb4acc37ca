#pragma once
// The bitmap font of the on-screen text: one GL display list per character
// code, each drawing the glyph with glBitmap and moving the raster position by
// its advance. Glyphs come from FreeType; codes 128-254 are Windows-1252.

#include <cstdint>
#include <string>

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
