#pragma once
// Writing drawn pictures in the file formats the game reads: PNG, JPEG and
// TGA through the game's own Image writers, 24-bit BMP and DXT1 DDS (with a
// full mip chain) by the small writers here.

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

class Image;

enum class PictureFormat { PngRgb, PngRgba, Jpeg, Tga, Bmp, DdsDxt1 };

// Writes the canvas in the format; false if the file could not be written.
bool SavePicture(const Canvas& canvas, PictureFormat format, const std::string& path);

// 8-bit pixels of the canvas (3 or 4 bytes each), top or bottom row first.
std::vector<uint8_t> CanvasBytes(const Canvas& canvas, int channels, bool bottomRowFirst);

// A whole 24-bit BMP file: bottom-up, rows padded to four bytes.
std::vector<uint8_t> EncodeBmp24(const Canvas& canvas);

// One DXT1 block from 16 RGBA pixels (row by row): two 5:6:5 end colours
// with colour 0 above colour 1 (four-colour mode, no transparency) and a
// 2-bit index per pixel.
void EncodeDxt1Block(const uint8_t rgba[64], uint8_t block[8]);
// The blocks of a whole picture, top row first as DDS files store them;
// edge blocks repeat the last column and row.
std::vector<uint8_t> EncodeDxt1Level(const Canvas& canvas);
// The picture and its halvings (2 x 2 box filter) down to 1 x 1.
std::vector<Canvas> MipChain(const Canvas& canvas);
// A whole DDS file: header, then every level of the mip chain in DXT1.
std::vector<uint8_t> EncodeDdsDxt1(const Canvas& canvas);
