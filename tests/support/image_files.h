#pragma once
// Small picture files built byte by byte for tests: BMP, TGA and DDS in the
// layouts the game reads, and test patterns whose every pixel differs.
// Pixel arguments are RGB or RGBA bytes, bottom row first (the Image layout).

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A picture whose channels encode the pixel position:
// red = 10 x + 1, green = 20 y + 2, blue = x + y + 3, alpha = 255 - x.
Bytes PatternPixels(uint32_t width, uint32_t height, int channels);

// 24-bit BMP, rows padded to a multiple of 4 bytes, pixel data at offset 54.
std::string BmpFile24(uint32_t width, uint32_t height, const Bytes& rgb);
// 8-bit BMP: an information header of `infoHeaderBytes` (40, or 108 and 124
// with the later versions' masks and colour space), the header's colour count
// and that many palette entries (256 when the count is 0; missing ones
// black), then index rows padded to a multiple of 4.
std::string BmpFile8(uint32_t width, uint32_t height, const Bytes& paletteRgb, const Bytes& indices,
                     uint32_t infoHeaderBytes = 40, uint32_t colourCount = 256);

enum class TgaForm { Uncompressed, RunLength, ColourMapped };
// The 18-byte header of an accepted form. The image descriptor's bit 4 says
// pixels are stored right to left, bit 5 rows top row first; the file
// builders below store the picture (given bottom-up, left to right) in the
// order their descriptor says.
std::string TgaHeader(TgaForm form, uint32_t width, uint32_t height, uint8_t depth,
                      uint8_t descriptor = 0);
// Uncompressed true-colour file from RGB or RGBA pixels (depth 24 or 32).
std::string TgaUncompressedFile(uint32_t width, uint32_t height, uint8_t depth,
                                const Bytes& picture, uint8_t descriptor = 0);
// Run-length file: a run packet of `runLength` copies of the first stored
// pixel, then every remaining pixel in raw packets of at most 128.
std::string TgaRunLengthFile(uint32_t width, uint32_t height, uint8_t depth, const Bytes& picture,
                             uint32_t runLength, uint8_t descriptor = 0);
// Colour-mapped file: 256 palette entries (RGB, missing ones black), indices.
std::string TgaColourMappedFile(uint32_t width, uint32_t height, const Bytes& paletteRgb,
                                const Bytes& picture, uint8_t descriptor = 0);

// DDS header (128 bytes with the magic) followed by `dataBytes` bytes 0, 1, 2 ...
std::string DdsFile(const char* fourCC, uint32_t width, uint32_t height, uint32_t linearSize,
                    uint32_t mipLevels, size_t dataBytes);

// Writes bytes to a file, replacing it.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A PNG file of any colour type and bit depth, written by libpng; rows are
// given top row first, packed as the PNG format packs them. `palette` holds
// RGB triples, `transparency` the tRNS chunk bytes (both may be empty).
struct PngPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 8;
    int colourType = 2;  // PNG_COLOR_TYPE_RGB
    bool interlaced = false;
    Bytes rows;
    Bytes palette;
    Bytes transparency;
};
void WritePngFile(const std::string& path, const PngPicture& picture);

// A one-component (grey) JPEG of the given size, top row first, written by libjpeg.
void WriteGreyJpegFile(const std::string& path, uint32_t width, uint32_t height, const Bytes& grey);
