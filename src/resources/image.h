#pragma once
// One decoded picture: RGB or RGBA rows, bottom row first, or the S3TC blocks
// of a DDS file exactly as stored. Reads BMP, TGA, JPEG, PNG and DDS files and
// writes TGA, JPEG and PNG files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Result codes of the Image operations; 1 is success.
enum ImageResult : int {
    ImageOk = 1,
    ImageUnsupported = 2,       // unknown extension; when saving: bits per pixel, PNG failure
    ImageCannotOpen = 3,        // file could not be opened (or created)
    ImageOutOfMemory = 4,       // allocation failed, or dimensions beyond the size limit
    ImageTgaDataShort = 5,      // TGA pixel data (or colour map) ended early
    ImageTgaPacketOverrun = 6,  // TGA RLE packet past the last pixel, or raw pixel short
    ImageTgaPacketHeader = 7,   // TGA RLE packet header could not be read
    ImagePngCloseFailed = 9,    // PNG: closing the file failed
    ImageBmpNoMagic = 10,       // BMP: does not start with "BM"
    ImageBmpDepth = 11,         // BMP: bits per pixel other than 8 or 24
    ImageTgaHeader = 12,        // TGA: header form, zero size or pixel depth
    ImagePngDecode = 13,        // PNG: bad signature or decoding error
    ImageDdsNoMagic = 14,       // DDS: does not start with "DDS "
    ImageDdsFormat = 15,        // DDS: not DXT1, DXT3 or DXT5
    ImageDamaged = 16,          // BMP/DDS/JPEG: file ends early, sizes that do not fit the
                                // file, a variant not read (compressed or top-down BMP),
                                // or a JPEG decoding error
};

// Largest side and largest pixel buffer a decoder accepts, so a damaged file
// cannot make the loader allocate gigabytes.
constexpr uint32_t kMaxImageSide = 16384;
constexpr uint64_t kMaxImageBytes = 256ull << 20;

class Image {
public:
    Image() { Reset(); }

    // Picks the decoder by the last three characters of the path
    // ("BMP"/"bmp", "TGA"/"tga", "JPG"/"jpg", "PNG"/"png", "DDS"/"dds").
    int Load(const char* path);
    void Reset();
    int FlipVertical();
    int Resample(uint32_t newWidth, uint32_t newHeight);
    int SetPixels(uint32_t newWidth, uint32_t newHeight, int bits, const uint8_t* source);

    int SaveTGA(const char* path) const;
    int SaveJPEG(const char* path) const;  // writes the rows top row first
    int SavePNG(const char* path) const;   // rows as stored: the caller puts the top row first

    uint32_t width;
    uint32_t height;
    int quality;
    uint16_t pixelFormat;
    uint8_t mipLevels;
    uint8_t bitsPerPixel;
    bool compressed;
    std::vector<uint8_t> pixels;

    size_t RowBytes() const { return static_cast<size_t>(width) * (bitsPerPixel / 8); }

private:
    // Decoders; the file is chosen by Load.
    int LoadBMP(const char* path);
    int LoadTGA(const char* path);
    int LoadJPEG(const char* path);
    int LoadPNG(const char* path);
    int LoadDDS(const char* path);

    // Sets the size and format of an uncompressed picture and allocates its
    // pixels: ImageOk, or ImageOutOfMemory past the limits or without memory.
    int AllocatePixels(uint32_t newWidth, uint32_t newHeight, int bits);
};
