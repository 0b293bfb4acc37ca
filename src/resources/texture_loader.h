#pragma once
// Loads one image file into a GL texture: decodes it, shrinks pictures wider
// than the GL allows, and uploads with the configured filtering, mipmaps and
// compression. DDS files go up as their stored S3TC levels, decoded to RGBA
// in software when the driver has no compressed-texture entry point.

#include <cstddef>
#include <cstdint>
#include <vector>

class Image;
struct GLExtensions;

// How a mipmapped picture is filtered when drawn smaller than it is.
enum class Minification : uint8_t {
    Trilinear,     // linear within and between the two nearest levels
    NearestLevel,  // linear within the nearest level: half the samples
};

// Trilinear, unless the renderer samples on the CPU: there the nearest
// level, which looks all but the same and costs about half.
Minification MinificationFor(const GLExtensions& extensions);

// Bit 0 of the compression flags: upload uncompressed pictures with a
// compressed internal format. Other bits are ignored here.
constexpr uint8_t kCompressUncompressedPictures = 0x01;

class TextureLoader {
public:
    void Configure(uint8_t compressionFlags, bool generateMipmaps, int maxTextureSize,
                   Minification minification = Minification::Trilinear);
    // Writes the new GL texture name and returns true; false if the file could
    // not be decoded or uploaded, and then no texture is created.
    bool LoadTexture(const char* path, uint32_t& texture) const;

private:
    bool compress_ = false;
    bool generateMipmaps_ = false;
    int maxTextureSize_ = 256;
    Minification minification_ = Minification::Trilinear;
};

// One stored level of a DDS picture.
struct DdsLevel {
    int level;
    uint32_t width;
    uint32_t height;
    size_t offset;  // into Image::pixels
    size_t size;
};

// Bytes of one S3TC level: ceil(w / 4) x ceil(h / 4) blocks of 8 bytes (DXT1)
// or 16 bytes (DXT3, DXT5).
size_t CompressedLevelSize(uint16_t format, uint32_t width, uint32_t height);

// The levels of a DDS picture that lie wholly inside its data, from level 0
// down, halving the size each time (a side of 0 becomes 1; both 0 ends).
// A mip count of 0 is taken as one level.
std::vector<DdsLevel> PlanDdsLevels(const Image& image);
